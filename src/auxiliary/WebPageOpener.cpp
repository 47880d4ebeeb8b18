#include "WebPageOpener.h"

#include "AppState.h"
#include "BrowserWindow.h"
#include "BusyCursor.h"
#include "HelpBook.h"
#include "Settings.h"
#include "Shell.h"
#include "Toolkit.h"

WebPageOpener::Target WebPageOpener::target(const QString& browserSetting, bool builtInAvailable) {
    if (browserSetting == u"I" || !builtInAvailable)
        return Target::Desktop;
    return Target::BuiltIn;
}

WebPageOpener::Target WebPageOpener::target(Shell& shell) {
    return target(shell.settings().value(Settings::kBrowser, QString()),
                  BrowserWindow::available());
}

QUrl WebPageOpener::desktopUrl(const QString& address) {
    return HelpBook::externalUrl(QUrl::fromUserInput(address.trimmed()));
}

void WebPageOpener::open(Shell& shell, const QString& address) {
    BusyCursor busy;
    if (target(shell) == Target::Desktop) {
        if (!shell.toolkit().openInDesktopBrowser(desktopUrl(address)))
            shell.toolkit().inform(
                QStringLiteral("Rastrel could not start your web browser to open ") + address +
                u'.');
        return;
    }
    shell.state().startingaddress = address;
    // A new window loads the address as it is made; one already open is
    // pointed at it again.
    const bool existed = shell.window(WindowId::Browser) != nullptr;
    QWidget* w = shell.showWindow(WindowId::Browser);
    if (auto* browser = qobject_cast<BrowserWindow*>(w); browser && existed)
        browser->loadStartingAddress();
}
