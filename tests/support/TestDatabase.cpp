#include "TestDatabase.h"

#include "DataStore.h"
#include "Settings.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

TestDatabase::TestDatabase() {
    if (!m_dir.isValid())
        QTest::qFail("cannot make a temporary folder", __FILE__, __LINE__);
}

TestDatabase::~TestDatabase() = default;

std::unique_ptr<DataStore> TestDatabase::open() {
    auto store = std::make_unique<DataStore>();
    const DbResult r = store->open(databasePath());
    if (!r)
        QTest::qFail(qPrintable(r.message()), __FILE__, __LINE__);
    return store;
}

std::unique_ptr<Settings> TestDatabase::settings() {
    return std::make_unique<Settings>(settingsPath());
}

namespace {
template <typename F> auto withConnection(const QString& databasePath, F f) {
    const QString name = QStringLiteral("test side connection");
    decltype(f(std::declval<QSqlDatabase&>())) result{};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (db.open())
            result = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}
} // namespace

bool TestDatabase::exec(const QString& databasePath, const QString& sql) {
    return withConnection(databasePath, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        const bool ok = q.exec(sql);
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return ok;
    });
}

QVariant TestDatabase::scalar(const QString& databasePath, const QString& sql) {
    return withConnection(databasePath, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            return q.value(0);
        return QVariant();
    });
}

QByteArray TestDatabase::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestDatabase::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void isolateTestEnvironment() {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("RASTREL_DATABASE", QByteArray());
}
