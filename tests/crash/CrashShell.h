#pragma once

#include "AppState.h"
#include "DataStore.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "Shell.h"

// The main window's part in the write paths, without windows: the data store,
// the shared state and the sequence numbers. Used by the crash child.
class CrashShell : public Shell {
public:
    CrashShell(DataStore& store, const QString& settingsFile)
        : m_store(store)
        , m_settings(settingsFile) {}

    AppState& state() override { return m_state; }
    DataStore& data() override { return m_store; }
    Settings& settings() override { return m_settings; }
    Toolkit& toolkit() override { return m_toolkit; }
    void toolenabled() override {}
    void disablemenu() override {}
    void enablemenu() override {}
    QString showsave(const QString&) override { return {}; }
    void addmakemodel(const QString&, const QString&) override {}
    qint64 checksequence(const QString& partName) override {
        m_state.holdsequence = m_store.nextSequenceNumber(partName);
        return m_state.holdsequence;
    }
    void setCaption(const QString&) override {}
    void setBackgroundPicture(const QString&) override {}
    QWidget* showWindow(WindowId) override { return nullptr; }
    QWidget* window(WindowId) const override { return nullptr; }
    bool closeWindow(WindowId) override { return true; }
    QMdiSubWindow* addWindow(WindowId, QWidget*) override { return nullptr; }
    void openWebPage(const QString&) override {}
    void showHelp(const QString&, bool) override {}

private:
    DataStore& m_store;
    Settings m_settings;
    AppState m_state;
    ScriptedToolkit m_toolkit;
};
