#pragma once

#include "DbResult.h"
#include "PartLine.h"

#include <QList>
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
        qint64 line = 0;           // the rowid of the line stored, changed or deleted
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
    // Adds every line in one transaction, all or none, each exactly as add()
    // stores it. The reference lists and sequence numbers are read once for
    // the whole batch and the statements prepared once, so an import of
    // thousands of lines costs little more than their inserts. `failedAt`
    // gets the index of the line that could not be stored.
    Result addAll(const QList<PartLine>& lines, int project, int* failedAt = nullptr);
    Result accept(const PartLine& line, int project, const QString& loadedName,
                  const QString& loadedSequence);
    Result remove(const QString& loadedName, const QString& loadedSequence);

private:
    struct Lookups;
    // add() inside a transaction the caller holds.
    Result store(const PartLine& line, int project, Lookups& lookups);
    void addvalidationrecords(const PartLine& line, Lookups& lookups);
    // Whether the name is in the list, asked of the file or of the names
    // read for the batch. A failed read is returned, never taken for "not there".
    DbResult known(Lookups& lookups, int list, const QString& value, bool& found);
    // Adds the name to its list unless it is there (a part with `category`).
    void addName(Lookups& lookups, int list, const QString& value, const QString& category = {});
    // The rowid of the line with this key; 0 when there is none.
    qint64 locate(const QString& partName, const QString& sequence, DbResult* error);

    DataStore& m_store;
};
