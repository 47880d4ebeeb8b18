#include "BrowserWindow.h"
#include "HelpBook.h"
#include "TechSupportDialog.h"
#include "TestShell.h"

#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

// Records whether the support window was still up when the page was opened.
class RecordingShell : public TestShell {
public:
    void openWebPage(const QString& address) override {
        TestShell::openWebPage(address);
        supportVisible << (dialog && dialog->isVisible());
    }
    QPointer<QDialog> dialog;
    QList<bool> supportVisible;
};

} // namespace

class TestTechSupportDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void showsTheSupportText();
    void websiteWithTheSystemBrowserOpensThenCloses();
    void websiteWithTheBuiltInBrowserClosesThenOpens();
    void okCloses();
};

void TestTechSupportDialog::showsTheSupportText() {
    TestShell shell;
    auto* d = new TechSupportDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    QCOMPARE(d->windowTitle(), QStringLiteral("Rastrel Technical Support"));
    const QString text = d->findChild<QLabel*>("Label1")->text();
    QVERIFY(text.contains("Rastrel project"));
    QVERIFY(text.contains("Website"));
    QCOMPARE(d->findChild<QPushButton*>("cmdWebsite")->text(), QStringLiteral("&Website"));
    // The support page is the help book's.
    QCOMPARE(TechSupportDialog::supportAddress(),
             HelpBook::installed().url(HelpBook::kSupport).toString());
}

void TestTechSupportDialog::websiteWithTheSystemBrowserOpensThenCloses() {
    RecordingShell shell;
    shell.settings().setValue(Settings::kBrowser, "I");
    auto* d = new TechSupportDialog(shell, &shell.frame);
    shell.dialog = d;
    shell.scripted.runModal(d);
    QTest::mouseClick(d->findChild<QPushButton*>("cmdWebsite"), Qt::LeftButton);
    // Another program gets a file it can read, even for the built-in help book.
    QCOMPARE(shell.webPages.size(), 1);
    const QUrl page(shell.webPages.first());
    QVERIFY(page.isLocalFile());
    QCOMPARE(QFileInfo(page.toLocalFile()).fileName(), HelpBook::kSupport);
    QCOMPARE(shell.supportVisible, QList<bool>{true});
    QVERIFY(!shell.dialog || shell.dialog->isHidden());
}

void TestTechSupportDialog::websiteWithTheBuiltInBrowserClosesThenOpens() {
    RecordingShell shell; // no "Browser" setting: the built-in browser
    auto* d = new TechSupportDialog(shell, &shell.frame);
    shell.dialog = d;
    shell.scripted.runModal(d);
    QTest::mouseClick(d->findChild<QPushButton*>("cmdWebsite"), Qt::LeftButton);
    QCOMPARE(shell.webPages.size(), 1);
    if (BrowserWindow::available())
        QCOMPARE(shell.webPages.first(), TechSupportDialog::supportAddress());
    // Without the built-in browser the page goes to the desktop's, and the
    // window stays up until the page is on its way.
    QCOMPARE(shell.supportVisible, QList<bool>{!BrowserWindow::available()});
    QVERIFY(!shell.dialog || shell.dialog->isHidden());
}

void TestTechSupportDialog::okCloses() {
    TestShell shell;
    QPointer<TechSupportDialog> d = new TechSupportDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    QTest::mouseClick(d->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(!d || d->isHidden());
    QVERIFY(shell.webPages.isEmpty());
}

QTEST_MAIN(TestTechSupportDialog)
#include "test_techsupportdialog.moc"
