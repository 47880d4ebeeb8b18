#include "BrowserWindow.h"
#include "OptionsDialog.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

struct Opened {
    QPointer<OptionsDialog> dialog;
    QCheckBox* openLast;
    QLineEdit* tax;
    QRadioButton* ie;
    QRadioButton* rsl;
};

Opened open(TestShell& shell) {
    auto* d = new OptionsDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    return {d, d->findChild<QCheckBox*>("Check1"), d->findChild<QLineEdit*>("Text1"),
            d->findChild<QRadioButton*>("optIE"), d->findChild<QRadioButton*>("optRSL")};
}

void clickOk(OptionsDialog* d) {
    QTest::mouseClick(d->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void layoutHasTheThreeTabsAndTheirCaptions();
    void noStoredSettingsShowAndStoreTheDefaults();
    void storedSettingsAreShownWithoutCountingAsAChange();
    void closingUntouchedAsksAndStoresNothing();
    void closeBoxAfterATypedTaxAsksAndNoKeepsTheOldValue();
    void closeBoxQuestionYesStoresLikeOk();
    void escapeAfterAChangeAsksToo();
    void taxIsStoredExactlyAsTyped();
};

void TestOptionsDialog::layoutHasTheThreeTabsAndTheirCaptions() {
    TestShell shell;
    Opened o = open(shell);
    QCOMPARE(o.dialog->windowTitle(), QStringLiteral("Program Options"));
    auto* tabs = o.dialog->findChild<QTabWidget*>("SSTab1");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Sales Tax"));
    QCOMPARE(tabs->tabText(2), QStringLiteral(" Internet Browser"));
    QCOMPARE(o.ie->text(), QStringLiteral("System Web Browser"));
    QCOMPARE(o.rsl->text(), QStringLiteral("Rastrel Web Browser"));
    // The built-in browser can only be chosen when it is there.
    QCOMPARE(o.rsl->isEnabled(), BrowserWindow::available());
    QCOMPARE(o.dialog->findChild<QWidget*>("lblBrowserNote") != nullptr,
             !BrowserWindow::available());
    QVERIFY(!o.tax->accessibleName().isEmpty());
}

void TestOptionsDialog::noStoredSettingsShowAndStoreTheDefaults() {
    TestShell shell;
    Opened o = open(shell);
    QVERIFY(!o.openLast->isChecked());
    QCOMPARE(o.tax->text(), QStringLiteral("0"));
    QVERIFY(o.ie->isChecked());
    QVERIFY(!o.rsl->isChecked());
    clickOk(o.dialog);
    QVERIFY(o.dialog->isHidden() || !o.dialog);
    QCOMPARE(shell.settings().value(Settings::kOpenLastVehicle, "?"), QStringLiteral("N"));
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral("0"));
    QCOMPARE(shell.settings().value(Settings::kBrowser, "?"), QStringLiteral("I"));
    QVERIFY(shell.scripted.messages().isEmpty());
}

void TestOptionsDialog::storedSettingsAreShownWithoutCountingAsAChange() {
    TestShell shell;
    shell.settings().setValue(Settings::kOpenLastVehicle, "Y");
    shell.settings().setValue(Settings::kTaxPercentage, "6.25");
    shell.settings().setValue(Settings::kBrowser, "V");
    Opened o = open(shell);
    QVERIFY(o.openLast->isChecked());
    QCOMPARE(o.tax->text(), QStringLiteral("6.25"));
    QCOMPARE(o.rsl->isChecked(), BrowserWindow::available());
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("N"));
    // Anything but "V" is the system browser.
    shell.settings().setValue(Settings::kBrowser, "v");
    Opened again = open(shell);
    QVERIFY(again.ie->isChecked());
}

void TestOptionsDialog::closingUntouchedAsksAndStoresNothing() {
    TestShell shell;
    Opened o = open(shell);
    QVERIFY(o.dialog->close());
    QVERIFY(shell.scripted.messages().isEmpty());
    QVERIFY(!shell.settings().contains(Settings::kOpenLastVehicle));
    QVERIFY(!shell.settings().contains(Settings::kTaxPercentage));
    QVERIFY(!shell.settings().contains(Settings::kBrowser));
}

void TestOptionsDialog::closeBoxAfterATypedTaxAsksAndNoKeepsTheOldValue() {
    TestShell shell;
    shell.settings().setValue(Settings::kTaxPercentage, "5");
    Opened o = open(shell);
    QTest::keyClicks(o.tax, "7");
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("Y"));
    shell.scripted.queueNo();
    QVERIFY(o.dialog->close()); // the close is never refused
    QCOMPARE(shell.scripted.messages().size(), 1);
    const auto& m = shell.scripted.messages().first();
    QCOMPARE(m.kind, ScriptedToolkit::Kind::YesNoHelp);
    QCOMPARE(m.text,
             QStringLiteral("Would you like to save your changes before leaving this form?"));
    QCOMPARE(m.title, QStringLiteral("Rastrel - Program Options"));
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral("5"));
    QVERIFY(!shell.settings().contains(Settings::kBrowser));
}

void TestOptionsDialog::closeBoxQuestionYesStoresLikeOk() {
    TestShell shell;
    Opened o = open(shell);
    QTest::mouseClick(o.openLast, Qt::LeftButton);
    shell.scripted.queueYes();
    QVERIFY(o.dialog->close());
    QCOMPARE(shell.settings().value(Settings::kOpenLastVehicle, "?"), QStringLiteral("Y"));
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral("0"));
    QCOMPARE(shell.settings().value(Settings::kBrowser, "?"), QStringLiteral("I"));
    QCOMPARE(shell.scripted.messages().size(), 1);
}

void TestOptionsDialog::escapeAfterAChangeAsksToo() {
    TestShell shell;
    Opened o = open(shell);
    o.dialog->activateWindow();
    QTest::mouseClick(o.ie, Qt::LeftButton); // already selected: no change
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("N"));
    if (o.rsl->isEnabled()) {
        QTest::mouseClick(o.rsl, Qt::LeftButton);
        QCOMPARE(o.dialog->changeFlag(), QStringLiteral("Y"));
    } else {
        QTest::keyClicks(o.tax, "1");
    }
    shell.scripted.queueNo();
    QTest::keyClick(o.dialog, Qt::Key_Escape);
    QVERIFY(!o.dialog || o.dialog->isHidden());
    QCOMPARE(shell.scripted.messages().size(), 1);
    QVERIFY(!shell.settings().contains(Settings::kBrowser));
}

void TestOptionsDialog::taxIsStoredExactlyAsTyped() {
    TestShell shell;
    Opened o = open(shell);
    o.tax->clear();
    QTest::keyClicks(o.tax, " 8,5 % ");
    clickOk(o.dialog);
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral(" 8,5 % "));
    QVERIFY(shell.scripted.messages().isEmpty());
}

QTEST_MAIN(TestOptionsDialog)
#include "test_optionsdialog.moc"
