#include "DataStore.h"
#include "MakesAndModels.h"
#include "TestDatabase.h"

#include <QTest>

class TestMakesAndModels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void newMakeAndModelJoinTheLists();
};

void TestMakesAndModels::newMakeAndModelJoinTheLists() {
    TestDatabase db;
    auto store = db.open();
    const QString path = db.databasePath();
    const int makes = TestDatabase::scalar(path, "SELECT COUNT(*) FROM RSLMakes").toInt();
    QVERIFY(MakesAndModels::addmakemodel(*store, "STUDEBAKER", "O'BRIEN").ok());
    QCOMPARE(TestDatabase::scalar(path, "SELECT COUNT(*) FROM RSLMakes").toInt(), makes + 1);
    QCOMPARE(TestDatabase::scalar(path, "SELECT make FROM RSLModels WHERE Model = 'O''BRIEN'")
                 .toString(),
             QStringLiteral("STUDEBAKER"));
    // Known make and model: nothing added twice.
    QVERIFY(MakesAndModels::addmakemodel(*store, "STUDEBAKER", "O'BRIEN").ok());
    QVERIFY(MakesAndModels::addmakemodel(*store, "FORD", "MUSTANG").ok());
    QCOMPARE(TestDatabase::scalar(path, "SELECT COUNT(*) FROM RSLMakes").toInt(), makes + 1);
    QCOMPARE(TestDatabase::scalar(
                 path, "SELECT COUNT(*) FROM RSLModels WHERE Model IN ('O''BRIEN', 'MUSTANG')")
                 .toInt(),
             2);
    // A known model under a new make is a new model.
    QVERIFY(MakesAndModels::addmakemodel(*store, "MERCURY", "MUSTANG").ok());
    QCOMPARE(TestDatabase::scalar(path, "SELECT COUNT(*) FROM RSLModels WHERE Model = 'MUSTANG'")
                 .toInt(),
             2);
}

QTEST_GUILESS_MAIN(TestMakesAndModels)
#include "test_makesandmodels.moc"
