#include "CostArithmetic.h"
#include "TestDatabase.h"

#include <QTest>

class TestCostArithmetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void taxAndTotal_data();
    void taxAndTotal();
    void outOfRangeIsRefused_data();
    void outOfRangeIsRefused();
    void quantityRoundsTiesToEven_data();
    void quantityRoundsTiesToEven();
};

void TestCostArithmetic::taxAndTotal_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shipping");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<bool>("taxable");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("total");

    // The tax is exact: 5.97 x 6% is 0.3582, not a binary neighbour of it.
    QTest::newRow("taxed") << "3"
                           << "1.99"
                           << ""
                           << "6" << true << "0.3582"
                           << "6.3282";
    QTest::newRow("untaxed") << "3"
                             << "1.99"
                             << ""
                             << "6" << false << "0"
                             << "5.97";
    QTest::newRow("tax beyond four decimals stays exact") << "1"
                                                          << "19.99"
                                                          << ""
                                                          << "8.25" << true << "1.649175"
                                                          << "21.6392";
    QTest::newRow("total tie goes to even, down") << "1"
                                                  << "0.0003"
                                                  << ""
                                                  << "50" << true << "0.00015"
                                                  << "0.0004";
    QTest::newRow("total tie goes to even, up") << "1"
                                                << "0.0001"
                                                << ""
                                                << "50" << true << "0.00005"
                                                << "0.0002";
    QTest::newRow("price tie rounds to even") << "1"
                                              << "0.00025"
                                              << ""
                                              << "0" << false << "0"
                                              << "0.0002";
    QTest::newRow("quantity 2.5 counts as 2") << "2.5"
                                              << "10"
                                              << ""
                                              << "0" << true << "0"
                                              << "20";
    QTest::newRow("quantity 3.5 counts as 4") << "3.5"
                                              << "10"
                                              << ""
                                              << "0" << true << "0"
                                              << "40";
    QTest::newRow("thousands comma stops the number") << "1,000"
                                                      << "2"
                                                      << ""
                                                      << "0" << false << "0"
                                                      << "2";
    QTest::newRow("dollar sign reads as zero") << "1"
                                               << "$5.00"
                                               << ""
                                               << "6" << true << "0"
                                               << "0";
    QTest::newRow("empty price") << "2"
                                 << ""
                                 << "4"
                                 << "6" << true << "0"
                                 << "4";
    QTest::newRow("negative shipping lowers the total") << "1"
                                                        << "10"
                                                        << "-2.5"
                                                        << "0" << false << "0"
                                                        << "7.5";
    QTest::newRow("exponent in quantity") << "1e2"
                                          << "0.5"
                                          << ""
                                          << "0" << false << "0"
                                          << "50";
    QTest::newRow("percent read by its leading number") << "1"
                                                        << "100"
                                                        << ""
                                                        << "7.5% state" << true << "7.5"
                                                        << "107.5";
    QTest::newRow("percent that is no number counts as 0") << "1"
                                                           << "100"
                                                           << ""
                                                           << "six" << true << "0"
                                                           << "100";
    QTest::newRow("huge percent does not matter when untaxed") << "1"
                                                               << "100"
                                                               << ""
                                                               << "1e40" << false << "0"
                                                               << "100";
    QTest::newRow("negative price gives negative tax") << "2"
                                                       << "-1.25"
                                                       << ""
                                                       << "10" << true << "-0.25"
                                                       << "-2.75";
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
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shipping");
    QTest::addColumn<QString>("percent");

    QTest::newRow("product") << "99999"
                             << "99999999999999"
                             << ""
                             << "0";
    QTest::newRow("price alone") << "1"
                                 << "1e20"
                                 << ""
                                 << "0";
    QTest::newRow("shipping alone") << "1"
                                    << "1"
                                    << "9e15"
                                    << "0";
    QTest::newRow("sum") << "1"
                         << "900000000000000"
                         << "900000000000000"
                         << "0";
    QTest::newRow("quantity beyond whole numbers") << "9e99"
                                                   << "0"
                                                   << ""
                                                   << "0";
    QTest::newRow("tax") << "1"
                         << "900000000000000"
                         << ""
                         << "200";
    QTest::newRow("percent beyond reason") << "1"
                                           << "1"
                                           << ""
                                           << "1e30";
}

void TestCostArithmetic::outOfRangeIsRefused() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, shipping);
    QFETCH(QString, percent);
    QVERIFY(!CostArithmetic::calcamount({quantity, price, shipping, percent, true}).ok);
}

void TestCostArithmetic::quantityRoundsTiesToEven_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("0.5") << "0.5" << qint64(0);
    QTest::newRow("1.5") << "1.5" << qint64(2);
    QTest::newRow("-2.5") << "-2.5" << qint64(-2);
    QTest::newRow("2.51") << "2.51" << qint64(3);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("letters") << "abc" << qint64(0);
}

void TestCostArithmetic::quantityRoundsTiesToEven() {
    QFETCH(QString, text);
    QFETCH(qint64, whole);
    const auto q = CostArithmetic::wholeQuantity(text);
    QVERIFY(q.has_value());
    QCOMPARE(*q, whole);
}

QTEST_GUILESS_MAIN(TestCostArithmetic)
#include "test_costarithmetic.moc"
