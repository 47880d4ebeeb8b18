#include "BrowserWindow.h"
#include "FakeBrowserEngine.h"
#include "TestShell.h"
#include "WebPageOpener.h"

#include <QTest>

using Target = WebPageOpener::Target;

class TestWebPageOpener : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void settingChoosesTheBrowser();
    void failedDesktopBrowserIsReported();
    void builtInChoiceMakesOneWindowAndReusesIt();
    void reRunningTheLoadRightAfterCreatingTheWindowLoadsOnce();
};

void TestWebPageOpener::settingChoosesTheBrowser() {
    QCOMPARE(WebPageOpener::target("I", true), Target::Desktop);
    QCOMPARE(WebPageOpener::target("", true), Target::BuiltIn); // no setting at all
    QCOMPARE(WebPageOpener::target("i", true), Target::BuiltIn);
    // Without the built-in browser every page goes to the desktop's.
    QCOMPARE(WebPageOpener::target("V", false), Target::Desktop);
}

void TestWebPageOpener::failedDesktopBrowserIsReported() {
    class NoBrowser : public ScriptedToolkit {
    public:
        bool openInDesktopBrowser(const QUrl&) override { return false; }
    };
    class NoBrowserShell : public TestShell {
    public:
        Toolkit& toolkit() override { return failing; }
        NoBrowser failing;
    } shell;
    shell.settings().setValue(Settings::kBrowser, "I");
    WebPageOpener::open(shell, "http://a.test/");
    QCOMPARE(shell.failing.messages().size(), 1);
    QVERIFY(shell.failing.lastText().contains("http://a.test/"));
}

void TestWebPageOpener::builtInChoiceMakesOneWindowAndReusesIt() {
    if (!BrowserWindow::available())
        QSKIP("built without Qt WebEngine: pages always open in the desktop's browser");
    TestShell shell;
    int made = 0;
    FakeBrowserEngine* engine = nullptr;
    useFakeBrowser(shell, &engine, &made);
    WebPageOpener::open(shell, "http://a.test/");
    WebPageOpener::open(shell, "http://b.test/");
    QCOMPARE(made, 1);
    // Each address navigates exactly once: a new window loads as it is made.
    QCOMPARE(engine->requests, (QList<QUrl>{QUrl("http://a.test/"), QUrl("http://b.test/")}));
    QCOMPARE(shell.state().startingaddress, QStringLiteral("http://b.test/"));
    QVERIFY(shell.scripted.openedUrls().isEmpty());
}

void TestWebPageOpener::reRunningTheLoadRightAfterCreatingTheWindowLoadsOnce() {
    // A caller that makes the window and then runs its load routine anyway.
    TestShell shell;
    FakeBrowserEngine* engine = nullptr;
    useFakeBrowser(shell, &engine);
    shell.state().startingaddress = "http://a.test/";
    auto* w = qobject_cast<BrowserWindow*>(shell.showWindow(WindowId::Browser));
    w->loadStartingAddress();
    QCOMPARE(engine->requests.size(), 1);
    // Later the same address is loaded again: the user asked for it again.
    QTest::qWait(0);
    w->loadStartingAddress();
    QCOMPARE(engine->requests.size(), 2);
}

QTEST_MAIN(TestWebPageOpener)
#include "test_webpageopener.moc"
