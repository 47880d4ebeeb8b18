#include "DamagedFiles.h"
#include "DataStore.h"
#include "DataTable.h"
#include "DatabaseBackup.h"
#include "ReadOnlyFolder.h"
#include "RecordSet.h"
#include "ScratchMount.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <optional>

namespace {

QByteArray bytes(const QString& file) {
    return TestDatabase::readFile(file);
}

const QDateTime kNoon(QDate(2025, 4, 2), QTime(12, 0));

} // namespace

class TestDatabaseBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void backupIsAWholeCheckedCopyWhileInUse();
    void backupThatCannotBeWrittenLeavesNothing_data();
    void backupThatCannotBeWrittenLeavesNothing();
    void automaticBackupsKeepTheNewest();
    void unusableBackupsAreRefused_data();
    void unusableBackupsAreRefused();
    void restoreKeepsASafetyCopy();
};

void TestDatabaseBackup::backupIsAWholeCheckedCopyWhileInUse() {
    TestDatabase db;
    auto store = db.open();
    // Budget changes held in a window for a later save are not in the copy.
    RecordSet& budget = store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter(QStringLiteral("Cat_vehicle_number = 1")).ok());
    budget.moveFirst();
    QVERIFY(budget.setValue(QStringLiteral("Budget_amount"), 99999).ok());
    const QString target = db.path("copy.sqlite");
    QVERIFY(QFile(target).open(QIODevice::WriteOnly)); // replaced, as the chooser agreed
    QVERIFY(DatabaseBackup::backup(*store, target).ok());
    const DatabaseBackup::Inspection check = DatabaseBackup::inspect(target);
    QVERIFY2(check.result.ok(), qPrintable(check.result.message()));
    QCOMPARE(check.projects, 1);
    QCOMPARE(TestDatabase::scalar(target, "SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                                          "Budget_amount = 99999")
                 .toInt(),
             0);
    QVERIFY(!QFile::exists(target + ".part"));
}

void TestDatabaseBackup::backupThatCannotBeWrittenLeavesNothing_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("full disk") << "full" << int(DbErrorKind::DiskFull) << "the disk is full";
    QTest::newRow("read-only disk")
        << "read-only" << int(DbErrorKind::ReadOnly) << "cannot be written to";
    QTest::newRow("folder that is a file")
        << "file" << int(DbErrorKind::ReadOnly) << "cannot be written to";
}

void TestDatabaseBackup::backupThatCannotBeWrittenLeavesNothing() {
    QFETCH(QString, place);
    QFETCH(int, kind);
    QFETCH(QString, why);
    // A disk smaller than the database below, whose copy cannot fit.
    std::optional<ScratchMount> disk;
    if (place == u"full" && !disk.emplace(128 * 1024).isMounted())
        QSKIP("filling a disk needs the superuser (a small tmpfs is mounted)");
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store
                ->execute("RSLMakes", "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                      "FROM n WHERE i < 3000) INSERT INTO RSLMakes (make) SELECT "
                                      "printf('MAKE %05d %090d', i, 0) FROM n")
                .ok());
    const QString folder = disk ? disk->path("backups") : db.path("backups");
    QVERIFY(QDir().mkpath(folder));
    std::optional<ReadOnlyFolder> readOnly;
    if (place == u"read-only" && !readOnly.emplace(folder).isReadOnly())
        QSKIP(qPrintable(readOnly->reason()));
    // A file where the folder should be cannot hold the copy either.
    if (place == u"file")
        QVERIFY(TestDatabase::writeFile(folder + "/blocker", {}));
    const QString target = folder + (place == u"file" ? "/blocker/copy.sqlite" : "/copy.sqlite");
    const DbResult r = DatabaseBackup::backup(*store, target);
    readOnly.reset();
    QCOMPARE(int(r.kind()), kind);
    QVERIFY(r.message().contains(why) && r.message().contains(QDir::toNativeSeparators(target)));
    // Not half a copy, nor the partial file it was written to.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             place == u"file" ? QStringList{"blocker"} : QStringList());
    // The open database goes on as it was.
    QVERIFY(store->execute("RSLMakes", "INSERT INTO RSLMakes (make) VALUES ('AFTER')").ok());
    QCOMPARE(TestDatabase::scalar(store->path(), "PRAGMA quick_check").toString(),
             QStringLiteral("ok"));
}

void TestDatabaseBackup::automaticBackupsKeepTheNewest() {
    TestDatabase db;
    auto store = db.open();
    QString written;
    for (int i = 0; i < 12; ++i)
        QVERIFY(DatabaseBackup::automatic(*store, 10, kNoon.addSecs(i * 60), &written).ok());
    QCOMPARE(QFileInfo(written).fileName(), QStringLiteral("rsl-20250402-121100.sqlite"));
    // Somebody's own file in the folder is not ours to remove.
    QFile mine(DatabaseBackup::automaticFolder(store->path()) + "/rsl-keep-this.sqlite");
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.close();
    QVERIFY(DatabaseBackup::automatic(*store, 10, kNoon.addSecs(12 * 60)).ok());
    QStringList names =
        QDir(DatabaseBackup::automaticFolder(store->path())).entryList(QDir::Files, QDir::Name);
    QCOMPARE(names.size(), 11);
    QCOMPARE(names.first(), QStringLiteral("rsl-20250402-120300.sqlite"));
    QVERIFY(names.contains(QStringLiteral("rsl-keep-this.sqlite")));
    QCOMPARE(DatabaseBackup::inspect(DatabaseBackup::automaticFolder(store->path()) + u'/' +
                                     names.first())
                 .date,
             kNoon.addSecs(3 * 60));
}

void TestDatabaseBackup::unusableBackupsAreRefused_data() {
    DataTable::namedPairs("damage", "message",
                          {{"text", "it is not a database"},
                           {"page of zeros", "is damaged"},
                           {"newer schema version", "newer version of Rastrel"},
                           {"table missing", "the table RSLModels is missing"}});
}

void TestDatabaseBackup::unusableBackupsAreRefused() {
    QFETCH(QString, damage);
    QFETCH(QString, message);
    TestDatabase db;
    { db.open(); }
    const QString backup = db.path("bad.sqlite");
    QVERIFY(DamagedFiles::make(damage, db.databasePath(), backup));
    const DatabaseBackup::Inspection check = DatabaseBackup::inspect(backup);
    QVERIFY(!check.result.ok());
    QVERIFY2(check.result.message().contains(message), qPrintable(check.result.message()));
}

void TestDatabaseBackup::restoreKeepsASafetyCopy() {
    TestDatabase db;
    auto store = db.open();
    const QString backup = db.path("backup.sqlite");
    QVERIFY(DatabaseBackup::backup(*store, backup).ok());
    QVERIFY(store->execute("RSLMaster", "DELETE FROM RSLMaster").ok());
    const QString path = store->path();
    store->close();
    const QByteArray current = bytes(path);
    QString safety;
    QVERIFY(DatabaseBackup::replace(backup, path, kNoon, &safety).ok());
    QCOMPARE(bytes(path), bytes(backup));
    QCOMPARE(bytes(safety), current);
    QCOMPARE(QFileInfo(safety).fileName(),
             QStringLiteral("rsl.sqlite.before-restore-20250402-120000"));
    QVERIFY(store->open(path).ok());
    QVERIFY(TestDatabase::scalar(path, "SELECT COUNT(*) FROM RSLMaster").toInt() > 0);

    // Half a copy left by a run killed while restoring: the next open takes
    // the database as it is and clears the copy away; a restore still works.
    store->close();
    const QString half = DataStore::restoringPath(path);
    QVERIFY(TestDatabase::writeFile(half, TestDatabase::readFile(backup).left(5000)));
    QVERIFY(store->open(path).ok());
    QVERIFY(!QFileInfo::exists(half));
    store->close();
    QVERIFY(DatabaseBackup::replace(backup, path, kNoon.addSecs(60), nullptr).ok());
    QCOMPARE(bytes(path), bytes(backup));
    QVERIFY(!QFileInfo::exists(half));
}

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "test_databasebackup.moc"
