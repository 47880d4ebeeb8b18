#include "MainWindow.h"

#include "AppFiles.h"
#include "BusyCursor.h"
#include "ChildWindow.h"
#include "Criteria.h"
#include "DataStore.h"
#include "DatabaseFiles.h"
#include "Decimal.h"
#include "LockKeys.h"
#include "MakesAndModels.h"
#include "MdiHost.h"
#include "MenuState.h"
#include "RecentDatabases.h"
#include "ScreenFit.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "Toolkit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShowEvent>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace {

const QString kNoProject = QStringLiteral("No Project Open");

// Windows closed by "Close all windows", in this order.
const QList<WindowId> kCloseAllOrder = {
    WindowId::Browser,
    WindowId::Worksheet,
    WindowId::Maintenance,
    WindowId::Projects,
    WindowId::ReportsGraphs,
    WindowId::Graph1,
    WindowId::Graph2,
    WindowId::Graph3,
    WindowId::Graph4,
    WindowId::ReportActualCost,
    WindowId::ReportCategoriesOverBudget,
    WindowId::ReportCategoryData,
    WindowId::ReportForecastCost,
    WindowId::ReportManufacturerData,
    WindowId::ReportPartData,
    WindowId::ReportPartSearchList,
    WindowId::ReportShoppingList,
    WindowId::ReportVehicleData,
    WindowId::ReportVendorData,
};

QString pictureFilter() {
    QStringList patterns;
    for (const QByteArray& f : QImageReader::supportedImageFormats()) {
        const QString ext = QString::fromLatin1(f).toLower();
        if (ext != u"bmp")
            patterns << QStringLiteral("*.") + ext;
    }
    return QStringLiteral("Bitmaps (*.BMP *.bmp);;Other pictures (%1);;All files (*)")
        .arg(patterns.join(u' '));
}

} // namespace

MainWindow::MainWindow(const Options& options, Toolkit& toolkit, QWidget* parent)
    : QMainWindow(parent)
    , m_options(options)
    , m_toolkit(toolkit)
    , m_store(std::make_unique<DataStore>())
    , m_settings(std::make_unique<Settings>(options.settingsFile)) {
    setObjectName(QStringLiteral("frmRSLmain"));
    m_files = std::make_unique<DatabaseFiles>(*this);
    setWindowIcon(QIcon(QStringLiteral(":/icons/rastrel.png")));
    m_mdi = new MdiHost(this);
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdi);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    resize(1100, 760);
    ScreenFit::keepOnScreen(this);
    setWindowTitle(m_state.rsl + kNoProject);

    connect(&m_state, &AppState::statusTextChanged, this,
            [this](int panel, const QString& text, const QString& tip) {
                if (QLabel* p = statusPanel(panel)) {
                    p->setText(text);
                    p->setToolTip(tip);
                }
            });
    connect(m_mdi, &MdiHost::childClosed, this, [this](ChildWindow* w) {
        for (auto it = m_windows.begin(); it != m_windows.end(); ++it)
            if (it.value() && it.value()->widget() == w) {
                m_windows.erase(it);
                break;
            }
    });
    m_toolkit.setHelpHandler([this] { showHelp(); });
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Child windows may still touch the data store and the state while they
    // go, so they go first.
    for (QMdiSubWindow* frame : m_mdi->subWindowList())
        delete frame;
}

void MainWindow::registerWindow(WindowId id, WindowFactory factory) {
    m_factories.insert(id, std::move(factory));
}

void MainWindow::registerDialog(Dialog kind, DialogFactory factory) {
    m_dialogs.insert(kind, std::move(factory));
}

QAction* MainWindow::addAction(QMenu* menu, const QString& text, const QString& name,
                               std::function<void()> run) {
    auto* a = menu ? menu->addAction(text) : menuBar()->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [run = std::move(run)] {
        BusyCursor busy;
        run();
    });
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnufile"));
    addAction(file, QStringLiteral("&New Project"), QStringLiteral("mnunewvehicle"),
              [this] { newProject(); });
    addAction(file, QStringLiteral("&Open Project"), QStringLiteral("mnuopenvehicle"),
              [this] { openProjectTab(1); });
    addAction(file, QStringLiteral("&Edit Project"), QStringLiteral("mnueditvehicle"),
              [this] { openProjectTab(2); });
    addAction(file, QStringLiteral("&Delete Project"), QStringLiteral("mnudeletevehicle"),
              [this] { openProjectTab(3); });
    addAction(file, QStringLiteral("&Close Project"), QStringLiteral("mnuclosevehicle"),
              [this] { closeProject(); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuseperator1"));
    // Data in and out, and the database files, in a group of their own.
    addAction(file, QStringLiteral("Import..."), QStringLiteral("mnuimport"),
              [this] { showDialog(Dialog::Import); });
    addAction(file, QStringLiteral("Export..."), QStringLiteral("mnuexport"),
              [this] { showDialog(Dialog::Export); });
    addAction(file, QStringLiteral("Back Up Database..."), QStringLiteral("mnubackup"),
              [this] { m_files->backUp(); });
    addAction(file, QStringLiteral("Restore From Backup..."), QStringLiteral("mnurestore"),
              [this] { m_files->restore(); });
    addAction(file, QStringLiteral("Open Database..."), QStringLiteral("mnuopendatabase"),
              [this] { m_files->openDatabase(); });
    addAction(file, QStringLiteral("New Database..."), QStringLiteral("mnunewdatabase"),
              [this] { m_files->newDatabase(); });
    m_recentEnd = file->addSeparator();
    m_recentEnd->setObjectName(QStringLiteral("mnuseperatorfiles"));
    m_fileMenu = file;
    connect(file, &QMenu::aboutToShow, this, &MainWindow::refreshRecentMenu);
    addAction(file, QStringLiteral("E&xit"), QStringLiteral("mnuexit"), [this] { close(); });
    refreshRecentMenu();

    QMenu* maint = bar->addMenu(QStringLiteral("&Maintenance"));
    maint->setObjectName(QStringLiteral("mnumaintenance"));
    addAction(maint, QStringLiteral("&Project"), QStringLiteral("mnumaindatabase"),
              [this] { showWindow(WindowId::Worksheet); });
    addAction(maint, QStringLiteral("P&arts"), QStringLiteral("mnupartdatabase"),
              [this] { showMaintenance(0); });
    addAction(maint, QStringLiteral("&Vendors"), QStringLiteral("mnuvendordatabase"),
              [this] { showMaintenance(1); });
    addAction(maint, QStringLiteral("&Manufacturers"), QStringLiteral("mnumanufacturerdatabase"),
              [this] { showMaintenance(2); });
    addAction(maint, QStringLiteral("&Categories"), QStringLiteral("mnucategorydatabase"),
              [this] { showMaintenance(3); });

    addAction(nullptr, QStringLiteral("&Reports"), QStringLiteral("mnureports"),
              [this] { showReportsGraphs(0); });
    addAction(nullptr, QStringLiteral("&Graphs"), QStringLiteral("mnugraphs"),
              [this] { showReportsGraphs(1); });

    m_windowMenu = bar->addMenu(QStringLiteral("&Window"));
    m_windowMenu->setObjectName(QStringLiteral("mnuwindow"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::refreshWindowMenu);
    refreshWindowMenu();

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnutools"));
    QAction* toolbarItem = addAction(tools, QStringLiteral("&Toolbar"),
                                     QStringLiteral("mnutoolbar"), [this] { toggleToolbar(); });
    toolbarItem->setCheckable(true);
    tools->addSeparator()->setObjectName(QStringLiteral("mnuseperator3"));
    addAction(tools, QStringLiteral("&Options"), QStringLiteral("mnuoptions"),
              [this] { showDialog(Dialog::Options); });
    addAction(tools, QStringLiteral("&Check Database"), QStringLiteral("mnucheckdatabase"),
              [this] { checkDatabase(); });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuhelp"));
    addAction(help, QStringLiteral("&Contents"), QStringLiteral("mnucontents"),
              [this] { showHelp(); });
    addAction(help, QStringLiteral("&Search for help on ..."), QStringLiteral("mnusearchforhelpon"),
              [this] { showHelp(QString(), true); });
    help->addSeparator()->setObjectName(QStringLiteral("menuseperator2"));
    addAction(help, QStringLiteral("&About"), QStringLiteral("mnuabout"),
              [this] { showDialog(Dialog::About); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuseperator5"));
    addAction(help, QStringLiteral("&Technical Support"), QStringLiteral("mnutechsupport"),
              [this] { showDialog(Dialog::TechSupport); });
}

void MainWindow::refreshWindowMenu() {
    m_windowMenu->clear();
    addAction(m_windowMenu, QStringLiteral("&Cascade"), QStringLiteral("mnucascade"),
              [this] { m_mdi->cascadeSubWindows(); });
    addAction(m_windowMenu, QStringLiteral("&Arrange Icons"), QStringLiteral("mnuarrangeicons"),
              [this] { m_mdi->arrangeIcons(); });
    addAction(m_windowMenu, QStringLiteral("C&lose all windows"), QStringLiteral("mnuclosewindows"),
              [this] { closeAllWindows(); });
    const QList<QMdiSubWindow*> frames = m_mdi->subWindowList();
    if (!frames.isEmpty())
        m_windowMenu->addSeparator();
    int n = 1;
    for (QMdiSubWindow* frame : frames) {
        // A caption's own ampersands are text, not mnemonics ("Reports & Graphs").
        QString caption = frame->windowTitle();
        caption.replace(u'&', QStringLiteral("&&"));
        const QString text =
            (n < 10 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n)) + caption;
        QAction* a = m_windowMenu->addAction(text);
        a->setCheckable(true);
        a->setChecked(frame == m_mdi->activeSubWindow());
        QPointer<QMdiSubWindow> target = frame;
        connect(a, &QAction::triggered, this, [this, target] {
            if (target) {
                target->showNormal();
                m_mdi->setActiveSubWindow(target);
            }
        });
        ++n;
    }
}

void MainWindow::buildToolbar() {
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setMovable(false);
    struct Button {
        int index;
        const char* text;
        const char* icon;
        std::function<void()> run;
    };
    const QList<Button> buttons = {
        {2, "Open Project ", "open-project", [this] { openProjectTab(1); }},
        {4, "Work On Project", "work-on-project", [this] { showWindow(WindowId::Worksheet); }},
        {5, "Parts", "parts", [this] { showMaintenance(0); }},
        {6, "Vendors", "vendors", [this] { showMaintenance(1); }},
        {7, "Manufacturers", "manufacturers", [this] { showMaintenance(2); }},
        {8, "Categories", "categories", [this] { showMaintenance(3); }},
        {10, "Reports", "reports", [this] { showReportsGraphs(0); }},
        {11, "Graphs", "graphs", [this] { showReportsGraphs(1); }},
        {13, "Help", "help", [this] { showHelp(); }},
        {15, "Exit ", "exit", [this] { close(); }},
    };
    for (int index = 1; index <= 15; ++index) {
        auto it = std::find_if(buttons.begin(), buttons.end(),
                               [index](const Button& b) { return b.index == index; });
        QAction* a = nullptr;
        if (it == buttons.end()) {
            a = m_toolbar->addSeparator();
        } else {
            a = m_toolbar->addAction(AppFiles::themeIcon(QString::fromLatin1(it->icon)),
                                     QString::fromLatin1(it->text));
            a->setToolTip(QString::fromLatin1(it->text).trimmed());
            connect(a, &QAction::triggered, this, [run = it->run] {
                BusyCursor busy;
                run();
            });
        }
        a->setObjectName(QStringLiteral("Toolbar1_%1").arg(index));
        m_toolbarItems << a;
    }
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 1; i <= 8; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1_panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMargin(1);
        if (i <= 2) {
            panel->setMinimumWidth(i == 1 ? 80 : 200);
            bar->addWidget(panel, i == 2 ? 1 : 0);
        } else {
            panel->setAlignment(Qt::AlignCenter);
            panel->setMinimumWidth(i >= 7 ? 80 : 44);
            bar->addPermanentWidget(panel);
        }
        m_panels << panel;
    }
    m_databasePanel = new QLabel(bar);
    m_databasePanel->setObjectName(QStringLiteral("StatusBar1_database"));
    m_databasePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_databasePanel->setMargin(1);
    bar->addPermanentWidget(m_databasePanel);
    m_panels[2]->setToolTip(QStringLiteral("Insert key"));
    m_panels[3]->setToolTip(QStringLiteral("Num Lock"));
    m_panels[4]->setToolTip(QStringLiteral("Caps Lock"));
    m_panels[5]->setToolTip(QStringLiteral("Scroll Lock"));
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &MainWindow::refreshClock);
    clock->start(1000);
    refreshClock();
}

void MainWindow::refreshClock() {
    const QLocale locale;
    m_panels[2]->setText(m_insertMode ? QStringLiteral("INS") : QString());
    auto show = [](QLabel* panel, std::optional<bool> on, const char* text) {
        panel->setText(on.value_or(false) ? QString::fromLatin1(text) : QString());
    };
    show(m_panels[3], LockKeys::numLock(), "NUM");
    show(m_panels[4], LockKeys::capsLock(), "CAPS");
    show(m_panels[5], LockKeys::scrollLock(), "SCRL");
    m_panels[6]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_panels[7]->setText(locale.toString(QTime::currentTime(), QLocale::LongFormat));
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

QAction* MainWindow::toolbarButton(int index) const {
    if (index < 1 || index > m_toolbarItems.size())
        return nullptr;
    return m_toolbarItems[index - 1];
}

QLabel* MainWindow::statusPanel(int index) const {
    if (index < 1 || index > m_panels.size())
        return nullptr;
    return m_panels[index - 1];
}

// ---- start and end of the run ----

bool MainWindow::startUp() {
    BusyCursor busy;
    m_state.alreadyloaded = QStringLiteral("N");

    m_instance = std::make_unique<SingleInstance>(
        m_options.lockFile.isEmpty() ? SingleInstance::defaultPath() : m_options.lockFile);
    if (!m_instance->acquire()) {
        BusyCursor::Suspend arrow;
        m_toolkit.inform(QStringLiteral("You already have a copy of Rastrel loaded."));
        m_state.alreadyloaded = QStringLiteral("Y");
        m_refusedCopy = true;
        close();
        return false;
    }

    if (m_options.showSplash) {
        if (auto f = m_dialogs.value(Dialog::Splash)) {
            QDialog* splash = f(*this, nullptr);
            splash->setAttribute(Qt::WA_DeleteOnClose);
            m_toolkit.runModal(splash);
        }
    }

    // From here on a failing step does not stop the following ones.
    if (m_files->mayOpenAtStart(m_options.databasePath, m_options.createMissing)) {
        if (DbResult r = m_store->open(m_options.databasePath); !r) {
            BusyCursor::Suspend arrow;
            m_toolkit.inform(r.message());
        } else {
            RecentDatabases(*m_settings).add(m_store->path());
            if (!m_store->notice().isEmpty()) {
                BusyCursor::Suspend arrow;
                m_toolkit.inform(m_store->notice());
            }
        }
    }
    refreshRecentMenu();
    refreshDatabasePanel();

    action(QStringLiteral("mnutoolbar"))->setChecked(true);
    m_toolbar->setVisible(true);

    m_state.vehiclenumber = 0;
    m_state.vehiclenumbera = QStringLiteral("0");
    m_state.openvehiclenumber = QStringLiteral("0");
    m_state.vehicleedit = QStringLiteral("N");
    m_state.rsl = QStringLiteral("Rastrel - ");
    setCaption(m_state.rsl + kNoProject);
    toolenabled();

    if (m_settings->value(Settings::kOpenLastVehicle, QStringLiteral("N")) == u"Y") {
        m_state.memberhd = m_settings->value(Settings::kVehicleLastOpened, QStringLiteral("0"));
        if (m_state.memberhd.isEmpty())
            m_state.memberhd = QStringLiteral("0");
        m_state.vehiclenumber = int(Decimal::leading(m_state.memberhd).roundedUnits(0).value_or(0));
        m_state.vehiclenumbera = QString::number(m_state.vehiclenumber);
        autoopen();
    }

    if (!anyProjectStored())
        showWindowOnTab(WindowId::Projects, 0);
    else if (m_state.openvehiclenumber == u"0")
        showWindowOnTab(WindowId::Projects, 1);
    return true;
}

void MainWindow::autoopen() {
    BusyCursor busy;
    RecordSet& vehicles = m_store->recordSet(Command::RSLVehicles);
    vehicles.moveFirst();
    bool found = false;
    ignoreError(
        vehicles.find(QStringLiteral("vehicle_number = ") + m_state.vehiclenumbera, &found));
    if (!found) {
        // A remembered project that is gone leaves the no-project state.
        m_state.vehiclenumber = 0;
        m_state.vehiclenumbera = QStringLiteral("0");
        return;
    }
    const QString description = vehicles.text(QStringLiteral("vehicle_description"));
    setCaption(QStringLiteral("Rastrel - ") + description);
    const QString picture = vehicles.text(QStringLiteral("graphic_path"));
    if (!picture.isEmpty())
        m_state.graphic = picture;
    m_state.vehicledescription = description;
    m_state.vehiclenumber = int(vehicles.integer(QStringLiteral("vehicle_number")));
    m_state.vehiclenumbera = m_state.openvehiclenumber = QString::number(m_state.vehiclenumber);
    setBackgroundPicture(m_state.graphic);
    toolenabled();
    showWindow(WindowId::Worksheet);
}

void MainWindow::saveLastOpened() {
    m_settings->setValue(Settings::kVehicleLastOpened, m_state.openvehiclenumber);
    if (!m_settings->sync() && !m_settingsWarned) {
        m_settingsWarned = true;
        BusyCursor::Suspend arrow;
        m_toolkit.inform(
            QStringLiteral(
                "Rastrel could not save its settings in \"%1\" (the file or its folder cannot be written to), so the project open now will not be reopened at the next start.")
                .arg(QDir::toNativeSeparators(m_settings->fileName())));
    }
}

void MainWindow::checkDatabase() {
    QString report;
    {
        BusyCursor busy;
        if (!m_store->isOpen())
            report = m_store->notOpenMessage();
        else
            ignoreError(m_store->checkIntegrity(&report));
    }
    m_toolkit.inform(report);
}

void MainWindow::firstActivation() {
    if (m_activatedOnce || m_refusedCopy)
        return;
    m_activatedOnce = true;
    if (m_settings->value(Settings::kShowReminder, QStringLiteral("Y")) == u"Y" &&
        m_state.showed.isEmpty()) {
        m_state.showed = QStringLiteral("Y");
        showDialog(Dialog::Reminder);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Now that the window system has added its frame, the whole of it (the
    // status bar included) must fit the screen too.
    if (!event->spontaneous())
        ScreenFit::keepOnScreen(this);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_activatedOnce)
        QMetaObject::invokeMethod(this, &MainWindow::firstActivation, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_state.alreadyloaded == u"N") {
        if (m_toolkit.askYesNo(QStringLiteral("Are you sure you want to exit Rastrel?"),
                               Toolkit::applicationTitle(), false) != Toolkit::Answer::Yes) {
            event->ignore();
            return;
        }
    }
    BusyCursor busy;
    if (!m_refusedCopy) {
        // A window that keeps unsaved input (its own question) keeps the program running.
        for (QMdiSubWindow* frame : m_mdi->subWindowList()) {
            if (!frame->close()) {
                event->ignore();
                return;
            }
        }
        saveLastOpened();
        m_files->automaticBackup();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        m_insertMode = !m_insertMode;
        m_panels[2]->setText(m_insertMode ? QStringLiteral("INS") : QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- menu state ----

bool MainWindow::anyProjectStored() {
    RecordSet& vehicles = m_store->recordSet(Command::RSLVehicles);
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    return !vehicles.isEof();
}

bool MainWindow::allProjectNumbersUsed() {
    int used = 0;
    ignoreError(m_store->query(
        QStringLiteral(
            "SELECT COUNT(DISTINCT used_vehicle_number) FROM RSLVehiclesused WHERE used_vehicle_number BETWEEN 1 AND 99"),
        {}, [&](const QSqlQuery& q) { used = q.value(0).toInt(); }));
    return used >= 99;
}

void MainWindow::toolenabled() {
    const MenuState s = MenuState::forState(m_state.vehiclenumber != 0, anyProjectStored());
    action(QStringLiteral("mnumaindatabase"))->setEnabled(s.workOnProject);
    action(QStringLiteral("mnugraphs"))->setEnabled(s.graphs);
    action(QStringLiteral("mnuclosevehicle"))->setEnabled(s.closeProject);
    action(QStringLiteral("mnunewvehicle"))->setEnabled(s.newProject);
    action(QStringLiteral("mnuopenvehicle"))->setEnabled(s.openProject);
    action(QStringLiteral("mnueditvehicle"))->setEnabled(s.editProject);
    action(QStringLiteral("mnudeletevehicle"))->setEnabled(s.deleteProject);
    toolbarButton(2)->setEnabled(s.toolbarOpenProject);
    toolbarButton(4)->setEnabled(s.workOnProject);
    toolbarButton(11)->setEnabled(s.graphs);
}

void MainWindow::disablemenu() {
    for (const char* name :
         {"mnueditvehicle", "mnudeletevehicle", "mnuopenvehicle", "mnunewvehicle"})
        action(QString::fromLatin1(name))->setEnabled(false);
    toolbarButton(2)->setEnabled(false);
}

void MainWindow::enablemenu() {
    for (const char* name :
         {"mnueditvehicle", "mnudeletevehicle", "mnuopenvehicle", "mnunewvehicle"})
        action(QString::fromLatin1(name))->setEnabled(true);
    toolbarButton(2)->setEnabled(true);
    if (!anyProjectStored())
        for (const char* name : {"mnueditvehicle", "mnudeletevehicle", "mnuopenvehicle"})
            action(QString::fromLatin1(name))->setEnabled(false);
}

// ---- commands ----

void MainWindow::newProject() {
    if (m_state.openvehiclenumber != u"0") {
        m_toolkit.inform(
            QStringLiteral("You must close the currently open project to add a new project."));
        return;
    }
    // Refuse only when no number from 1 to 99 is free.
    if (allProjectNumbersUsed()) {
        m_toolkit.inform(QStringLiteral(
            "You have already added the maximum number of vehicles that RSL can support."));
        return;
    }
    showWindowOnTab(WindowId::Projects, 0);
}

void MainWindow::openProjectTab(int tab) {
    if (!anyProjectStored()) {
        m_toolkit.inform(
            QStringLiteral("There are no projects available. You must add a project first."));
        return;
    }
    showWindowOnTab(WindowId::Projects, tab);
}

void MainWindow::closeProject() {
    // The worksheet may keep unsaved input after its own question; then the
    // project stays open with it.
    if (!closeWindow(WindowId::Worksheet))
        return;
    m_state.vehiclenumber = 0;
    m_state.vehiclenumbera = QStringLiteral("0");
    m_state.openvehiclenumber = QStringLiteral("0");
    m_state.graphic.clear();
    m_state.vehicledescription.clear();
    setCaption(QStringLiteral("Rastrel - No Project Open"));
    for (WindowId id : {WindowId::ReportsGraphs, WindowId::Graph1, WindowId::Graph2,
                        WindowId::Graph3, WindowId::Graph4})
        closeWindow(id);
    for (const char* name :
         {"mnunewvehicle", "mnueditvehicle", "mnudeletevehicle", "mnuopenvehicle"})
        action(QString::fromLatin1(name))->setEnabled(true);
    for (const char* name : {"mnuclosevehicle", "mnumaindatabase", "mnugraphs"})
        action(QString::fromLatin1(name))->setEnabled(false);
    toolbarButton(2)->setEnabled(true);
    toolbarButton(4)->setEnabled(false);
    toolbarButton(11)->setEnabled(false);
    m_mdi->setBackgroundPicture(QString());
}

void MainWindow::showMaintenance(int tab) {
    showWindowOnTab(WindowId::Maintenance, tab);
}

void MainWindow::showReportsGraphs(int tab) {
    showWindowOnTab(WindowId::ReportsGraphs, tab);
}

void MainWindow::closeAllWindows() {
    for (WindowId id : kCloseAllOrder)
        if (m_state.marker(Windows::marker(id)) == u"Y" || window(id))
            closeWindow(id);
}

void MainWindow::toggleToolbar() {
    const bool show = m_toolbar->isHidden();
    m_toolbar->setVisible(show);
    action(QStringLiteral("mnutoolbar"))->setChecked(show);
}

void MainWindow::showDialog(Dialog kind) {
    auto f = m_dialogs.value(kind);
    if (!f)
        return;
    QDialog* dialog = f(*this, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_toolkit.runModal(dialog);
}

// ---- database files ----

void MainWindow::refreshDatabasePanel() {
    const QString path = m_store->isOpen() ? m_store->path() : QString();
    m_databasePanel->setText(path.isEmpty() ? QStringLiteral("No database")
                                            : QFileInfo(path).fileName());
    m_databasePanel->setToolTip(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void MainWindow::refreshRecentMenu() {
    if (!m_fileMenu)
        return;
    for (QAction* a : std::as_const(m_recentItems))
        delete a;
    m_recentItems.clear();
    const QStringList files = RecentDatabases(*m_settings).files();
    int n = 1;
    for (const QString& f : files) {
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(n).arg(QDir::toNativeSeparators(f)),
                              m_fileMenu);
        a->setObjectName(QStringLiteral("mnurecent%1").arg(n));
        connect(a, &QAction::triggered, this, [this, f] {
            BusyCursor busy;
            m_files->openFile(f);
        });
        m_fileMenu->insertAction(m_recentEnd, a);
        m_recentItems << a;
        ++n;
    }
}

bool MainWindow::leaveDatabase() {
    for (QMdiSubWindow* frame : m_mdi->subWindowList())
        if (!frame->close())
            return false;
    closeProject();
    if (m_state.projectOpen())
        return false;
    m_files->automaticBackup();
    return true;
}

void MainWindow::enterDatabase() {
    m_state.clearProject();
    setCaption(m_state.rsl + kNoProject);
    m_mdi->setBackgroundPicture(QString());
    toolenabled();
    refreshDatabasePanel();
    refreshRecentMenu();
    if (!m_store->isOpen())
        return;
    showWindowOnTab(WindowId::Projects, anyProjectStored() ? 1 : 0);
}

// ---- Shell ----

QString MainWindow::showsave(const QString& initialPath) {
    return m_toolkit.chooseFile(this, QStringLiteral("Choose Picture"), pictureFilter(),
                                initialPath);
}

void MainWindow::addmakemodel(const QString& make, const QString& model) {
    if (DbResult r = MakesAndModels::addmakemodel(*m_store, make, model); !r)
        m_toolkit.inform(r.message());
}

qint64 MainWindow::checksequence(const QString& partName) {
    DbResult error;
    m_state.holdsequence = m_store->nextSequenceNumber(partName, &error);
    if (!error)
        m_toolkit.inform(error.message());
    return m_state.holdsequence;
}

void MainWindow::setCaption(const QString& title) {
    setWindowTitle(title);
}

void MainWindow::setBackgroundPicture(const QString& path) {
    m_mdi->setBackgroundPicture(path);
}

QWidget* MainWindow::window(WindowId id) const {
    QMdiSubWindow* frame = m_windows.value(id);
    if (!frame)
        return nullptr;
    auto* w = qobject_cast<ChildWindow*>(frame->widget());
    return w && !w->isUnloaded() ? w : nullptr;
}

QWidget* MainWindow::showWindow(WindowId id) {
    return showWindowOnTab(id, -1);
}

QWidget* MainWindow::showWindowOnTab(WindowId id, int tab) {
    if (auto* existing = qobject_cast<ChildWindow*>(window(id))) {
        if (tab >= 0)
            existing->selectTab(tab);
        QMdiSubWindow* frame = m_windows.value(id);
        if (frame->isMinimized())
            frame->showNormal();
        frame->show();
        m_mdi->setActiveSubWindow(frame);
        existing->setFocus();
        return existing;
    }
    auto factory = m_factories.value(id);
    if (!factory)
        return nullptr;
    ChildWindow* w = factory(*this);
    if (!w)
        return nullptr;
    if (tab >= 0)
        w->selectTab(tab);
    addWindow(id, w);
    return w;
}

bool MainWindow::closeWindow(WindowId id) {
    QMdiSubWindow* frame = m_windows.value(id);
    if (!frame)
        return true;
    if (!frame->close())
        return false;
    m_windows.remove(id);
    return true;
}

QMdiSubWindow* MainWindow::addWindow(WindowId id, QWidget* widget) {
    auto* child = qobject_cast<ChildWindow*>(widget);
    if (!child)
        return nullptr;
    if (window(id) && !closeWindow(id)) {
        child->deleteLater();
        return nullptr;
    }
    QMdiSubWindow* frame = m_mdi->addChild(child);
    m_windows.insert(id, frame);
    return frame;
}

void MainWindow::openWebPage(const QString& address) {
    if (m_webPageOpener) {
        m_webPageOpener(address);
        return;
    }
    if (!m_toolkit.openInDesktopBrowser(QUrl::fromUserInput(address)))
        m_toolkit.inform(QStringLiteral("Rastrel could not start your web browser to open ") +
                         address + u'.');
}

void MainWindow::showHelp(const QString& page, bool search) {
    QWidget* help = showWindow(WindowId::Help);
    if (!help) {
        m_toolkit.inform(QStringLiteral(
            "The help for Rastrel could not be found. Please reinstall the program."));
        return;
    }
    if (m_helpNavigator)
        m_helpNavigator(help, page, search);
}
