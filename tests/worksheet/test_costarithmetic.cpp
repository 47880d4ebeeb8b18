#include "CostArithmetic.h"
#include "DataTable.h"

#include <QTest>

class TestCostArithmetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void taxAndTotal_data();
    void taxAndTotal();
    void outOfRangeIsRefused_data();
    void outOfRangeIsRefused();
};

void TestCostArithmetic::taxAndTotal_data() {
    DataTable::columns<QString, QString, QString, QString, bool, QString, QString>(
        "quantity", "price", "shipping", "percent", "taxable", "tax", "total");
    const struct {
        const char *tag, *quantity, *price, *shipping, *percent;
        bool taxable;
        const char *tax, *total;
    } rows[] = {
        // Exact: 5.97 x 6% is 0.3582, not a binary neighbour of it.
        {"taxed", "3", "1.99", "", "6", true, "0.3582", "6.3282"},
        {"untaxed", "3", "1.99", "", "6", false, "0", "5.97"},
        {"tax keeps every decimal, total four", "1", "19.99", "", "8.25", true, "1.649175",
         "21.6392"},
        {"total tie to even, down", "1", "0.0003", "", "50", true, "0.00015", "0.0004"},
        {"total tie to even, up", "1", "0.0001", "", "50", true, "0.00005", "0.0002"},
        {"price tie to even", "1", "0.00025", "", "0", false, "0", "0.0002"},
        {"quantity 2.5 counts 2", "2.5", "10", "", "0", true, "0", "20"},
        {"dollar sign reads 0", "1", "$5.00", "", "6", true, "0", "0"},
        {"negative shipping", "1", "10", "-2.5", "0", false, "0", "7.5"},
        {"percent by its leading number", "1", "100", "", "7.5% state", true, "7.5", "107.5"},
        {"percent without a number", "1", "100", "", "six", true, "0", "100"},
        {"huge percent, untaxed", "1", "100", "", "1e40", false, "0", "100"},
        // The tax is on the goods alone, never on the shipping, and the
        // quantity multiplies the price before the tax.
        {"seven, shipping, untaxed", "7", "19.99", "12.50", "8.25", false, "0", "152.43"},
        {"seven, shipping, taxed", "7", "19.99", "12.50", "8.25", true, "11.544225", "163.9742"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.tag) << QString(r.quantity) << QString(r.price) << QString(r.shipping)
                             << QString(r.percent) << r.taxable << QString(r.tax)
                             << QString(r.total);
}

void TestCostArithmetic::taxAndTotal() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, shipping);
    QFETCH(QString, percent);
    QFETCH(bool, taxable);
    const auto r = CostArithmetic::calcamount({quantity, price, shipping, percent, taxable});
    QVERIFY(r.ok);
    QTEST(r.tax, "tax");
    QTEST(r.total, "total");
}

void TestCostArithmetic::outOfRangeIsRefused_data() {
    DataTable::columns<QString, QString, QString, QString>("quantity", "price", "shipping",
                                                           "percent");
    const char* rows[][5] = {
        {"product", "99999", "99999999999999", "", "0"},
        {"sum", "1", "900000000000000", "900000000000000", "0"},
        {"tax", "1", "900000000000000", "", "200"},
        {"quantity", "9e99", "0", "", "0"},
        {"shipping", "1", "1", "9e15", "0"},
        {"percent", "1", "1", "", "1e30"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]) << QString(r[4]);
}

void TestCostArithmetic::outOfRangeIsRefused() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, shipping);
    QFETCH(QString, percent);
    QVERIFY(!CostArithmetic::calcamount({quantity, price, shipping, percent, true}).ok);
}

QTEST_GUILESS_MAIN(TestCostArithmetic)
#include "test_costarithmetic.moc"
