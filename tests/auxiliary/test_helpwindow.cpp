#include "HelpWindow.h"
#include "ListDriver.h"
#include "TestShell.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace {

HelpWindow* openHelp(TestShell& shell) {
    shell.factories[WindowId::Help] = [](Shell& s) { return new HelpWindow(s); };
    return qobject_cast<HelpWindow*>(shell.showWindow(WindowId::Help));
}

using ListDriver::texts;

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void opensOnTheContentsAndServesBothHelpCommands();
    void searchListsThePagesWithTheWordAndOpensThem();
    void linksBackAndForwardStayInTheBookAndWebLinksGoToTheBrowser();
    void missingBookIsReportedAndTheProgramGoesOn();
};

void TestHelpWindow::opensOnTheContentsAndServesBothHelpCommands() {
    TestShell shell;
    HelpWindow* w = openHelp(shell);
    QCOMPARE(w->currentPage(), QStringLiteral("index.html"));
    QVERIFY(texts(w->findChild<QListWidget*>("lstTopics"))
                .contains("Step by step instructions for using Rastrel"));
    QCOMPARE(shell.state().marker("frmhelpopen"), QStringLiteral("Y"));
    QVERIFY(shell.scripted.messages().isEmpty());

    // Help, Contents and Help, Search for help on ...
    shell.frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shell.frame));
    w->showPage("options");
    QCOMPARE(w->currentPage(), QStringLiteral("options.html"));
    w->focusSearch();
    QTRY_COMPARE(QApplication::focusWidget(), w->findChild<QLineEdit*>("txtSearch"));
    QVERIFY(w->closeWindow());
    QCOMPARE(shell.state().marker("frmhelpopen"), QString());
}

void TestHelpWindow::searchListsThePagesWithTheWordAndOpensThem() {
    TestShell shell;
    HelpWindow* w = openHelp(shell);
    auto* box = w->findChild<QLineEdit*>("txtSearch");
    auto* topics = w->findChild<QListWidget*>("lstTopics");
    auto* label = w->findChild<QLabel*>("lblTopics");
    QTest::keyClicks(box, "BACK UP");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(label->text().startsWith("Pages containing"));
    QVERIFY(texts(topics).contains("Where your data lives and how to back it up"));

    QListWidgetItem* first = topics->item(0);
    QTest::mouseClick(topics->viewport(), Qt::LeftButton, {},
                      topics->visualItemRect(first).center());
    QVERIFY(w->currentPage() != u"index.html");
    // The word searched for is picked out on the page.
    auto* page = w->findChild<QTextBrowser*>("txtPage");
    QCOMPARE(page->textCursor().selectedText().toLower(), QStringLiteral("back"));

    box->clear();
    QTest::keyClicks(box, "xylophone");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(topics->count(), 0);
    QCOMPARE(label->text(), QStringLiteral("No page contains \"xylophone\"."));
    box->clear(); // an empty box shows the contents again
    QCOMPARE(label->text(), QStringLiteral("Contents"));
    QVERIFY(topics->count() >= 10);
}

void TestHelpWindow::linksBackAndForwardStayInTheBookAndWebLinksGoToTheBrowser() {
    TestShell shell;
    HelpWindow* w = openHelp(shell);
    auto* back = w->findChild<QToolButton*>("cmdBack");
    auto* forward = w->findChild<QToolButton*>("cmdForward");
    w->showPage(QString()); // already there: nothing to go back to
    QVERIFY(!back->isEnabled());
    w->showPage("worksheet");
    w->showPage("reports");
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(w->currentPage(), QStringLiteral("worksheet.html"));
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(w->currentPage(), QStringLiteral("reports.html"));

    auto* page = w->findChild<QTextBrowser*>("txtPage");
    Q_EMIT page->anchorClicked(QUrl("maintenance.html#categories"));
    QCOMPARE(w->currentPage(), QStringLiteral("maintenance.html"));
    QCOMPARE(page->source().fragment(), QStringLiteral("categories"));
    Q_EMIT page->anchorClicked(QUrl("#parts"));
    QCOMPARE(w->currentPage(), QStringLiteral("maintenance.html"));
    QVERIFY(shell.webPages.isEmpty());
    Q_EMIT page->anchorClicked(QUrl("https://www.example.org/forum"));
    QCOMPARE(shell.webPages, QStringList{"https://www.example.org/forum"});
    QCOMPARE(w->currentPage(), QStringLiteral("maintenance.html"));

    // A page that is not in the book falls back to the contents.
    w->showPage("no-such-page");
    QCOMPARE(shell.scripted.messages().size(), 1);
    QVERIFY(shell.scripted.lastText().contains("no-such-page"));
    QCOMPARE(w->currentPage(), QStringLiteral("index.html"));
    QTest::mouseClick(back, Qt::LeftButton);
    QTest::mouseClick(w->findChild<QToolButton*>("cmdContents"), Qt::LeftButton);
    QCOMPARE(w->currentPage(), QStringLiteral("index.html"));
}

void TestHelpWindow::missingBookIsReportedAndTheProgramGoesOn() {
    TestShell shell;
    QTemporaryDir empty;
    shell.factories[WindowId::Help] = [&empty](Shell& s) {
        return new HelpWindow(s, HelpBook(empty.path()));
    };
    auto* w = qobject_cast<HelpWindow*>(shell.showWindow(WindowId::Help));
    QCOMPARE(shell.scripted.texts().size(), 1);
    QVERIFY(shell.scripted.lastText().contains("help book could not be found"));
    w->showPage("options");
    w->search("budget");
    QCOMPARE(w->findChild<QListWidget*>("lstTopics")->count(), 0);
}

QTEST_MAIN(TestHelpWindow)
#include "test_helpwindow.moc"
