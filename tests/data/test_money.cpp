#include "DataTable.h"
#include "Money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromText_data();
    void fromText();
    void storedDoublesRoundTrip();
    void checkedArithmetic();
};

void TestMoney::fromText_data() {
    DataTable::columns<QString, qint64, QString>("text", "units", "plain");
    QTest::newRow("cents") << "1.99" << qint64(19900) << "1.99";
    QTest::newRow("ties to even down") << "0.12345" << qint64(1234) << "0.1234";
    QTest::newRow("ties to even up") << "0.12355" << qint64(1236) << "0.1236";
    QTest::newRow("whole") << "12" << qint64(120000) << "12";
    QTest::newRow("negative") << "-0.5" << qint64(-5000) << "-0.5";
}

void TestMoney::fromText() {
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const auto m = Money::fromText(text);
    QVERIFY(m.has_value());
    QCOMPARE(m->units(), units);
    QTEST(m->toPlainText(), "plain");
}

void TestMoney::storedDoublesRoundTrip() {
    // Up to the largest amount a field takes, where value * 10000 in binary
    // is no longer exact.
    for (qint64 units : {qint64(3582), qint64(63282), qint64(-1), qint64(123456789012345),
                         qint64(999999999999990000), qint64(-999999999999990000),
                         qint64(9223372036854770000), qint64(1000000000005000)}) {
        const Money m = Money::fromUnits(units);
        QCOMPARE(Money::fromStoredDouble(m.toPlainText().toDouble()).units(), units);
    }
}

void TestMoney::checkedArithmetic() {
    const Money max = Money::fromUnits(std::numeric_limits<qint64>::max());
    QVERIFY(!Money::checkedAdd(max, Money::fromUnits(1)).has_value());
    QVERIFY(!Money::checkedMultiply(max, 2).has_value());
    QVERIFY(!Money::fromText("1E20").has_value());
    QCOMPARE(Money::checkedMultiply(Money::fromUnits(19900), 3)->units(), qint64(59700));
}

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
