#pragma once

#include "ChildWindow.h"

#include <QString>
#include <QStringList>

#include <memory>

class BrowserEngine;
class QAction;
class QComboBox;
class QLabel;
class QTimer;
class QToolBar;
class QUrl;
class Shell;

// The built-in web browser: a toolbar, an address box with the addresses
// visited in this window, the page, and "Working..." in the main window's
// status bar while a page loads. One instance at most; callers set the
// shared starting address and run loadStartingAddress() again.
class BrowserWindow : public ChildWindow {
    Q_OBJECT
public:
    static inline const QString kWorking = QStringLiteral("Working...");
    // The browser's Search button opens a web search.
    static inline const QString kSearchAddress = QStringLiteral("https://duckduckgo.com/");

    explicit BrowserWindow(Shell& shell, QWidget* parent = nullptr);
    // With a page component of the caller's choosing (tests).
    BrowserWindow(Shell& shell, std::unique_ptr<BrowserEngine> engine, QWidget* parent = nullptr);
    ~BrowserWindow() override;

    // Whether the program was built with its own web engine.
    static bool available();
    // Must run before the QApplication is created when the web engine is
    // built in (it shares OpenGL contexts between windows).
    static void prepareApplication();

    // Opens the main window's startingaddress; also re-run for each later page.
    void loadStartingAddress();
    // The Home button's page: the start page of the help book.
    static QString homeAddress();

    QStringList history() const;
    QString address() const;
    BrowserEngine& engine() { return *m_engine; }

    void activated() override;
    void deactivated() override;

protected:
    void unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void layOut();
    void navigateTo(const QString& address);
    void onNavigationCompleted();
    void onTick();
    void onToolButton(const QString& key);

    Shell& m_shell;
    std::unique_ptr<BrowserEngine> m_engine;
    QWidget* m_page = nullptr;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_addressStrip = nullptr;
    QLabel* m_addressLabel = nullptr;
    QComboBox* m_address = nullptr;
    QTimer* m_timer = nullptr;
    QString m_startingAddress;
    QString m_savedStatus;
    bool m_justCreated = true;
};
