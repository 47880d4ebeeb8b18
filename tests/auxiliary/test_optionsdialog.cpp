#include "BrowserWindow.h"
#include "OptionsDialog.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
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

    void noStoredSettingsShowTheDefaultsStoredByOkOnly();
    void storedSettingsAreShownWithoutCountingAsAChange();
    void closeBoxAfterATypedTaxAsksNoKeepsTheOldValueYesStores();
    void escapeAfterAChangeAsksToo();
};

void TestOptionsDialog::noStoredSettingsShowTheDefaultsStoredByOkOnly() {
    TestShell shell;
    Opened o = open(shell);
    QVERIFY(!o.openLast->isChecked());
    QCOMPARE(o.tax->text(), QStringLiteral("0"));
    QVERIFY(o.ie->isChecked());
    // The built-in browser can only be chosen when it is there.
    QCOMPARE(o.rsl->isEnabled(), BrowserWindow::available());
    // Closed untouched: nothing asked, nothing stored.
    QVERIFY(o.dialog->close());
    QVERIFY(!shell.settings().contains(Settings::kOpenLastVehicle));
    QVERIFY(!shell.settings().contains(Settings::kTaxPercentage));

    o = open(shell);
    clickOk(o.dialog);
    QVERIFY(!o.dialog || o.dialog->isHidden());
    QCOMPARE(shell.settings().value(Settings::kOpenLastVehicle, "?"), QStringLiteral("N"));
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral("0"));
    QCOMPARE(shell.settings().value(Settings::kBrowser, "?"), QStringLiteral("I"));
    QVERIFY(shell.scripted.messages().isEmpty());
}

void TestOptionsDialog::storedSettingsAreShownWithoutCountingAsAChange() {
    TestShell shell;
    shell.settings().setValue(Settings::kOpenLastVehicle, "Y");
    shell.settings().setValue(Settings::kTaxPercentage, " 8,5 % ");
    shell.settings().setValue(Settings::kBrowser, "V");
    Opened o = open(shell);
    QVERIFY(o.openLast->isChecked());
    QCOMPARE(o.tax->text(), QStringLiteral(" 8,5 % ")); // never checked or converted
    QCOMPARE(o.rsl->isChecked(), BrowserWindow::available());
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("N"));
    clickOk(o.dialog);
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral(" 8,5 % "));
    // Anything but "V" is the system browser.
    shell.settings().setValue(Settings::kBrowser, "v");
    QVERIFY(open(shell).ie->isChecked());
}

void TestOptionsDialog::closeBoxAfterATypedTaxAsksNoKeepsTheOldValueYesStores() {
    TestShell shell;
    shell.settings().setValue(Settings::kTaxPercentage, "5");
    Opened o = open(shell);
    QTest::keyClicks(o.tax, "7");
    shell.scripted.queueNo();
    QVERIFY(o.dialog->close()); // the close is never refused
    QCOMPARE(shell.scripted.messages().size(), 1);
    QVERIFY(shell.scripted.lastText().contains("save your changes"));
    QCOMPARE(shell.settings().value(Settings::kTaxPercentage, "?"), QStringLiteral("5"));

    // Yes stores like OK.
    o = open(shell);
    QTest::mouseClick(o.openLast, Qt::LeftButton);
    shell.scripted.queueYes();
    QVERIFY(o.dialog->close());
    QCOMPARE(shell.settings().value(Settings::kOpenLastVehicle, "?"), QStringLiteral("Y"));
    QCOMPARE(shell.settings().value(Settings::kBrowser, "?"), QStringLiteral("I"));
    QCOMPARE(shell.scripted.messages().size(), 2);
}

void TestOptionsDialog::escapeAfterAChangeAsksToo() {
    TestShell shell;
    Opened o = open(shell);
    QTest::mouseClick(o.ie, Qt::LeftButton); // already selected: no change
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("N"));
    if (o.rsl->isEnabled())
        QTest::mouseClick(o.rsl, Qt::LeftButton);
    else
        QTest::keyClicks(o.tax, "1");
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("Y"));
    shell.scripted.queueNo();
    QTest::keyClick(o.dialog, Qt::Key_Escape);
    QVERIFY(!o.dialog || o.dialog->isHidden());
    QCOMPARE(shell.scripted.messages().size(), 1);
    QVERIFY(!shell.settings().contains(Settings::kBrowser));
}

QTEST_MAIN(TestOptionsDialog)
#include "test_optionsdialog.moc"
