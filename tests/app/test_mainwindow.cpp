#include "AppState.h"
#include "DataStore.h"
#include "MainWindowFixture.h"
#include "MdiHost.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolBar>

namespace {

// The main window with every feature window stubbed; counts the reminders shown.
struct Fixture : MainWindowFixture {
    int reminders = 0;

    Fixture() { remake(options()); }
    void remake(const MainWindow::Options& o) {
        makeWithStubs(o, {WindowId::Projects, WindowId::Worksheet, WindowId::Maintenance,
                          WindowId::ReportsGraphs, WindowId::Graph1, WindowId::Graph2,
                          WindowId::Help, WindowId::ReportPartData});
        window->registerDialog(MainWindow::Dialog::Reminder, [this](Shell&, QWidget* parent) {
            ++reminders;
            return new QDialog(parent);
        });
    }
    // On the database with its starter data, made before the window opens it.
    void sql(const QString& statement) {
        db.open();
        QVERIFY(TestDatabase::exec(db.databasePath(), statement));
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void startUpWithoutProjectsOffersNewProject();
    void reopensTheLastProject_data();
    void reopensTheLastProject();
    void exitAsksWithNoAsDefault();
    void closeProjectClearsStateButKeepsOtherWindows();
    void newProjectRefusals();
    void secondCopyIsRefusedWithoutTouchingSettings();
    void staleLockOfACrashedCopyIsTakenOver();
    void checkDatabaseAfterStartUp_data();
    void checkDatabaseAfterStartUp();
    void unwritableSettingsAreReportedOnce();
    void reminderIsShownOncePerRun();
    void windowMenuListsTheOpenWindows();
    void opensInsideTheScreen();
};

void TestMainWindow::startUpWithoutProjectsOffersNewProject() {
    Fixture f;
    f.sql("DELETE FROM RSLVehicles");
    f.settings().setValue(Settings::kOpenLastVehicle, "Y");
    f.settings().setValue(Settings::kVehicleLastOpened, "1");
    QVERIFY(f.window->startUp());
    QCOMPARE(f.stub(WindowId::Projects)->tab, 0);
    QVERIFY(!f.enabled("mnuopenvehicle") && f.enabled("mnunewvehicle"));
    f.window->closeWindow(WindowId::Projects);
    f.window->toolbarButton(2)->trigger();
    QVERIFY(f.toolkit.lastText().contains("no projects available"));
    QVERIFY(!f.window->window(WindowId::Projects));
}

void TestMainWindow::reopensTheLastProject_data() {
    QTest::addColumn<QString>("openLast");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("reopened");
    const char* const rows[][3] = {{"stored project", "Y", "1"},
                                   {"empty number", "Y", ""},
                                   {"deleted project", "Y", "7"},
                                   {"setting off", "N", "1"}};
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << (&r == &rows[0]);
}

void TestMainWindow::reopensTheLastProject() {
    QFETCH(QString, openLast);
    QFETCH(QString, stored);
    QFETCH(bool, reopened);
    Fixture f;
    if (!openLast.isEmpty()) {
        f.settings().setValue(Settings::kOpenLastVehicle, openLast);
        f.settings().setValue(Settings::kVehicleLastOpened, stored);
    }
    QVERIFY(f.window->startUp());
    QVERIFY(f.toolkit.messages().isEmpty());
    const AppState& st = f.window->state();
    QCOMPARE(st.openvehiclenumber, reopened ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(bool(f.window->window(WindowId::Worksheet)), reopened);
    QCOMPARE(f.enabled("mnuclosevehicle"), reopened);
    QCOMPARE(f.window->toolbarButton(2)->isEnabled(), !reopened);
    if (reopened) {
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Rastrel - 1986 FORD MUSTANG"));
        // Closing every window leaves the project open.
        f.window->showMaintenance(0);
        f.window->closeAllWindows();
        QVERIFY(f.window->mdiHost()->children().isEmpty());
        QCOMPARE(st.openvehiclenumber, QStringLiteral("1"));
    } else {
        QCOMPARE(f.stub(WindowId::Projects)->tab, 1);
    }
    // The toolbar's menu item hides it.
    f.window->action("mnutoolbar")->trigger();
    QVERIFY(f.window->toolbar()->isHidden());
    // Leaving stores the project that is open now (0 for none) for the next start.
    f.toolkit.queueYes();
    QVERIFY(f.window->close());
    QCOMPARE(f.settings().value(Settings::kVehicleLastOpened, "x"), reopened ? "1" : "0");
}

void TestMainWindow::exitAsksWithNoAsDefault() {
    Fixture f;
    QVERIFY(f.window->startUp());
    f.window->show();
    f.settings().setValue(Settings::kVehicleLastOpened, "5");
    f.toolkit.queueNo();
    QVERIFY(!f.window->close());
    QVERIFY(f.window->isVisible());
    QVERIFY(f.window->window(WindowId::Projects));
    QVERIFY(!f.toolkit.messages().last().defaultYes);
    QCOMPARE(f.settings().value(Settings::kVehicleLastOpened, "x"), QStringLiteral("5"));

    // Yes, but a window with unsaved input keeps the program running.
    f.stub(WindowId::Projects)->refuseClose = true;
    f.toolkit.queueYes();
    QVERIFY(!f.window->close());
    QVERIFY(f.window->window(WindowId::Projects));
}

void TestMainWindow::closeProjectClearsStateButKeepsOtherWindows() {
    Fixture f;
    const QString picture = QFINDTESTDATA("../../resources/icons/rastrel.png");
    f.sql(QStringLiteral("UPDATE RSLVehicles SET graphic_path = '%1'").arg(picture));
    f.settings().setValue(Settings::kOpenLastVehicle, "Y");
    f.settings().setValue(Settings::kVehicleLastOpened, "1");
    QVERIFY(f.window->startUp());
    QVERIFY(f.window->mdiHost()->hasBackgroundPicture());
    f.window->showMaintenance(1);
    f.window->showWindow(WindowId::Graph2);
    f.window->showWindow(WindowId::ReportPartData);

    // A window with unsaved input keeps the project open.
    f.stub(WindowId::Worksheet)->refuseClose = true;
    f.window->action("mnuclosevehicle")->trigger();
    QCOMPARE(f.window->state().openvehiclenumber, QStringLiteral("1"));
    f.stub(WindowId::Worksheet)->refuseClose = false;
    f.window->action("mnuclosevehicle")->trigger();
    const AppState& st = f.window->state();
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Rastrel - No Project Open"));
    QCOMPARE(st.vehiclenumber, 0);
    QCOMPARE(st.openvehiclenumber, QStringLiteral("0"));
    QVERIFY(!f.window->window(WindowId::Worksheet) && !f.window->window(WindowId::Graph2));
    QVERIFY(f.window->window(WindowId::Maintenance) && f.window->window(WindowId::ReportPartData));
    QVERIFY(!f.window->mdiHost()->hasBackgroundPicture());
    QVERIFY(f.enabled("mnunewvehicle") && !f.enabled("mnugraphs"));
}

void TestMainWindow::newProjectRefusals() {
    Fixture f;
    f.sql("INSERT INTO RSLVehiclesused VALUES (99)");
    QVERIFY(f.window->startUp());
    f.window->closeWindow(WindowId::Projects);
    // 99 alone in use still leaves free numbers.
    f.window->action("mnunewvehicle")->trigger();
    QCOMPARE(f.stub(WindowId::Projects)->tab, 0);
    f.window->closeWindow(WindowId::Projects);

    f.sql("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 98) "
          "INSERT INTO RSLVehiclesused SELECT i FROM n");
    f.window->action("mnunewvehicle")->trigger();
    QVERIFY(f.toolkit.lastText().contains("maximum number of vehicles"));
    QVERIFY(!f.window->window(WindowId::Projects));

    f.window->state().openvehiclenumber = "1";
    f.window->newProject();
    QVERIFY(f.toolkit.lastText().contains("must close the currently open project"));
}

void TestMainWindow::secondCopyIsRefusedWithoutTouchingSettings() {
    Fixture first;
    QVERIFY(first.window->startUp());
    first.settings().setValue(Settings::kVehicleLastOpened, "3");

    ScriptedToolkit toolkit;
    MainWindow second(first.options(), toolkit);
    QVERIFY(!second.startUp());
    QCOMPARE(toolkit.messages().size(), 1);
    QVERIFY(toolkit.lastText().contains("already have a copy"));
    QCOMPARE(first.settings().value(Settings::kVehicleLastOpened, "x"), QStringLiteral("3"));
}

void TestMainWindow::staleLockOfACrashedCopyIsTakenOver() {
    Fixture f;
    // A lock left by a process that no longer runs.
    QVERIFY(TestDatabase::writeFile(
        f.options().lockFile, "999999\nrastrel\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    QVERIFY(f.window->startUp());
}

void TestMainWindow::checkDatabaseAfterStartUp_data() {
    QTest::addColumn<QByteArray>("file"); // empty for a sound database
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<QString>("checked");
    QTest::newRow("sound") << QByteArray() << ""
                           << "no damage was found";
    // An unusable file starts without data, and there is nothing to check.
    QTest::newRow("unusable") << QByteArray("not a database") << "not a Rastrel database"
                              << "is not open";
}

void TestMainWindow::checkDatabaseAfterStartUp() {
    QFETCH(QByteArray, file);
    QFETCH(QString, atStart);
    QFETCH(QString, checked);
    Fixture f;
    QVERIFY(file.isEmpty() ? f.db.open() != nullptr
                           : TestDatabase::writeFile(f.db.databasePath(), file));
    QVERIFY(f.window->startUp());
    QCOMPARE(f.toolkit.messages().size(), atStart.isEmpty() ? 0 : 1);
    QVERIFY(f.toolkit.texts().join('|').contains(atStart));
    f.window->action("mnucheckdatabase")->trigger();
    QVERIFY(f.toolkit.lastText().contains(checked));
    QCOMPARE(f.toolkit.messages().size(), atStart.isEmpty() ? 1 : 2);
}

void TestMainWindow::unwritableSettingsAreReportedOnce() {
    Fixture f;
    // A file stands where the settings folder should be made.
    QVERIFY(TestDatabase::writeFile(f.db.path("blocker"), {}));
    MainWindow::Options o = f.options();
    o.settingsFile = f.db.path("blocker/settings.ini");
    f.remake(o);
    QVERIFY(f.window->startUp());
    f.toolkit.clear();
    f.window->saveLastOpened();
    f.window->saveLastOpened();
    QCOMPARE(f.toolkit.messages().size(), 1);
    QVERIFY(f.toolkit.lastText().contains("blocker"));
}

void TestMainWindow::reminderIsShownOncePerRun() {
    Fixture f;
    QVERIFY(f.window->startUp());
    f.window->firstActivation();
    f.window->firstActivation();
    QCOMPARE(f.reminders, 1);

    Fixture off;
    off.settings().setValue(Settings::kShowReminder, "N");
    QVERIFY(off.window->startUp());
    off.window->firstActivation();
    QCOMPARE(off.reminders, 0);
}

void TestMainWindow::windowMenuListsTheOpenWindows() {
    Fixture f;
    QVERIFY(f.window->startUp());
    // The status panels show what the windows write there.
    f.window->state().setStatusText(2, "All Parts For Project", "All Parts For Project");
    QCOMPARE(f.window->statusPanel(2)->text(), QStringLiteral("All Parts For Project"));
    f.window->showWindow(WindowId::ReportsGraphs);
    f.window->window(WindowId::ReportsGraphs)->setWindowTitle("Reports & Graphs");
    auto* menu = f.window->findChild<QMenu*>("mnuwindow");
    QVERIFY(menu);
    Q_EMIT menu->aboutToShow();
    QStringList listed;
    for (QAction* a : menu->actions())
        if (a->isCheckable())
            listed << a->text();
    // The frames list in the order they were opened; the active one is ticked.
    QCOMPARE(listed, QStringList({"&1 frmProjects", "&2 Reports && Graphs"}));
    QVERIFY(menu->actions().constLast()->isChecked());
    menu->actions()[menu->actions().size() - 2]->trigger();
    QCOMPARE(static_cast<QWidget*>(f.window->mdiHost()->activeChild()),
             f.window->window(WindowId::Projects));
}

void TestMainWindow::opensInsideTheScreen() {
    Fixture f;
    QVERIFY(f.window->startUp());
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    const QRect free = f.window->screen()->availableGeometry();
    // The test screen is smaller than the size the window asks for.
    QVERIFY(free.width() < 1100 || free.height() < 760);
    QVERIFY(free.contains(f.window->frameGeometry()));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
