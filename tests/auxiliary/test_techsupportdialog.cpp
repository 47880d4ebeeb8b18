#include "BrowserWindow.h"
#include "HelpBook.h"
#include "TechSupportDialog.h"
#include "TestShell.h"

#include <QFileInfo>
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
    // Opens the support window and presses its web site button.
    void clickWebsite() {
        auto* d = new TechSupportDialog(*this, &frame);
        dialog = d;
        scripted.runModal(d);
        QTest::mouseClick(d->findChild<QPushButton*>("cmdWebsite"), Qt::LeftButton);
    }
    QPointer<QDialog> dialog;
    QList<bool> supportVisible;
};

} // namespace

class TestTechSupportDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void websiteWithTheSystemBrowserOpensThenCloses();
    void websiteWithTheBuiltInBrowserClosesThenOpens();
};

void TestTechSupportDialog::websiteWithTheSystemBrowserOpensThenCloses() {
    RecordingShell shell;
    shell.settings().setValue(Settings::kBrowser, "I");
    shell.clickWebsite();
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
    shell.clickWebsite();
    QCOMPARE(shell.webPages.size(), 1);
    if (BrowserWindow::available())
        QCOMPARE(shell.webPages.first(), TechSupportDialog::supportAddress());
    // Without the built-in browser the page goes to the desktop's, and the
    // window stays up until the page is on its way.
    QCOMPARE(shell.supportVisible, QList<bool>{!BrowserWindow::available()});
    QVERIFY(!shell.dialog || shell.dialog->isHidden());
}

QTEST_MAIN(TestTechSupportDialog)
#include "test_techsupportdialog.moc"
