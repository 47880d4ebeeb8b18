#include "AccessibleNames.h"
#include "AppState.h"
#include "DamagedFiles.h"
#include "DataStore.h"
#include "ForeignLock.h"
#include "MainWindowFixture.h"
#include "MdiHost.h"
#include "ProjectStore.h"
#include "ReadOnlyFolder.h"
#include "WorksheetLines.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

namespace {

void selectThroughInterface(QAbstractItemView* view, int row) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QVERIFY(iface && iface->tableInterface());
    QVERIFY(iface->tableInterface()->selectRow(row));
}

} // namespace

// The features working together in the real main window: what the windows
// hand to each other through the main window and its shared state.
class TestIntegration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void unknownPartGoesToMaintenanceAndComesBack();
    void helpAndWebPagesOpen();
    void everyWindowFitsASmallScreenInFront();
    void startUpProblemsGiveOneMessageAndWriteNothing_data();
    void startUpProblemsGiveOneMessageAndWriteNothing();
    void aRefusedWriteKeepsTheTypedLine_data();
    void aRefusedWriteKeepsTheTypedLine();

    // As a screen reader meets the windows.
    void everyControlOfEveryWindowHasItsName();
    void aReportSelectedThroughTheInterfaceIsTheOneShown();
    void aMaintenanceListEntrySelectedThroughTheInterfaceIsChosen();
    void aProjectSelectedThroughTheInterfaceIsTheOneOpened();

private:
    MainWindow& main() { return *m_f->window; }
    template <typename T> T* in(WindowId id, const char* name) { return m_f->in<T>(id, name); }
    void startWithProjectOpen();
    QDialog* lastDialog() { return m_f->lastDialog(); }

    std::unique_ptr<MainWindowFixture> m_f;
};

void TestIntegration::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->makeReal();
}

void TestIntegration::cleanup() {
    m_f.reset();
}

void TestIntegration::startWithProjectOpen() {
    m_f->rememberSampleProject();
    QVERIFY(m_f->startAndShow());
    QVERIFY(main().window(WindowId::Worksheet));
}

void TestIntegration::unknownPartGoesToMaintenanceAndComesBack() {
    startWithProjectOpen();
    QWidget* worksheet = main().window(WindowId::Worksheet);
    auto* tabs = worksheet->findChild<QTabWidget*>("SSTab1");
    tabs->setCurrentIndex(2);
    QWidget* add = worksheet->findChild<QWidget*>("panel1");
    auto* part = add->findChild<QComboBox*>("cmbPartname");
    part->setFocus();
    part->setEditText("hood scoop");
    QTest::mouseClick(worksheet->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QVERIFY(m_f->toolkit.lastText().contains("does not exist"));
    QCOMPARE(main().state().addpart, QStringLiteral("Y"));
    QCOMPARE(main().state().passpart, QStringLiteral("HOOD SCOOP"));
    const QString stored = "SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'HOOD SCOOP'";
    QCOMPARE(TestDatabase::scalar(m_f->db.databasePath(), stored).toInt(), 0);

    QWidget* maintenance = main().window(WindowId::Maintenance);
    QVERIFY(maintenance);
    auto* name = maintenance->findChild<QWidget*>("cmbpartdatabase")->findChild<QLineEdit*>();
    QCOMPARE(name->text(), QStringLiteral("HOOD SCOOP"));
    maintenance->findChild<QComboBox*>("cmbCategory")->setEditText("BODY");
    QPushButton* addPart = nullptr;
    for (auto* b : maintenance->findChildren<QPushButton*>("cmdAdd"))
        addPart = b;
    QVERIFY(addPart);
    QTest::mouseClick(addPart, Qt::LeftButton);
    QCOMPARE(main().state().addpart, QString());
    // The name comes back to the add panel; back on the worksheet, the
    // category it was given shows beside it.
    QTRY_COMPARE(part->currentText(), QStringLiteral("HOOD SCOOP"));
    main().showWindow(WindowId::Worksheet);
    QCOMPARE(add->findChild<QComboBox*>("cmbCategory")->currentText(), QStringLiteral("BODY"));
}

void TestIntegration::helpAndWebPagesOpen() {
    QVERIFY(main().startUp());
    main().action("mnucontents")->trigger();
    QVERIFY(main().window(WindowId::Help));
    main().toolbarButton(13)->trigger();
    QCOMPARE(main().mdiHost()->activeChild(), main().window(WindowId::Help));

    main().settings().setValue(Settings::kBrowser, "I");
    main().openWebPage("http://www.example.test");
    QCOMPARE(m_f->toolkit.openedUrls().size(), 1);
    QVERIFY(!main().window(WindowId::Browser));
}

void TestIntegration::everyWindowFitsASmallScreenInFront() {
    startWithProjectOpen();
    // What a 1024 x 700 screen leaves the frame once its title bar is drawn.
    main().resize(1024, 670);
    QTRY_COMPARE(main().size(), QSize(1024, 670));
    const QRect area = main().mdiHost()->viewport()->rect();
    for (WindowId id : {WindowId::Projects, WindowId::Maintenance, WindowId::ReportsGraphs,
                        WindowId::Help, WindowId::Graph4}) {
        QWidget* w = main().showWindow(id);
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(frame);
        // In front, wholly in sight, and not squeezed below the size its controls need.
        QCOMPARE(main().mdiHost()->subWindowList(QMdiArea::StackingOrder).last(), frame);
        QVERIFY(area.contains(frame->geometry()));
        QCOMPARE(w->size().expandedTo(w->minimumSizeHint().expandedTo(w->minimumSize())),
                 w->size());
    }
}

void TestIntegration::startUpProblemsGiveOneMessageAndWriteNothing_data() {
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    const char* const rows[][3] = {
        {"none", "none", ""},
        {"damaged", "cut in half", "cut short"},
        {"newer", "newer version in WAL mode", "newer version"},
        {"locked", "locked", "in use by another program"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
}

void TestIntegration::startUpProblemsGiveOneMessageAndWriteNothing() {
    QFETCH(QString, problem);
    QFETCH(QString, message);
    const QString path = m_f->db.databasePath();
    { m_f->db.open(); }
    if (problem != u"none" && problem != u"locked") {
        QVERIFY(DamagedFiles::make(problem, path, m_f->db.path("made.sqlite")));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(m_f->db.path("made.sqlite"), path));
    }
    if (problem == u"none") {
        // A file some earlier run has shown the catalogue for.
        auto store = m_f->db.open();
        QVERIFY(ProjectStore(*store).refillNewBudget().ok());
    }
    const QByteArray before = TestDatabase::readFile(path);
    {
        std::unique_ptr<ForeignLock> lock;
        if (problem == u"locked")
            lock = std::make_unique<ForeignLock>(path);
        QVERIFY(main().startUp());
        main().show();
        QTest::qWait(50);
    }
    QCOMPARE(m_f->toolkit.messages().size(), message.isEmpty() ? 0 : 1);
    QVERIFY(m_f->toolkit.texts().join('|').contains(message));
    m_f->toolkit.queueYes();
    QVERIFY(main().close());
    m_f->window.reset();
    // Starting and ending a run without a change leaves the file as it was.
    QCOMPARE(TestDatabase::readFile(path), before);
}

void TestIntegration::everyControlOfEveryWindowHasItsName() {
    startWithProjectOpen();
    QStringList failures;
    auto check = [&](QWidget* window) { failures << AccessibleNames::missing(window); };

    // The worksheet with a line loaded, so that its combo boxes hold names.
    QVERIFY(editFirstLine(main().window(WindowId::Worksheet)));
    check(main().window(WindowId::Worksheet));
    // (The built-in browser needs a web engine; its own test covers it.)
    for (WindowId id : {WindowId::Maintenance, WindowId::ReportsGraphs, WindowId::Help,
                        WindowId::Graph4, WindowId::Projects})
        check(main().showWindow(id));

    // A report, and the shopping list through its vendor chooser.
    for (const char* report : {"Vendor Report", "Vendor Shopping List Report"}) {
        auto* reports = in<QListWidget>(WindowId::ReportsGraphs, "lstReport");
        main().showWindow(WindowId::ReportsGraphs);
        reports->setCurrentItem(reports->findItems(report, Qt::MatchExactly).value(0));
        const int dialogs = int(m_f->toolkit.modalDialogs().size());
        QTest::mouseClick(in<QPushButton>(WindowId::ReportsGraphs, "cmdPrint"), Qt::LeftButton);
        if (m_f->toolkit.modalDialogs().size() > dialogs) {
            QDialog* vendors = lastDialog();
            check(vendors);
            vendors->findChild<QListWidget*>()->setCurrentRow(0);
            QTest::mouseClick(vendors->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
        }
        QWidget* shown = main().mdiHost()->activeChild();
        QVERIFY2(shown && shown->objectName() != "frmReportsGraphs", report);
        check(shown);
    }

    // The catalogue's edit dialog, with a project loaded.
    QWidget* catalogue = main().showWindow(WindowId::Projects);
    catalogue->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
    catalogue->findChild<QListWidget*>("lstEditvehicle")->setCurrentRow(0);
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmdEdit"), Qt::LeftButton);
    QDialog* edit = lastDialog();
    QVERIFY(edit && !edit->findChild<QComboBox*>("cmbMake")->currentText().isEmpty());
    check(edit);
    edit->close();
    for (const char* item : {"mnuoptions", "mnuabout"}) {
        main().action(item)->trigger();
        check(lastDialog());
        lastDialog()->close();
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("\n"))));
}

// What a screen reader selects is what the buttons act on, not the entry the
// list made current when it got the focus.
void TestIntegration::aReportSelectedThroughTheInterfaceIsTheOneShown() {
    startWithProjectOpen();
    auto* view = main().showWindow(WindowId::ReportsGraphs)->findChild<QListWidget*>("lstReport");
    view->setCurrentRow(0);
    const QList<QListWidgetItem*> wanted = view->findItems("Vendor Report", Qt::MatchExactly);
    QVERIFY(wanted.size() == 1 && view->row(wanted.first()) != 0);
    selectThroughInterface(view, view->row(wanted.first()));
    QTest::mouseClick(in<QPushButton>(WindowId::ReportsGraphs, "cmdPrint"), Qt::LeftButton);
    QCOMPARE(main().mdiHost()->activeChild()->objectName(), QStringLiteral("vendordata"));
}

void TestIntegration::aMaintenanceListEntrySelectedThroughTheInterfaceIsChosen() {
    startWithProjectOpen();
    QWidget* maintenance = main().showWindow(WindowId::Maintenance);
    maintenance->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
    QWidget* vendors = maintenance->findChild<QWidget*>("cmbvendordatabase");
    auto* list = vendors->findChild<QListWidget*>("list");
    const int row = list->row(list->findItems("GEARHEAD DIRECT", Qt::MatchExactly).value(0));
    selectThroughInterface(list, row);
    // As if clicked: Change now knows which vendor it renames.
    QCOMPARE(vendors->findChild<QLineEdit*>("edit")->text(), QStringLiteral("GEARHEAD DIRECT"));
    QVERIFY(maintenance->findChild<QPushButton*>("cmdchange2")->isEnabled());
    QCOMPARE(list->currentRow(), row);
}

void TestIntegration::aProjectSelectedThroughTheInterfaceIsTheOneOpened() {
    m_f->db.open();
    QVERIFY(TestDatabase::exec(
        m_f->db.databasePath(),
        "INSERT INTO RSLVehicles (vehicle_number, vehicle_description, vehicle_year, "
        "vehicle_make, vehicle_model, graphic_path, budget_amount) VALUES (2, '1970 DODGE DART', "
        "'1970', 'DODGE', 'DART', '', 0)"));
    QVERIFY(TestDatabase::exec(m_f->db.databasePath(), "INSERT INTO RSLVehiclesused VALUES (2)"));
    QVERIFY(m_f->startAndShow());
    auto* list = in<QListWidget>(WindowId::Projects, "lstOpenvehicle");
    const int dart = list->row(list->findItems("1970 DODGE DART", Qt::MatchExactly).value(0));
    list->setCurrentRow(1 - dart);
    selectThroughInterface(list, dart);
    QTest::mouseClick(in<QPushButton>(WindowId::Projects, "cmdOpen"), Qt::LeftButton);
    QTRY_COMPARE(main().state().openvehiclenumber, QStringLiteral("2"));
}

void TestIntegration::aRefusedWriteKeepsTheTypedLine_data() {
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("accept");
    QTest::newRow("locked, add part") << true << false;
    QTest::newRow("read-only folder, accept changes") << false << true;
}

// Another program holds the file, or its folder turns read-only while the
// file is open (a disk remounted, a share taken away): the file still reads,
// but no change can be made. The typed line is kept, not taken for an
// unknown part, and goes in once when the cause is gone.
void TestIntegration::aRefusedWriteKeepsTheTypedLine() {
    QFETCH(bool, locked);
    QFETCH(bool, accept);
    startWithProjectOpen();
    QWidget* worksheet = main().window(WindowId::Worksheet);
    QWidget* panel = accept ? editFirstLine(worksheet) : worksheet->findChild<QWidget*>("panel1");
    QVERIFY(panel);
    if (!accept) {
        worksheet->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
        auto* part = panel->findChild<QComboBox*>("cmbPartname");
        part->setFocus();
        part->setEditText("ALTERNATOR");
    }
    auto* number = panel->findChild<QLineEdit*>("ioPartnumber");
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "RO-1138");
    const QString path = m_f->db.databasePath();
    const QString lines = "SELECT COUNT(*) || '|' || SUM(Part_Number = 'RO-1138') FROM RSLMaster";
    const QString linesBefore = TestDatabase::scalar(path, lines).toString();
    const QByteArray before = TestDatabase::readFile(path);
    auto* button = worksheet->findChild<QPushButton*>(accept ? "cmdAccept" : "cmdAdd");
    {
        std::unique_ptr<ForeignLock> lock;
        std::unique_ptr<ReadOnlyFolder> readOnly;
        if (locked)
            lock = std::make_unique<ForeignLock>(path);
        else if (readOnly = std::make_unique<ReadOnlyFolder>(QFileInfo(path).absolutePath());
                 !readOnly->isReadOnly())
            QSKIP(qPrintable(readOnly->reason()));
        m_f->toolkit.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_f->toolkit.messages().size(), 1);
        QVERIFY(m_f->toolkit.lastText().contains(locked ? "locked" : "is read-only"));
        QVERIFY(!main().window(WindowId::Maintenance));
        QCOMPARE(main().state().addpart, QString());
        QCOMPARE(number->text(), QStringLiteral("RO-1138"));
        QCOMPARE(TestDatabase::readFile(path), before);
    }
    QCOMPARE(TestDatabase::scalar(path, lines).toString(), linesBefore);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(TestDatabase::scalar(path, "SELECT SUM(Part_Number = 'RO-1138') FROM RSLMaster"), 1);
}

QTEST_MAIN(TestIntegration)
#include "test_integration.moc"
