#include "MainWindowFixture.h"

#include "WindowFactories.h"

#include <QAction>
#include <QTest>

MainWindow::Options MainWindowFixture::options() const {
    MainWindow::Options o;
    o.databasePath = db.databasePath();
    o.settingsFile = db.settingsPath();
    o.lockFile = db.path(QStringLiteral("rastrel.lock"));
    o.showSplash = false;
    return o;
}

MainWindow& MainWindowFixture::make(const MainWindow::Options& options) {
    window.reset();
    window = std::make_unique<MainWindow>(options, toolkit);
    return *window;
}

MainWindow& MainWindowFixture::makeWithStubs(const MainWindow::Options& options,
                                             std::initializer_list<WindowId> stubbed) {
    make(options);
    for (WindowId id : stubbed)
        window->registerWindow(id, [id](Shell& s) { return new StubWindow(s, id); });
    return *window;
}

MainWindow& MainWindowFixture::makeReal() {
    make(options());
    installWindows(*window);
    window->resize(1280, 900);
    return *window;
}

void MainWindowFixture::rememberSampleProject() {
    Settings s(db.settingsPath());
    s.setValue(Settings::kOpenLastVehicle, QStringLiteral("Y"));
    s.setValue(Settings::kVehicleLastOpened, QStringLiteral("1"));
    s.sync();
}

bool MainWindowFixture::startAndShow() {
    if (!window->startUp())
        return false;
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

bool MainWindowFixture::enabled(const char* action) const {
    return window->action(QString::fromLatin1(action))->isEnabled();
}
