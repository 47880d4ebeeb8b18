#include "AppState.h"
#include "BudgetSheet.h"
#include "DataStore.h"
#include "ProjectEditor.h"
#include "ProjectStore.h"
#include "TestDatabase.h"

#include <QTest>

class TestProjectEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void loadingPointsAtTheProjectAndCopiesItsBudget();
    void changeStoresTheRowAndTheHeldBudget();
    void anotherProjectsDescriptionIsRefused();
    void aChangeOfCaseIsNoDuplicateOfItself();
    void failedChangeStoresNothingAndKeepsTheHeldBudget_data();
    void failedChangeStoresNothingAndKeepsTheHeldBudget();
    void abandonedBudgetComesBackFromTheCopy();
    void withoutACopyNothingIsRestoredOverTheStoredRows();

private:
    QString row(int number) {
        return TestDatabase::scalar(m_db->databasePath(),
                                    QStringLiteral("SELECT vehicle_description || '|' || "
                                                   "graphic_path || '|' || budget_amount FROM "
                                                   "RSLVehicles WHERE vehicle_number = %1")
                                        .arg(number))
            .toString();
    }
    QString budgetRows(const QString& table, int number) {
        return TestDatabase::scalar(m_db->databasePath(),
                                    QStringLiteral("SELECT group_concat(Category || '=' || "
                                                   "Budget_amount, ',') FROM (SELECT * FROM %1 "
                                                   "WHERE Cat_vehicle_number = %2 ORDER BY "
                                                   "Category)")
                                        .arg(table)
                                        .arg(number))
            .toString();
    }
    // Types an amount in the budget window of the project being edited.
    void holdAmount(int row, const QString& amount) {
        m_state.vehicleedit = "Y";
        BudgetSheet sheet(*m_store, m_state);
        sheet.load();
        QCOMPARE(sheet.setAmount(row, amount), BudgetSheet::SetOutcome::Changed);
    }
    int addProject(const QString& year, const QString& make, const QString& model) {
        ProjectStore projects(*m_store);
        if (!projects.refillNewBudget().ok())
            return 0;
        RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
        if (!budget.setFilter("Cat_vehicle_number = 0").ok() ||
            !budget.setValue("Budget_amount", "10").ok())
            return 0;
        return projects.addProject({year, make, model, QString(), "10"}).number;
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
    AppState m_state;
};

void TestProjectEditor::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    m_state.clearProject();
}

void TestProjectEditor::cleanup() {
    m_store.reset();
    m_db.reset();
}

void TestProjectEditor::loadingPointsAtTheProjectAndCopiesItsBudget() {
    const int number = addProject("1932", "O'NEIL", "O'BRIEN");
    QCOMPARE(number, 2);
    // A copy left by an earlier edit of another project.
    ProjectEditor first(*m_store, m_state);
    QVERIFY(first.load("1986 FORD MUSTANG").has_value());
    QCOMPARE(budgetRows("RSLCategorybudget3", 1), budgetRows("RSLCategorybudget", 1));

    ProjectEditor editor(*m_store, m_state);
    DbResult copyError;
    const auto project = editor.load("1932 O'NEIL O'BRIEN", &copyError);
    QVERIFY(copyError.ok());
    QVERIFY(project.has_value());
    QCOMPARE(project->make, "O'NEIL");
    QCOMPARE(m_state.vehiclenumber, 2);
    QCOMPARE(m_state.vehiclenumbera, "2");
    QCOMPARE(m_state.openvehiclenumber, "0"); // edited, not opened
    QCOMPARE(budgetRows("RSLCategorybudget3", 2), budgetRows("RSLCategorybudget", 2));
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(), "SELECT COUNT(*) FROM RSLCategorybudget3")
                 .toInt(),
             12);
    QCOMPARE(editor.budgetTotal(), Money::fromText("10"));
    QVERIFY(!editor.load("1900 NOBODY NOTHING").has_value());
}

void TestProjectEditor::changeStoresTheRowAndTheHeldBudget() {
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 FORD MUSTANG").has_value());
    holdAmount(0, "3000"); // BODY 2500 -> 3000

    // Only the picture and the budget change: the description stays.
    const auto result = editor.change({"1986", "FORD", "MUSTANG", "/new.bmp", "18950"});
    QCOMPARE(result.outcome, ProjectEditor::ChangeOutcome::Changed);
    QCOMPARE(result.previous, "1986 FORD MUSTANG");
    QCOMPARE(row(1), "1986 FORD MUSTANG|/new.bmp|18950");
    QVERIFY(budgetRows("RSLCategorybudget", 1).startsWith("BODY=3000,"));
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());

    // A new description becomes the one later changes start from.
    QCOMPARE(editor.change({"1987", "FORD", "MUSTANG GT", "/new.bmp", "18950"}).outcome,
             ProjectEditor::ChangeOutcome::Changed);
    QCOMPARE(editor.loadedDescription(), "1987 FORD MUSTANG GT");
    QCOMPARE(row(1), "1987 FORD MUSTANG GT|/new.bmp|18950");
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(), "SELECT COUNT(*) FROM RSLVehicles").toInt(),
             1);
}

void TestProjectEditor::anotherProjectsDescriptionIsRefused() {
    QCOMPARE(addProject("1986", "FORD", "BRONCO"), 2);
    const QString before1 = row(1), before2 = row(2);
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 FORD BRONCO").has_value());
    holdAmount(1, "99");
    const auto result = editor.change({"1986", "FORD", "MUSTANG", "/x.bmp", "99"});
    QCOMPARE(result.outcome, ProjectEditor::ChangeOutcome::Duplicate);
    QCOMPARE(row(1), before1);
    QCOMPARE(row(2), before2);
    QCOMPARE(editor.loadedDescription(), "1986 FORD BRONCO");
    // The typed budget is still held for another try.
    QVERIFY(m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestProjectEditor::aChangeOfCaseIsNoDuplicateOfItself() {
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "UPDATE RSLVehicles SET vehicle_description = '1986 ford mustang', "
                               "vehicle_make = 'ford' WHERE vehicle_number = 1"));
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 ford mustang").has_value());
    QCOMPARE(editor.change({"1986", "FORD", "MUSTANG", QString(), "18450"}).outcome,
             ProjectEditor::ChangeOutcome::Changed);
    QCOMPARE(row(1), "1986 FORD MUSTANG||18450");
}

void TestProjectEditor::failedChangeStoresNothingAndKeepsTheHeldBudget_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("project row") << "RSLVehicles";
    QTest::newRow("budget rows") << "RSLCategorybudget";
}

void TestProjectEditor::failedChangeStoresNothingAndKeepsTheHeldBudget() {
    QFETCH(QString, table);
    const QString before = row(1);
    const QString budgetBefore = budgetRows("RSLCategorybudget", 1);
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 FORD MUSTANG").has_value());
    holdAmount(0, "3000");
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "CREATE TRIGGER refuse BEFORE UPDATE ON " + table +
                                   " BEGIN SELECT RAISE(ABORT, 'disk trouble'); END"));

    const auto result = editor.change({"1999", "FORD", "MUSTANG", "/new.bmp", "18950"});
    QCOMPARE(result.outcome, ProjectEditor::ChangeOutcome::Failed);
    QVERIFY(result.error.message().contains("disk trouble"));
    QCOMPARE(row(1), before);
    QCOMPARE(budgetRows("RSLCategorybudget", 1), budgetBefore);
    QCOMPARE(editor.loadedDescription(), "1986 FORD MUSTANG");
    QCOMPARE(editor.budgetTotal(), Money::fromText("18950"));

    QVERIFY(TestDatabase::exec(m_db->databasePath(), "DROP TRIGGER refuse"));
    QCOMPARE(editor.change({"1999", "FORD", "MUSTANG", "/new.bmp", "18950"}).outcome,
             ProjectEditor::ChangeOutcome::Changed);
    QCOMPARE(row(1), "1999 FORD MUSTANG|/new.bmp|18950");
}

void TestProjectEditor::abandonedBudgetComesBackFromTheCopy() {
    const QString budgetBefore = budgetRows("RSLCategorybudget", 1);
    ProjectEditor editor(*m_store, m_state);
    QVERIFY(editor.load("1986 FORD MUSTANG").has_value());
    holdAmount(0, "1");
    holdAmount(4, "2");
    QVERIFY(editor.restoreBudgetFromCopy().ok());
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
    QCOMPARE(budgetRows("RSLCategorybudget", 1), budgetBefore);
    QCOMPARE(budgetRows("RSLCategorybudget", 1), budgetRows("RSLCategorybudget3", 1));
    QCOMPARE(editor.budgetTotal(), Money::fromText("18450"));
}

void TestProjectEditor::withoutACopyNothingIsRestoredOverTheStoredRows() {
    const QString budgetBefore = budgetRows("RSLCategorybudget", 1);
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "CREATE TRIGGER refuse BEFORE INSERT ON RSLCategorybudget3 BEGIN "
                               "SELECT RAISE(ABORT, 'disk trouble'); END"));
    ProjectEditor editor(*m_store, m_state);
    DbResult copyError;
    QVERIFY(editor.load("1986 FORD MUSTANG", &copyError).has_value());
    QVERIFY(!copyError.ok());
    holdAmount(0, "1");
    QVERIFY(editor.restoreBudgetFromCopy().ok());
    QCOMPARE(budgetRows("RSLCategorybudget", 1), budgetBefore);
    QCOMPARE(editor.budgetTotal(), Money::fromText("18450"));
}

QTEST_GUILESS_MAIN(TestProjectEditor)
#include "test_projecteditor.moc"
