#include "SummaryFilter.h"
#include "TestDatabase.h"

#include <QTest>

using Status = SummaryFilter::Status;
Q_DECLARE_METATYPE(Status)

class TestSummaryFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void statusPartComesFirst_data();
    void statusPartComesFirst();
    void listsFollowInTheirOrderAndQuoteNames();
    void description_data();
    void description();
    void lineCriteria();
};

void TestSummaryFilter::statusPartComesFirst_data() {
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("criteria");
    QTest::newRow("all") << Status::All << "mas_vehicle_number = 3";
    QTest::newRow("purchased") << Status::Purchased
                               << "purchased = 'true' and Mas_vehicle_number = 3";
    QTest::newRow("forecasted")
        << Status::Forecasted
        << "purchased = 'false' and forecast = 'true' and mas_vehicle_number = 3";
    QTest::newRow("selected")
        << Status::Selected
        << "purchased = 'false' and forecast = 'false' and selected = 'true' and mas_vehicle_number = 3";
}

void TestSummaryFilter::statusPartComesFirst() {
    QFETCH(Status, status);
    SummaryFilter f;
    f.status = status;
    QTEST(f.criteria("3"), "criteria");
}

void TestSummaryFilter::listsFollowInTheirOrderAndQuoteNames() {
    SummaryFilter f;
    f.status = Status::Purchased;
    f.category = "ENGINE";
    QCOMPARE(
        f.criteria("3"),
        QStringLiteral("purchased = 'true' and Mas_vehicle_number = 3 and Category = 'ENGINE'"));

    f.status = Status::All;
    f.vendor = "JOE'S GARAGE";
    f.manufacturer = "O'HARA";
    QCOMPARE(f.criteria("12"),
             QStringLiteral("mas_vehicle_number = 12 and Category = 'ENGINE' and manufacturer = "
                            "'O''HARA' and vendor = 'JOE''S GARAGE'"));
}

void TestSummaryFilter::description_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("text");
    const QString allC = SummaryFilter::kAllCategories;
    const QString allV = SummaryFilter::kAllVendors;
    const QString allM = SummaryFilter::kAllManufacturers;

    QTest::newRow("defaults") << allC << allV << allM << Status::All << "All Parts For Project";
    QTest::newRow("vendor alone")
        << allC << "ACME" << allM << Status::All
        << "All Manufacturers , Vendor: ACME , All Categories , All Statuses";
    QTest::newRow("manufacturer and purchased")
        << allC << allV << "ACME" << Status::Purchased
        << "Manufacturer: ACME , All Vendors , All Categories , Purchased Parts Only";
    QTest::newRow("status alone")
        << allC << allV << allM << Status::Selected
        << "All Manufacturers , All Vendors , All Categories , Selected Parts Only";
    QTest::newRow("everything")
        << "PAINT"
        << "NORTHFIELD"
        << "GRANITE" << Status::Forecasted
        << "Manufacturer: GRANITE , Vendor: NORTHFIELD , Category: PAINT , Forecasted Parts Only";
}

void TestSummaryFilter::description() {
    QFETCH(QString, category);
    QFETCH(QString, vendor);
    QFETCH(QString, manufacturer);
    QFETCH(Status, status);
    SummaryFilter f;
    f.category = category;
    f.vendor = vendor;
    f.manufacturer = manufacturer;
    f.status = status;
    QTEST(f.description(), "text");
}

void TestSummaryFilter::lineCriteria() {
    QCOMPARE(SummaryFilter::lineCriteria("O'BRIEN BRACKET", "2"),
             QStringLiteral("part_name = 'O''BRIEN BRACKET' and sequence_number = 2"));
    // A line without a number matches nothing instead of breaking the criteria.
    QCOMPARE(SummaryFilter::lineCriteria("OIL PUMP", ""),
             QStringLiteral("part_name = 'OIL PUMP' and sequence_number = -1"));
}

QTEST_GUILESS_MAIN(TestSummaryFilter)
#include "test_summaryfilter.moc"
