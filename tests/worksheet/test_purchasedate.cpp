#include "PurchaseDate.h"
#include "TestDatabase.h"

#include <QTest>

class TestPurchaseDate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void writesAndReadsMonthDayYear();
    void missingDates_data();
    void missingDates();
};

void TestPurchaseDate::writesAndReadsMonthDayYear() {
    QCOMPARE(PurchaseDate::calcdate(QDate(2001, 3, 5)), QStringLiteral("03/05/2001"));
    QCOMPARE(PurchaseDate::parse("3/5/2001"), QDate(2001, 3, 5));
    QVERIFY(!PurchaseDate::parse("13/05/2001").isValid());
    QVERIFY(!PurchaseDate::parse("03/05/01").isValid());
    QCOMPARE(PurchaseDate::fromStored("11/30/2000"), QDate(2000, 11, 30));
    QVERIFY(!PurchaseDate::fromStored("1/5/2000").isValid());
}

void TestPurchaseDate::missingDates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("missing");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("the empty date") << "01/01/0001" << true;
    QTest::newRow("half typed") << "04/  /    " << true;
    QTest::newRow("no such day") << "02/31/2025" << true;
    QTest::newRow("a date") << "04/02/2025" << false;
}

void TestPurchaseDate::missingDates() {
    QFETCH(QString, text);
    QTEST(PurchaseDate::isMissing(text), "missing");
}

QTEST_GUILESS_MAIN(TestPurchaseDate)
#include "test_purchasedate.moc"
