#pragma once

#include "DbResult.h"

#include <QDateTime>
#include <QString>

class DataStore;

// Copies of the database: made while the program runs, kept automatically
// in a "backups" folder beside the file, checked before they are trusted,
// and put back in place so that a crash at any moment leaves one whole file.
class DatabaseBackup {
public:
    // A consistent copy of the open database at `target`, written beside it
    // and checked with the full integrity check before it takes the name.
    static DbResult backup(DataStore& store, const QString& target);

    static QString automaticFolder(const QString& databasePath);
    // A dated copy into the backups folder, keeping the newest `keep`.
    static DbResult automatic(DataStore& store, int keep, const QDateTime& now,
                              QString* written = nullptr);

    struct Inspection {
        DbResult result;
        QDateTime date; // from the automatic name, else when the file was written
        int projects = 0;
    };
    // Whether a file can be restored: it opens, passes the integrity check,
    // has every table of the program and is not from a newer version.
    static Inspection inspect(const QString& file);

    // Puts `backup` in place of the (closed) database file. The current file
    // is kept first as a safety copy; the backup is written beside the file
    // and renamed over it, so the file is always either the old or the new one.
    static DbResult replace(const QString& backup, const QString& databasePath,
                            const QDateTime& now, QString* safetyCopy = nullptr);
};
