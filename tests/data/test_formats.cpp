#include "DataTable.h"
#include "Formats.h"

#include <QTest>

class TestFormats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void currency_data();
    void currency();
    void wholeNumbers();
};

void TestFormats::currency_data() {
    DataTable::columns<qint64, QString, QString>("units", "entry", "report");
    const struct {
        const char* name;
        qint64 units;
        const char* entry;
        const char* report;
    } rows[] = {
        {"zero", 0, "$0.00", "$0.00"},
        {"total 6.3282", 63282, "$6.33", "$6.33"},
        {"millions", 12345678900, "$1,234,567.89", "$1,234,567.89"},
        {"negative thousands", -12345000, "($1,234.50)", "-$1,234.50"},
        {"half cent rounds away", 50, "$0.01", "$0.01"},
        {"tiny negative shows zero", -10, "$0.00", "$0.00"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.units << QString(r.entry) << QString(r.report);
}

void TestFormats::currency() {
    QFETCH(qint64, units);
    QTEST(Formats::entryCurrency(Money::fromUnits(units)), "entry");
    QTEST(Formats::reportCurrency(Money::fromUnits(units)), "report");
}

void TestFormats::wholeNumbers() {
    QCOMPARE(Formats::wholeNumber(1234), QStringLiteral("1,234"));
    QCOMPARE(Formats::wholeNumber(0), QStringLiteral("0"));
    QCOMPARE(Formats::wholeNumber(-12345), QStringLiteral("-12,345"));
    QCOMPARE(Formats::plainWholeNumber(1234), QStringLiteral("1234"));
    QCOMPARE(Formats::plainWholeNumber(2.6), QStringLiteral("3"));
    QCOMPARE(Formats::yesNo(true), QStringLiteral("Yes"));
    QCOMPARE(Formats::yesNo(false), QStringLiteral("No"));
}

QTEST_GUILESS_MAIN(TestFormats)
#include "test_formats.moc"
