#include "BudgetOverview.h"
#include "BudgetOverviewModel.h"
#include "DataStore.h"
#include "DataTable.h"
#include "TestDatabase.h"

#include <QTest>

namespace {

// Project 7 holds a line at every step of the ladder; project 1 (the sample)
// must never leak into its sums.
const char* const kSetup[] = {
    "INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) VALUES "
    "('ENGINE', 7, 500), ('BODY', 7, 1000), ('PAINT', 7, 0), ('INTERIOR', 7, 250.505)",
    // ENGINE: two purchased, one forecast, one selected, one with no status,
    // one purchased without a cost.
    "INSERT INTO RSLMaster (Part_Name, Category, Mas_vehicle_number, Total_cost, Purchased, "
    "Forecast, Selected, Sequence_Number) VALUES "
    "('PISTON', 'ENGINE', 7, 300.1234, 1, 1, 1, 1), ('RING', 'ENGINE', 7, 150.0001, 1, 1, 1, 1), "
    "('CAM', 'ENGINE', 7, 100, 0, 1, 1, 1), ('VALVE', 'ENGINE', 7, 75.25, 0, 0, 1, 1), "
    "('IDEA', 'ENGINE', 7, 999, 0, 0, 0, 1), ('GASKET', 'ENGINE', 7, NULL, 1, 1, 1, 1), "
    "('FENDER', 'BODY', 7, 400.5, 0, 1, 1, 1), ('HOOD', 'BODY', 7, 20, 0, 0, 1, 1), "
    "('PRIMER', 'PAINT', 7, 10, 1, 1, 1, 1), "
    "('CLIP', 'INTERIOR', 7, 0.005, 1, 1, 1, 1), ('CLIP', 'INTERIOR', 7, 0.005, 1, 1, 1, 2), "
    "('RIM', 'WHEELS', 7, 55.55, 1, 1, 1, 1), "
    "('TINT', 'GLASS', 7, 30, 0, 1, 1, 1), ('MIRROR', 'GLASS', 7, 12.5, 0, 0, 1, 1), "
    "('PISTON', 'ENGINE', 1, 5000, 1, 1, 1, 9)",
};

qint64 units(const char* dollars) {
    return Money::fromText(QString::fromLatin1(dollars))->units();
}

// Budget, spent, committed, considered and remaining, as plain amounts.
QString figures(const BudgetFigures& f) {
    QStringList out;
    for (const Money& m : {f.budget, f.spent, f.committed, f.considered, f.remaining})
        out << m.toPlainText();
    return out.join(u' ');
}

struct Project {
    TestDatabase db;
    std::unique_ptr<DataStore> store = db.open();
    BudgetOverview overview;

    Project() {
        for (const char* sql : kSetup)
            if (!store->execute("RSLMaster", QString::fromLatin1(sql)))
                QTest::qFail(sql, __FILE__, __LINE__);
        reload();
    }
    void reload() {
        const DbResult r = overview.load(*store, 7);
        if (!r)
            QTest::qFail(qPrintable(r.message()), __FILE__, __LINE__);
    }
    const BudgetFigures* row(const QString& category) const {
        for (const BudgetFigures& f : overview.rows())
            if (f.category == category)
                return &f;
        return nullptr;
    }
};

} // namespace

class TestBudgetOverview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void figuresPerCategory_data();
    void figuresPerCategory();
    void totalsAndTheProjectLine();
    void sumsAreRoundedOnceForDisplay();
    void figuresFollowEachKindOfChange_data();
    void figuresFollowEachKindOfChange();
    void sumsBeyondTheMoneyRangeAreRefused();
    void projectWithoutBudgetOrLines();
};

void TestBudgetOverview::figuresPerCategory_data() {
    DataTable::columns<QString, QString, bool, QString>("category", "figures", "over", "bar");
    const char* const noBudget = "Over budget (no budget set)";
    QTest::newRow("every status, over")
        << "ENGINE"
        << "500 450.1235 100 75.25 -50.1235" << true << "110% Over budget";
    QTest::newRow("nothing bought yet") << "BODY"
                                        << "1000 0 400.5 20 599.5" << false << "40%";
    QTest::newRow("zero budget, something bought") << "PAINT"
                                                   << "0 10 0 0 -10" << true << "Over budget";
    QTest::newRow("lines without a budget row") << "WHEELS"
                                                << "0 55.55 0 0 -55.55" << true << noBudget;
}

void TestBudgetOverview::figuresPerCategory() {
    QFETCH(QString, category);
    Project p;
    const BudgetFigures* f = p.row(category);
    QVERIFY(f);
    QTEST(figures(*f), "figures");
    QCOMPARE(f->projected.units(), f->spent.units() + f->committed.units());
    QTEST(f->overBudget(), "over");
    QTEST(BudgetOverviewModel::barText(*f), "bar");
    QCOMPARE(f->hasBudgetRow, category != u"WHEELS");
}

void TestBudgetOverview::totalsAndTheProjectLine() {
    Project p;
    QStringList names;
    for (const BudgetFigures& f : p.overview.rows())
        names << f.category;
    QCOMPARE(names, QStringList({"BODY", "ENGINE", "GLASS", "INTERIOR", "PAINT", "WHEELS"}));

    // Categories without a budget row count in every total: the project
    // spent that money whether or not it was budgeted.
    const BudgetFigures& t = p.overview.totals();
    // 450.1235 + 10 + 0.01 + 55.55 spent; 100 + 400.5 + 30 committed; 75.25 + 20 + 12.5 considered
    QCOMPARE(figures(t), QStringLiteral("1750.505 515.6835 530.5 107.75 704.3215"));
    QCOMPARE(t.projected.units(), units("1046.1835"));
    QCOMPARE(t.unbudgeted.units(), units("85.55")); // WHEELS 55.55 + GLASS 30
    QCOMPARE(BudgetOverview::summaryLine(t),
             QStringLiteral("Projected $1,046.18 of $1,750.51 budget (60%); $85.55 projected in "
                            "categories without a budget"));

    BudgetFigures over = t;
    over.budget = Money::fromUnits(units("1000"));
    over.remaining = Money::fromUnits(units("-46.1835"));
    over.unbudgeted = Money();
    QCOMPARE(BudgetOverview::summaryLine(over),
             QStringLiteral("Projected $1,046.18 of $1,000.00 budget (105%): over budget by "
                            "$46.18"));
}

void TestBudgetOverview::figuresFollowEachKindOfChange_data() {
    // The totals as budget, projected and unbudgeted.
    DataTable::columns<QString, QString, QString, QString>("table", "change", "engine", "totals");
    const char* const engine = "500 450.1235 100 75.25 -50.1235";
    const char* const totals = "1750.505 1046.1835 85.55";
    const char* const rows[][5] = {
        {"accept: forecast becomes purchased", "RSLMaster",
         "UPDATE RSLMaster SET Purchased = 1 WHERE Part_Name = 'CAM'",
         "500 550.1235 0 75.25 -50.1235", totals},
        {"accept: moved to another category", "RSLMaster",
         "UPDATE RSLMaster SET Category = 'BODY' WHERE Part_Name = 'PISTON'",
         "500 150.0001 100 75.25 249.9999", totals},
        {"budget row of another project", "RSLCategorybudget",
         "INSERT INTO RSLCategorybudget VALUES ('WHEELS', 8, 100)", engine, totals},
        {"budget row removed", "RSLCategorybudget",
         "DELETE FROM RSLCategorybudget WHERE Category = 'PAINT' AND Cat_vehicle_number = 7",
         engine, "1750.505 1046.1835 95.55"},
        {"considered line becomes forecast", "RSLMaster",
         "UPDATE RSLMaster SET Forecast = 1 WHERE Part_Name = 'MIRROR'", engine,
         "1750.505 1058.6835 98.05"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]) << QString(r[4]);
}

void TestBudgetOverview::figuresFollowEachKindOfChange() {
    QFETCH(QString, table);
    QFETCH(QString, change);
    Project p;
    QVERIFY(p.store->execute(table, change).ok());
    p.reload();
    QVERIFY(p.row("ENGINE"));
    QTEST(figures(*p.row("ENGINE")), "engine");
    const BudgetFigures& t = p.overview.totals();
    QTEST(
        QStringList({t.budget.toPlainText(), t.projected.toPlainText(), t.unbudgeted.toPlainText()})
            .join(u' '),
        "totals");
    QCOMPARE(t.remaining.units(), t.budget.units() - t.projected.units());
}

void TestBudgetOverview::sumsAreRoundedOnceForDisplay() {
    // Two purchases of half a cent are one cent, not two.
    Project p;
    BudgetOverviewModel model;
    model.setOverview(p.overview);
    int row = 0;
    while (model.category(row) != u"INTERIOR")
        ++row;
    QCOMPARE(model.index(row, BudgetOverviewModel::SpentColumn).data().toString(),
             QStringLiteral("$0.01"));
    const int totals = model.rowCount() - 1;
    QVERIFY(model.isTotalsRow(totals));
    QCOMPARE(model.index(totals, BudgetOverviewModel::SpentColumn).data().toString(),
             QStringLiteral("$515.68"));
}

void TestBudgetOverview::sumsBeyondTheMoneyRangeAreRefused() {
    Project p;
    QVERIFY(p.store
                ->execute("RSLMaster",
                          "INSERT INTO RSLMaster (Part_Name, Category, Mas_vehicle_number, "
                          "Total_cost, Purchased, Forecast, Selected, Sequence_Number) VALUES "
                          "('HUGE', 'BODY', 7, 900000000000000, 1, 1, 1, 1), "
                          "('HUGE', 'BODY', 7, 900000000000000, 1, 1, 1, 2)")
                .ok());
    const DbResult r = p.overview.load(*p.store, 7);
    QCOMPARE(r.kind(), DbErrorKind::Overflow);
    QVERIFY(p.overview.isEmpty());
}

void TestBudgetOverview::projectWithoutBudgetOrLines() {
    Project p;
    BudgetOverview empty;
    QVERIFY(empty.load(*p.store, 42).ok());
    QVERIFY(empty.isEmpty());
    QCOMPARE(BudgetOverview::summaryLine(empty.totals()),
             QStringLiteral("Projected $0.00 of $0.00 budget"));
}

QTEST_GUILESS_MAIN(TestBudgetOverview)
#include "test_budgetoverview.moc"
