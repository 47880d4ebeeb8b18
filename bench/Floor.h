#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// A connection of its own on a benchmark file for the floors: the bare SQL
// an output needs, beside the program's own way to it. Any failure ends
// the run.
class Floor {
public:
    explicit Floor(const QString& path);
    ~Floor();
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    QSqlQuery prepared(const QString& sql) const;

    // Runs a query and reads every column of every row; returns the rows.
    int read(const QString& sql, const QVariantList& binds = {}) const;
    // One statement in a transaction of its own.
    void write(const QString& sql, const QVariantList& binds = {}) const;
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const;

private:
    static inline int s_count = 0;
    QString m_name;
};
