#include "BenchShell.h"

#include "AppState.h"
#include "BenchDatabase.h"
#include "WindowFactories.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTextStream>

#include <cstdlib>

namespace BenchShell {

void fail(const QString& why) {
    QTextStream(stderr) << "bench: " << why << "\n";
    std::exit(1);
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    // No event loop runs here, so windows closed with deleteLater would
    // otherwise live on and their memory be charged to later actions.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

MainWindow::Options options(const BenchDatabase& db, const QString& path) {
    MainWindow::Options o;
    o.databasePath = path;
    o.settingsFile = db.settingsFile();
    o.lockFile = db.lockFile();
    o.showSplash = false;
    return o;
}

void start(MainWindow& shell) {
    installWindows(shell);
    if (!shell.startUp())
        fail(QStringLiteral("the main window did not start"));
    shell.show();
}

void openProject(MainWindow& shell, int number) {
    AppState& s = shell.state();
    s.vehiclenumber = number;
    s.vehiclenumbera = QString::number(number);
    s.openvehiclenumber = s.vehiclenumbera;
    s.vehicledescription = BenchDatabase::description(number);
    s.graphic.clear();
    shell.setCaption(s.rsl + s.vehicledescription);
    shell.toolenabled();
}

} // namespace BenchShell
