#include "BudgetDialog.h"
#include "EditProjectDialog.h"
#include "Fixtures.h"
#include "ProjectCatalogue.h"
#include "ProjectStore.h"
#include "StubWindow.h"
#include "TestShell.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

class TestProjectCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void loadingPreparesEveryTab();
    void onlyNewProjectIsUsableWithNoProjectStored();
    void typedNamesMakeTheDescriptionAndJoinTheLists();
    void incompleteOrExistingProjectsAreRefused();
    void failedAddKeepsTheWindowAndTheInput();
    void switchingTabsAfterTypingAsks();
    void closingWithTypedInputAsks();
    void openingFillsTheOpenProjectState();
    void deletingAsksAndRemovesTheWholeProject();
    void editOpensTheEditWindowOnTheSelection();

private:
    ProjectCatalogue* show() {
        m_window = qobject_cast<ProjectCatalogue*>(m_shell->showWindow(WindowId::Projects));
        return m_window;
    }
    template <typename T = QWidget> T* child(const char* name) {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    void type(const char* name, const QString& text) {
        QTest::keyClicks(combo(name)->lineEdit(), text);
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void typeProject(const QString& year, const QString& make, const QString& model) {
        type("cmbYear", year);
        type("cmbMake", make);
        type("cmbModel", model);
    }
    // Enters amounts in the budget window and accepts them.
    void enterBudget(const QStringList& amounts);
    void select(const char* list, const QString& entry) {
        auto* l = child<QListWidget>(list);
        l->setCurrentItem(l->findItems(entry, Qt::MatchExactly).value(0));
    }
    const QString& lastText() const { return m_shell->scripted.messages().last().text; }
    int count(const QString& sql) {
        return TestDatabase::scalar(m_shell->db.databasePath(), sql).toInt();
    }

    std::unique_ptr<TestShell> m_shell;
    QPointer<ProjectCatalogue> m_window;
};

void TestProjectCatalogue::init() {
    m_shell = std::make_unique<TestShell>();
    m_shell->appState.clearProject();
    m_shell->factories[WindowId::Projects] = [](Shell& s) { return new ProjectCatalogue(s); };
    for (WindowId id : {WindowId::Worksheet, WindowId::Maintenance})
        m_shell->factories[id] = [id](Shell& s) { return new StubWindow(s, id); };
}

void TestProjectCatalogue::cleanup() {
    m_window.clear();
    m_shell.reset();
}

void TestProjectCatalogue::enterBudget(const QStringList& amounts) {
    click("cmBudgetbycategory");
    auto* dialog = qobject_cast<BudgetDialog*>(m_shell->scripted.modalDialogs().last());
    QVERIFY(dialog);
    QAbstractItemModel* model = dialog->findChild<QTableView*>("DataGrid1")->model();
    for (int row = 0; row < amounts.size(); ++row)
        QVERIFY(model->setData(model->index(row, 1), amounts[row]));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAcceptbudget"), Qt::LeftButton);
}

void TestProjectCatalogue::loadingPreparesEveryTab() {
    QVERIFY(show());
    QCOMPARE(m_shell->calls, QStringList{"disablemenu"});
    QCOMPARE(combo("cmbYear")->itemText(1100), "3000");
    // Filling the lists never chooses an entry by itself.
    QCOMPARE(combo("cmbMake")->currentText(), QString());
    QCOMPARE(child<QListWidget>("lstDeletevehicle")->item(0)->text(), "1986 FORD MUSTANG");

    // Closing untouched asks nothing and leaves the untouched number-0 rows
    // for the next opening, which then has nothing to write.
    QVERIFY(m_window->closeWindow());
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QCOMPARE(m_shell->calls.last(), "enablemenu");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
}
void TestProjectCatalogue::onlyNewProjectIsUsableWithNoProjectStored() {
    QVERIFY(ProjectStore(m_shell->data()).deleteProject("1986 FORD MUSTANG").ok());
    QVERIFY(show());
    auto* tabs = child<QTabWidget>("SSTab1");
    for (int i = 0; i < 4; ++i)
        QCOMPARE(tabs->isTabEnabled(i), i == 0);
}

void TestProjectCatalogue::typedNamesMakeTheDescriptionAndJoinTheLists() {
    m_shell->exec("RSLMakes", "DELETE FROM RSLMakes WHERE make = 'FORD'");
    m_shell->exec("RSLModels", "DELETE FROM RSLModels WHERE make = 'FORD'");
    QVERIFY(show());
    typeProject("1999", "ford", "mustang");
    enterBudget({"100", "250.50", "0"});
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "350.5");
    m_shell->scripted.queueFile("/pictures/car.bmp");
    click("cmdSearch");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), "/pictures/car.bmp");

    click("cmdAdd");
    QTRY_VERIFY(!m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_description = '1999 FORD "
                   "MUSTANG' AND vehicle_number = 2 AND vehicle_make = 'FORD' AND budget_amount "
                   "= 350.5 AND graphic_path = '/pictures/car.bmp'"),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLModels WHERE make = 'FORD' AND Model = 'MUSTANG'"), 1);
    // The new project is not opened.
    QCOMPARE(m_shell->appState.openvehiclenumber, "0");
}

void TestProjectCatalogue::incompleteOrExistingProjectsAreRefused() {
    QVERIFY(show());
    click("cmdAdd");
    QVERIFY(lastText().contains("vehicle year"));
    typeProject("1986", "Ford", "Mustang");
    click("cmdAdd");
    QVERIFY(lastText().contains("budget"));
    enterBudget({"5"});
    click("cmdAdd");
    QCOMPARE(lastText(), "Project already exists.");
    QVERIFY(m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
}
void TestProjectCatalogue::failedAddKeepsTheWindowAndTheInput() {
    QVERIFY(show());
    Fixtures::failWrites(m_shell->data(), "RSLVehiclesused", "INSERT");
    typeProject("1932", "o'neil", "o'brien");
    enterBudget({"100", "250.5"});
    click("cmdAdd");
    QVERIFY(lastText().startsWith("1932 O'NEIL O'BRIEN could not be added."));
    QVERIFY(m_window);
    QCOMPARE(combo("cmbModel")->currentText(), "O'BRIEN");
}

void TestProjectCatalogue::switchingTabsAfterTypingAsks() {
    QVERIFY(show());
    auto* tabs = child<QTabWidget>("SSTab1");
    type("cmbYear", "1999");
    m_shell->scripted.queueNo();
    m_window->selectTab(ProjectCatalogue::OpenTab);
    QVERIFY(lastText().contains("before switching tabs"));
    QCOMPARE(tabs->currentIndex(), int(ProjectCatalogue::NewTab));
    QCOMPARE(combo("cmbYear")->currentText(), "1999");

    m_shell->scripted.queueYes();
    tabs->setCurrentIndex(ProjectCatalogue::EditTab);
    QCOMPARE(tabs->currentIndex(), int(ProjectCatalogue::EditTab));
    QVERIFY(!m_window->hasChanges());
}
void TestProjectCatalogue::closingWithTypedInputAsks() {
    QVERIFY(show());
    type("cmbYear", "1999");
    // Yes tries to add; a refused add keeps the window.
    m_shell->scripted.queueYes();
    QVERIFY(!m_window->closeWindow());
    QCOMPARE(m_shell->scripted.texts().size(), 2);

    type("cmbMake", "dodge");
    type("cmbModel", "dart");
    enterBudget({"10"});
    m_shell->scripted.queueYes();
    QVERIFY(m_window->closeWindow());
    QCOMPARE(lastText(), "1999 DODGE DART has been added.");

    // No leaves without storing anything.
    QVERIFY(show());
    type("cmbYear", "2001");
    m_shell->scripted.queueNo();
    QVERIFY(m_window->closeWindow());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 2);
}

void TestProjectCatalogue::openingFillsTheOpenProjectState() {
    const QString picture = m_shell->db.path("mustang.png");
    QVERIFY(TestDatabase::writeFile(picture, Fixtures::png({8, 8})));
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "UPDATE RSLVehicles SET graphic_path = '" + picture + "'"));
    QPointer<QWidget> maintenance = m_shell->showWindow(WindowId::Maintenance);
    QVERIFY(show());
    // A project deleted behind the list's back is not opened; the list is read again.
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "INSERT INTO RSLVehicles (vehicle_number, vehicle_description) "
                               "VALUES (7, 'GONE')"));
    m_window->refill();
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "DELETE FROM RSLVehicles WHERE vehicle_number = 7"));
    m_shell->data().invalidateTable("RSLVehicles");
    select("lstOpenvehicle", "GONE");
    click("cmdOpen");
    QVERIFY(m_window);
    QVERIFY(!m_shell->window(WindowId::Worksheet));
    QCOMPARE(child<QListWidget>("lstOpenvehicle")->count(), 1);
    m_shell->calls.clear();

    select("lstOpenvehicle", "1986 FORD MUSTANG");
    click("cmdOpen");
    const AppState& state = m_shell->appState;
    QCOMPARE(state.vehiclenumber, 1);
    QCOMPARE(QStringList({state.openvehiclenumber, state.vehicledescription, state.graphic}),
             QStringList({"1", "1986 FORD MUSTANG", picture}));
    QCOMPARE(m_shell->caption, "Rastrel - 1986 FORD MUSTANG");
    QTRY_VERIFY(!maintenance);
    QTRY_VERIFY(!m_window);
    QVERIFY(m_shell->window(WindowId::Worksheet));
    // With a project open the catalogue leaves the project commands disabled.
    QCOMPARE(m_shell->calls, (QStringList{"toolenabled", "disablemenu"}));
}

void TestProjectCatalogue::deletingAsksAndRemovesTheWholeProject() {
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "UPDATE RSLVehicles SET vehicle_description = '1932 O''NEIL "
                               "O''BRIEN'"));
    QVERIFY(show());
    const QString entry = "1932 O'NEIL O'BRIEN";
    select("lstDeletevehicle", entry);
    m_shell->scripted.queueNo();
    click("cmdDelete");
    QVERIFY(lastText().contains(entry));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);

    Fixtures::failWrites(m_shell->data(), "RSLMaster", "DELETE");
    m_shell->scripted.queueYes();
    click("cmdDelete");
    QVERIFY(lastText().startsWith(entry + " could not be deleted."));
    QVERIFY(m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused"), 1);

    m_shell->exec("RSLMaster", "DROP TRIGGER fail_RSLMaster_DELETE");
    m_shell->scripted.queueYes();
    click("cmdDelete");
    QTRY_VERIFY(!m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 0);
}

void TestProjectCatalogue::editOpensTheEditWindowOnTheSelection() {
    QVERIFY(show());
    click("cmdEdit");
    QVERIFY(m_shell->scripted.modalDialogs().isEmpty());
    select("lstEditvehicle", "1986 FORD MUSTANG");
    click("cmdEdit");
    auto* edit = qobject_cast<EditProjectDialog*>(m_shell->scripted.modalDialogs().value(0));
    QVERIFY(edit);
    QCOMPARE(edit->windowTitle(), "Edit Project - 1986 FORD MUSTANG");
}

QTEST_MAIN(TestProjectCatalogue)
#include "test_projectcatalogue.moc"
