#include "DataTable.h"
#include "PurchaseDate.h"

#include <QTest>

class TestPurchaseDate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesAndReadsMonthDayYear();
    void enteredDates_data();
    void enteredDates();
};

void TestPurchaseDate::writesAndReadsMonthDayYear() {
    QCOMPARE(PurchaseDate::calcdate(QDate(2001, 3, 5)), QStringLiteral("03/05/2001"));
    QCOMPARE(PurchaseDate::parse("3/5/2001"), QDate(2001, 3, 5));
    QVERIFY(!PurchaseDate::parse("13/05/2001").isValid());
    QVERIFY(!PurchaseDate::parse("03/05/01").isValid());
    QCOMPARE(PurchaseDate::fromStored("11/30/2000"), QDate(2000, 11, 30));
    QVERIFY(!PurchaseDate::fromStored("1/5/2000").isValid());
}

void TestPurchaseDate::enteredDates_data() {
    DataTable::columns<QString, PurchaseDate::Entry>("text", "entry");
    using E = PurchaseDate::Entry;
    QTest::newRow("empty") << "" << E::Missing;
    QTest::newRow("the empty mask") << "__/__/____" << E::Missing;
    QTest::newRow("the empty date") << "01/01/0001" << E::Missing;
    QTest::newRow("half typed") << "04/  /    " << E::Invalid;
    QTest::newRow("no such day") << "02/30/2025" << E::Invalid;
    QTest::newRow("all zeros") << "00/00/0000" << E::Invalid;
    QTest::newRow("month 13") << "13/45/2025" << E::Invalid;
    QTest::newRow("a date") << "04/02/2025" << E::Valid;
    QTest::newRow("last day there is") << "12/31/9999" << E::Valid;
}

void TestPurchaseDate::enteredDates() {
    QFETCH(QString, text);
    QTEST(PurchaseDate::classify(text), "entry");
}

QTEST_GUILESS_MAIN(TestPurchaseDate)
#include "test_purchasedate.moc"
