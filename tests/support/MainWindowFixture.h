#pragma once

#include "MainWindow.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "StubWindow.h"
#include "TestDatabase.h"

#include <QDialog>

#include <initializer_list>
#include <memory>

// The real main window on a fresh database and settings file, answering
// through the scripted toolkit. Each test makes it with the real feature
// windows or with stubs for the windows it only needs to see open.
class MainWindowFixture {
public:
    // The test's own files and lock, no splash screen.
    MainWindow::Options options() const;
    MainWindow& make(const MainWindow::Options& options);
    MainWindow& makeWithStubs(const MainWindow::Options& options,
                              std::initializer_list<WindowId> stubbed);
    // With every feature window, in a frame large enough for all of them.
    MainWindow& makeReal();

    // The next start-up reopens the sample project 1.
    void rememberSampleProject();
    // Starts up, shows the window and waits until it is on screen.
    bool startAndShow();

    Settings settings() const { return Settings(db.settingsPath()); }
    StubWindow* stub(WindowId id) const { return static_cast<StubWindow*>(window->window(id)); }
    template <typename T> T* in(WindowId id, const char* name) const {
        QWidget* w = window->window(id);
        return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    bool enabled(const char* action) const;
    QDialog* lastDialog() const {
        return toolkit.modalDialogs().isEmpty() ? nullptr : toolkit.modalDialogs().last();
    }

    TestDatabase db;
    ScriptedToolkit toolkit;
    std::unique_ptr<MainWindow> window;
};
