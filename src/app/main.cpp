#include "DataStore.h"
#include "DesktopToolkit.h"
#include "MainWindow.h"
#include "WindowFactories.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
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
    parser.process(app);

    MainWindow::Options options;
    options.databasePath = DataStore::resolvePath(parser.value(database));
    options.showSplash = !parser.isSet(noSplash);

    DesktopToolkit toolkit;
    MainWindow window(options, toolkit);
    installWindows(window);
    if (!window.startUp())
        return 0;
    window.show();
    return app.exec();
}
