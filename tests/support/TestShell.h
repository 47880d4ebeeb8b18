#pragma once

#include "AppState.h"
#include "DataStore.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "Shell.h"
#include "TestDatabase.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class ChildWindow;
class MdiHost;

// A main window for testing one feature at a time: a real frame with child
// windows, a fresh database and settings file, the scripted toolkit, and a
// record of the main-window procedures the feature called. Tests register a
// factory for every window the feature under test may open.
class TestShell : public Shell {
public:
    TestShell();
    ~TestShell() override;

    AppState& state() override { return appState; }
    DataStore& data() override { return *store; }
    Settings& settings() override { return *settingsStore; }
    Toolkit& toolkit() override { return scripted; }

    void toolenabled() override { calls << QStringLiteral("toolenabled"); }
    void disablemenu() override { calls << QStringLiteral("disablemenu"); }
    void enablemenu() override { calls << QStringLiteral("enablemenu"); }
    QString showsave(const QString& initialPath) override;
    void addmakemodel(const QString& make, const QString& model) override;
    qint64 checksequence(const QString& partName) override;
    void setCaption(const QString& title) override { caption = title; }
    void setBackgroundPicture(const QString& path) override;

    QWidget* showWindow(WindowId id) override;
    QWidget* window(WindowId id) const override;
    bool closeWindow(WindowId id) override;
    QMdiSubWindow* addWindow(WindowId id, QWidget* widget) override;

    void openWebPage(const QString& address) override { webPages << address; }
    void showHelp(const QString&, bool) override {}

    // Opens the sample project 1 the way the catalogue would.
    void openProject(int number);
    // Changes rows through the store, as another window would; fails the test on an error.
    void exec(const QString& table, const QString& sql);

    TestDatabase db;
    std::unique_ptr<DataStore> store;
    std::unique_ptr<Settings> settingsStore;
    ScriptedToolkit scripted;
    AppState appState;
    QMainWindow frame;
    MdiHost* mdi = nullptr;

    QStringList calls;
    QString caption;
    QString background;
    QStringList webPages;
    QHash<WindowId, std::function<ChildWindow*(Shell&)>> factories;
    QList<WindowId> shown; // every showWindow call, in order

private:
    QHash<WindowId, QMdiSubWindow*> m_windows;
};
