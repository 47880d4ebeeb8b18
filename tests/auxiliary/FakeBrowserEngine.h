#pragma once

#include "BrowserEngine.h"
#include "BrowserWindow.h"
#include "TestShell.h"

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

// A page component that does what the test tells it: every request is
// recorded and stays busy until the test finishes it.
class FakeBrowserEngine : public BrowserEngine {
public:
    ~FakeBrowserEngine() override {
        if (m_widget && !m_widget->parent())
            delete m_widget;
    }

    QWidget* widget() override {
        if (!m_widget)
            m_widget = new QWidget;
        return m_widget;
    }
    void navigate(const QUrl& url) override {
        requests << url;
        busy = true;
    }
    void back() override { actions << QStringLiteral("back"); }
    void forward() override { actions << QStringLiteral("forward"); }
    void stop() override {
        actions << QStringLiteral("stop");
        busy = false;
    }
    void refresh() override { actions << QStringLiteral("refresh"); }
    bool isBusy() const override { return busy; }
    QString title() const override { return pageTitle; }
    QUrl url() const override { return pageUrl; }

    // The engine reached a page.
    void finish(const QUrl& url, const QString& title) {
        busy = false;
        pageUrl = url;
        pageTitle = title;
        Q_EMIT navigationCompleted();
    }
    // Finishes the last request with a title.
    void finishLast(const QString& title) { finish(requests.value(requests.size() - 1), title); }

    QList<QUrl> requests;
    QStringList actions;
    bool busy = false;
    QString pageTitle;
    QUrl pageUrl;

private:
    QPointer<QWidget> m_widget;
};

// The shell makes its browser window with a fake engine: `engine` points at
// the newest one, `made` (when given) counts the windows made.
inline void useFakeBrowser(TestShell& shell, FakeBrowserEngine** engine, int* made = nullptr) {
    shell.factories[WindowId::Browser] = [engine, made](Shell& s) {
        if (made)
            ++*made;
        auto e = std::make_unique<FakeBrowserEngine>();
        *engine = e.get();
        return new BrowserWindow(s, std::move(e));
    };
}
