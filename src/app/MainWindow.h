#pragma once

#include "AppState.h"
#include "Shell.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class ChildWindow;
class DataStore;
class DatabaseFiles;
class MdiHost;
class QAction;
class QDialog;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class Settings;
class SingleInstance;
class Toolkit;

// frmRSLmain: the frame every other window opens in, with the menus, the
// toolbar, the status bar, the open-project state and the start and end of
// the run.
class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    struct Options {
        QString databasePath;
        QString settingsFile; // "" = the user's own settings
        QString lockFile;     // "" = the user's own lock
        bool showSplash = true;
        // A missing database file is created only on the default path; any
        // other missing file is asked about first.
        bool createMissing = true;
    };
    enum class Dialog { Splash, Reminder, Options, About, TechSupport, Import, Export };
    using WindowFactory = std::function<ChildWindow*(Shell&)>;
    using DialogFactory = std::function<QDialog*(Shell&, QWidget* parent)>;

    MainWindow(const Options& options, Toolkit& toolkit, QWidget* parent = nullptr);
    ~MainWindow() override;

    void registerWindow(WindowId id, WindowFactory factory);
    void registerDialog(Dialog kind, DialogFactory factory);
    // How web pages open (the "Browser" setting's rule); the desktop's
    // browser when none is set.
    void setWebPageOpener(std::function<void(const QString&)> opener) {
        m_webPageOpener = std::move(opener);
    }
    // Shows a page of the help book in the help window.
    void setHelpNavigator(std::function<void(QWidget*, const QString&, bool)> nav) {
        m_helpNavigator = std::move(nav);
    }

    // The start-up steps. False when another copy is running: the window has
    // then told the user and closed itself.
    bool startUp();
    // Runs once per run, when the window is first activated.
    void firstActivation();
    void autoopen();
    void saveLastOpened();
    // Tools, Check Database: reads every page of the open file and reports.
    void checkDatabase();

    // Commands of the menus and the toolbar.
    void newProject();
    void openProjectTab(int tab);
    void closeProject();
    void showMaintenance(int tab);
    void showReportsGraphs(int tab);
    void closeAllWindows();
    void toggleToolbar();
    void showDialog(Dialog kind);
    DatabaseFiles& databaseFiles() { return *m_files; }

    // Moving to another database file: leaving closes every window (each
    // with its own question; false when one stays) and the project, and
    // backs the file up when it was changed. Entering shows the new file
    // as start-up shows one.
    bool leaveDatabase();
    void enterDatabase();
    void refreshRecentMenu();
    void refreshDatabasePanel();

    QAction* action(const QString& objectName) const;
    // Toolbar1 by its 1-based index; 1, 3, 9, 12 and 14 are separators.
    QAction* toolbarButton(int index) const;
    QToolBar* toolbar() const { return m_toolbar; }
    // StatusBar1's eight panels, 1-based.
    QLabel* statusPanel(int index) const;
    MdiHost* mdiHost() const { return m_mdi; }

    // Shell
    AppState& state() override { return m_state; }
    DataStore& data() override { return *m_store; }
    Settings& settings() override { return *m_settings; }
    Toolkit& toolkit() override { return m_toolkit; }
    void toolenabled() override;
    void disablemenu() override;
    void enablemenu() override;
    QString showsave(const QString& initialPath = QString()) override;
    void addmakemodel(const QString& make, const QString& model) override;
    qint64 checksequence(const QString& partName) override;
    void setCaption(const QString& title) override;
    void setBackgroundPicture(const QString& path) override;
    QWidget* showWindow(WindowId id) override;
    QWidget* window(WindowId id) const override;
    bool closeWindow(WindowId id) override;
    QMdiSubWindow* addWindow(WindowId id, QWidget* widget) override;
    void openWebPage(const QString& address) override;
    void showHelp(const QString& page = QString(), bool search = false) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void refreshWindowMenu();
    void refreshClock();
    QWidget* showWindowOnTab(WindowId id, int tab);
    bool anyProjectStored();
    bool allProjectNumbersUsed();
    QAction* addAction(QMenu* menu, const QString& text, const QString& name,
                       std::function<void()> run);

    Options m_options;
    Toolkit& m_toolkit;
    AppState m_state;
    std::unique_ptr<DataStore> m_store;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<DatabaseFiles> m_files;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentEnd = nullptr; // the separator before Exit
    QList<QAction*> m_recentItems;
    QLabel* m_databasePanel = nullptr;
    MdiHost* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_toolbarItems; // index 0 = button 1
    QList<QLabel*> m_panels;
    QHash<WindowId, QPointer<QMdiSubWindow>> m_windows;
    QHash<WindowId, WindowFactory> m_factories;
    QHash<Dialog, DialogFactory> m_dialogs;
    std::function<void(const QString&)> m_webPageOpener;
    std::function<void(QWidget*, const QString&, bool)> m_helpNavigator;
    bool m_refusedCopy = false;
    bool m_settingsWarned = false;
    bool m_activatedOnce = false;
    bool m_insertMode = true;
};
