#include "DataStore.h"
#include "DatabaseBackup.h"
#include "DatabaseFiles.h"
#include "MainWindowFixture.h"
#include "RecentDatabases.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

struct Fixture : MainWindowFixture {
    explicit Fixture(bool start = true, bool createMissing = true) {
        MainWindow::Options o = options();
        o.createMissing = createMissing;
        makeWithStubs(o, {WindowId::Projects, WindowId::Worksheet, WindowId::Maintenance});
        if (start)
            QVERIFY(window->startUp());
    }
    DatabaseFiles& files() { return window->databaseFiles(); }
    QString path() { return window->data().path(); }
    QByteArray bytes() { return TestDatabase::readFile(path()); }
    int scalar(const QString& sql) { return TestDatabase::scalar(path(), sql).toInt(); }
};

} // namespace

class TestDatabaseFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void backUpWhileWindowsAreOpen();
    void restoreOfAnUnusableBackupChangesNothing();
    void restoreReplacesTheFileAfterTheQuestion();
    void otherFilesAndTheRecentList();
    void newDatabaseWithoutTheSampleProject();
    void aMissingFileIsNotCreatedUnasked();
    void aChangedFileIsBackedUpAtTheEndOfTheRun();
};

void TestDatabaseFiles::backUpWhileWindowsAreOpen() {
    Fixture f;
    f.window->showMaintenance(1);
    const QString target = f.db.path("copy.sqlite");
    f.toolkit.queueFile(target);
    f.files().backUp();
    QVERIFY(DatabaseBackup::inspect(target).result.ok());
    QVERIFY(f.window->window(WindowId::Maintenance));

    // The open file itself is never the target.
    f.toolkit.queueFile(f.path());
    const QByteArray before = f.bytes();
    f.files().backUp();
    QVERIFY(f.toolkit.lastText().contains("cannot replace"));
    QCOMPARE(f.bytes(), before);
}

void TestDatabaseFiles::restoreOfAnUnusableBackupChangesNothing() {
    Fixture f;
    const QString bad = f.db.path("bad.sqlite");
    QVERIFY(f.window->data().backupTo(bad).ok());
    QVERIFY(TestDatabase::exec(bad, "PRAGMA user_version = 99"));
    const QByteArray before = f.bytes();
    f.toolkit.queueFile(bad);
    f.files().restore();
    QVERIFY(f.toolkit.lastText().contains(QStringLiteral("newer version")));
    QCOMPARE(f.bytes(), before);
    QVERIFY(f.window->window(WindowId::Projects) && f.window->data().isOpen());
}

void TestDatabaseFiles::restoreReplacesTheFileAfterTheQuestion() {
    Fixture f;
    const QString backup = f.db.path("good.sqlite");
    QVERIFY(DatabaseBackup::backup(f.window->data(), backup).ok());
    QVERIFY(f.window->data().execute("RSLMaster", "DELETE FROM RSLMaster").ok());

    // No keeps everything as it is.
    f.toolkit.queueFile(backup);
    f.toolkit.queueNo();
    f.files().restore();
    QVERIFY(f.toolkit.lastText().contains(QStringLiteral("with 1 project(s)")));
    QCOMPARE(f.scalar("SELECT COUNT(*) FROM RSLMaster"), 0);

    // A window that keeps unsaved input stops the restore before anything is touched.
    f.stub(WindowId::Projects)->refuseClose = true;
    f.toolkit.queueFile(backup);
    f.toolkit.queueYes();
    f.files().restore();
    QCOMPARE(f.scalar("SELECT COUNT(*) FROM RSLMaster"), 0);
    f.stub(WindowId::Projects)->refuseClose = false;

    f.window->showMaintenance(0);
    f.toolkit.queueFile(backup);
    f.toolkit.queueYes();
    f.files().restore();
    QVERIFY(f.scalar("SELECT COUNT(*) FROM RSLMaster") > 0);
    QVERIFY(!f.window->window(WindowId::Maintenance));
    // The store reads the restored rows, not what it held before.
    RecordSet& lines = f.window->data().recordSet(Command::RSLMaster);
    QVERIFY(lines.setFilter(QString()).ok());
    QVERIFY(lines.recordCount() > 0);
}

void TestDatabaseFiles::otherFilesAndTheRecentList() {
    Fixture f;
    const QString first = f.path();
    TestDatabase other;
    QVERIFY(other.open() != nullptr);
    QVERIFY(TestDatabase::exec(other.databasePath(), "DELETE FROM RSLVehicles"));

    // A file that is not there is an error, never a new database.
    f.toolkit.queueFile(other.path("missing.sqlite"));
    f.files().openDatabase();
    QVERIFY(f.toolkit.lastText().contains(QStringLiteral("does not exist")));
    QVERIFY(!QFile::exists(other.path("missing.sqlite")));
    QCOMPARE(f.path(), first);

    f.toolkit.queueFile(other.databasePath());
    f.files().openDatabase();
    QCOMPARE(f.path(), other.databasePath());
    Settings settings(f.db.settingsPath());
    QCOMPARE(RecentDatabases(settings).files(), QStringList({other.databasePath(), first}));

    // A remembered file that has gone leaves the list with a message.
    f.files().openFile(first);
    QCOMPARE(f.path(), first);
    QVERIFY(QFile::remove(other.databasePath()));
    QAction* recent = f.window->action(QStringLiteral("mnurecent2"));
    QVERIFY(recent && recent->text().endsWith(QDir::toNativeSeparators(other.databasePath())));
    recent->trigger();
    QVERIFY(f.toolkit.lastText().contains(QStringLiteral("no longer exists")));
    QCOMPARE(RecentDatabases(settings).files(), QStringList({first}));
    QVERIFY(!f.window->action(QStringLiteral("mnurecent2")));
}

void TestDatabaseFiles::newDatabaseWithoutTheSampleProject() {
    Fixture f;
    const QString fresh = f.db.path("fresh.sqlite");
    f.toolkit.queueFile(f.path()); // an existing name is refused
    f.files().newDatabase();
    QVERIFY(f.toolkit.lastText().contains(QStringLiteral("exists already")));

    f.toolkit.queueFile(fresh);
    f.toolkit.queueNo();
    f.files().newDatabase();
    QCOMPARE(f.path(), fresh);
    QCOMPARE(f.scalar("SELECT COUNT(*) FROM RSLVehicles"), 0);
    QVERIFY(f.scalar("SELECT COUNT(*) FROM RSLCategories") > 0);
    QCOMPARE(f.window->findChild<QLabel*>("StatusBar1_database")->text(), "fresh.sqlite");
}

void TestDatabaseFiles::aMissingFileIsNotCreatedUnasked() {
    Fixture f(false, false);
    f.toolkit.queueNo();
    QVERIFY(f.window->startUp());
    QVERIFY(f.toolkit.texts().first().contains(QStringLiteral("does not exist")));
    QVERIFY(!QFile::exists(f.db.databasePath()));
    QVERIFY(!f.window->data().isOpen());
}

void TestDatabaseFiles::aChangedFileIsBackedUpAtTheEndOfTheRun() {
    for (const bool changed : {false, true}) {
        Fixture f;
        f.window->show();
        if (changed)
            QVERIFY(
                f.window->data().execute("RSLMakes", "INSERT INTO RSLMakes VALUES ('AMC')").ok());
        f.toolkit.queueYes();
        QVERIFY(f.window->close());
        QCOMPARE(QDir(DatabaseBackup::automaticFolder(f.path())).entryList(QDir::Files).size(),
                 changed ? 1 : 0);
    }
}

QTEST_MAIN(TestDatabaseFiles)
#include "test_databasefiles.moc"
