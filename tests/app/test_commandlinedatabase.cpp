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
};

void TestCommandLineDatabase::aFileThatIsNotThereIsNeverMade_data() {
    QTest::addColumn<QString>("name");
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

QTEST_GUILESS_MAIN(TestCommandLineDatabase)
#include "test_commandlinedatabase.moc"
