#pragma once

#include <QString>
#include <QUrl>

class Shell;

// Opens a web page the way the "Browser" setting asks: "I" in the desktop's
// web browser, anything else (no value included) in the built-in browser
// window. A build without the built-in browser always uses the desktop's.
class WebPageOpener {
public:
    enum class Target { Desktop, BuiltIn };

    static Target target(const QString& browserSetting, bool builtInAvailable);
    static Target target(Shell& shell);
    static void open(Shell& shell, const QString& address);
    // The address as the desktop's browser must get it (a page of the
    // built-in help book becomes a file it can read).
    static QUrl desktopUrl(const QString& address);
};
