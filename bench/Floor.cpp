#include "Floor.h"

#include "BenchShell.h"

#include <QSqlError>
#include <QSqlRecord>

using BenchShell::fail;

Floor::Floor(const QString& path)
    : m_name(QStringLiteral("bench floor %1").arg(++s_count)) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    database.setDatabaseName(path);
    if (!database.open())
        fail(database.lastError().text());
}

Floor::~Floor() {
    db().close();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery Floor::prepared(const QString& sql) const {
    QSqlQuery q(db());
    if (!q.prepare(sql))
        fail(q.lastError().text() + QStringLiteral(": ") + sql);
    return q;
}

int Floor::read(const QString& sql, const QVariantList& binds) const {
    QSqlQuery q = prepared(sql);
    q.setForwardOnly(true);
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        fail(q.lastError().text());
    int rows = 0;
    while (q.next()) {
        const int n = q.record().count();
        for (int i = 0; i < n; ++i)
            (void)q.value(i).toString();
        ++rows;
    }
    return rows;
}

void Floor::write(const QString& sql, const QVariantList& binds) const {
    if (!db().transaction())
        fail(db().lastError().text());
    {
        QSqlQuery q = prepared(sql);
        for (const QVariant& b : binds)
            q.addBindValue(b);
        if (!q.exec())
            fail(q.lastError().text());
    }
    if (!db().commit())
        fail(db().lastError().text());
}

QVariant Floor::scalar(const QString& sql, const QVariantList& binds) const {
    QSqlQuery q = prepared(sql);
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec() || !q.next())
        fail(q.lastError().text());
    return q.value(0);
}
