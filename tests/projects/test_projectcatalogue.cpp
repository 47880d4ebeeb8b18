#include "BudgetDialog.h"
#include "ChildWindow.h"
#include "EditProjectDialog.h"
#include "ProjectCatalogue.h"
#include "ProjectStore.h"
#include "TestShell.h"
#include "Twips.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

// Stands in for the windows of other features.
class StubWindow : public ChildWindow {
public:
    explicit StubWindow(const QString& name) { setObjectName(name); }
};

const QString kTabQuestion = QStringLiteral(
    "You must add or accept your changes on this form before switching tabs. If you continue, you will lose your work. Would you like to continue and lose your work?");

} // namespace

class TestProjectCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void loadingPreparesEveryTab();
    void onlyNewProjectIsUsableWithNoProjectStored();
    void typedNamesMakeTheDescriptionAndJoinTheLists();
    void missingInputIsRefusedInOrder();
    void anExistingDescriptionIsRefused();
    void failedAddKeepsTheWindowAndTheInput();
    void switchingTabsAfterTypingAsks();
    void closingWithTypedInputAsks();
    void searchPutsTheChosenPictureInPlace();
    void aMakeFillsItsModels();
    void openingFillsTheOpenProjectState();
    void deletingAsksAndRemovesTheWholeProject();
    void failedDeleteKeepsTheProject();
    void editOpensTheEditWindowOnTheSelection();

private:
    ProjectCatalogue* show();
    template <typename T = QWidget> T* child(const char* name) {
        T* w = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no child %s", name);
        return w;
    }
    void type(const char* combo, const QString& text) {
        QTest::keyClicks(child<QComboBox>(combo)->lineEdit(), text);
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    // Enters amounts in the budget window and accepts them.
    void enterBudget(const QStringList& amounts);
    void select(const char* list, const QString& entry) {
        auto* l = child<QListWidget>(list);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        l->setCurrentItem(items.first());
    }
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
    m_shell->factories[WindowId::Worksheet] = [](Shell&) {
        return new StubWindow(QStringLiteral("frmNewmain"));
    };
    m_shell->factories[WindowId::Maintenance] = [](Shell&) {
        return new StubWindow(QStringLiteral("frmNewother"));
    };
}

void TestProjectCatalogue::cleanup() {
    m_window.clear();
    m_shell.reset();
}

ProjectCatalogue* TestProjectCatalogue::show() {
    m_window = qobject_cast<ProjectCatalogue*>(m_shell->showWindow(WindowId::Projects));
    return m_window;
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
    QCOMPARE(m_window->objectName(), "frmProjects");
    QCOMPARE(m_window->windowTitle(), "Projects");
    QCOMPARE(m_shell->appState.marker("frmprojectsopen"), "Y");
    QCOMPARE(m_shell->calls, QStringList{"disablemenu"});
    QCOMPARE(m_window->size(), Twips::size(8310, 3480, m_window));

    auto* tabs = child<QTabWidget>("SSTab1");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), "New Project");
    QCOMPARE(tabs->tabText(3), "Delete Project");
    for (int i = 0; i < 4; ++i)
        QVERIFY(tabs->isTabEnabled(i));

    auto* year = child<QComboBox>("cmbYear");
    QVERIFY(year->isEditable());
    QCOMPARE(year->count(), 1101);
    QCOMPARE(year->itemText(0), "1900");
    QCOMPARE(year->itemText(1100), "3000");
    // Filling the lists never chooses an entry by itself.
    for (const char* name : {"cmbYear", "cmbMake", "cmbModel"})
        QCOMPARE(child<QComboBox>(name)->currentText(), QString());
    QCOMPARE(child<QComboBox>("cmbMake")->count(), 5);
    for (const char* list : {"lstOpenvehicle", "lstEditvehicle", "lstDeletevehicle"}) {
        QCOMPARE(child<QListWidget>(list)->count(), 1);
        QCOMPARE(child<QListWidget>(list)->item(0)->text(), "1986 FORD MUSTANG");
    }
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
    QVERIFY(!m_window->hasChanges());
    for (const char* name : {"cmbYear", "cmbMake", "cmbModel", "ioTotalbudget", "ioPicture",
                             "lstOpenvehicle", "lstEditvehicle", "lstDeletevehicle"})
        QVERIFY2(!child(name)->accessibleName().isEmpty(), name);

    // Closing untouched asks nothing and takes the number-0 rows away.
    QVERIFY(m_window->closeWindow());
    QCOMPARE(m_shell->calls.last(), "enablemenu");
    QCOMPARE(m_shell->appState.marker("frmprojectsopen"), QString());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
}

void TestProjectCatalogue::onlyNewProjectIsUsableWithNoProjectStored() {
    QVERIFY(ProjectStore(m_shell->data()).deleteProject("1986 FORD MUSTANG").ok());
    QVERIFY(show());
    auto* tabs = child<QTabWidget>("SSTab1");
    QVERIFY(tabs->isTabEnabled(0));
    for (int i = 1; i < 4; ++i)
        QVERIFY(!tabs->isTabEnabled(i));
    QCOMPARE(child<QListWidget>("lstOpenvehicle")->count(), 0);
}

void TestProjectCatalogue::typedNamesMakeTheDescriptionAndJoinTheLists() {
    QVERIFY(m_shell->data().execute("RSLMakes", "DELETE FROM RSLMakes WHERE make = 'FORD'").ok());
    QVERIFY(m_shell->data().execute("RSLModels", "DELETE FROM RSLModels WHERE make = 'FORD'").ok());
    QVERIFY(show());
    type("cmbYear", "1999");
    type("cmbMake", "ford");
    type("cmbModel", "mustang");
    enterBudget({"100", "250.50", "0"});
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "350.5");
    QVERIFY(m_window->hasChanges());

    click("cmdAdd");
    QCOMPARE(m_shell->scripted.lastText(), "1999 FORD MUSTANG has been added.");
    QTRY_VERIFY(!m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_description = '1999 FORD "
                   "MUSTANG' AND vehicle_number = 2 AND vehicle_make = 'FORD' AND budget_amount "
                   "= 350.5"),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 2"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"), 12);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMakes WHERE make = 'FORD'"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLModels WHERE make = 'FORD' AND Model = 'MUSTANG'"), 1);
    // The new project is not opened.
    QCOMPARE(m_shell->appState.openvehiclenumber, "0");
    QCOMPARE(m_shell->calls.last(), "enablemenu");
}

void TestProjectCatalogue::missingInputIsRefusedInOrder() {
    QVERIFY(show());
    const QStringList expected = {
        "You must select a vehicle year to continue.",
        "You must select a vehicle make to continue.",
        "You must select a vehicle model to continue.",
        "You must click budget by category and enter a vehicle budget amount to continue."};
    click("cmdAdd");
    type("cmbYear", "1970");
    click("cmdAdd");
    type("cmbMake", "dodge");
    click("cmdAdd");
    type("cmbModel", "dart");
    click("cmdAdd");
    QCOMPARE(m_shell->scripted.texts(), expected);
    QCOMPARE(m_shell->scripted.messages().first().title, "Rastrel");
    QVERIFY(m_window);
    QCOMPARE(child<QComboBox>("cmbModel")->currentText(), "dart");
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "0");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
}

void TestProjectCatalogue::anExistingDescriptionIsRefused() {
    QVERIFY(show());
    type("cmbYear", "1986");
    type("cmbMake", "Ford");
    type("cmbModel", "Mustang");
    enterBudget({"5"});
    child<QLineEdit>("ioPicture")->setText("/other.bmp");
    click("cmdAdd");
    QCOMPARE(m_shell->scripted.lastText(), "Project already exists.");
    QVERIFY(m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused"), 1);
}

void TestProjectCatalogue::failedAddKeepsTheWindowAndTheInput() {
    QVERIFY(show());
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "CREATE TRIGGER refuse BEFORE INSERT ON RSLVehiclesused BEGIN "
                               "SELECT RAISE(ABORT, 'disk trouble'); END"));
    type("cmbYear", "1932");
    type("cmbMake", "o'neil");
    type("cmbModel", "o'brien");
    enterBudget({"100", "250.5"});
    click("cmdAdd");
    QVERIFY(m_shell->scripted.lastText().startsWith("1932 O'NEIL O'BRIEN could not be added."));
    QVERIFY(m_shell->scripted.lastText().contains("disk trouble"));
    QVERIFY(m_window);
    QCOMPARE(child<QComboBox>("cmbModel")->currentText(), "O'BRIEN");
    QCOMPARE(child<QLineEdit>("ioTotalbudget")->text(), "350.5");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"), 0);

    // The typed budget is still there: once the trouble is gone the add goes through.
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(), "DROP TRIGGER refuse"));
    click("cmdAdd");
    QCOMPARE(m_shell->scripted.lastText(), "1932 O'NEIL O'BRIEN has been added.");
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 2")
                 .toDouble(),
             350.5);
}

void TestProjectCatalogue::switchingTabsAfterTypingAsks() {
    QVERIFY(show());
    auto* tabs = child<QTabWidget>("SSTab1");
    // Moving between tabs without typing asks nothing.
    m_window->selectTab(ProjectCatalogue::DeleteTab);
    tabs->setCurrentIndex(ProjectCatalogue::NewTab);
    QCOMPARE(m_shell->scripted.messages().size(), 0);

    type("cmbYear", "1999");
    m_shell->scripted.queueNo();
    m_window->selectTab(ProjectCatalogue::OpenTab);
    QCOMPARE(m_shell->scripted.lastText(), kTabQuestion);
    QCOMPARE(m_shell->scripted.messages().last().title, "Rastrel - New Project");
    QCOMPARE(tabs->currentIndex(), int(ProjectCatalogue::NewTab));
    QCOMPARE(child<QComboBox>("cmbYear")->currentText(), "1999");
    QVERIFY(m_window->hasChanges());

    m_shell->scripted.queueYes();
    tabs->setCurrentIndex(ProjectCatalogue::EditTab);
    QCOMPARE(tabs->currentIndex(), int(ProjectCatalogue::EditTab));
    QCOMPARE(child<QComboBox>("cmbYear")->currentText(), QString());
    QVERIFY(!m_window->hasChanges());
    QCOMPARE(m_shell->scripted.messages().size(), 2);
}

void TestProjectCatalogue::closingWithTypedInputAsks() {
    QVERIFY(show());
    type("cmbYear", "1999");
    // Yes tries to add; a refused add keeps the window.
    m_shell->scripted.queueYes();
    QVERIFY(!m_window->closeWindow());
    QCOMPARE(m_shell->scripted.texts(),
             (QStringList{"Would you like to save your changes before leaving this form?",
                          "You must select a vehicle make to continue."}));
    QCOMPARE(m_shell->scripted.messages().first().title, "Rastrel - New Project");
    QVERIFY(m_window);

    type("cmbMake", "dodge");
    type("cmbModel", "dart");
    enterBudget({"10"});
    m_shell->scripted.queueYes();
    QVERIFY(m_window->closeWindow());
    QCOMPARE(m_shell->scripted.lastText(), "1999 DODGE DART has been added.");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 2);

    // No leaves without storing anything.
    QVERIFY(show());
    type("cmbYear", "2001");
    m_shell->scripted.queueNo();
    QVERIFY(m_window->closeWindow());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
}

void TestProjectCatalogue::searchPutsTheChosenPictureInPlace() {
    QVERIFY(show());
    m_shell->scripted.queueFile("/pictures/car.bmp");
    click("cmdSearch");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), "/pictures/car.bmp");
    QVERIFY(m_window->hasChanges());
    m_shell->scripted.queueFile(QString());
    click("cmdSearch");
    QCOMPARE(child<QLineEdit>("ioPicture")->text(), QString());
    QCOMPARE(m_shell->scripted.chooserInitialPaths(), (QStringList{QString(), QString()}));
}

void TestProjectCatalogue::aMakeFillsItsModels() {
    QVERIFY(show());
    auto* model = child<QComboBox>("cmbModel");
    type("cmbMake", "dodge");
    QCOMPARE(model->count(), 4);
    QCOMPARE(model->currentText(), QString());
    model->setEditText("DART");
    // Choosing another make from the list replaces the models.
    auto* make = child<QComboBox>("cmbMake");
    make->setCurrentIndex(make->findText("PONTIAC"));
    QCOMPARE(model->itemText(0), "FIREBIRD");
    QCOMPARE(model->currentText(), QString());
    type("cmbMake", "'S");
    QCOMPARE(model->count(), 0);
    QVERIFY(m_window->hasChanges());
}

void TestProjectCatalogue::openingFillsTheOpenProjectState() {
    const QString picture = m_shell->db.path("mustang.bmp");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture, "BMP"));
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "UPDATE RSLVehicles SET graphic_path = '" + picture + "'"));
    QPointer<QWidget> maintenance = m_shell->showWindow(WindowId::Maintenance);
    QVERIFY(show());
    m_shell->calls.clear();

    // Nothing selected: nothing happens.
    click("cmdOpen");
    QCOMPARE(m_shell->calls, QStringList());
    QVERIFY(m_window);

    select("lstOpenvehicle", "1986 FORD MUSTANG");
    click("cmdOpen");
    const AppState& state = m_shell->appState;
    QCOMPARE(state.vehiclenumber, 1);
    QCOMPARE(state.vehiclenumbera, "1");
    QCOMPARE(state.openvehiclenumber, "1");
    QCOMPARE(state.vehicledescription, "1986 FORD MUSTANG");
    QCOMPARE(state.graphic, picture);
    QCOMPARE(m_shell->caption, "Rastrel - 1986 FORD MUSTANG");
    QCOMPARE(m_shell->background, picture);
    QTRY_VERIFY(!maintenance);
    QTRY_VERIFY(!m_window);
    QVERIFY(m_shell->window(WindowId::Worksheet));
    QCOMPARE(m_shell->shown.last(), WindowId::Worksheet);
    // With a project open the catalogue leaves the project commands disabled.
    QCOMPARE(m_shell->calls, (QStringList{"toolenabled", "disablemenu"}));
}

void TestProjectCatalogue::deletingAsksAndRemovesTheWholeProject() {
    ProjectStore projects(m_shell->data());
    QVERIFY(projects.refillNewBudget().ok());
    QVERIFY(m_shell->data()
                .recordSet(Command::RSLCategorybudget)
                .setFilter("Cat_vehicle_number = 0")
                .ok());
    QVERIFY(
        m_shell->data().recordSet(Command::RSLCategorybudget).setValue("Budget_amount", 5).ok());
    QCOMPARE(projects.addProject({"1932", "O'NEIL", "O'BRIEN", QString(), "5"}).number, 2);
    QVERIFY(m_shell->data()
                .execute("RSLMaster",
                         "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number) "
                         "VALUES ('OIL PUMP', 9, 2)")
                .ok());
    QVERIFY(show());
    const QString entry = "1932 O'NEIL O'BRIEN";
    select("lstDeletevehicle", entry);

    m_shell->scripted.queueNo();
    click("cmdDelete");
    const auto question = m_shell->scripted.messages().last();
    QCOMPARE(question.kind, ScriptedToolkit::Kind::YesNo);
    QCOMPARE(question.text, "Deleting the project 1932 O'NEIL O'BRIEN is permanent. Are you sure "
                            "you want to continue?");
    QCOMPARE(question.title, "Rastrel - Delete 1932 O'NEIL O'BRIEN");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 2);
    QVERIFY(m_window);

    m_shell->scripted.queueYes();
    click("cmdDelete");
    QCOMPARE(m_shell->scripted.lastText(), entry + " has been deleted.");
    QTRY_VERIFY(!m_window);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 2"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 2"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
}

void TestProjectCatalogue::failedDeleteKeepsTheProject() {
    QVERIFY(TestDatabase::exec(m_shell->db.databasePath(),
                               "CREATE TRIGGER refuse BEFORE DELETE ON RSLMaster BEGIN SELECT "
                               "RAISE(ABORT, 'disk trouble'); END"));
    QVERIFY(show());
    select("lstDeletevehicle", "1986 FORD MUSTANG");
    m_shell->scripted.queueYes();
    click("cmdDelete");
    QVERIFY(m_shell->scripted.lastText().startsWith("1986 FORD MUSTANG could not be deleted."));
    QVERIFY(m_window);
    QCOMPARE(child<QListWidget>("lstDeletevehicle")->count(), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 1"), 12);
}

void TestProjectCatalogue::editOpensTheEditWindowOnTheSelection() {
    QVERIFY(show());
    click("cmdEdit");
    QVERIFY(m_shell->scripted.modalDialogs().isEmpty());
    select("lstEditvehicle", "1986 FORD MUSTANG");
    click("cmdEdit");
    QCOMPARE(m_shell->scripted.modalDialogs().size(), 1);
    auto* edit = qobject_cast<EditProjectDialog*>(m_shell->scripted.modalDialogs().last());
    QVERIFY(edit);
    QCOMPARE(edit->windowTitle(), "Edit Project - 1986 FORD MUSTANG");
    QCOMPARE(m_shell->appState.vehicleedit, "Y");
}

QTEST_MAIN(TestProjectCatalogue)
#include "test_projectcatalogue.moc"
