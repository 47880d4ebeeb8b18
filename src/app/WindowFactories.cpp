#include "WindowFactories.h"

#include "MainWindow.h"

#ifdef RASTREL_HAVE_projects
#include "ProjectCatalogue.h"
#endif
#ifdef RASTREL_HAVE_worksheet
#include "WorksheetWindow.h"
#endif
#ifdef RASTREL_HAVE_reference
#include "MaintenanceWindow.h"
#endif
#ifdef RASTREL_HAVE_reports
#include "ReportChooser.h"
#endif
#ifdef RASTREL_HAVE_graphs
#include "GraphCatalog.h"
#include "GraphWindow.h"
#endif
#ifdef RASTREL_HAVE_auxiliary
#include "AboutDialog.h"
#include "BrowserWindow.h"
#include "HelpWindow.h"
#include "OptionsDialog.h"
#include "ReminderDialog.h"
#include "SplashScreen.h"
#include "TechSupportDialog.h"
#include "WebPageOpener.h"
#endif

#include "ExportDialog.h"
#include "ImportDialog.h"

void installWindows(MainWindow& window) {
    window.registerDialog(MainWindow::Dialog::Import,
                          [](Shell& s, QWidget* parent) { return new ImportDialog(s, parent); });
    window.registerDialog(MainWindow::Dialog::Export,
                          [](Shell& s, QWidget* parent) { return new ExportDialog(s, parent); });
#ifdef RASTREL_HAVE_projects
    window.registerWindow(WindowId::Projects, [](Shell& s) { return new ProjectCatalogue(s); });
#endif
#ifdef RASTREL_HAVE_worksheet
    window.registerWindow(WindowId::Worksheet, [](Shell& s) { return new WorksheetWindow(s); });
#endif
#ifdef RASTREL_HAVE_reference
    window.registerWindow(WindowId::Maintenance, [](Shell& s) { return new MaintenanceWindow(s); });
#endif
#ifdef RASTREL_HAVE_reports
    window.registerWindow(WindowId::ReportsGraphs, [](Shell& s) { return new ReportChooser(s); });
#endif
#ifdef RASTREL_HAVE_graphs
    for (GraphKind kind : GraphCatalog::all())
        window.registerWindow(GraphCatalog::windowId(kind),
                              [kind](Shell& s) { return new GraphWindow(s, kind); });
#endif
#ifdef RASTREL_HAVE_auxiliary
    window.registerWindow(WindowId::Help, [](Shell& s) { return new HelpWindow(s); });
    window.setHelpNavigator([](QWidget* w, const QString& page, bool search) {
        if (auto* help = qobject_cast<HelpWindow*>(w)) {
            help->showPage(page);
            if (search)
                help->focusSearch();
        }
    });
    if (BrowserWindow::available())
        window.registerWindow(WindowId::Browser, [](Shell& s) { return new BrowserWindow(s); });
    window.setWebPageOpener(
        [&window](const QString& address) { WebPageOpener::open(window, address); });

    using Dialog = MainWindow::Dialog;
    window.registerDialog(Dialog::Splash,
                          [](Shell&, QWidget* parent) { return new SplashScreen(parent); });
    window.registerDialog(Dialog::Reminder,
                          [](Shell& s, QWidget* parent) { return new ReminderDialog(s, parent); });
    window.registerDialog(Dialog::Options,
                          [](Shell& s, QWidget* parent) { return new OptionsDialog(s, parent); });
    window.registerDialog(Dialog::About,
                          [](Shell& s, QWidget* parent) { return new AboutDialog(s, parent); });
    window.registerDialog(Dialog::TechSupport, [](Shell& s, QWidget* parent) {
        return new TechSupportDialog(s, parent);
    });
#endif
}

void prepareApplication() {
#ifdef RASTREL_HAVE_auxiliary
    BrowserWindow::prepareApplication();
#endif
}
