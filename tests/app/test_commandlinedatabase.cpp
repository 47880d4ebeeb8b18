#include "CommandLineDatabase.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestCommandLineDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void aFileThatIsNotThereIsNeverMade_data();
    void aFileThatIsNotThereIsNeverMade();
    void anExistingFileOpensAndAStrangeOneIsRefused();
};

void TestCommandLineDatabase::aFileThatIsNotThereIsNeverMade_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "none.sqlite";
    QTest::newRow("missing folder") << "gone/rsl.sqlite";
    QTest::newRow("name with quotes") << "it's \"mine\".sqlite";
}

void TestCommandLineDatabase::aFileThatIsNotThereIsNeverMade() {
    QFETCH(QString, name);
    TestDatabase db;
    const QString path = db.path(name);
    DataStore store;
    const DbResult r = CommandLineDatabase::open(store, path);
    QVERIFY(!r);
    QCOMPARE(
        r.message(),
        QStringLiteral("the database \"%1\" does not exist.").arg(QDir::toNativeSeparators(path)));
    QVERIFY(!store.isOpen());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QDir(db.path("gone")).exists());
}

void TestCommandLineDatabase::anExistingFileOpensAndAStrangeOneIsRefused() {
    TestDatabase db;
    { QVERIFY(db.open() != nullptr); }
    DataStore store;
    QVERIFY(CommandLineDatabase::open(store, db.databasePath()).ok());
    QVERIFY(store.isOpen());
    store.close();

    // A file that is there but no database: the store's own reason, and the
    // file is left as it was.
    const QString text = db.path("notes.sqlite");
    QVERIFY(TestDatabase::writeFile(text, "Part Name,Category\n"));
    const DbResult r = CommandLineDatabase::open(store, text);
    QVERIFY(!r);
    QVERIFY2(r.message().contains(QDir::toNativeSeparators(text)), qPrintable(r.message()));
    QCOMPARE(TestDatabase::readFile(text), QByteArray("Part Name,Category\n"));
}

QTEST_GUILESS_MAIN(TestCommandLineDatabase)
#include "test_commandlinedatabase.moc"
