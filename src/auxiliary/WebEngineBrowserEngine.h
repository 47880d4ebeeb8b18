#pragma once

#include "BrowserEngine.h"

#include <QElapsedTimer>
#include <QPointer>

class QWebEngineView;

// The built-in browser's page on Qt WebEngine.
class WebEngineBrowserEngine : public BrowserEngine {
    Q_OBJECT
public:
    WebEngineBrowserEngine();
    ~WebEngineBrowserEngine() override;

    QWidget* widget() override;
    void navigate(const QUrl& url) override;
    void back() override;
    void forward() override;
    void stop() override;
    void refresh() override;
    bool isBusy() const override;
    QString title() const override;
    QUrl url() const override;

private:
    void expectNavigation();

    QPointer<QWebEngineView> m_view;
    bool m_loading = false;
    // Asked for a page the engine has not started on yet: the engine starts
    // asynchronously, and a jump within the page never starts a load at all.
    bool m_pending = false;
    QElapsedTimer m_pendingSince;
};
