#include "AccessibleNames.h"
#include "AppState.h"
#include "ChildWindow.h"
#include "DataStore.h"
#include "MainWindow.h"
#include "MdiHost.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "TestDatabase.h"
#include "WindowFactories.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGraphicsView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

void selectThroughInterface(QAbstractItemView* view, int row) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QVERIFY(iface && iface->tableInterface());
    QVERIFY(iface->tableInterface()->selectRow(row));
}

} // namespace

// The windows as a screen reader meets them.
class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void everyControlOfEveryWindowHasItsName();
    void aSelectionThroughTheInterfaceIsWhatButtonsActOn_data();
    void aSelectionThroughTheInterfaceIsWhatButtonsActOn();
    void aMaintenanceListEntrySelectedThroughTheInterfaceIsChosen();
    void aProjectSelectedThroughTheInterfaceIsTheOneOpened();

private:
    MainWindow& main() { return *m_window; }
    void start(bool withProject);
    template <typename T> T* in(WindowId id, const char* name) {
        QWidget* w = m_window->window(id);
        return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    void check(QWidget* window, QStringList& failures) {
        failures << AccessibleNames::missing(window);
    }
    QDialog* lastDialog() {
        return m_toolkit->modalDialogs().isEmpty() ? nullptr : m_toolkit->modalDialogs().last();
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedToolkit> m_toolkit;
    std::unique_ptr<MainWindow> m_window;
};

void TestAccessibility::init() {
    m_db = std::make_unique<TestDatabase>();
    m_toolkit = std::make_unique<ScriptedToolkit>();
    MainWindow::Options o;
    o.databasePath = m_db->databasePath();
    o.settingsFile = m_db->settingsPath();
    o.lockFile = m_db->path("rastrel.lock");
    o.showSplash = false;
    m_window = std::make_unique<MainWindow>(o, *m_toolkit);
    installWindows(*m_window);
    m_window->resize(1280, 900);
}

void TestAccessibility::cleanup() {
    m_window.reset();
    m_toolkit.reset();
    m_db.reset();
}

void TestAccessibility::start(bool withProject) {
    if (withProject) {
        Settings s(m_db->settingsPath());
        s.setValue(Settings::kOpenLastVehicle, "Y");
        s.setValue(Settings::kVehicleLastOpened, "1");
        s.sync();
    }
    QVERIFY(main().startUp());
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
}

void TestAccessibility::everyControlOfEveryWindowHasItsName() {
    start(true);
    QStringList failures;

    // The worksheet with a line loaded, so that its combo boxes hold names.
    QWidget* worksheet = main().window(WindowId::Worksheet);
    QVERIFY(worksheet);
    auto* grid = worksheet->findChild<QTableView*>("MSFlexGrid1");
    const QPoint at = grid->visualRect(grid->model()->index(0, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(worksheet->findChild<QTabWidget*>("SSTab1")->currentIndex(), 1);
    QVERIFY(!worksheet->findChild<QWidget*>("panel0")
                 ->findChild<QComboBox*>("cmbVendor")
                 ->currentText()
                 .isEmpty());
    check(worksheet, failures);

    // (The built-in browser needs a web engine; its own test covers it.)
    for (WindowId id : {WindowId::Maintenance, WindowId::ReportsGraphs, WindowId::Help,
                        WindowId::Graph1, WindowId::Graph2, WindowId::Graph3, WindowId::Graph4}) {
        QWidget* w = main().showWindow(id);
        QVERIFY2(w, qPrintable(Windows::objectName(id)));
        check(w, failures);
    }
    // A graph also says what it shows.
    auto* chart = main().window(WindowId::Graph4)->findChild<QGraphicsView*>();
    QAccessibleInterface* graph = QAccessible::queryAccessibleInterface(chart);
    QVERIFY(graph->text(QAccessible::Description).contains("Budget Amount $"));

    // Every report through the chooser, the shopping list through its vendor chooser.
    auto* reports = in<QListWidget>(WindowId::ReportsGraphs, "lstReport");
    for (int i = 0; i < reports->count(); ++i) {
        main().showWindow(WindowId::ReportsGraphs);
        reports->setCurrentRow(i);
        const int dialogs = int(m_toolkit->modalDialogs().size());
        QTest::mouseClick(in<QPushButton>(WindowId::ReportsGraphs, "cmdPrint"), Qt::LeftButton);
        if (m_toolkit->modalDialogs().size() > dialogs) {
            QDialog* vendors = lastDialog();
            check(vendors, failures);
            vendors->findChild<QListWidget*>()->setCurrentRow(0);
            QTest::mouseClick(vendors->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
        }
        QWidget* report = main().mdiHost()->activeChild();
        QVERIFY2(report && report->objectName() != "frmReportsGraphs",
                 qPrintable(reports->item(i)->text()));
        check(report, failures);
    }

    // The catalogue with its budget and edit dialogs.
    QWidget* catalogue = main().showWindow(WindowId::Projects);
    check(catalogue, failures);
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmBudgetbycategory"), Qt::LeftButton);
    if (QDialog* budget = lastDialog()) {
        check(budget, failures);
        budget->close();
    }
    auto* tabs = catalogue->findChild<QTabWidget*>("SSTab1");
    tabs->setCurrentIndex(2);
    catalogue->findChild<QListWidget*>("lstEditvehicle")->setCurrentRow(0);
    const int before = int(m_toolkit->modalDialogs().size());
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmdEdit"), Qt::LeftButton);
    QCOMPARE(int(m_toolkit->modalDialogs().size()), before + 1);
    QDialog* edit = lastDialog();
    QVERIFY(!edit->findChild<QComboBox*>("cmbMake")->currentText().isEmpty());
    check(edit, failures);
    edit->close();

    for (const char* item : {"mnuoptions", "mnuabout", "mnutechsupport"}) {
        main().action(item)->trigger();
        QDialog* d = lastDialog();
        QVERIFY2(d, item);
        check(d, failures);
        d->close();
    }
    main().showDialog(MainWindow::Dialog::Reminder);
    check(lastDialog(), failures);

    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("\n"))));
}

void TestAccessibility::aSelectionThroughTheInterfaceIsWhatButtonsActOn_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("opens");
    QTest::newRow("reports") << "lstReport"
                             << "cmdPrint"
                             << "Vendor Report"
                             << "vendordata";
    QTest::newRow("graphs") << "lstGraph"
                            << "cmdSelect"
                            << "Budget Amount Vs. Forecast Amount"
                            << "frmShowgraph3";
    QTest::newRow("vendor chooser") << "lstVendor"
                                    << "cmdSelect"
                                    << "GEARHEAD DIRECT"
                                    << "shoppinglist";
}

void TestAccessibility::aSelectionThroughTheInterfaceIsWhatButtonsActOn() {
    QFETCH(QString, list);
    QFETCH(QString, button);
    QFETCH(QString, item);
    QFETCH(QString, opens);
    start(true);
    QWidget* chooser = main().showWindow(WindowId::ReportsGraphs);
    QWidget* window = chooser;
    if (list == u"lstVendor") {
        auto* reports = chooser->findChild<QListWidget*>("lstReport");
        reports->setCurrentItem(
            reports->findItems("Vendor Shopping List Report", Qt::MatchExactly).first());
        QTest::mouseClick(chooser->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
        window = lastDialog();
        QVERIFY(window);
    }
    auto* view = window->findChild<QListWidget*>(list);
    QVERIFY(view);
    if (list == u"lstGraph")
        chooser->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
    // The list made its first entry current when it got the focus; the
    // screen reader then selects another.
    view->setCurrentRow(0);
    const QList<QListWidgetItem*> wanted = view->findItems(item, Qt::MatchExactly);
    QCOMPARE(wanted.size(), 1);
    QVERIFY(view->row(wanted.first()) != 0);
    selectThroughInterface(view, view->row(wanted.first()));
    QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
    QWidget* active = main().mdiHost()->activeChild();
    QVERIFY(active);
    QCOMPARE(active->objectName(), opens);
    QVERIFY(m_toolkit->messages().isEmpty());
}

void TestAccessibility::aMaintenanceListEntrySelectedThroughTheInterfaceIsChosen() {
    start(true);
    QWidget* maintenance = main().showWindow(WindowId::Maintenance);
    maintenance->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
    QWidget* vendors = maintenance->findChild<QWidget*>("cmbvendordatabase");
    auto* list = vendors->findChild<QListWidget*>("list");
    const QList<QListWidgetItem*> wanted = list->findItems("GEARHEAD DIRECT", Qt::MatchExactly);
    QCOMPARE(wanted.size(), 1);
    selectThroughInterface(list, list->row(wanted.first()));
    // As if clicked: the name and the vendor's fields are filled in, and
    // Change now knows which vendor it renames.
    QCOMPARE(vendors->findChild<QLineEdit*>("edit")->text(), QStringLiteral("GEARHEAD DIRECT"));
    QVERIFY(!maintenance->findChild<QLineEdit*>("iovendorphone")->text().trimmed().isEmpty());
    QVERIFY(maintenance->findChild<QPushButton*>("cmdchange2")->isEnabled());
    QCOMPARE(list->currentRow(), list->row(wanted.first()));
}

void TestAccessibility::aProjectSelectedThroughTheInterfaceIsTheOneOpened() {
    m_db->open();
    QVERIFY(TestDatabase::exec(
        m_db->databasePath(),
        "INSERT INTO RSLVehicles (vehicle_number, vehicle_description, vehicle_year, "
        "vehicle_make, vehicle_model, graphic_path, budget_amount) VALUES (2, '1970 DODGE DART', "
        "'1970', 'DODGE', 'DART', '', 0)"));
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (2)"));
    start(false);
    QWidget* catalogue = main().window(WindowId::Projects);
    QVERIFY(catalogue);
    auto* list = catalogue->findChild<QListWidget*>("lstOpenvehicle");
    QCOMPARE(list->count(), 2);
    list->setCurrentRow(0);
    const int row = list->row(list->findItems("1986 FORD MUSTANG", Qt::MatchExactly).first());
    selectThroughInterface(list, row == 0 ? 1 : 0);
    const QString chosen = list->item(row == 0 ? 1 : 0)->text();
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmdOpen"), Qt::LeftButton);
    QTRY_VERIFY(main().window(WindowId::Worksheet));
    QCOMPARE(main().state().vehicledescription, chosen);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
