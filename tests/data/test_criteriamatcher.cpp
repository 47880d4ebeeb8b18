#include "CriteriaMatcher.h"
#include "DataTable.h"

#include <QTest>

namespace {

const TableDef& lines() {
    return *Schema::table(QStringLiteral("RSLMaster"));
}

// One row of part lines with the one value under test; every other column null.
QVector<QVariant> rowWith(const CriteriaMatcher& m, const QString& column, const QVariant& v) {
    QVector<QVariant> row(lines().columns.size());
    row[m.columnIndex(column)] = v;
    return row;
}

} // namespace

// Rows merged from held changes and searches in loaded rows are judged in
// memory; the verdict must be the one SQL gives for the same criteria.
class TestCriteriaMatcher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void judgesAsTheDatabaseDoes_data();
    void judgesAsTheDatabaseDoes();
    void refusesWhatTheDatabaseWouldReadOtherwise_data();
    void refusesWhatTheDatabaseWouldReadOtherwise();
    void everyConditionMustHold();
};

void TestCriteriaMatcher::judgesAsTheDatabaseDoes_data() {
    DataTable::columns<QString, QString, QVariant, bool>("criteria", "column", "value", "meets");
    const qlonglong price = 125000; // 12.5 in ten-thousandths
    const struct {
        const char *tag, *criteria, *column;
        QVariant value;
        bool meets;
    } rows[] = {
        // Text compares case-blind in ASCII only, as SQLite's NOCASE.
        {"case-blind", "Category = 'engine'", "Category", "ENGINE", true},
        {"accents keep their case", "Category = 'été'", "Category", "ÉTÉ", false},
        {"order ignores case", "Category < 'b'", "Category", "A", true},
        {"shorter first", "Category < 'AB'", "Category", "A", true},
        {"quote inside", "Notes = 'o''brien'", "Notes", "O'BRIEN", true},
        // Amounts compare in whole ten-thousandths, rounded from the text.
        {"amount", "Price = 12.5", "Price", price, true},
        {"amount rounded to even", "Price = 12.50005", "Price", price, true},
        {"amount above", "Price > 12.4999", "Price", price, true},
        {"amount with exponent", "Price = 1.5e2", "Price", qlonglong(1500000), true},
        {"number", "Mas_vehicle_number >= 3", "Mas_vehicle_number", qlonglong(3), true},
        {"real", "Quantity < 2.5", "Quantity", 2.4, true},
        {"yes", "Selected = true", "Selected", true, true},
        {"no as a number", "Selected = 0", "Selected", true, false},
        // A null value meets no comparison, not even "not equal".
        {"null, equal", "Quantity = 2", "Quantity", QVariant(), false},
        {"null, not equal", "Quantity <> 2", "Quantity", QVariant(), false},
        {"null text", "Notes <> 'X'", "Notes", QVariant(), false},
    };
    for (const auto& r : rows)
        QTest::newRow(r.tag) << QString::fromUtf8(r.criteria) << QString(r.column) << r.value
                             << r.meets;
}

void TestCriteriaMatcher::judgesAsTheDatabaseDoes() {
    QFETCH(QString, criteria);
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    const CriteriaMatcher m(lines());
    QList<CriteriaMatcher::Condition> conditions;
    const DbResult r = m.compile(*Criteria::parse(criteria), "RSLMaster", conditions);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QTEST(m.matches(rowWith(m, column, value), conditions), "meets");
}

void TestCriteriaMatcher::refusesWhatTheDatabaseWouldReadOtherwise_data() {
    DataTable::columns<QString, QString>("criteria", "reason");
    const char* const rows[][3] = {
        {"not a number", "Quantity = nan", "is not a number for Quantity"},
        {"infinite", "Quantity < inf", "is not a number for Quantity"},
        {"infinite amount", "Price > -inf", "is not a number for Price"},
        {"amount too large", "Price = 1e30", "is out of range for Price"},
        {"text for a number", "Mas_vehicle_number = 'x'", "is not a number"},
        {"neither yes nor no", "Selected = maybe", "is not a yes/no value"},
        {"unknown column", "Colour = 'RED'", "has no column named Colour"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
}

void TestCriteriaMatcher::refusesWhatTheDatabaseWouldReadOtherwise() {
    QFETCH(QString, criteria);
    QFETCH(QString, reason);
    const CriteriaMatcher m(lines());
    QList<CriteriaMatcher::Condition> conditions;
    const DbResult r = m.compile(*Criteria::parse(criteria), "RSLMaster", conditions);
    QVERIFY(!r.ok());
    QCOMPARE(r.kind(), DbErrorKind::BadCriteria);
    QVERIFY2(r.message().contains(reason), qPrintable(r.message()));
}

void TestCriteriaMatcher::everyConditionMustHold() {
    const CriteriaMatcher m(lines());
    QList<CriteriaMatcher::Condition> conditions;
    QVERIFY(
        m.compile(*Criteria::parse("Category = 'ENGINE' and Price > 10"), "RSLMaster", conditions)
            .ok());
    QVector<QVariant> row = rowWith(m, "Category", "engine");
    row[m.columnIndex("Price")] = qlonglong(100001);
    QVERIFY(m.matches(row, conditions));
    row[m.columnIndex("Price")] = qlonglong(100000);
    QVERIFY(!m.matches(row, conditions));
    // A condition on no value at all (how a parent without a row asks for
    // no children) meets nothing, also an empty text.
    row[m.columnIndex("Part_Name")] = QString();
    QVERIFY(!m.matches(row, {{0, Criteria::Op::Equal, QVariant()}}));
    QVERIFY(m.matches(row, {}));
}

QTEST_APPLESS_MAIN(TestCriteriaMatcher)
#include "test_criteriamatcher.moc"
