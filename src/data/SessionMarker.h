#pragma once

#include <QString>

// A small file beside the database that remembers how the last run which
// wrote to it ended: whether it closed the file cleanly, which program
// version did so, and the file's size and modification time at that moment.
// Reading every page of a large file at each start is slow, so the full
// check runs only when this file cannot vouch for the database.
class SessionMarker {
public:
    explicit SessionMarker(const QString& databasePath);

    static QString fileFor(const QString& databasePath);
    const QString& file() const { return m_file; }

    // True when the marker is missing or unreadable, says the last run did
    // not end cleanly, names another program version, or the database has
    // been changed behind the program's back since.
    bool needsFullCheck(const QString& programVersion) const;

    // Written when the database is opened for writing; false when the
    // marker cannot be written (the next open then checks in full).
    bool begin(const QString& programVersion);
    // Written at a clean close.
    bool end(const QString& programVersion);
    void remove();

private:
    bool write(const QString& programVersion, bool clean);

    QString m_database;
    QString m_file;
};
