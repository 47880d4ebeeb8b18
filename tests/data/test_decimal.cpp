#include "DataTable.h"
#include "Decimal.h"

#include <QTest>

#include <limits>

class TestDecimal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void roundsTiesToEven_data();
    void roundsTiesToEven();
    void exactArithmetic();
    void overflowIsReported();
    void textAtEveryMagnitude_data();
    void textAtEveryMagnitude();
};

void TestDecimal::leadingNumber_data() {
    DataTable::columns<QString, QString, QString>("text", "value", "consumed");
    // Name, text, value read, the text that made it.
    const char* const rows[][4] = {
        {"empty", "", "0", ""},
        {"plain", "12", "12", "12"},
        {"thousands comma stops", "1,000", "1", "1"},
        {"dollar sign", "$5.00", "0", ""},
        {"spaces and letters", " 2.5x", "2.5", "2.5"},
        {"exponent", "1E3", "1000", "1E3"},
        {"lower exponent with sign", "25e-2", "0.25", "25e-2"},
        {"incomplete exponent", "7e", "7", "7"},
        {"negative", "-3.25", "-3.25", "-3.25"},
        {"plus sign", "+4", "4", "+4"},
        {"second period stops", "1.2.3", "1.2", "1.2"},
        {"leading period", ".5", "0.5", ".5"},
        {"lone sign", "-", "0", ""},
        {"spaces inside", "1 000", "1000", "1000"},
        {"fraction zeros", "0.0001", "0.0001", "0.0001"},
        {"trailing zeros dropped", "12.50", "12.5", "12.50"},
        {"letters only", "abc", "0", ""},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]);
}

void TestDecimal::leadingNumber() {
    QFETCH(QString, text);
    QTEST(Decimal::leading(text).toText(), "value");
    QTEST(Decimal::leadingText(text), "consumed");
}

void TestDecimal::roundsTiesToEven_data() {
    DataTable::columns<QString, int, qint64>("text", "scale", "units");
    QTest::newRow("tie down to even") << "0.00005" << 4 << qint64(0);
    QTest::newRow("tie up to even") << "0.00015" << 4 << qint64(2);
    QTest::newRow("above tie") << "0.000051" << 4 << qint64(1);
    QTest::newRow("negative tie") << "-0.00025" << 4 << qint64(-2);
    QTest::newRow("quantity 2.5") << "2.5" << 0 << qint64(2);
    QTest::newRow("quantity 3.5") << "3.5" << 0 << qint64(4);
    QTest::newRow("quantity 3.4999") << "3.4999" << 0 << qint64(3);
    QTest::newRow("money exact") << "6.3282" << 4 << qint64(63282);
    QTest::newRow("far below") << "1e-60" << 4 << qint64(0);
    // Digits beyond the kept precision still decide a tie.
    QTest::newRow("long tail above tie")
        << "0.000050000000000000000000000000000000000001" << 4 << qint64(1);
}

void TestDecimal::roundsTiesToEven() {
    QFETCH(QString, text);
    QFETCH(int, scale);
    const auto r = Decimal::leading(text).roundedUnits(scale);
    QVERIFY(r.has_value());
    QTEST(*r, "units");
}

void TestDecimal::exactArithmetic() {
    // 5.97 * 6% must be 0.3582 exactly, not the binary 0.35819999999999996.
    const Decimal tax = Decimal::leading("5.97") * Decimal::leading("6").shifted(2);
    QCOMPARE(tax.toText(), QStringLiteral("0.3582"));
    QCOMPARE((Decimal::leading("5.97") + tax).toText(), QStringLiteral("6.3282"));
    QCOMPARE((Decimal::leading("1.5") + Decimal::leading("-1.5")).toText(), QStringLiteral("0"));
    QCOMPARE(Decimal::leading("1E3").toDouble(), 1000.0);
    // Huge exponents are answered without spelling the number out; the answer
    // must be the one the spelled-out text gives, on both sides of the cut.
    for (const char* text : {"1e300", "-7e308", "1e309", "-1e401", "5e-300", "-5e-330", "1e-437",
                             "1e-450", "-3e-99999", "2e99999"}) {
        const Decimal d = Decimal::leading(QString::fromLatin1(text));
        QCOMPARE(d.toDouble(), d.toText().toDouble());
    }
    QCOMPARE(Decimal::fromUnits(-5, 4).toText(), QStringLiteral("-0.0005"));
}

void TestDecimal::overflowIsReported() {
    QVERIFY(!Decimal::leading("1E30").roundedUnits(4).has_value());
    QVERIFY(!Decimal::leading("922337203685478").roundedUnits(4).has_value());
    QVERIFY(Decimal::leading("922337203685477").roundedUnits(4).has_value());
    const Decimal huge = Decimal::leading("1E30") * Decimal::leading("1E30");
    QVERIFY(!huge.roundedUnits(0).has_value());
}

void TestDecimal::textAtEveryMagnitude_data() {
    DataTable::columns<qint64, QString>("units", "text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("smallest") << qint64(1) << "0.0001";
    QTest::newRow("smallest negative") << qint64(-1) << "-0.0001";
    QTest::newRow("below one") << qint64(-9999) << "-0.9999";
    QTest::newRow("whole") << qint64(170000) << "17";
    QTest::newRow("zeros inside") << qint64(100000001) << "10000.0001";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
}

void TestDecimal::textAtEveryMagnitude() {
    QFETCH(qint64, units);
    QFETCH(QString, text);
    QCOMPARE(Decimal::fromUnits(units, 4).toText(), text);
    // Beyond 64 bits the digits come out the same way.
    const QString beyond = QStringLiteral("123456789012") + text.mid(text.startsWith(u'-') ? 1 : 0);
    QCOMPARE(Decimal::leading(beyond).toText(), beyond);
    QCOMPARE(Decimal::leading(u'-' + beyond).toText(), u'-' + beyond);
}

QTEST_GUILESS_MAIN(TestDecimal)
#include "test_decimal.moc"
