#include "BudgetDialog.h"
#include "EditProjectDialog.h"
#include "TestShell.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestEditProjectDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void loadingShowsTheProjectAndCopiesItsBudget();
    void changingOnlyThePictureKeepsTheDescription();
    void anotherProjectsDescriptionIsRefused();
    void aTypedMakeIsStoredUpperCaseWithTheBudget();
    void noAfterBudgetChangesRestoresTheCopy();
    void yesWithARefusedChangeKeepsTheWindowAndTheInput();

private:
    void open(const QString& description = "1986 FORD MUSTANG") {
        m_dialog = new EditProjectDialog(*m_shell, description, [this] { ++m_refills; });
        m_shell->toolkit().runModal(m_dialog);
    }
    template <typename T = QWidget> T* child(const char* name) {
        return m_dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Types 1 for BODY (2500) and 2 for EXHAUST (0) in the budget window and accepts.
    void changeBudget();
    QString stored(int number = 1) {
        return TestDatabase::scalar(m_shell->db.databasePath(),
                                    QStringLiteral("SELECT vehicle_description || '|' || "
                                                   "graphic_path || '|' || budget_amount || '|' || "
                                                   "(SELECT group_concat(Budget_amount) FROM "
                                                   "RSLCategorybudget WHERE Cat_vehicle_number = "
                                                   "%1) FROM RSLVehicles WHERE vehicle_number = %1")
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

void TestEditProjectDialog::changeBudget() {
    click("cmBudgetbycategory");
    QVERIFY(m_dialog->budgetWindow());
    QAbstractItemModel* model = m_dialog->budgetWindow()->findChild<QTableView*>()->model();
    QVERIFY(model->setData(model->index(0, 1), "1"));
    QVERIFY(model->setData(model->index(6, 1), "2"));
    QTest::mouseClick(m_dialog->budgetWindow()->findChild<QPushButton*>("cmdAcceptbudget"),
                      Qt::LeftButton);
    QCOMPARE(edit("ioTotalbudget")->text(), "15953");
}

void TestEditProjectDialog::loadingShowsTheProjectAndCopiesItsBudget() {
    open();
    QCOMPARE(m_dialog->windowTitle(), "Edit Project - 1986 FORD MUSTANG");
    QCOMPARE(QStringList({combo("cmbYear")->currentText(), combo("cmbMake")->currentText(),
                          combo("cmbModel")->currentText()}),
             QStringList({"1986", "FORD", "MUSTANG"}));
    QCOMPARE(edit("ioTotalbudget")->text(), "18450");
    QCOMPARE(m_shell->calls, QStringList{"disablemenu"});

    // Leaving untouched asks nothing; the number stays on the project, which is not opened.
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QCOMPARE(m_shell->calls.last(), "enablemenu");
    QCOMPARE(m_shell->appState.openvehiclenumber, "0");
}

void TestEditProjectDialog::changingOnlyThePictureKeepsTheDescription() {
    open();
    m_shell->scripted.queueFile("/pictures/mustang.bmp");
    click("cmdSearch");
    // The chooser starts at the current picture; cancelling keeps it.
    m_shell->scripted.queueFile(QString());
    click("cmdSearch");
    QCOMPARE(edit("ioPicture")->text(), "/pictures/mustang.bmp");
    QCOMPARE(m_shell->scripted.chooserInitialPaths(),
             (QStringList{QString(), "/pictures/mustang.bmp"}));

    click("cmdchange");
    QTRY_VERIFY(!m_dialog);
    QVERIFY(stored().startsWith("1986 FORD MUSTANG|/pictures/mustang.bmp|18450|"));
    QCOMPARE(m_refills, 1);
}

void TestEditProjectDialog::anotherProjectsDescriptionIsRefused() {
    for (const char* sql :
         {"INSERT INTO RSLVehicles (vehicle_number, vehicle_description, vehicle_year, "
          "vehicle_make, vehicle_model, budget_amount) VALUES (2, '1986 FORD BRONCO', '1986', "
          "'FORD', 'BRONCO', 10)",
          "INSERT INTO RSLCategorybudget VALUES ('BODY', 2, 10)"})
        QVERIFY(TestDatabase::exec(m_shell->db.databasePath(), sql));
    const QString mustang = stored(1), bronco = stored(2);
    open("1986 FORD BRONCO");
    combo("cmbModel")->setEditText("mustang");
    click("cmdchange");
    QCOMPARE(m_shell->scripted.texts(), QStringList{"Project already exists."});
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(stored(1), mustang);
    QCOMPARE(stored(2), bronco);
}

void TestEditProjectDialog::aTypedMakeIsStoredUpperCaseWithTheBudget() {
    open();
    combo("cmbMake")->setEditText(QString());
    QTest::keyClicks(combo("cmbMake")->lineEdit(), "o'hare");
    QCOMPARE(combo("cmbModel")->currentText(), QString());
    QTest::keyClicks(combo("cmbModel")->lineEdit(), "special");
    changeBudget();
    click("cmdchange");
    QVERIFY(stored().startsWith("1986 O'HARE SPECIAL||15953|1,"));
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT make || '/' || Model FROM RSLModels WHERE make LIKE "
                                  "'o''hare'")
                 .toString(),
             "O'HARE/SPECIAL");
}

void TestEditProjectDialog::noAfterBudgetChangesRestoresTheCopy() {
    const QString before = stored();
    open();
    changeBudget();
    m_shell->scripted.queueNo();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QCOMPARE(m_shell->scripted.texts().size(), 1);
    QCOMPARE(stored(), before);
    QVERIFY(!m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestEditProjectDialog::yesWithARefusedChangeKeepsTheWindowAndTheInput() {
    open();
    changeBudget();
    combo("cmbMake")->setEditText(QString());
    m_shell->scripted.queueYes();
    m_dialog->close();
    QVERIFY(m_shell->scripted.lastText().contains("vehicle make"));
    QVERIFY(m_dialog && m_dialog->isVisible());
    QCOMPARE(edit("ioTotalbudget")->text(), "15953");

    // The budget typed before is still there to store.
    combo("cmbMake")->setEditText("FORD");
    combo("cmbModel")->setEditText("MUSTANG");
    m_shell->scripted.queueYes();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(stored().startsWith("1986 FORD MUSTANG||15953|1,"));
}

QTEST_MAIN(TestEditProjectDialog)
#include "test_editprojectdialog.moc"
