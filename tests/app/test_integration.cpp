#include "AppState.h"
#include "ChildWindow.h"
#include "DamagedFiles.h"
#include "DataStore.h"
#include "MainWindow.h"
#include "MdiHost.h"
#include "ProjectStore.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "TestDatabase.h"
#include "WindowFactories.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

// The features working together in the real main window: what the windows
// hand to each other through the main window and its shared state.
class TestIntegration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void catalogueOpensTheProjectIntoTheWorksheet();
    void unknownPartGoesToMaintenanceAndComesBack();
    void reportsAndGraphsOpenFromTheChooser();
    void closeProjectKeepsAWorksheetWithUnsavedInput();
    void helpAndWebPagesOpen();
    void dialogsOpenFromTheMenus();
    void aNewWindowComesToTheFront();
    void everyWindowFitsASmallScreen();
    void startUpProblemsGiveOneMessageAndWriteNothing_data();
    void startUpProblemsGiveOneMessageAndWriteNothing();
    void aLockedFileIsNotTakenForAnUnknownPart();

private:
    MainWindow& main() { return *m_window; }
    template <typename T> T* in(WindowId id, const char* name) {
        QWidget* w = m_window->window(id);
        return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    void startWithProjectOpen();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedToolkit> m_toolkit;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Another program's connection holding the whole file locked.
struct ForeignLock {
    QSqlDatabase db;
    explicit ForeignLock(const QString& path) {
        db = QSqlDatabase::addDatabase("QSQLITE", "foreign lock");
        db.setDatabaseName(path);
        if (!db.open() || !QSqlQuery(db).exec("BEGIN EXCLUSIVE"))
            QTest::qFail("cannot lock the file", __FILE__, __LINE__);
    }
    ~ForeignLock() {
        QSqlQuery(db).exec("ROLLBACK");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("foreign lock");
    }
};

} // namespace

void TestIntegration::init() {
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

void TestIntegration::cleanup() {
    m_window.reset();
    m_toolkit.reset();
    m_db.reset();
}

void TestIntegration::startWithProjectOpen() {
    Settings s(m_db->settingsPath());
    s.setValue(Settings::kOpenLastVehicle, "Y");
    s.setValue(Settings::kVehicleLastOpened, "1");
    s.sync();
    QVERIFY(main().startUp());
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
    QVERIFY(main().window(WindowId::Worksheet));
}

void TestIntegration::catalogueOpensTheProjectIntoTheWorksheet() {
    QVERIFY(main().startUp());
    main().show();
    auto* list = in<QListWidget>(WindowId::Projects, "lstOpenvehicle");
    QVERIFY(list);
    QCOMPARE(in<QTabWidget>(WindowId::Projects, "SSTab1")->currentIndex(), 1);
    list->setCurrentRow(0);
    QTest::mouseClick(in<QPushButton>(WindowId::Projects, "cmdOpen"), Qt::LeftButton);
    QTRY_VERIFY(!main().window(WindowId::Projects));
    QVERIFY(main().window(WindowId::Worksheet));
    QCOMPARE(main().windowTitle(), QStringLiteral("Rastrel - 1986 FORD MUSTANG"));
    QCOMPARE(main().window(WindowId::Worksheet)->windowTitle(),
             QStringLiteral("Project - 1986 FORD MUSTANG"));
    QCOMPARE(main().state().openvehiclenumber, QStringLiteral("1"));
    QVERIFY(main().action("mnuclosevehicle")->isEnabled());
    QVERIFY(!main().action("mnunewvehicle")->isEnabled());
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
    QVERIFY(m_toolkit->lastText().startsWith("You have entered a part name that does not exist"));
    QCOMPARE(main().state().addpart, QStringLiteral("Y"));
    QCOMPARE(main().state().passpart, QStringLiteral("HOOD SCOOP"));

    QWidget* maintenance = main().window(WindowId::Maintenance);
    QVERIFY(maintenance);
    QCOMPARE(maintenance->findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
    auto* name = maintenance->findChild<QWidget*>("cmbpartdatabase")->findChild<QLineEdit*>();
    QCOMPARE(name->text(), QStringLiteral("HOOD SCOOP"));
    maintenance->findChild<QComboBox*>("cmbCategory")->setEditText("BODY");
    QPushButton* addPart = nullptr;
    for (auto* b : maintenance->findChildren<QPushButton*>("cmdAdd"))
        addPart = b;
    QVERIFY(addPart);
    QTest::mouseClick(addPart, Qt::LeftButton);
    QCOMPARE(m_toolkit->lastText(), QStringLiteral("Part has been added."));
    QCOMPARE(main().state().addpart, QString());
    QTRY_COMPARE(part->currentText(), QStringLiteral("HOOD SCOOP"));
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(),
                                  "SELECT Category FROM RSLParts WHERE Part_Name = 'HOOD SCOOP'")
                 .toString(),
             QStringLiteral("BODY"));
}

void TestIntegration::reportsAndGraphsOpenFromTheChooser() {
    startWithProjectOpen();
    main().action("mnureports")->trigger();
    auto* reports = in<QListWidget>(WindowId::ReportsGraphs, "lstReport");
    QVERIFY(reports);
    QCOMPARE(reports->count(), 10);
    reports->setCurrentItem(reports->findItems("Project Report", Qt::MatchExactly).first());
    QTest::mouseClick(in<QPushButton>(WindowId::ReportsGraphs, "cmdPrint"), Qt::LeftButton);
    QTRY_VERIFY(main().window(WindowId::ReportVehicleData));
    QCOMPARE(main().state().marker("vehicledataopen"), QStringLiteral("Y"));

    main().action("mnugraphs")->trigger();
    QCOMPARE(in<QTabWidget>(WindowId::ReportsGraphs, "SSTab1")->currentIndex(), 1);
    auto* graphs = in<QListWidget>(WindowId::ReportsGraphs, "lstGraph");
    QCOMPARE(graphs->count(), 4);
    graphs->setCurrentItem(
        graphs->findItems("Budget Amount Vs. Actual Amount", Qt::MatchExactly).first());
    QTest::mouseClick(in<QPushButton>(WindowId::ReportsGraphs, "cmdSelect"), Qt::LeftButton);
    QTRY_VERIFY(main().window(WindowId::Graph2));
    QCOMPARE(main().window(WindowId::Graph2)->objectName(), QStringLiteral("frmShowgraph2"));

    // Closing the project takes the chooser and the graphs, not the report.
    main().action("mnuclosevehicle")->trigger();
    QVERIFY(!main().window(WindowId::Graph2));
    QVERIFY(!main().window(WindowId::ReportsGraphs));
    QVERIFY(main().window(WindowId::ReportVehicleData));
    main().closeAllWindows();
    QVERIFY(!main().window(WindowId::ReportVehicleData));
    QCOMPARE(main().state().marker("vehicledataopen"), QString());
}

void TestIntegration::closeProjectKeepsAWorksheetWithUnsavedInput() {
    startWithProjectOpen();
    QWidget* worksheet = main().window(WindowId::Worksheet);
    worksheet->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
    auto* part = worksheet->findChild<QWidget*>("panel1")->findChild<QComboBox*>("cmbPartname");
    part->setEditText("BATTERY");
    m_toolkit->queueYes(); // "Would you like to save your changes...": Yes keeps the window
    main().action("mnuclosevehicle")->trigger();
    QCOMPARE(m_toolkit->lastText(),
             QStringLiteral("Would you like to save your changes before leaving this form?"));
    QVERIFY(main().window(WindowId::Worksheet));
    QCOMPARE(main().state().openvehiclenumber, QStringLiteral("1"));
    QCOMPARE(main().windowTitle(), QStringLiteral("Rastrel - 1986 FORD MUSTANG"));

    m_toolkit->queueNo();
    main().action("mnuclosevehicle")->trigger();
    QVERIFY(!main().window(WindowId::Worksheet));
    QCOMPARE(main().state().openvehiclenumber, QStringLiteral("0"));
}

void TestIntegration::helpAndWebPagesOpen() {
    QVERIFY(main().startUp());
    main().action("mnucontents")->trigger();
    QVERIFY(main().window(WindowId::Help));
    QCOMPARE(main().window(WindowId::Help)->objectName(), QStringLiteral("frmHelp"));
    main().toolbarButton(13)->trigger();
    QCOMPARE(main().mdiHost()->activeChild(), main().window(WindowId::Help));

    Settings(m_db->settingsPath()).setValue(Settings::kBrowser, "I");
    main().settings().setValue(Settings::kBrowser, "I");
    main().openWebPage("http://WWW.EXAMPLE.TEST");
    QCOMPARE(m_toolkit->openedUrls().size(), 1);
    QCOMPARE(m_toolkit->openedUrls().first().host(), QStringLiteral("www.example.test"));
    QVERIFY(!main().window(WindowId::Browser));
}

void TestIntegration::dialogsOpenFromTheMenus() {
    QVERIFY(main().startUp());
    const QList<std::pair<const char*, const char*>> dialogs = {
        {"mnuoptions", "frmOptions"},
        {"mnuabout", "frmAbout"},
        {"mnutechsupport", "frmTechsupport"}};
    for (const auto& [item, name] : dialogs) {
        main().action(item)->trigger();
        QVERIFY2(!m_toolkit->modalDialogs().isEmpty(), item);
        QDialog* d = m_toolkit->modalDialogs().last();
        QCOMPARE(d->objectName(), QString::fromLatin1(name));
        d->close();
    }
}

void TestIntegration::aNewWindowComesToTheFront() {
    startWithProjectOpen();
    for (WindowId id : {WindowId::Help, WindowId::Maintenance, WindowId::ReportsGraphs}) {
        QWidget* w = main().showWindow(id);
        QVERIFY(w);
        const auto frames = main().mdiHost()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(frames.last()->widget(), w);
        QVERIFY(main().mdiHost()->viewport()->rect().contains(frames.last()->geometry()));
    }
}

void TestIntegration::everyWindowFitsASmallScreen() {
    startWithProjectOpen();
    // What a 1024 x 700 screen leaves the frame once its title bar is drawn.
    main().resize(1024, 670);
    QTRY_COMPARE(main().size(), QSize(1024, 670));
    const QRect area = main().mdiHost()->viewport()->rect();
    for (WindowId id : {WindowId::Worksheet, WindowId::Projects, WindowId::Maintenance,
                        WindowId::ReportsGraphs, WindowId::Help, WindowId::Graph4}) {
        main().closeAllWindows();
        QWidget* w = main().showWindow(id);
        QVERIFY(w);
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(frame);
        const QString name = w->objectName();
        // Wholly in sight, and not squeezed below the size its controls need.
        QVERIFY2(area.contains(frame->geometry()), qPrintable(name));
        const QSize needed = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(w->width() >= needed.width() && w->height() >= needed.height(),
                 qPrintable(QStringLiteral("%1: %2x%3 for %4x%5")
                                .arg(name)
                                .arg(w->width())
                                .arg(w->height())
                                .arg(needed.width())
                                .arg(needed.height())));
    }
}

void TestIntegration::startUpProblemsGiveOneMessageAndWriteNothing_data() {
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("none") << "none"
                          << "";
    QTest::newRow("damaged") << "cut in half"
                             << "cut short";
    QTest::newRow("newer") << "newer version in WAL mode"
                           << "newer version";
    QTest::newRow("locked") << "locked"
                            << "in use by another program";
}

void TestIntegration::startUpProblemsGiveOneMessageAndWriteNothing() {
    QFETCH(QString, problem);
    QFETCH(QString, message);
    const QString path = m_db->databasePath();
    { m_db->open(); }
    if (problem != u"none" && problem != u"locked") {
        QVERIFY(DamagedFiles::make(problem, path, m_db->path("made.sqlite")));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(m_db->path("made.sqlite"), path));
    }
    if (problem == u"none") {
        // A file some earlier run has shown the catalogue for.
        auto store = m_db->open();
        QVERIFY(ProjectStore(*store).refillNewBudget().ok());
    }
    const QByteArray before = bytesOf(path);
    {
        std::unique_ptr<ForeignLock> lock;
        if (problem == u"locked")
            lock = std::make_unique<ForeignLock>(path);
        QVERIFY(main().startUp());
        main().show();
        QTest::qWait(50);
    }
    if (message.isEmpty()) {
        QVERIFY2(m_toolkit->messages().isEmpty(), qPrintable(m_toolkit->lastText()));
        QVERIFY(main().window(WindowId::Projects));
    } else {
        QCOMPARE(m_toolkit->messages().size(), 1);
        QVERIFY2(m_toolkit->lastText().contains(message), qPrintable(m_toolkit->lastText()));
    }
    m_toolkit->queueYes();
    QVERIFY(main().close());
    m_window.reset();
    // Starting and ending a run without a change leaves the file as it was.
    QCOMPARE(bytesOf(path), before);
}

void TestIntegration::aLockedFileIsNotTakenForAnUnknownPart() {
    startWithProjectOpen();
    QWidget* worksheet = main().window(WindowId::Worksheet);
    worksheet->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
    QWidget* add = worksheet->findChild<QWidget*>("panel1");
    const qint64 lines =
        TestDatabase::scalar(m_db->databasePath(), "SELECT COUNT(*) FROM RSLMaster").toLongLong();
    {
        ForeignLock lock(m_db->databasePath());
        auto* part = add->findChild<QComboBox*>("cmbPartname");
        part->setFocus();
        part->setEditText("ALTERNATOR");
        auto* price = add->findChild<QLineEdit*>("ioprice");
        price->setFocus();
        QTest::keyClicks(price, "129.95");
        m_toolkit->clear();
        QTest::mouseClick(worksheet->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
        QCOMPARE(m_toolkit->messages().size(), 1);
        QVERIFY2(m_toolkit->lastText().contains("locked"), qPrintable(m_toolkit->lastText()));
        QVERIFY(!main().window(WindowId::Maintenance));
        QCOMPARE(main().state().addpart, QString());
        QCOMPARE(part->currentText(), QStringLiteral("ALTERNATOR"));
        QVERIFY(price->text().contains("129.95"));
    }
    // Once the other program lets go, the same input is stored.
    m_toolkit->clear();
    QTest::mouseClick(worksheet->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QCOMPARE(m_toolkit->lastText(), QStringLiteral("Part has been added."));
    QCOMPARE(
        TestDatabase::scalar(m_db->databasePath(), "SELECT COUNT(*) FROM RSLMaster").toLongLong(),
        lines + 1);
}

QTEST_MAIN(TestIntegration)
#include "test_integration.moc"
