#include "CommandLineExport.h"
#include "DataStore.h"
#include "DesktopToolkit.h"
#include "MainWindow.h"
#include "WindowFactories.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[]) {
    // Exports need no display; a terminal without one must not stop them.
    if (CommandLineExport::requested(argc, argv) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rastrel"));
    QApplication::setOrganizationName(QStringLiteral("Rastrel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.1"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/rastrel.png")));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Rastrel, a planner for vehicle build and restoration projects."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral("Use the database FILE (default: rsl.sqlite in your data folder)."),
        QStringLiteral("FILE"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash screen."));
    parser.addOption(database);
    parser.addOption(noSplash);
    CommandLineExport::addOptions(parser);
    parser.process(app);

    const QString databasePath = DataStore::resolvePath(parser.value(database));
    if (CommandLineExport::requested(argc, argv))
        return CommandLineExport::run(parser, databasePath);

    MainWindow::Options options;
    options.databasePath = databasePath;
    options.showSplash = !parser.isSet(noSplash);

    DesktopToolkit toolkit;
    MainWindow window(options, toolkit);
    installWindows(window);
    if (!window.startUp())
        return 0;
    window.show();
    // Without a window manager the frame is never activated; the reminder
    // still belongs to the start of the run.
    QTimer::singleShot(1000, &window, &MainWindow::firstActivation);
    return app.exec();
}
