#include "AppState.h"
#include "BudgetSheet.h"
#include "ProjectEditor.h"
#include "StoreTest.h"

#include <QTest>

// Storing and refusing through the window are covered by the edit window's
// tests; these cover the failures that cannot be provoked through it.
class TestProjectEditor : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void failedChangeStoresNothingAndKeepsTheHeldBudget_data();
    void failedChangeStoresNothingAndKeepsTheHeldBudget();
    void aChangeOfCaseIsNoDuplicateOfItself();
    void withoutACopyNothingIsRestoredOverTheStoredRows();

private:
    QString stored() {
        return inFile("SELECT vehicle_description || '|' || graphic_path || '|' || "
                      "budget_amount || '|' || (SELECT group_concat(Budget_amount) "
                      "FROM RSLCategorybudget WHERE Cat_vehicle_number = 1) FROM "
                      "RSLVehicles WHERE vehicle_number = 1")
            .toString();
    }
    // Types 3000 for BODY (2500) in the budget window of the project being edited.
    void holdBudget() {
        BudgetSheet sheet(*m_store, m_state);
        sheet.load();
        QCOMPARE(sheet.setAmount(0, "3000"), BudgetSheet::SetOutcome::Changed);
    }

    AppState m_state;
};

void TestProjectEditor::init() {
    StoreTest::init();
    m_state.clearProject();
    m_state.vehicleedit = "Y";
}

void TestProjectEditor::failedChangeStoresNothingAndKeepsTheHeldBudget_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("project row") << "RSLVehicles";
    QTest::newRow("budget rows") << "RSLCategorybudget";
}

void TestProjectEditor::failedChangeStoresNothingAndKeepsTheHeldBudget() {
    QFETCH(QString, table);
    const QString before = stored();
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 FORD MUSTANG").has_value());
    holdBudget();
    Fixtures::failWrites(*m_store, table, "UPDATE");
    const ProjectInput input{"1999", "FORD", "MUSTANG", "/new.bmp", "18950"};
    const auto result = editor.change(input);
    QCOMPARE(result.outcome, ProjectEditor::ChangeOutcome::Failed);
    QVERIFY(result.error.message().contains("disk on fire"));
    QCOMPARE(stored(), before);
    QCOMPARE(editor.loadedDescription(), "1986 FORD MUSTANG");
    QCOMPARE(editor.budgetTotal(), Money::fromText("18950"));

    exec(table, "DROP TRIGGER fail_" + table + "_UPDATE");
    QCOMPARE(editor.change(input).outcome, ProjectEditor::ChangeOutcome::Changed);
    QVERIFY(stored().startsWith("1999 FORD MUSTANG|/new.bmp|18950|3000,"));
}

void TestProjectEditor::aChangeOfCaseIsNoDuplicateOfItself() {
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "UPDATE RSLVehicles SET vehicle_description = '1986 ford mustang'"));
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 ford mustang").has_value());
    QCOMPARE(editor.change({"1986", "FORD", "MUSTANG", QString(), "18450"}).outcome,
             ProjectEditor::ChangeOutcome::Changed);
    // No picture is an empty text, as in rows the program did not write.
    QVERIFY(stored().startsWith("1986 FORD MUSTANG||18450|"));
}

void TestProjectEditor::withoutACopyNothingIsRestoredOverTheStoredRows() {
    const QString before = stored();
    Fixtures::failWrites(*m_store, "RSLCategorybudget3", "INSERT");
    ProjectEditor editor(*m_store, m_state);
    DbResult copyError;
    QVERIFY(editor.load("1986 FORD MUSTANG", &copyError).has_value());
    QVERIFY(!copyError.ok());
    holdBudget();
    QVERIFY(editor.restoreBudgetFromCopy().ok());
    QCOMPARE(stored(), before);
    QCOMPARE(editor.budgetTotal(), Money::fromText("18450"));
}

QTEST_GUILESS_MAIN(TestProjectEditor)
#include "test_projecteditor.moc"
