#pragma once

#include "ChildWindow.h"
#include "WindowId.h"

class Shell;

// Stands in for another feature's window: named after its id, keeping its
// open marker as the real windows do, remembering the tab it was asked for,
// and refusing to close while `refuseClose` says it holds unsaved input.
class StubWindow : public ChildWindow {
public:
    StubWindow(Shell& shell, WindowId id);

    int tab = -1;
    bool refuseClose = false;
    void selectTab(int t) override { tab = t; }

protected:
    bool queryClose() override { return !refuseClose; }
    void unload() override;

private:
    Shell& m_shell;
    WindowId m_id;
};
