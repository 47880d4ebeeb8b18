#pragma once

#include "DbResult.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class AppState;
class DataStore;
class Shell;

// One write path of the program, as the crash test drives it: the same store
// classes the windows call, one whole change per step. A step's number can
// be read back from the file (progress), so that a child killed and started
// again carries on where the file says it stopped, and the parent can tell a
// change that was reported committed but is not there.
class CrashPath {
public:
    virtual ~CrashPath() = default;
    virtual QString name() const = 0;
    // Run once on a new file before the first child starts.
    virtual DbResult setUp(Shell& shell) { return stepZero(shell); }
    // One whole change; numbered from progress() + 1 on.
    virtual DbResult step(Shell& shell, int number) = 0;
    // The number of the last step whose change is in the file; -1 for none.
    virtual int progress(DataStore& store) = 0;
    // What is half there: empty when every change is whole or absent.
    virtual QString halfStored(DataStore& store) = 0;

    static std::vector<std::unique_ptr<CrashPath>> all();
    static CrashPath* find(const QString& name);

protected:
    DbResult stepZero(Shell&) { return DbResult::success(); }
};

// Rows counted by one SQL statement; -1 when it cannot be read.
qint64 crashCount(DataStore& store, const QString& sql, const QVariantList& binds = {});
// The text with its %1, %2, ... filled in by the numbers.
QString filled(QString text, std::initializer_list<qint64> numbers);
// Every project number used anywhere has its project row, its used number and
// one budget row per category, and nothing refers to a project that is gone.
QString projectsWhole(DataStore& store);
