#include "BuildInfo.h"
#include "CommandLine.h"
#include "CommandLineExchange.h"
#include "CommandLineExport.h"
#include "DataStore.h"
#include "DesktopToolkit.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "WindowFactories.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Rastrel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Rastrel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(BuildInfo::kVersion));
}

// Work without a window: the answers to --paths and the exports.
int runWithoutWindow(const CommandLine& command) {
    const QString databasePath = DataStore::resolvePath(command.databaseArgument());
    if (command.isSet(QStringLiteral("paths"))) {
        QTextStream(stdout) << ProgramPaths::describe(databasePath);
        return 0;
    }
    if (command.isSet(QStringLiteral("export-csv")) ||
        command.isSet(QStringLiteral("import-csv"))) {
        QTextStream out(stdout), err(stderr);
        return CommandLineExchange::run(command.parser(), databasePath, out, err);
    }
    return CommandLineExport::run(command.parser(), databasePath);
}

} // namespace

int main(int argc, char* argv[]) {
    // Decided before any application object exists: text-only work never
    // touches the windowing system, and the exports paint off-screen, so
    // neither needs a display.
    const CommandLine::Run run = CommandLine::runFor(CommandLine::arguments(argc, argv));
    if (run != CommandLine::Run::Window || !CommandLine::displayAvailable()) {
        std::unique_ptr<QCoreApplication> app;
        if (run == CommandLine::Run::Drawing) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        nameTheProgram();
        const CommandLine command(QCoreApplication::arguments());
        if (int status = 0; command.answersAtOnce(&status))
            return status;
        if (run == CommandLine::Run::Window) {
            QTextStream(stderr) << "rastrel: there is no display to show the window on. The "
                                   "exports work without one: see rastrel --help.\n";
            return 1;
        }
        return runWithoutWindow(command);
    }

    prepareApplication();
    QApplication app(argc, argv);
    nameTheProgram();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(BuildInfo::kAppId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/rastrel.png")));

    // Parsed after Qt has taken its own options (-style, -platform) out.
    const CommandLine command(QCoreApplication::arguments());
    if (int status = 0; command.answersAtOnce(&status))
        return status;

    MainWindow::Options options;
    options.databasePath = DataStore::resolvePath(command.databaseArgument());
    options.showSplash = !command.isSet(QStringLiteral("no-splash"));
    options.createMissing = options.databasePath == DataStore::defaultPath();

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
