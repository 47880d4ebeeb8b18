#include "AppState.h"
#include "BudgetSheet.h"
#include "StoreTest.h"

#include <QTest>

// The window-level behaviour (scope, totals, restoring) is driven through
// the budget window's tests; these cover the amount rules.
class TestBudgetSheet : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void amountsFollowTheLeadingNumberRule_data();
    void amountsFollowTheLeadingNumberRule();
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

void TestBudgetSheet::amountsFollowTheLeadingNumberRule_data() {
    // The rule itself is the decimal reader's; these show the sheet applies it.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("amount");
    QTest::newRow("decimal") << QString("250.50") << QString("250.5");
    QTest::newRow("empty") << QString() << QString("0");
    QTest::newRow("trailing text") << QString("12abc") << QString("12");
    QTest::newRow("ties to even") << QString("0.00015") << QString("0.0002");
}

void TestBudgetSheet::amountsFollowTheLeadingNumberRule() {
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    BudgetSheet sheet(*m_store, m_state);
    sheet.load();
    Money stored;
    QCOMPARE(sheet.setAmount(0, typed, &stored), BudgetSheet::SetOutcome::Changed);
    QCOMPARE(stored.toPlainText(), amount);
    QCOMPARE(sheet.rows().first(), (BudgetSheet::Row{"BODY", stored}));
    QCOMPARE(sheet.setAmount(0, amount), BudgetSheet::SetOutcome::Unchanged);
    // Held only: the stored row keeps its amount until the caller stores the batch.
    QCOMPARE(inFile("SELECT Budget_amount FROM RSLCategorybudget WHERE Category = "
                    "'BODY' AND Cat_vehicle_number = 1")
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
