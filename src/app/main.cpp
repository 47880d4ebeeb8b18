#include "DataStore.h"
#include "DesktopToolkit.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rastrel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Rastrel, a planner for vehicle build and restoration projects."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption database(QStringLiteral("database"),
                                QStringLiteral("Use the database FILE."), QStringLiteral("FILE"));
    parser.addOption(database);
    parser.process(app);

    DataStore store;
    DesktopToolkit toolkit;
    if (DbResult r = store.open(DataStore::resolvePath(parser.value(database))); !r)
        toolkit.inform(r.message());
    return 0;
}
