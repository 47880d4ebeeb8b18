#pragma once

#include "DbResult.h"
#include "PartLine.h"

#include <QString>

class DataStore;

// Stores part lines: adding a line, writing the detail panel back into the
// line it was loaded from, deleting it, and completing the reference lists
// with new names. Each command is one transaction. Lines are found by their
// key, part name and sequence number, never by whatever row a shared record
// set happens to stand on. Needs no window: the worksheet and the CSV import
// (from a window or the command line) store lines through the same path.
class PartLineStore {
public:
    explicit PartLineStore(DataStore& store);

    enum class Outcome { Stored, Missing, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString message;           // why it failed
        qint64 sequenceNumber = 0; // the line's number after Add or Accept
    };

    static inline const QString kMissingMessage = QStringLiteral(
        "This part line no longer exists; another window may have changed or deleted it. The part summary has been refreshed.");

    // Whether every amount of the line and its cost arithmetic stay within
    // the money range.
    static bool amountsFit(const PartLine& line, const QString& taxPercentage);

    // A part name, manufacturer, vendor or category that is new joins its
    // list; a new category also gets a zero budget in every project in use.
    // Each step on its own: one that fails leaves the others and the line.
    void addvalidationrecords(const PartLine& line);

    Result add(const PartLine& line, int project);
    Result accept(const PartLine& line, int project, const QString& loadedName,
                  const QString& loadedSequence);
    Result remove(const QString& loadedName, const QString& loadedSequence);

private:
    // The rowid of the line with this key; 0 when there is none.
    qint64 locate(const QString& partName, const QString& sequence, DbResult* error);
    // A failed read is returned, never taken for "not there".
    DbResult exists(const QString& table, const QString& column, const QString& value, bool& found);
    void addName(const QString& table, const QString& column, const QString& value);

    DataStore& m_store;
};
