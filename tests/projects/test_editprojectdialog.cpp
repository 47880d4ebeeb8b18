#include "BudgetDialog.h"
#include "EditProjectDialog.h"
#include "ProjectStore.h"
#include "TestShell.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QString kQuestion =
    QStringLiteral("Would you like to save your changes before leaving this form?");

} // namespace

class TestEditProjectDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void loadingShowsTheProjectAndCopiesItsBudget();
    void changingOnlyThePictureKeepsTheDescription();
    void anotherProjectsDescriptionIsRefused();
    void aTypedMakeIsStoredUpperCase();
    void missingInputAndZeroBudgetAreRefused();
    void noAfterBudgetChangesRestoresTheCopy();
    void yesWithARefusedChangeKeepsTheWindowAndTheInput();
    void failedChangeKeepsTheWindow();

private:
    EditProjectDialog* open(const QString& description);
    template <typename T = QWidget> T* child(const char* name) {
        return m_dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Changes amounts in the budget window and accepts them.
    void changeBudget(const QList<std::pair<int, QString>>& amounts);
    QString vehicle(int number) {
        return TestDatabase::scalar(m_shell->db.databasePath(),
                                    QStringLiteral("SELECT vehicle_description || '|' || "
                                                   "graphic_path || '|' || budget_amount FROM "
                                                   "RSLVehicles WHERE vehicle_number = %1")
                                        .arg(number))
            .toString();
    }
    QString budget(int number) {
        return TestDatabase::scalar(m_shell->db.databasePath(),
                                    QStringLiteral("SELECT group_concat(Category || '=' || "
                                                   "Budget_amount, ',') FROM (SELECT * FROM "
                                                   "RSLCategorybudget WHERE Cat_vehicle_number = "
                                                   "%1 ORDER BY Category)")
                                        .arg(number))
            .toString();
    }

    std::unique_ptr<TestShell> m_shell;
    QPointer<EditProjectDialog> m_dialog;
    int m_refills = 0;
};

void TestEditProjectDialog::init() {
    m_shell = std::make_unique<TestShell>();
    m_shell->appState.clearProject();
    m_refills = 0;
}

void TestEditProjectDialog::cleanup() {
    delete m_dialog;
    m_shell.reset();
}

EditProjectDialog* TestEditProjectDialog::open(const QString& description) {
    m_dialog = new EditProjectDialog(*m_shell, description, [this] { ++m_refills; });
    m_shell->toolkit().runModal(m_dialog);
    return m_dialog;
}

void TestEditProjectDialog::changeBudget(const QList<std::pair<int, QString>>& amounts) {
    click("cmBudgetbycategory");
    auto* budget = m_dialog->budgetWindow();
    QVERIFY(budget);
    QAbstractItemModel* model = budget->findChild<QTableView*>("DataGrid1")->model();
    for (const auto& [row, amount] : amounts)
        QVERIFY(model->setData(model->index(row, 1), amount));
    QTest::mouseClick(budget->findChild<QPushButton*>("cmdAcceptbudget"), Qt::LeftButton);
}

void TestEditProjectDialog::loadingShowsTheProjectAndCopiesItsBudget() {
    QVERIFY(open("1986 FORD MUSTANG"));
    QCOMPARE(m_dialog->objectName(), "frmEditvehicle");
    QCOMPARE(m_dialog->windowTitle(), "Edit Project - 1986 FORD MUSTANG");
    QCOMPARE(combo("cmbYear")->currentText(), "1986");
    QCOMPARE(combo("cmbYear")->count(), 1101);
    QCOMPARE(combo("cmbMake")->currentText(), "FORD");
    QCOMPARE(combo("cmbModel")->currentText(), "MUSTANG");
    QCOMPARE(combo("cmbModel")->count(), 4); // the models of FORD
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "18450");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), QString());
    QVERIFY(!m_dialog->hasChanges());
    QCOMPARE(m_shell->appState.vehicleedit, "Y");
    QCOMPARE(m_shell->appState.vehiclenumber, 1);
    QCOMPARE(m_shell->appState.vehiclenumbera, "1");
    QCOMPARE(m_shell->calls, QStringList{"disablemenu"});
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT COUNT(*) FROM RSLCategorybudget3 WHERE "
                                  "cat_vehicle_number = 1")
                 .toInt(),
             12);
    for (const char* name : {"cmbYear", "cmbMake", "cmbModel", "ioTotalbudget", "ioPicture"})
        QVERIFY2(!child(name)->accessibleName().isEmpty(), name);

    // Leaving untouched asks nothing; the number stays pointed at the project.
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QCOMPARE(m_shell->calls.last(), "enablemenu");
    QCOMPARE(m_shell->appState.vehiclenumber, 1);
    QCOMPARE(m_shell->appState.openvehiclenumber, "0");
}

void TestEditProjectDialog::changingOnlyThePictureKeepsTheDescription() {
    QVERIFY(open("1986 FORD MUSTANG"));
    m_shell->scripted.queueFile("/pictures/mustang.bmp");
    click("cmdSearch");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), "/pictures/mustang.bmp");
    // The chooser starts at the current picture; cancelling keeps it.
    m_shell->scripted.queueFile(QString());
    click("cmdSearch");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), "/pictures/mustang.bmp");
    QCOMPARE(m_shell->scripted.chooserInitialPaths(),
             (QStringList{QString(), "/pictures/mustang.bmp"}));
    QVERIFY(m_dialog->hasChanges());

    click("cmdchange");
    QCOMPARE(m_shell->scripted.texts(), QStringList{"1986 FORD MUSTANG has been changed."});
    QTRY_VERIFY(!m_dialog);
    QCOMPARE(vehicle(1), "1986 FORD MUSTANG|/pictures/mustang.bmp|18450");
    QCOMPARE(m_refills, 1);
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(), "SELECT COUNT(*) FROM RSLVehicles")
                 .toInt(),
             1);
}

void TestEditProjectDialog::anotherProjectsDescriptionIsRefused() {
    ProjectStore projects(m_shell->data());
    QVERIFY(projects.refillNewBudget().ok());
    RecordSet& rows = m_shell->data().recordSet(Command::RSLCategorybudget);
    QVERIFY(rows.setFilter("Cat_vehicle_number = 0").ok());
    QVERIFY(rows.setValue("Budget_amount", 10).ok());
    QCOMPARE(projects.addProject({"1986", "FORD", "BRONCO", QString(), "10"}).number, 2);
    const QString mustang = vehicle(1), bronco = vehicle(2);

    QVERIFY(open("1986 FORD BRONCO"));
    combo("cmbModel")->setEditText("mustang");
    click("cmdchange");
    QCOMPARE(m_shell->scripted.lastText(), "Project already exists.");
    QVERIFY(m_dialog && m_dialog->isVisible());
    QCOMPARE(vehicle(1), mustang);
    QCOMPARE(vehicle(2), bronco);
    QCOMPARE(m_refills, 0);
}

void TestEditProjectDialog::aTypedMakeIsStoredUpperCase() {
    QVERIFY(open("1986 FORD MUSTANG"));
    combo("cmbMake")->setEditText(QString());
    QTest::keyClicks(combo("cmbMake")->lineEdit(), "o'hare");
    QCOMPARE(combo("cmbModel")->currentText(), QString());
    QTest::keyClicks(combo("cmbModel")->lineEdit(), "special");
    changeBudget({{0, "3000"}});
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "18950");
    click("cmdchange");
    QCOMPARE(m_shell->scripted.lastText(), "1986 FORD MUSTANG has been changed.");
    QCOMPARE(vehicle(1), "1986 O'HARE SPECIAL||18950");
    QVERIFY(budget(1).startsWith("BODY=3000,"));
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT COUNT(*) FROM RSLModels WHERE make = 'O''HARE' AND "
                                  "Model = 'SPECIAL'")
                 .toInt(),
             1);
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT make FROM RSLMakes WHERE make LIKE 'o''hare'")
                 .toString(),
             "O'HARE");
}

void TestEditProjectDialog::missingInputAndZeroBudgetAreRefused() {
    QVERIFY(m_shell->data()
                .execute("RSLCategorybudget",
                         "UPDATE RSLCategorybudget SET Budget_amount = 0 WHERE "
                         "Cat_vehicle_number = 1")
                .ok());
    QVERIFY(open("1986 FORD MUSTANG"));
    const QString before = vehicle(1);
    combo("cmbYear")->setEditText(QString());
    click("cmdchange");
    combo("cmbYear")->setEditText("1987");
    click("cmdchange");
    QCOMPARE(m_shell->scripted.texts(),
             (QStringList{"You must select a vehicle year to continue.",
                          "You must click budget by category and enter a vehicle budget amount "
                          "to continue."}));
    // The total box shows the sum it checked.
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "0");
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(vehicle(1), before);
}

void TestEditProjectDialog::noAfterBudgetChangesRestoresTheCopy() {
    const QString before = budget(1);
    QVERIFY(open("1986 FORD MUSTANG"));
    changeBudget({{0, "1"}, {6, "2"}});
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "15953");
    m_shell->scripted.queueNo();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QCOMPARE(m_shell->scripted.texts(), QStringList{kQuestion});
    QCOMPARE(m_shell->scripted.messages().last().title, "Rastrel - Edit Project");
    QCOMPARE(budget(1), before);
    QCOMPARE(vehicle(1), "1986 FORD MUSTANG||18450");
    QVERIFY(!m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestEditProjectDialog::yesWithARefusedChangeKeepsTheWindowAndTheInput() {
    QVERIFY(open("1986 FORD MUSTANG"));
    changeBudget({{0, "3000"}});
    combo("cmbMake")->setEditText(QString());
    m_shell->scripted.queueYes();
    m_dialog->close();
    QCOMPARE(m_shell->scripted.texts(),
             (QStringList{kQuestion, "You must select a vehicle make to continue."}));
    QVERIFY(m_dialog && m_dialog->isVisible());
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "18950");
    QVERIFY(m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());

    // The budget typed before is still there to store.
    combo("cmbMake")->setEditText("FORD");
    combo("cmbModel")->setEditText("MUSTANG");
    m_shell->scripted.queueYes();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(budget(1).startsWith("BODY=3000,"));
    QCOMPARE(vehicle(1), "1986 FORD MUSTANG||18950");
}

void TestEditProjectDialog::failedChangeKeepsTheWindow() {
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "CREATE TRIGGER refuse BEFORE UPDATE ON RSLVehicles BEGIN SELECT "
                               "RAISE(ABORT, 'disk trouble'); END"));
    QVERIFY(open("1986 FORD MUSTANG"));
    changeBudget({{0, "3000"}});
    combo("cmbYear")->setEditText("1987");
    click("cmdchange");
    QVERIFY(m_shell->scripted.lastText().startsWith("1986 FORD MUSTANG could not be changed."));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(combo("cmbYear")->currentText(), "1987");
    QCOMPARE(vehicle(1), "1986 FORD MUSTANG||18450");
    QVERIFY(!budget(1).startsWith("BODY=3000,"));
    QCOMPARE(m_refills, 0);
}

QTEST_MAIN(TestEditProjectDialog)
#include "test_editprojectdialog.moc"
