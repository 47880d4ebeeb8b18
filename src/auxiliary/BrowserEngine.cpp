#include "BrowserEngine.h"

#include <QLabel>
#include <QPointer>

#ifdef RASTREL_HAVE_WEBENGINE
#include "WebEngineBrowserEngine.h"
#endif

namespace {

// Stands in for the web engine in a build without it; the main window then
// opens pages in the desktop's browser, so this is seldom seen.
class UnavailableEngine : public BrowserEngine {
public:
    QWidget* widget() override {
        if (!m_label) {
            m_label = new QLabel(QStringLiteral(
                "The built-in web browser is not part of this installation of Rastrel. Web pages open in your desktop's web browser instead."));
            m_label->setWordWrap(true);
            m_label->setAlignment(Qt::AlignCenter);
            m_label->setMargin(24);
        }
        return m_label;
    }
    void navigate(const QUrl& url) override {
        m_url = url;
        Q_EMIT navigationCompleted();
    }
    void back() override {}
    void forward() override {}
    void stop() override {}
    void refresh() override {}
    bool isBusy() const override { return false; }
    QString title() const override { return m_url.toString(); }
    QUrl url() const override { return m_url; }

private:
    QPointer<QLabel> m_label;
    QUrl m_url;
};

} // namespace

bool BrowserEngine::webEngineAvailable() {
#ifdef RASTREL_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

std::unique_ptr<BrowserEngine> BrowserEngine::createDefault() {
#ifdef RASTREL_HAVE_WEBENGINE
    return std::make_unique<WebEngineBrowserEngine>();
#else
    return std::make_unique<UnavailableEngine>();
#endif
}
