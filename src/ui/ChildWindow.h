#pragma once

#include <QWidget>

// A window that lives inside the main window's frame. Loading is the
// constructor; the frame calls activated() and deactivated() when the user
// moves between child windows (not when a message box comes and goes);
// queryClose() may refuse a close (a question about unsaved input) and
// unload() runs exactly once when the window closes.
class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget* parent = nullptr);

    virtual void activated() {}
    virtual void deactivated() {}
    // Windows with tabs select one when the main window's menus open them.
    virtual void selectTab(int) {}

    // Closes the window (its frame, when it has one); false when it refused.
    bool closeWindow();
    // Runs the close question and, when accepted, unload(); used by the frame.
    bool tryClose();
    bool isUnloaded() const { return m_unloaded; }

protected:
    virtual bool queryClose() { return true; }
    virtual void unload() {}
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_unloaded = false;
    bool m_closing = false;
};
