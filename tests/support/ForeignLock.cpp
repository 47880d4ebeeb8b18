#include "ForeignLock.h"

#include <QSqlQuery>
#include <QTest>

namespace {
const QString kConnection = QStringLiteral("foreign lock");
}

ForeignLock::ForeignLock(const QString& databasePath) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    m_db.setDatabaseName(databasePath);
    if (!m_db.open() || !QSqlQuery(m_db).exec(QStringLiteral("BEGIN EXCLUSIVE")))
        QTest::qFail("cannot lock the file", __FILE__, __LINE__);
}

ForeignLock::~ForeignLock() {
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConnection);
}
