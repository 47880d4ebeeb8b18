#include "DataStore.h"
#include "RecordSet.h"
#include "ReferenceLists.h"
#include "TestDatabase.h"

#include <QTest>

class TestReferenceLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void listsAreSortedAndSkipEmptyNames();
    void filtersOnSharedRecordSetsHideNothing();
    void categoryLookupInUpperCase();
};

void TestReferenceLists::listsAreSortedAndSkipEmptyNames() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store
                ->execute("RSLVendor", "INSERT INTO RSLVendor (vendor_name) VALUES ('AAA "
                                       "PARTS'), (''), (NULL), ('ZED''S')")
                .ok());
    ReferenceLists lists(*store);
    const QStringList vendors = lists.vendors();
    QCOMPARE(vendors.first(), QStringLiteral("AAA PARTS"));
    QCOMPARE(vendors.last(), QStringLiteral("ZED'S"));
    QVERIFY(!vendors.contains(QString()));
    QCOMPARE(vendors.size(), 8);
    QCOMPARE(lists.categories().size(), 12);
    QCOMPARE(lists.manufacturers().first(), QStringLiteral("BLUE HERON BRAKE COMPANY"));
    QVERIFY(lists.partNames().contains("OIL PUMP"));
}

void TestReferenceLists::filtersOnSharedRecordSetsHideNothing() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store->recordSet(Command::RSLParts).setFilter("Category = 'PAINT'").ok());
    QCOMPARE(ReferenceLists(*store).partNames().size(), 43);
}

void TestReferenceLists::categoryLookupInUpperCase() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store
                ->execute("RSLParts", "INSERT INTO RSLParts (Part_Name, Category) VALUES "
                                      "('O''BRIEN BRACKET', 'BODY')")
                .ok());
    ReferenceLists lists(*store);
    QCOMPARE(lists.categoryOf("oil pump"), QStringLiteral("ENGINE"));
    QCOMPARE(lists.categoryOf("o'brien bracket"), QStringLiteral("BODY"));
    QCOMPARE(lists.categoryOf("FLUX CAPACITOR"), QString());
    QCOMPARE(lists.categoryOf(""), QString());
}

QTEST_GUILESS_MAIN(TestReferenceLists)
#include "test_referencelists.moc"
