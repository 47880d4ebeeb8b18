#include "WebEngineBrowserEngine.h"

#include <QWebEngineHistory>
#include <QWebEngineView>

namespace {
// A request that shows no sign of life within this time is not waited for.
constexpr qint64 kPendingLimitMs = 3000;
} // namespace

WebEngineBrowserEngine::WebEngineBrowserEngine()
    : m_view(new QWebEngineView) {
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));
    connect(m_view, &QWebEngineView::loadStarted, this, [this] {
        m_loading = true;
        m_pending = false;
    });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool) {
        m_loading = false;
        m_pending = false;
        Q_EMIT navigationCompleted();
    });
    // A jump to an anchor of the same page changes the address without a load.
    connect(m_view, &QWebEngineView::urlChanged, this, [this](const QUrl&) {
        if (m_loading)
            return;
        m_pending = false;
        Q_EMIT navigationCompleted();
    });
}

WebEngineBrowserEngine::~WebEngineBrowserEngine() {
    // Normally the window owns (and has deleted) the view; an engine whose
    // view was never handed over cleans up after itself.
    if (m_view && !m_view->parent())
        delete m_view;
}

QWidget* WebEngineBrowserEngine::widget() {
    return m_view;
}

void WebEngineBrowserEngine::expectNavigation() {
    m_pending = true;
    m_pendingSince.start();
}

bool WebEngineBrowserEngine::isBusy() const {
    return m_loading || (m_pending && m_pendingSince.elapsed() < kPendingLimitMs);
}

void WebEngineBrowserEngine::navigate(const QUrl& url) {
    if (!m_view)
        return;
    expectNavigation();
    m_view->load(url);
}

void WebEngineBrowserEngine::back() {
    if (!m_view || !m_view->history()->canGoBack())
        return;
    expectNavigation();
    m_view->back();
}

void WebEngineBrowserEngine::forward() {
    if (!m_view || !m_view->history()->canGoForward())
        return;
    expectNavigation();
    m_view->forward();
}

void WebEngineBrowserEngine::stop() {
    if (m_view)
        m_view->stop();
    m_loading = false;
    m_pending = false;
}

void WebEngineBrowserEngine::refresh() {
    if (!m_view)
        return;
    expectNavigation();
    m_view->reload();
}

QString WebEngineBrowserEngine::title() const {
    return m_view ? m_view->title() : QString();
}

QUrl WebEngineBrowserEngine::url() const {
    return m_view ? m_view->url() : QUrl();
}
