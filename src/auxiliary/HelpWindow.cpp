#include "HelpWindow.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "Shell.h"
#include "Toolkit.h"
#include "WindowId.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kFileRole = Qt::UserRole + 1;
}

HelpWindow::HelpWindow(Shell& shell, QWidget* parent)
    : HelpWindow(shell, HelpBook::installed(), parent) {}

HelpWindow::HelpWindow(Shell& shell, const HelpBook& book, QWidget* parent)
    : ChildWindow(parent)
    , m_shell(shell)
    , m_book(book) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Rastrel Help"));
    setWindowIcon(AppFiles::themeIcon(QStringLiteral("help")));
    build();
    m_shell.state().setMarker(Windows::marker(WindowId::Help), QStringLiteral("Y"));
    if (m_book.isAvailable()) {
        listContents();
        m_view->setSource(m_book.url(QString()));
    } else {
        showMissingBook();
    }
}

void HelpWindow::build() {
    auto* toolbar = new QHBoxLayout;
    auto makeButton = [this, toolbar](const QString& name, const QString& text,
                                      const QString& icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(QString(text).remove(u'&'));
        b->setIcon(AppFiles::themeIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        toolbar->addWidget(b);
        return b;
    };
    m_back = makeButton(QStringLiteral("cmdBack"), QStringLiteral("&Back"), QStringLiteral("back"));
    m_forward = makeButton(QStringLiteral("cmdForward"), QStringLiteral("&Forward"),
                           QStringLiteral("forward"));
    m_contents = makeButton(QStringLiteral("cmdContents"), QStringLiteral("&Contents"),
                            QStringLiteral("home"));
    toolbar->addStretch();

    auto* searchLabel = new QLabel(QStringLiteral("Find &pages containing:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(QStringLiteral("a word, such as budget"));
    m_search->setClearButtonEnabled(true);
    Accessibility::label(searchLabel, m_search);
    auto* find = new QPushButton(QStringLiteral("&Find"), this);
    find->setObjectName(QStringLiteral("cmdFind"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(find);

    m_topicsLabel = new QLabel(this);
    m_topicsLabel->setObjectName(QStringLiteral("lblTopics"));
    m_topicsLabel->setWordWrap(true);
    m_topics = new QListWidget(this);
    m_topics->setObjectName(QStringLiteral("lstTopics"));
    // Page titles are long: wrap them rather than hide their ends.
    m_topics->setWordWrap(true);
    m_topics->setTextElideMode(Qt::ElideNone);
    m_topics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_topics->setSpacing(2);
    Accessibility::name(m_topics, QStringLiteral("Help pages"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(searchLabel);
    leftLayout->addLayout(searchRow);
    leftLayout->addWidget(m_topicsLabel);
    leftLayout->addWidget(m_topics, 1);

    m_view = new QTextBrowser(this);
    m_view->setObjectName(QStringLiteral("txtPage"));
    m_view->setOpenLinks(false);
    Accessibility::name(m_view, QStringLiteral("Help page"));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 610});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolbar);
    layout->addWidget(splitter, 1);
    resize(920, 640);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_view, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_back, &QToolButton::clicked, m_view, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_view, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, [this] { showPage(QString()); });
    connect(m_view, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);
    connect(m_view, &QTextBrowser::sourceChanged, this, [this] {
        // Leads the eye to the word that was searched for.
        if (!m_highlight.isEmpty())
            m_view->find(m_highlight);
        m_highlight.clear();
    });
    connect(find, &QPushButton::clicked, this, [this] { search(m_search->text()); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(m_search->text()); });
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty())
            listContents();
    });
    connect(m_topics, &QListWidget::itemActivated, this, &HelpWindow::openItem);
    connect(m_topics, &QListWidget::itemClicked, this, &HelpWindow::openItem);
}

void HelpWindow::showMissingBook() {
    m_topics->clear();
    m_topicsLabel->clear();
    m_view->setPlainText(QStringLiteral(
        "The help book was not found. Reinstalling Rastrel puts it back; everything else works as usual."));
    m_shell.toolkit().inform(QStringLiteral(
        "The Rastrel help book could not be found, so help cannot be shown. Reinstalling Rastrel puts it back; your projects are not affected."));
}

void HelpWindow::listContents() {
    m_topics->clear();
    m_topicsLabel->setText(QStringLiteral("Contents"));
    for (const HelpBook::Page& p : m_book.pages()) {
        auto* item = new QListWidgetItem(p.title, m_topics);
        item->setData(kFileRole, p.file);
    }
}

void HelpWindow::search(const QString& words) {
    BusyCursor busy;
    const QString wanted = words.simplified();
    if (m_search->text() != words)
        m_search->setText(words);
    if (wanted.isEmpty()) {
        listContents();
        return;
    }
    m_topics->clear();
    const QList<HelpBook::Page> found = m_book.search(wanted);
    if (found.isEmpty()) {
        m_topicsLabel->setText(QStringLiteral("No page contains \"") + wanted +
                               QStringLiteral("\"."));
        return;
    }
    m_topicsLabel->setText(QStringLiteral("Pages containing \"") + wanted + QStringLiteral("\":"));
    for (const HelpBook::Page& p : found) {
        auto* item = new QListWidgetItem(p.title, m_topics);
        item->setData(kFileRole, p.file);
    }
}

void HelpWindow::openItem(QListWidgetItem* item) {
    if (!item)
        return;
    const QString file = item->data(kFileRole).toString();
    const QString words = m_search->text().simplified();
    if (file == currentPage()) {
        if (!words.isEmpty())
            m_view->find(words.section(u' ', 0, 0));
        return;
    }
    m_highlight = words.section(u' ', 0, 0);
    m_view->setSource(m_book.url(file));
}

void HelpWindow::showPage(const QString& page) {
    BusyCursor busy;
    if (!m_book.isAvailable()) {
        showMissingBook();
        return;
    }
    if (!m_book.hasPage(page)) {
        m_shell.toolkit().inform(
            QStringLiteral("The help page \"") + page +
            QStringLiteral("\" could not be found. The contents are shown instead."));
        m_view->setSource(m_book.url(QString()));
        return;
    }
    const QUrl target = m_book.url(page);
    // Showing the page already shown would only add a step to Back.
    if (target != m_view->source())
        m_view->setSource(target);
}

void HelpWindow::openLink(const QUrl& url) {
    const bool inBook = url.isRelative() || url.scheme() == u"qrc" || url.scheme() == u"file";
    if (!inBook) {
        m_shell.openWebPage(url.toString());
        return;
    }
    const QUrl target = m_view->source().resolved(url);
    if (target.adjusted(QUrl::RemoveFragment) == m_view->source().adjusted(QUrl::RemoveFragment) &&
        url.hasFragment()) {
        m_view->scrollToAnchor(url.fragment());
        return;
    }
    m_view->setSource(target);
}

void HelpWindow::focusSearch() {
    m_search->setFocus(Qt::OtherFocusReason);
    m_search->selectAll();
}

QString HelpWindow::currentPage() const {
    return QFileInfo(m_view->source().path()).fileName();
}

void HelpWindow::unload() {
    m_shell.state().setMarker(Windows::marker(WindowId::Help), QString());
}
