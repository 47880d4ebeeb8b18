#include "GraphData.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QTest>

namespace {

Money dollars(const char* text) {
    return *Money::fromText(QString::fromLatin1(text));
}

QList<Money> amounts(std::initializer_list<const char*> texts) {
    QList<Money> out;
    for (const char* t : texts)
        out << dollars(t);
    return out;
}

} // namespace

class TestGraphData : public StoreTest {
    Q_OBJECT
private Q_SLOTS:

    void sampleProjectSeries();
    void countsOnlyTheGraphsLinesOfItsOwnProject();
    void leftoverFiltersOnSharedRecordSetsDoNotMatter();
    void failedReadIsReported();
    void axisRangeToolTipsAndDescription();

private:
    void budget(int project, const QString& category, const QString& amount);
    void line(int project, const QString& category, const QString& total, bool purchased,
              bool forecast, const QString& flagForm = QString());
    GraphData load(GraphKind kind, int project);

    int m_sequence = 0;
};

void TestGraphData::budget(int project, const QString& category, const QString& amount) {
    exec(QStringLiteral("RSLCategorybudget"),
         QStringLiteral("INSERT INTO RSLCategorybudget (Category, "
                        "Cat_vehicle_number, Budget_amount) VALUES (?, ?, ?)"),
         {category, project, amount});
}

// flagForm: "" writes the flags as 0/1, "text" as 'True'/'False' like older files.
void TestGraphData::line(int project, const QString& category, const QString& total, bool purchased,
                         bool forecast, const QString& flagForm) {
    const auto flag = [&](bool on) -> QVariant {
        if (flagForm == u"text")
            return on ? QStringLiteral("True") : QStringLiteral("False");
        return on ? 1 : 0;
    };
    exec(QStringLiteral("RSLMaster"),
         QStringLiteral("INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                        "Mas_vehicle_number, Category, Selected, Forecast, "
                        "Purchased, Total_cost) VALUES (?, ?, ?, ?, 1, ?, ?, ?)"),
         {QStringLiteral("TEST PART"), ++m_sequence, project, category, flag(forecast),
          flag(purchased), total});
}

GraphData TestGraphData::load(GraphKind kind, int project) {
    GraphData data(kind);
    const DbResult r = data.load(*m_store, project);
    if (!r)
        qWarning("%s", qPrintable(r.message()));
    return data;
}

void TestGraphData::sampleProjectSeries() {
    // Each graph's series over every category of the project, in order; a
    // project without budget rows has none, however many lines it has.
    line(5, "ENGINE", "10", true, true);
    for (int i = 0; i < 4; ++i) {
        const GraphData g = load(GraphCatalog::all()[i], 1);
        QCOMPARE(g.labels().size(), 12);
        QCOMPARE(g.labels().mid(3, 3), (QStringList{"DRIVETRAIN", "ELECTRICAL", "ENGINE"}));
        QCOMPARE(g.seriesCount(), i == 3 ? 3 : i == 0 ? 1 : 2);
        const GraphData none = load(GraphCatalog::all()[i], 5);
        QVERIFY(none.isEmpty());
        QCOMPARE(none.highest(), Money());
    }
    QCOMPARE(load(GraphKind::BudgetVsActualVsForecast, 1).points()[4].values,
             amounts({"1200", "281.44", "821.43"}));
}

void TestGraphData::countsOnlyTheGraphsLinesOfItsOwnProject() {
    // Stored out of alphabetical order: the points keep the stored order.
    budget(7, "ENGINE", "100");
    budget(7, "BODY", "50");
    budget(7, "DRIVER'S SIDE", "80");
    budget(7, "O''BRIEN", "20");
    line(7, "ENGINE", "10.0001", true, true);
    line(7, "ENGINE", "5", false, true, "text");
    line(7, "ENGINE", "2", true, false, "text");
    line(7, "ENGINE", "3", false, false); // selected only
    line(7, "PAINT", "99", true, true);   // no budget row
    line(8, "ENGINE", "1000", true, true);
    budget(8, "ENGINE", "7");
    // Names with quotes are matched as they are, never as SQL.
    line(7, "O''BRIEN", "4", true, false);
    line(7, "O'BRIEN", "900", true, true);
    // Ten dimes and a refund: binary floating point would miss by a hair.
    for (int i = 0; i < 10; ++i)
        line(7, "DRIVER'S SIDE", "0.1", true, true);
    line(7, "DRIVER'S SIDE", "-0.3333", true, false);

    const GraphData g1 = load(GraphKind::BudgetByCategory, 7);
    QCOMPARE(g1.labels(), (QStringList{"ENGINE", "BODY", "DRIVER'S SIDE", "O''BRIEN"}));
    QCOMPARE(g1.series(0), amounts({"100", "50", "80", "20"}));
    QCOMPARE(load(GraphKind::BudgetVsActual, 7).series(1),
             amounts({"12.0001", "0", "0.6667", "4"}));
    QCOMPARE(load(GraphKind::BudgetVsForecast, 7).series(1), amounts({"15.0001", "0", "1", "0"}));
    // A purchased and forecast line counts in both sums.
    const GraphData g4 = load(GraphKind::BudgetVsActualVsForecast, 7);
    QCOMPARE(g4.points()[0].values, amounts({"100", "12.0001", "15.0001"}));
    QCOMPARE(g4.points()[2].values, amounts({"80", "0.6667", "1"}));
}

void TestGraphData::leftoverFiltersOnSharedRecordSetsDoNotMatter() {
    const GraphData before = load(GraphKind::BudgetVsActualVsForecast, 1);

    // What another window may have left behind: other projects, other orders,
    // a current row in the middle.
    RecordSet& lines = m_store->recordSet(Command::RSLMaster);
    QVERIFY(lines.setFilter("Mas_vehicle_number = 1 and Purchased = 0").ok());
    QVERIFY(lines.setSort("Total_cost DESC").ok());
    lines.moveNext();
    RecordSet& budgets = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budgets.setFilter("Cat_vehicle_number = 99").ok());
    QVERIFY(budgets.setSort("Category DESC").ok());

    const GraphData after = load(GraphKind::BudgetVsActualVsForecast, 1);
    QCOMPARE(after.labels(), before.labels());
    for (int s = 0; s < 3; ++s)
        QCOMPARE(after.series(s), before.series(s));

    // ... and the graph leaves them as they were.
    QCOMPARE(lines.filter(), "Mas_vehicle_number = 1 and Purchased = 0");
    QCOMPARE(lines.sort(), "Total_cost DESC");
    QCOMPARE(budgets.filter(), "Cat_vehicle_number = 99");
    QCOMPARE(budgets.sort(), "Category DESC");
}

void TestGraphData::failedReadIsReported() {
    QVERIFY(
        TestDatabase::exec(m_db->databasePath(), "ALTER TABLE RSLMaster RENAME TO RSLMasterGone"));
    m_store->invalidateTable("RSLMaster");

    GraphData budgetOnly(GraphKind::BudgetByCategory);
    QVERIFY(budgetOnly.load(*m_store, 1).ok());
    QCOMPARE(budgetOnly.points().size(), 12);
    QVERIFY(!GraphData(GraphKind::BudgetVsActual).load(*m_store, 1).ok());
}

void TestGraphData::axisRangeToolTipsAndDescription() {
    budget(6, "BODY", "1234.5");
    budget(6, "CREDITS", "0");
    line(6, "CREDITS", "-25", true, false);
    const GraphData g2 = load(GraphKind::BudgetVsActual, 6);
    QCOMPARE(g2.lowest(), dollars("-25"));
    QCOMPARE(g2.highest(), dollars("1234.5"));

    QCOMPARE(g2.toolTip(0, 0), "BODY\nBudget Amount: $1,234.50");
    QCOMPARE(g2.toolTip(1, 1), "CREDITS\nActual Amount: -$25.00");
    for (const auto& [series, point] : {std::pair(2, 0), {0, 2}, {-1, 0}})
        QCOMPARE(g2.toolTip(series, point), QString());
    // What a screen reader says instead of showing the bars.
    QCOMPARE(g2.description(),
             QStringLiteral("BODY: Budget Amount $1,234.50, Actual Amount $0.00; CREDITS: "
                            "Budget Amount $0.00, Actual Amount -$25.00."));
    QCOMPARE(GraphData(GraphKind::BudgetVsActual).description(), "No categories to show.");
}

QTEST_GUILESS_MAIN(TestGraphData)
#include "test_graphdata.moc"
