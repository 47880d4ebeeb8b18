#include "Criteria.h"
#include "OverBudgetComputation.h"
#include "StoreTest.h"

#include <QTest>

namespace {

// A part line written behind the record sets' back.
QString line(int project, const QString& category, const QString& total, bool purchased,
             bool forecast = false) {
    return QStringLiteral("INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                          "Category, Selected, Forecast, Purchased, Total_cost) VALUES "
                          "('PART', 1, %1, %2, 1, %3, %4, %5)")
        .arg(project)
        .arg(Criteria::quoted(category))
        .arg(int(forecast))
        .arg(int(purchased))
        .arg(total);
}

QString budget(int project, const QString& category, const QString& amount) {
    return QStringLiteral("INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, "
                          "Budget_amount) VALUES (%1, %2, %3)")
        .arg(Criteria::quoted(category))
        .arg(project)
        .arg(amount);
}

} // namespace

class TestOverBudgetComputation : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void onlyCategoriesAboveTheirBudgetAreListed();
    void onlyPurchasedLinesCountAndEachRunReplacesTheLast();
    void aCategoryWithoutBudgetRowCountsAsZero();
    void aFailedWriteKeepsTheEarlierList();

private:
    using StoreTest::exec;
    void exec(const QStringList& statements);
    QStringList rows();
};

void TestOverBudgetComputation::init() {
    StoreTest::init();
    exec({"DELETE FROM RSLMaster", "DELETE FROM RSLCategorybudget"});
}

void TestOverBudgetComputation::exec(const QStringList& statements) {
    for (const QString& sql : statements) {
        const QString table = sql.contains("RSLMaster") ? "RSLMaster" : "RSLCategorybudget";
        QVERIFY2(m_store->execute(table, sql).ok(), qPrintable(sql));
    }
}

// "CATEGORY budget actual difference", in the table's order.
QStringList TestOverBudgetComputation::rows() {
    RecordSet& rs = m_store->recordSet(Command::RSLCategoriesoverbudget);
    [&] { QVERIFY(rs.requery().ok()); }();
    QStringList out;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        out << QStringList{rs.text("Category"), rs.text("Budget_amount"), rs.text("Actual_amount"),
                           rs.text("Difference")}
                   .join(' ');
    return out;
}

void TestOverBudgetComputation::onlyCategoriesAboveTheirBudgetAreListed() {
    exec({budget(2, "BRAKES", "100"), budget(2, "BODY", "50"), budget(2, "O'BRIEN", "10"),
          budget(2, "ENGINE", "500"),
          // Spent exactly the budget: not over.
          line(2, "BODY", "20", true), line(2, "BODY", "30", true),
          // One cent over.
          line(2, "BRAKES", "60.005", true), line(2, "BRAKES", "40.005", true),
          line(2, "O'BRIEN", "25.5", true), line(2, "ENGINE", "12", true)});
    QVERIFY(OverBudgetComputation::run(*m_store, "2").ok());
    // In category order, with the whole total of each category.
    QCOMPARE(rows(), (QStringList{"BRAKES 100 100.01 0.01", "O'BRIEN 10 25.5 15.5"}));
}

void TestOverBudgetComputation::onlyPurchasedLinesCountAndEachRunReplacesTheLast() {
    exec({budget(2, "BRAKES", "100"), budget(3, "BRAKES", "0"), line(2, "BRAKES", "90", true),
          line(2, "BRAKES", "50", false, true), // forecast only
          line(2, "BRAKES", "50", false),       // selected only
          line(3, "BRAKES", "75", true)});      // another project
    QVERIFY(OverBudgetComputation::run(*m_store, "3").ok());
    QVERIFY(OverBudgetComputation::run(*m_store, "3").ok());
    QCOMPARE(rows(), QStringList{"BRAKES 0 75 75"});
    QVERIFY(OverBudgetComputation::run(*m_store, "2").ok());
    QCOMPARE(rows(), QStringList());
}

void TestOverBudgetComputation::aCategoryWithoutBudgetRowCountsAsZero() {
    // ELECTRICAL has no budget row for project 2 (project 3 has one): it must
    // not take the budget found for the category before it, nor project 3's.
    exec({budget(2, "BRAKES", "1000"), budget(3, "ELECTRICAL", "5000"),
          budget(2, "SUSPENSION", "1"), line(2, "BRAKES", "10", true),
          line(2, "ELECTRICAL", "40", true), line(2, "SUSPENSION", "2", true)});
    QVERIFY(OverBudgetComputation::run(*m_store, "2").ok());
    QCOMPARE(rows(), (QStringList{"ELECTRICAL 0 40 40", "SUSPENSION 1 2 1"}));
}

void TestOverBudgetComputation::aFailedWriteKeepsTheEarlierList() {
    exec({budget(2, "BRAKES", "10"), line(2, "BRAKES", "20", true), budget(2, "PAINT", "1"),
          line(2, "PAINT", "3", true)});
    QVERIFY(OverBudgetComputation::run(*m_store, "2").ok());
    exec("RSLCategoriesoverbudget",
         "CREATE TRIGGER refuse BEFORE INSERT ON RSLCategoriesoverbudget WHEN "
         "NEW.Category = 'PAINT' BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    exec({"UPDATE RSLMaster SET Total_cost = 30 WHERE Category = 'BRAKES'"});
    const DbResult r = OverBudgetComputation::run(*m_store, "2");
    QVERIFY(!r.ok());
    QVERIFY(r.message().contains("injected failure"));
    // Neither emptied nor half filled.
    QCOMPARE(rows(), (QStringList{"BRAKES 10 20 10", "PAINT 1 3 2"}));
    // Nor counted over every project when the number cannot be read.
    QVERIFY(!OverBudgetComputation::run(*m_store, "2 or").ok());
    QCOMPARE(rows().size(), 2);
}

QTEST_MAIN(TestOverBudgetComputation)
#include "test_overbudgetcomputation.moc"
