#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class QWidget;

// The page component of the built-in browser window: what the window needs
// of a web engine, so the window's own rules (history, status text, busy
// indicator) work, and are tested, with any engine behind it.
class BrowserEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Qt WebEngine when the program was built with it; otherwise a page that
    // explains that pages open in the desktop's browser.
    static std::unique_ptr<BrowserEngine> createDefault();
    static bool webEngineAvailable();

    // The widget that shows the page; the window takes ownership of it.
    virtual QWidget* widget() = 0;
    virtual void navigate(const QUrl& url) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    virtual bool isBusy() const = 0;
    virtual QString title() const = 0;
    virtual QUrl url() const = 0;

Q_SIGNALS:
    // A navigation has finished (successfully or not).
    void navigationCompleted();
};
