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

    void websiteButtonOpensThePageAndCloses_data();
    void websiteButtonOpensThePageAndCloses();
};

void TestTechSupportDialog::websiteButtonOpensThePageAndCloses_data() {
    QTest::addColumn<QString>("browser"); // the setting, null for none
    QTest::addColumn<bool>("builtIn");
    QTest::newRow("system browser") << "I" << false;
    QTest::newRow("no setting") << QString() << BrowserWindow::available();
}

void TestTechSupportDialog::websiteButtonOpensThePageAndCloses() {
    QFETCH(QString, browser);
    QFETCH(bool, builtIn);
    RecordingShell shell;
    if (!browser.isNull())
        shell.settings().setValue(Settings::kBrowser, browser);
    shell.clickWebsite();
    QCOMPARE(shell.webPages.size(), 1);
    if (builtIn) {
        QCOMPARE(shell.webPages.first(), TechSupportDialog::supportAddress());
    } else {
        // Another program gets a file it can read, even for the built-in help book.
        const QUrl page(shell.webPages.first());
        QVERIFY(page.isLocalFile());
        QCOMPARE(QFileInfo(page.toLocalFile()).fileName(), HelpBook::kSupport);
    }
    // The built-in browser opens inside the main window once the support
    // window is gone; another program's page is on its way before it closes.
    QCOMPARE(shell.supportVisible, QList<bool>{!builtIn});
    QVERIFY(!shell.dialog || shell.dialog->isHidden());
}

QTEST_MAIN(TestTechSupportDialog)
#include "test_techsupportdialog.moc"
