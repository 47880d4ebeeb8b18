#include "BrowserWindow.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BrowserEngine.h"
#include "BusyCursor.h"
#include "HelpBook.h"
#include "Shell.h"
#include "Twips.h"
#include "WindowId.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

#include <unistd.h>

namespace {

struct ToolButton {
    const char* key;
    const char* toolTip;
    const char* icon;
};

constexpr ToolButton kButtons[] = {
    {"Back", "Back", "back"},         {"Forward", "Forward", "forward"},
    {"Stop", "Stop", "stop"},         {"Refresh", "Refresh", "refresh"},
    {"Home", "Rastrel Home", "home"}, {"Search", "Search", "search"},
};

} // namespace

BrowserWindow::BrowserWindow(Shell& shell, QWidget* parent)
    : BrowserWindow(shell, BrowserEngine::createDefault(), parent) {}

BrowserWindow::BrowserWindow(Shell& shell, std::unique_ptr<BrowserEngine> engine, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_engine(std::move(engine)) {
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(QStringLiteral("Rastrel Web Browser"));
    setWindowIcon(AppFiles::themeIcon(QStringLiteral("home")));
    build();
    loadStartingAddress();
    QTimer::singleShot(0, this, [this] { m_justCreated = false; });
}

BrowserWindow::~BrowserWindow() = default;

bool BrowserWindow::available() {
    return BrowserEngine::webEngineAvailable();
}

void BrowserWindow::prepareApplication() {
    if (!available())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The web engine refuses to start for the superuser unless its sandbox
    // is off; a program run as root would otherwise show empty pages.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString BrowserWindow::homeAddress() {
    return HelpBook::installed().url(QString()).toString();
}

void BrowserWindow::build() {
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setIconSize(QSize(24, 24));
    for (const ToolButton& b : kButtons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* a = m_toolbar->addAction(AppFiles::themeIcon(QString::fromLatin1(b.icon)), key);
        a->setObjectName(key);
        a->setToolTip(QString::fromLatin1(b.toolTip));
        connect(a, &QAction::triggered, this, [this, key] { onToolButton(key); });
    }

    m_addressStrip = new QWidget(this);
    m_addressStrip->setObjectName(QStringLiteral("picAddress"));
    m_addressLabel = new QLabel(QStringLiteral("&Address:"), m_addressStrip);
    m_addressLabel->setObjectName(QStringLiteral("lblAddress"));
    m_address = new QComboBox(m_addressStrip);
    m_address->setObjectName(QStringLiteral("cboAddress"));
    m_address->setEditable(true);
    // The history grows only by pages actually reached, never by typing.
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setCompleter(nullptr);
    Accessibility::label(m_addressLabel, m_address);
    connect(m_address->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { navigateTo(m_address->currentText()); });
    connect(m_address, &QComboBox::activated, this,
            [this](int index) { navigateTo(m_address->itemText(index)); });

    m_page = m_engine->widget();
    m_page->setParent(this);
    if (m_page->objectName().isEmpty())
        m_page->setObjectName(QStringLiteral("brwWebBrowser"));
    Accessibility::name(m_page, QStringLiteral("Web page"));
    connect(m_engine.get(), &BrowserEngine::navigationCompleted, this,
            &BrowserWindow::onNavigationCompleted);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timTimer"));
    m_timer->setInterval(5);
    connect(m_timer, &QTimer::timeout, this, &BrowserWindow::onTick);

    setMinimumSize(Twips::size(3000, 2000, this));
    resize(Twips::size(11000, 8000, this));
}

void BrowserWindow::layOut() {
    const int innerWidth = width();
    const int innerHeight = height();
    if (innerWidth <= 0 || innerHeight <= 0)
        return;
    const int margin = Twips::toPixelsX(50, this);
    const int toolbarHeight = m_toolbar->sizeHint().height();
    m_toolbar->setGeometry(0, 0, innerWidth, toolbarHeight);

    const QSize label = m_addressLabel->sizeHint();
    m_addressLabel->setGeometry(margin, Twips::toPixelsY(30, this), label.width(), label.height());
    const int comboTop =
        m_addressLabel->y() + m_addressLabel->height() + Twips::toPixelsY(15, this);
    const int comboWidth = std::max(0, innerWidth - Twips::toPixelsX(100, this));
    const int comboHeight = m_address->sizeHint().height();
    m_address->setGeometry(margin, comboTop, comboWidth, comboHeight);
    m_addressStrip->setGeometry(0, toolbarHeight, innerWidth,
                                comboTop + comboHeight + Twips::toPixelsY(60, this));

    const int stripBottom = m_addressStrip->y() + m_addressStrip->height();
    const int pageHeight = std::max(0, innerHeight - stripBottom - Twips::toPixelsY(100, this));
    m_page->setGeometry(margin, stripBottom, comboWidth, pageHeight);
}

void BrowserWindow::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    layOut();
}

void BrowserWindow::loadStartingAddress() {
    BusyCursor busy;
    // A caller that creates the window and then re-runs this routine at once
    // asks for the page the window is already loading.
    const bool repeat = m_justCreated && !m_startingAddress.isEmpty() &&
                        m_startingAddress == m_shell.state().startingaddress;
    m_startingAddress = m_shell.state().startingaddress;
    // Before the main window has framed it there is nothing to show yet.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->show();
        show();
    }
    m_toolbar->update();
    layOut();
    if (!m_startingAddress.isEmpty() && !repeat) {
        m_address->setEditText(m_startingAddress);
        m_timer->start();
        m_engine->navigate(QUrl::fromUserInput(m_startingAddress));
    }
}

void BrowserWindow::navigateTo(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty())
        return;
    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid())
        return;
    m_timer->start();
    m_engine->navigate(url);
}

void BrowserWindow::onNavigationCompleted() {
    const QString title = m_engine->title();
    const QString page = m_engine->url().toString();
    m_shell.state().setStatusText(2, title);
    if (!page.isEmpty() && m_address->findText(page, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        m_address->addItem(page);
    m_address->setEditText(page);
}

void BrowserWindow::onTick() {
    if (m_engine->isBusy()) {
        m_shell.state().setStatusText(2, kWorking);
        return;
    }
    m_timer->stop();
    m_shell.state().setStatusText(2, m_engine->title());
}

void BrowserWindow::onToolButton(const QString& key) {
    m_timer->start();
    if (key == u"Back") {
        m_engine->back();
    } else if (key == u"Forward") {
        m_engine->forward();
    } else if (key == u"Refresh") {
        m_engine->refresh();
    } else if (key == u"Home") {
        const QString home = homeAddress();
        m_address->setEditText(home);
        m_engine->navigate(QUrl(home));
    } else if (key == u"Search") {
        m_engine->navigate(QUrl(kSearchAddress));
    } else if (key == u"Stop") {
        m_timer->stop();
        m_engine->stop();
        m_shell.state().setStatusText(2, m_engine->title());
    }
}

QStringList BrowserWindow::history() const {
    QStringList out;
    for (int i = 0; i < m_address->count(); ++i)
        out << m_address->itemText(i);
    return out;
}

QString BrowserWindow::address() const {
    return m_address->currentText();
}

void BrowserWindow::activated() {
    m_shell.state().setStatusText(2, m_savedStatus);
    m_shell.state().setMarker(Windows::marker(WindowId::Browser), QStringLiteral("Y"));
}

void BrowserWindow::deactivated() {
    m_savedStatus = m_shell.state().statusText(2);
}

void BrowserWindow::unload() {
    m_timer->stop();
    m_engine->stop();
    m_shell.state().setMarker(Windows::marker(WindowId::Browser), QString());
    m_shell.state().setStatusText(2, QString());
}
