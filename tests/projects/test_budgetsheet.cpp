#include "AppState.h"
#include "BudgetSheet.h"
#include "DataStore.h"
#include "ProjectStore.h"
#include "TestDatabase.h"

#include <QTest>

namespace {

Money money(const char* text) {
    return *Money::fromText(QString::fromLatin1(text));
}

QStringList categories(const QList<BudgetSheet::Row>& rows) {
    QStringList out;
    for (const auto& r : rows)
        out << r.category;
    return out;
}

} // namespace

class TestBudgetSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void scopeFollowsTheBudgetMode();
    void amountsFollowTheLeadingNumberRule_data();
    void amountsFollowTheLeadingNumberRule();
    void amountsBeyondTheMoneyRangeAreRefused();
    void totalAddsTheRowsInScope();
    void restorePutsBackTheSnapshotAsHeldChanges_data();
    void restorePutsBackTheSnapshotAsHeldChanges();

private:
    void editProject(int number);
    double stored(const QString& category, int project) {
        return TestDatabase::scalar(m_db->databasePath(),
                                    QStringLiteral("SELECT Budget_amount FROM RSLCategorybudget "
                                                   "WHERE Category = '%1' AND "
                                                   "Cat_vehicle_number = %2")
                                        .arg(category)
                                        .arg(project))
            .toDouble();
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
    AppState m_state;
};

void TestBudgetSheet::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    m_state.vehicleedit = "N";
    m_state.vehiclenumber = 0;
    m_state.vehiclenumbera = "0";
    QVERIFY(ProjectStore(*m_store).refillNewBudget().ok());
}

void TestBudgetSheet::cleanup() {
    m_store.reset();
    m_db.reset();
}

void TestBudgetSheet::editProject(int number) {
    m_state.vehicleedit = "Y";
    m_state.vehiclenumber = number;
    m_state.vehiclenumbera = QString::number(number);
}

void TestBudgetSheet::scopeFollowsTheBudgetMode() {
    // Another window left the shared record set on other rows and another order.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    QVERIFY(budget.setSort("Budget_amount DESC").ok());

    BudgetSheet fresh(*m_store, m_state);
    fresh.load();
    QVERIFY(!fresh.forExistingProject());
    const auto rows = fresh.rows();
    QCOMPARE(rows.size(), 12);
    QCOMPARE(rows, fresh.snapshot());
    QVERIFY(std::all_of(rows.begin(), rows.end(), [](const auto& r) { return r.amount.isZero(); }));
    QStringList sorted = categories(rows);
    sorted.sort();
    QCOMPARE(categories(rows), sorted);

    editProject(1);
    BudgetSheet existing(*m_store, m_state);
    existing.load();
    QVERIFY(existing.forExistingProject());
    QCOMPARE(existing.rows().size(), 12);
    QCOMPARE(existing.rows().first(), (BudgetSheet::Row{"BODY", money("2500")}));
    QCOMPARE(existing.rows().last(), (BudgetSheet::Row{"WHEELS AND TIRES", money("2000")}));
}

void TestBudgetSheet::amountsFollowTheLeadingNumberRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("amount");
    QTest::newRow("decimal") << "250.50"
                             << "250.5";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("spaces") << "  "
                            << "0";
    QTest::newRow("trailing text") << "12abc"
                                   << "12";
    QTest::newRow("no number") << "abc"
                               << "0";
    QTest::newRow("dollar sign") << "$40"
                                 << "0";
    QTest::newRow("exponent") << "1.5e3"
                              << "1500";
    QTest::newRow("negative") << "-5"
                              << "-5";
    QTest::newRow("five decimals") << "0.00005"
                                   << "0";
    QTest::newRow("rounds to even") << "0.00015"
                                    << "0.0002";
}

void TestBudgetSheet::amountsFollowTheLeadingNumberRule() {
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    editProject(1);
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    Money stored;
    QCOMPARE(sheet.setAmount(0, typed, &stored), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(stored.toPlainText(), amount);
    QCOMPARE(sheet.rows().first().amount, stored);
    // Typing the same amount again is no change.
    QCOMPARE(sheet.setAmount(0, amount, &stored), BudgetSheet::SetOutcome::Unchanged);
    // Only held: the stored row keeps its amount until the caller stores the batch.
    QCOMPARE(this->stored("BODY", 1), 2500.0);
    QVERIFY(m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestBudgetSheet::amountsBeyondTheMoneyRangeAreRefused() {
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    QCOMPARE(sheet.setAmount(0, "1e30"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.setAmount(0, "900000000000000"), BudgetSheet::SetOutcome::Changed);
    // Each amount fits, but the two together would not.
    QCOMPARE(sheet.setAmount(1, "900000000000000"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.setAmount(12, "1"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.setAmount(-1, "1"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.total(), money("900000000000000"));
}

void TestBudgetSheet::totalAddsTheRowsInScope() {
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    QCOMPARE(sheet.total(), money("0"));
    QCOMPARE(sheet.setAmount(0, "100"), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(sheet.setAmount(1, "250.50"), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(sheet.setAmount(2, "0"), BudgetSheet::SetOutcome::Unchanged);
    QCOMPARE(sheet.total()->toPlainText(), "350.5");

    // For an existing project the number text is refreshed from the number.
    editProject(1);
    m_state.vehiclenumbera = "stale";
    BudgetSheet existing(*m_store, m_state);
    QCOMPARE(existing.total()->toPlainText(), "18450");
    QCOMPARE(m_state.vehiclenumbera, "1");
}

void TestBudgetSheet::restorePutsBackTheSnapshotAsHeldChanges_data() {
    QTest::addColumn<int>("project");
    QTest::newRow("new project") << 0;
    QTest::newRow("existing project") << 1;
}

void TestBudgetSheet::restorePutsBackTheSnapshotAsHeldChanges() {
    QFETCH(int, project);
    if (project)
        editProject(project);
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    const auto before = sheet.snapshot();
    QCOMPARE(sheet.setAmount(3, "77"), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(sheet.setAmount(5, "88.8"), BudgetSheet::SetOutcome::Changed);
    QVERIFY(sheet.rows() != before);

    QVERIFY(sheet.restoreSnapshot().ok());
    QCOMPARE(sheet.rows(), before);
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.hasPendingChanges());

    // Storing the restored rows gives the same rows, once each.
    QVERIFY(budget.updateBatch().ok());
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                                       "Cat_vehicle_number = %1")
                            .arg(project);
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(), sql).toInt(), 12);
    QCOMPARE(stored(before[3].category, project), before[3].amount.toDouble());
    BudgetSheet again(*m_store, m_state);
    again.load();
    QCOMPARE(again.snapshot(), before);
}

QTEST_GUILESS_MAIN(TestBudgetSheet)
#include "test_budgetsheet.moc"
