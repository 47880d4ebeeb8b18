#include "AppState.h"
#include "BudgetSheet.h"
#include "StoreTest.h"

#include <QTest>

// The window-level behaviour (scope, totals, restoring) is driven through
// the budget window's tests; these cover what the sheet holds and refuses.
class TestBudgetSheet : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void anAmountIsHeldUntilTheCallerStoresIt();
    void amountsBeyondTheMoneyRangeAreRefused();

private:
    AppState m_state;
};

void TestBudgetSheet::init() {
    StoreTest::init();
    m_state.vehicleedit = "Y";
    m_state.vehiclenumber = 1;
    m_state.vehiclenumbera = "1";
}

void TestBudgetSheet::anAmountIsHeldUntilTheCallerStoresIt() {
    // The reading rule is the decimal reader's, and typing into a cell is
    // driven through the budget window; this is what the sheet keeps.
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    Money stored;
    QCOMPARE(sheet.setAmount(0, "250.50 dollars", &stored), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(stored.toPlainText(), QStringLiteral("250.5"));
    QCOMPARE(sheet.rows().first(), (BudgetSheet::Row{"BODY", stored}));
    QCOMPARE(sheet.setAmount(0, "250.5"), BudgetSheet::SetOutcome::Unchanged);
    QCOMPARE(inFile("SELECT Budget_amount FROM RSLCategorybudget WHERE Category = 'BODY' AND "
                    "Cat_vehicle_number = 1")
                 .toDouble(),
             2500.0);
}

void TestBudgetSheet::amountsBeyondTheMoneyRangeAreRefused() {
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    QCOMPARE(sheet.setAmount(0, "1e30"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.setAmount(0, "900000000000000"), BudgetSheet::SetOutcome::Changed);
    // Each amount fits, the two together would not.
    QCOMPARE(sheet.setAmount(1, "900000000000000"), BudgetSheet::SetOutcome::Refused);
    QCOMPARE(sheet.setAmount(12, "1"), BudgetSheet::SetOutcome::Refused);
    QVERIFY(sheet.total().has_value());
}

QTEST_GUILESS_MAIN(TestBudgetSheet)
#include "test_budgetsheet.moc"
