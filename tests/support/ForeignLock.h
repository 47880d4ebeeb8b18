#pragma once

#include <QSqlDatabase>
#include <QString>

// Another program's connection holding the whole database file locked
// (BEGIN EXCLUSIVE) for as long as the object lives.
class ForeignLock {
public:
    explicit ForeignLock(const QString& databasePath);
    ~ForeignLock();
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

private:
    QSqlDatabase m_db;
};
