#include "DamagedFiles.h"
#include "DataStore.h"
#include "DataTable.h"
#include "Fixtures.h"
#include "ForeignLock.h"
#include "ReadOnlyFolder.h"
#include "Schema.h"
#include "ScratchMount.h"
#include "SessionMarker.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// Leaves `target` as a run killed in the middle of a save leaves a file:
// some pages of the unfinished change written, and the journal that undoes them.
void makeInterrupted(const QString& sound, const QString& work, const QString& target) {
    QVERIFY(QFile::copy(sound, work));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "interrupted");
        db.setDatabaseName(work);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("PRAGMA cache_size = 2"));
        QVERIFY(q.exec("BEGIN"));
        for (int i = 0; i < 200; ++i)
            QVERIFY(q.exec(QStringLiteral("INSERT INTO RSLMakes VALUES ('UNFINISHED %1 %2')")
                               .arg(i)
                               .arg(QString(900, u'X'))));
        QVERIFY(QFile::exists(work + "-journal"));
        QVERIFY(QFile::copy(work, target));
        QVERIFY(QFile::copy(work + "-journal", target + "-journal"));
        QVERIFY(q.exec("ROLLBACK"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("interrupted");
    QVERIFY(TestDatabase::readFile(target) != TestDatabase::readFile(sound));
}

} // namespace

using Fixtures::count;

class TestDataStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void newFileHoldsSchemaAndSampleProject();
    void unusableFilesAreRefusedAndLeftAlone_data();
    void unusableFilesAreRefusedAndLeftAlone();
    void fullCheckRunsWhenTheFileCannotBeVouchedFor_data();
    void fullCheckRunsWhenTheFileCannotBeVouchedFor();
    void damageAfterACleanExitIsFoundOnRequest();
    void interruptedChangeIsUndoneAndChecked();
    void openingFailuresNameTheirCause();
    void readOnlyFileIsOpenedForReading();
    void fullDiskKeepsEveryCommittedRow();
    void olderFileIsBackedUpThenMigrated();
    void lastReleasesFileIsUpdatedAfterABackup();
    void lastReleasesFileWithADamagedPageIsLeftAlone();
    void changesAreAnnouncedOncePerCommit();
    void pathOptionWinsOverEnvironment();
    void nextSequenceNumberIsHighestPlusOne();
    void rollbackRestoresHeldBatchChanges();
    void writeFailuresGetTheirOwnMessages();
};

void TestDataStore::newFileHoldsSchemaAndSampleProject() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store->isOpen());
    QVERIFY(store->wasCreated());
    QCOMPARE(count(*store, "PRAGMA user_version"), Schema::kCurrentVersion);
    for (const TableDef& t : Schema::tables()) {
        QStringList cols;
        QVERIFY(store
                    ->query(QStringLiteral("PRAGMA table_info(%1)").arg(t.name), {},
                            [&](const QSqlQuery& q) { cols << q.value(1).toString(); })
                    .ok());
        // Part lines carry their key as a column of its own, first.
        if (t.name == u"RSLMaster")
            QCOMPARE(cols.takeFirst(), QStringLiteral("Line_id"));
        QCOMPARE(cols.size(), t.columns.size());
    }
    // The sample project: a budget row for every category, and every line a catalogue part.
    QCOMPARE(count(*store, "SELECT COUNT(*) = (SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                           "Cat_vehicle_number = 1 AND Category IN (SELECT Category FROM "
                           "RSLCategories)) FROM RSLCategories"),
             1);
    QCOMPARE(count(*store, "SELECT COUNT(*) FROM RSLMaster m WHERE NOT EXISTS (SELECT 1 FROM "
                           "RSLParts p WHERE p.Part_Name = m.Part_Name AND p.Category = "
                           "m.Category)"),
             0);
    store.reset();

    // Opening it again does not create anything anew.
    DataStore again;
    QVERIFY(again.open(db.databasePath()).ok());
    QVERIFY(!again.wasCreated());
}

void TestDataStore::unusableFilesAreRefusedAndLeftAlone_data() {
    DataTable::columns<QString, QString>("kind", "reason");
    for (const DamagedFiles::Kind& k : DamagedFiles::kinds())
        QTest::newRow(qPrintable(k.name)) << k.name << k.reason;
}

void TestDataStore::unusableFilesAreRefusedAndLeftAlone() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestDatabase db;
    { db.open(); }
    const QString path = db.path("suspect.sqlite");
    QVERIFY(DamagedFiles::make(kind, db.databasePath(), path));
    const QByteArray before = TestDatabase::readFile(path);
    const QStringList filesBefore = QDir(db.path(".")).entryList(QDir::Files);

    DataStore store;
    const DbResult r = store.open(path);
    QVERIFY(r.message().contains(reason));
    QCOMPARE(r.message().count(QDir::toNativeSeparators(path)), 1);
    QVERIFY(!store.isOpen());
    QCOMPARE(TestDatabase::readFile(path), before);
    // Not even a journal, log or marker is left beside it.
    QCOMPARE(QDir(db.path(".")).entryList(QDir::Files), filesBefore);

    // The program goes on without data: every operation fails cleanly.
    RecordSet& rs = store.recordSet(Command::RSLVehicles);
    rs.moveFirst();
    QVERIFY(rs.isEof());
    QVERIFY(rs.addNew().ok());
    QCOMPARE(rs.update().kind(), DbErrorKind::NotOpen);
    Transaction tx(store);
    QVERIFY(!tx.commit().ok());
}

void TestDataStore::fullCheckRunsWhenTheFileCannotBeVouchedFor_data() {
    DataTable::columns<QString, bool>("history", "full");
    QTest::newRow("closed cleanly") << "clean" << false;
    QTest::newRow("never opened here") << "no marker" << true;
    QTest::newRow("last run was killed") << "killed" << true;
    QTest::newRow("another program version") << "version" << true;
    QTest::newRow("changed behind our back") << "touched" << true;
}

void TestDataStore::fullCheckRunsWhenTheFileCannotBeVouchedFor() {
    QFETCH(QString, history);
    TestDatabase db;
    const QString marker = SessionMarker::fileFor(db.databasePath());
    QByteArray whileRunning;
    {
        auto store = db.open();
        whileRunning = TestDatabase::readFile(marker);
        QVERIFY(whileRunning.contains("state=running"));
    }
    QVERIFY(TestDatabase::readFile(marker).contains("state=clean"));
    if (history == u"no marker") {
        QVERIFY(QFile::remove(marker));
    } else if (history == u"killed") {
        QVERIFY(TestDatabase::writeFile(marker, whileRunning));
    } else if (history == u"version") {
        const QByteArray current = "version=" + DataStore::programVersion().toUtf8();
        QVERIFY(TestDatabase::writeFile(
            marker, TestDatabase::readFile(marker).replace(current, QByteArray("version=0.9"))));
    } else if (history == u"touched") {
        QFile f(db.databasePath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                              QFileDevice::FileModificationTime));
    }
    DataStore store;
    QVERIFY(store.open(db.databasePath()).ok());
    QTEST(store.wasFullyChecked(), "full");
}

void TestDataStore::damageAfterACleanExitIsFoundOnRequest() {
    TestDatabase db;
    { db.open(); }
    // Damage inside a table (not the schema) with the file's time kept, as a
    // failing disk would leave it: the cheap check on opening cannot see it.
    const QString path = db.databasePath();
    const QDateTime time = QFileInfo(path).lastModified();
    const QString copy = db.path("damaged.sqlite");
    QVERIFY(DamagedFiles::make("flipped byte in a b-tree page", path, copy));
    QVERIFY(TestDatabase::writeFile(path, TestDatabase::readFile(copy)));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
    }
    DataStore store;
    QVERIFY(store.open(path).ok());
    QVERIFY(!store.wasFullyChecked());
    QString report;
    QVERIFY(!store.checkIntegrity(&report).ok());
    QVERIFY(report.contains("damaged"));

    TestDatabase sound;
    QVERIFY(sound.open()->checkIntegrity(&report).ok());
}

void TestDataStore::interruptedChangeIsUndoneAndChecked() {
    TestDatabase db;
    { db.open(); }
    const QString path = db.path("interrupted.sqlite");
    makeInterrupted(db.databasePath(), db.path("work.sqlite"), path);
    DataStore store;
    QVERIFY(store.open(path).ok());
    QVERIFY(store.wasFullyChecked());
    QCOMPARE(count(store, "SELECT COUNT(*) FROM RSLMakes WHERE make LIKE 'UNFINISHED%'"), 0);
    QVERIFY(!QFile::exists(path + "-journal"));
}

void TestDataStore::openingFailuresNameTheirCause() {
    TestDatabase db;
    { db.open(); }
    const QString path = db.databasePath();
    const QByteArray before = TestDatabase::readFile(path);

    // Another program holds the file: a lock, not damage, and one sentence.
    {
        ForeignLock lock(path);
        DataStore store;
        const DbResult r = store.open(path);
        QCOMPARE(r.kind(), DbErrorKind::Locked);
        QVERIFY(!r.message().contains("damaged"));
    }
    QCOMPARE(TestDatabase::readFile(path), before);

    // A data folder that cannot be made (a file stands where it should be).
    QVERIFY(TestDatabase::writeFile(db.path("blocker"), "a file"));
    DataStore store;
    const DbResult r = store.open(db.path("blocker/sub/rsl.sqlite"));
    QVERIFY(r.message().contains(QDir::toNativeSeparators(db.path("blocker/sub"))));
}

void TestDataStore::readOnlyFileIsOpenedForReading() {
    TestDatabase place;
    const QString path = place.databasePath();
    const QString interrupted = place.path("interrupted.sqlite");
    { place.open(); }
    makeInterrupted(path, place.path("work.sqlite"), interrupted);
    ReadOnlyFolder readOnly(place.path("."));
    if (!readOnly.isReadOnly())
        QSKIP(qPrintable(readOnly.reason()));
    const QByteArray before = TestDatabase::readFile(path);

    DataStore store;
    QVERIFY(store.open(path).ok());
    QVERIFY(store.isReadOnly());
    QVERIFY(!store.notice().isEmpty());
    const DbResult write = store.execute("RSLMakes", "INSERT INTO RSLMakes VALUES ('NEW')");
    QCOMPARE(write.kind(), DbErrorKind::ReadOnly);
    store.close();
    QCOMPARE(TestDatabase::readFile(path), before);

    // An interrupted change cannot be undone there: said so, not called damage.
    const QByteArray journal = TestDatabase::readFile(interrupted + "-journal");
    const DbResult r = store.open(interrupted);
    QCOMPARE(r.kind(), DbErrorKind::ReadOnly);
    QVERIFY(!r.message().contains("damaged"));
    QCOMPARE(TestDatabase::readFile(interrupted + "-journal"), journal);
}

void TestDataStore::fullDiskKeepsEveryCommittedRow() {
    if (!ScratchMount::available())
        QSKIP("filling a real disk needs the superuser (a small tmpfs is mounted)");
    ScratchMount disk(1024 * 1024);
    const QString path = disk.path("rsl.sqlite");
    DataStore store;
    QVERIFY(store.open(path).ok());
    const QString big(4000, u'X');
    DbResult r;
    int added = 0;
    for (; added < 1000 && r.ok(); ++added) {
        Transaction tx(store);
        r = tx.status();
        if (r)
            r = store.execute("RSLMakes", "INSERT INTO RSLMakes VALUES (?)",
                              QVariantList{QString(big + QString::number(added))});
        if (r)
            r = tx.commit();
    }
    QCOMPARE(r.kind(), DbErrorKind::DiskFull);
    store.close();
    QVERIFY(store.open(path).ok());
    QCOMPARE(count(store, "SELECT COUNT(*) FROM RSLMakes WHERE make LIKE 'XXXX%'"), added - 1);
    QString report;
    QVERIFY2(store.checkIntegrity(&report).ok(), qPrintable(report));
}

void TestDataStore::olderFileIsBackedUpThenMigrated() {
    TestDatabase db;
    { db.open(); }
    QVERIFY(TestDatabase::exec(db.databasePath(), "PRAGMA user_version = 0"));
    DataStore store;
    QVERIFY(store.open(db.databasePath()).ok());
    QCOMPARE(count(store, "PRAGMA user_version"), Schema::kCurrentVersion);
    const QStringList backups = QDir(db.path(".")).entryList({"rsl.sqlite.v0-*.bak"});
    QCOMPARE(backups.size(), 1);
    QCOMPARE(
        TestDatabase::scalar(db.path(backups.first()), "SELECT COUNT(*) FROM RSLVehicles").toInt(),
        1);
}

namespace {

const QString kFixture = QStringLiteral(RASTREL_SOURCE_DIR "/tests/data/fixtures/rsl-v1.sqlite");

// Every row of every table, in stored order, as one text per table.
QStringList dump(const QString& path) {
    QStringList out;
    for (const TableDef& t : Schema::tables()) {
        QStringList cols;
        for (const ColumnDef& c : t.columns)
            cols << QStringLiteral("quote(\"%1\")").arg(c.name);
        out << t.name + u':' +
                   TestDatabase::scalar(path, QStringLiteral("SELECT group_concat(r, '\n') FROM "
                                                             "(SELECT %1 AS r FROM \"%2\" ORDER "
                                                             "BY rowid)")
                                                  .arg(cols.join(u"||','||"), t.name))
                       .toString();
    }
    return out;
}

} // namespace

void TestDataStore::lastReleasesFileIsUpdatedAfterABackup() {
    TestDatabase db;
    const QString path = db.path("rsl.sqlite");
    QVERIFY(QFile::copy(kFixture, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QStringList before = dump(path);
    const QString keys =
        QStringLiteral("SELECT group_concat(k, ';') FROM (SELECT %1 || '=' || Part_Name || '#' || "
                       "Sequence_Number AS k FROM RSLMaster ORDER BY rowid)");
    const QString keysBefore = TestDatabase::scalar(path, keys.arg("rowid")).toString();
    QVERIFY(keysBefore.contains("O'BRIEN BRACKET") && keysBefore.contains("SCHEINWERFER"));

    DataStore store;
    QVERIFY(store.open(path).ok());
    QCOMPARE(count(store, "PRAGMA user_version"), Schema::kCurrentVersion);
    for (const QString& table : Schema::attachmentTables())
        QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)), 0);
    store.close();

    // The rows are as they were, and each line keeps its row number as its key.
    QCOMPARE(dump(path), before);
    QCOMPARE(TestDatabase::scalar(path, keys.arg("Line_id")).toString(), keysBefore);

    const QStringList backups = QDir(db.path(".")).entryList({"rsl.sqlite.v1-*.bak"});
    QCOMPARE(backups.size(), 1);
    const QString backup = db.path(backups.first());
    QCOMPARE(TestDatabase::scalar(backup, "PRAGMA user_version").toInt(), 1);
    QCOMPARE(dump(backup), before);

    // Opening the updated file again neither migrates nor backs up a second time.
    QVERIFY(store.open(path).ok());
    QCOMPARE(QDir(db.path(".")).entryList({"rsl.sqlite.v*.bak"}).size(), 1);
}

void TestDataStore::lastReleasesFileWithADamagedPageIsLeftAlone() {
    TestDatabase db;
    const QString path = db.path("rsl.sqlite");
    QVERIFY(DamagedFiles::make("flipped byte in a b-tree page", kFixture, path));
    const QByteArray bytes = TestDatabase::readFile(path);

    DataStore store;
    const DbResult r = store.open(path);
    QVERIFY(r.message().contains("damaged"));
    QCOMPARE(TestDatabase::readFile(path), bytes);
    QCOMPARE(QDir(db.path(".")).entryList({"*.bak"}).size(), 0);
}

void TestDataStore::changesAreAnnouncedOncePerCommit() {
    TestDatabase db;
    auto store = db.open();
    int told = 0;
    DataStore::Subscription listening = store->subscribe([&] { ++told; });
    const QString insert = QStringLiteral("INSERT INTO RSLMakes (make) VALUES ('AMC')");
    QVERIFY(store->execute("RSLMakes", insert).ok());
    QCOMPARE(told, 1);
    {
        Transaction tx(*store);
        QVERIFY(store->execute("RSLMakes", insert).ok());
        {
            // An inner change rolled back alone, the outer one kept.
            Transaction dropped(*store);
            QVERIFY(store->execute("RSLMakes", "INSERT INTO RSLMakes VALUES ('DROPPED')").ok());
        }
        QCOMPARE(told, 1);
        QVERIFY(tx.commit().ok());
    }
    QCOMPARE(told, 2);
    QCOMPARE(TestDatabase::scalar(db.databasePath(),
                                  "SELECT COUNT(*) || '/' || SUM(make = 'DROPPED') FROM RSLMakes "
                                  "WHERE make IN ('AMC', 'DROPPED')")
                 .toString(),
             QStringLiteral("2/0"));
    {
        Transaction abandoned(*store);
        QVERIFY(store->execute("RSLMakes", insert).ok());
    }
    QVERIFY(!store->execute("RSLMakes", "INSERT INTO RSLNowhere VALUES (1)").ok());
    QCOMPARE(told, 2);

    // A handle outliving its store is released quietly.
    listening = store->subscribe([&] { ++told; });
    store.reset();
    listening.reset();
    QCOMPARE(told, 2);
}

void TestDataStore::pathOptionWinsOverEnvironment() {
    qputenv("RASTREL_DATABASE", "/tmp/from-environment.sqlite");
    QCOMPARE(DataStore::resolvePath("/tmp/from-option.sqlite"),
             QStringLiteral("/tmp/from-option.sqlite"));
    QCOMPARE(DataStore::resolvePath(""), QStringLiteral("/tmp/from-environment.sqlite"));
    qputenv("RASTREL_DATABASE", "");
    QVERIFY(DataStore::resolvePath("").endsWith("/rsl.sqlite"));
}

void TestDataStore::nextSequenceNumberIsHighestPlusOne() {
    TestDatabase db;
    auto store = db.open();
    QCOMPARE(store->nextSequenceNumber("NO SUCH PART"), qint64(1));
    // Stored out of order and in two projects; whatever sort a record set has.
    QVERIFY(store
                ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                       "Mas_vehicle_number) VALUES ('WIDGET', 3, 1), "
                                       "('WIDGET', 1, 2), ('WIDGET', 2, 1)")
                .ok());
    QVERIFY(store->recordSet(Command::RSLMaster).setSort("Sequence_Number DESC").ok());
    QCOMPARE(store->nextSequenceNumber("widget"), qint64(4));
}

void TestDataStore::rollbackRestoresHeldBatchChanges() {
    TestDatabase db;
    auto store = db.open();
    RecordSet& budget = store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1 and Category = 'PAINT'").ok());
    QVERIFY(budget.setValue("Budget_amount", "1234.5").ok()); // the user's input, held
    {
        Transaction tx(*store);
        QVERIFY(tx.status().ok());
        QVERIFY(budget.setValue("Cat_vehicle_number", 5).ok());
        QVERIFY(budget.updateBatch().ok());
        QVERIFY(store->execute("RSLVehiclesused", "INSERT INTO RSLVehiclesused VALUES (5)").ok());
        // no commit: a later step failed
    }
    QCOMPARE(count(*store, "SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 5"),
             0);
    QCOMPARE(count(*store, "SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 5"),
             0);
    QVERIFY(budget.hasPendingChanges());
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1 and Category = 'PAINT'").ok());
    QCOMPARE(budget.text("Budget_amount"), QStringLiteral("1234.5"));
}

void TestDataStore::writeFailuresGetTheirOwnMessages() {
    TestDatabase db;
    auto store = db.open();
    RecordSet& makes = store->recordSet(Command::RSLMakes);
    auto addMake = [&](const QString& name) {
        if (DbResult r = makes.addNew(); !r)
            return r;
        if (DbResult r = makes.setValue("make", name); !r)
            return r;
        DbResult r = makes.update();
        makes.cancelUpdate();
        return r;
    };

    QSqlQuery(store->connection()).exec("PRAGMA query_only = 1");
    DbResult r = addMake("READONLY");
    QCOMPARE(r.kind(), DbErrorKind::ReadOnly);
    QVERIFY(r.message().contains(QDir::toNativeSeparators(db.databasePath())));
    QSqlQuery(store->connection()).exec("PRAGMA query_only = 0");

    // Another program holding the write lock.
    {
        ForeignLock lock(db.databasePath());
        r = addMake("LOCKED");
        QCOMPARE(r.kind(), DbErrorKind::Locked);
        // A lookup says it could not read, rather than finding nothing.
        r = store->query("SELECT COUNT(*) FROM RSLMakes", {}, [](const QSqlQuery&) {});
        QCOMPARE(r.kind(), DbErrorKind::Locked);
        QVERIFY(r.message().contains("could not be read"));
    }

    // A full disk: the file may not grow any more.
    QSqlQuery(store->connection())
        .exec("PRAGMA max_page_count = " + QString::number(count(*store, "PRAGMA page_count")));
    const QString big(3000, u'X');
    for (int i = 0; i < 50 && r.kind() != DbErrorKind::DiskFull; ++i)
        r = addMake(big + QString::number(i));
    QCOMPARE(r.kind(), DbErrorKind::DiskFull);
}

QTEST_GUILESS_MAIN(TestDataStore)
#include "test_datastore.moc"
