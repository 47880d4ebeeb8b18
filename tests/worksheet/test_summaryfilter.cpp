#include "SummaryFilter.h"

#include <QTest>

using Status = SummaryFilter::Status;

class TestSummaryFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void criteriaPutTheStatusFirstAndQuoteNames();
    void description();
};

void TestSummaryFilter::criteriaPutTheStatusFirstAndQuoteNames() {
    SummaryFilter f;
    QCOMPARE(f.criteria("3"), QStringLiteral("mas_vehicle_number = 3"));
    // What each status selects is compared with the record set in the line query's tests.
    f.category = "ENGINE";
    f.status = Status::Selected;
    f.vendor = "JOE'S GARAGE";
    f.manufacturer = "O'HARA";
    QCOMPARE(f.criteria("12"),
             QStringLiteral("purchased = 'false' and forecast = 'false' and selected = 'true' and "
                            "mas_vehicle_number = 12 and Category = 'ENGINE' and manufacturer = "
                            "'O''HARA' and vendor = 'JOE''S GARAGE'"));
    QCOMPARE(SummaryFilter::lineCriteria("O'BRIEN BRACKET", "2"),
             QStringLiteral("part_name = 'O''BRIEN BRACKET' and sequence_number = 2"));
    // A line without a number matches nothing rather than breaking the criteria.
    QVERIFY(SummaryFilter::lineCriteria("OIL PUMP", "").endsWith("sequence_number = -1"));
}

void TestSummaryFilter::description() {
    // The vendor and selected texts are checked on the worksheet's status bar.
    SummaryFilter f;
    QCOMPARE(f.description(), QStringLiteral("All Parts For Project"));
    f.manufacturer = "ACME";
    f.status = Status::Purchased;
    QCOMPARE(
        f.description(),
        QStringLiteral("Manufacturer: ACME , All Vendors , All Categories , Purchased Parts Only"));
    f.manufacturer = SummaryFilter::kAllManufacturers;
    f.category = "PAINT";
    f.status = Status::Forecasted;
    QCOMPARE(f.description(),
             QStringLiteral(
                 "All Manufacturers , All Vendors , Category: PAINT , Forecasted Parts Only"));
}

QTEST_GUILESS_MAIN(TestSummaryFilter)
#include "test_summaryfilter.moc"
