#include "Criteria.h"

#include <QTest>

class TestCriteria : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesChains();
    void quotesAreDoubled();
    void rejectsMalformed_data();
    void rejectsMalformed();
};

void TestCriteria::parsesChains() {
    const auto c =
        Criteria::parse("purchased = 'true' and Mas_vehicle_number = 3 AND Category = 'ENGINE'");
    QVERIFY(c.has_value());
    QCOMPARE(c->comparisons().size(), 3);
    QCOMPARE(c->comparisons()[0].column, QStringLiteral("purchased"));
    QCOMPARE(c->comparisons()[0].value, QStringLiteral("true"));
    QVERIFY(c->comparisons()[0].quoted);
    QCOMPARE(c->comparisons()[1].value, QStringLiteral("3"));
    QVERIFY(!c->comparisons()[1].quoted);
    QCOMPARE(c->comparisons()[2].value, QStringLiteral("ENGINE"));
    // A trailing blank, as some callers write it, is harmless.
    QVERIFY(Criteria::parse("Forecast = 1 ").has_value());
    QVERIFY(Criteria::parse("").value().isEmpty());
    QCOMPARE(Criteria::parse("Budget_amount > 0")->comparisons()[0].op, Criteria::Op::Greater);
}

void TestCriteria::quotesAreDoubled() {
    QCOMPARE(Criteria::quoted("O'BRIEN"), QStringLiteral("'O''BRIEN'"));
    QCOMPARE(Criteria::equals("Model", "O'BRIEN"), QStringLiteral("Model = 'O''BRIEN'"));
    const auto c =
        Criteria::parse(Criteria::equals("Model", "O'BRIEN's 'X'") + " and make = 'FORD'");
    QVERIFY(c.has_value());
    QCOMPARE(c->comparisons()[0].value, QStringLiteral("O'BRIEN's 'X'"));
    QCOMPARE(c->comparisons()[1].value, QStringLiteral("FORD"));
}

void TestCriteria::rejectsMalformed_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("unclosed quote") << "Model = 'O'BRIEN'";
    QTest::newRow("missing operator") << "Model 'X'";
    QTest::newRow("missing value") << "Model = ";
    QTest::newRow("or is not understood") << "a = 1 or b = 2";
    QTest::newRow("no column") << "= 3";
}

void TestCriteria::rejectsMalformed() {
    QFETCH(QString, text);
    QString error;
    QVERIFY(!Criteria::parse(text, &error).has_value());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestCriteria)
#include "test_criteria.moc"
