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
    void closingAfterAChangeAsksYesStoresNoKeeps_data();
    void closingAfterAChangeAsksYesStoresNoKeeps();
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

void TestOptionsDialog::closingAfterAChangeAsksYesStoresNoKeeps_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("escape"); // or the close box
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::newRow("typed tax, No")
        << "tax" << false << false << Settings::kTaxPercentage << "5"; // the value from before
    QTest::newRow("ticked box, Yes")
        << "openLast" << false << true << Settings::kOpenLastVehicle << "Y";
    QTest::newRow("browser, Esc, No")
        << "browser" << true << false << Settings::kBrowser << QString();
}

void TestOptionsDialog::closingAfterAChangeAsksYesStoresNoKeeps() {
    QFETCH(QString, change);
    QFETCH(bool, escape);
    QFETCH(bool, yes);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    TestShell shell;
    shell.settings().setValue(Settings::kTaxPercentage, "5");
    Opened o = open(shell);
    QTest::mouseClick(o.ie, Qt::LeftButton); // already selected: no change
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("N"));
    if (change == u"openLast")
        QTest::mouseClick(o.openLast, Qt::LeftButton);
    else if (change == u"browser" && o.rsl->isEnabled())
        QTest::mouseClick(o.rsl, Qt::LeftButton);
    else
        QTest::keyClicks(o.tax, "7");
    QCOMPARE(o.dialog->changeFlag(), QStringLiteral("Y"));
    yes ? shell.scripted.queueYes() : shell.scripted.queueNo();
    if (escape)
        QTest::keyClick(o.dialog, Qt::Key_Escape);
    else
        QVERIFY(o.dialog->close()); // the close is never refused
    QVERIFY(!o.dialog || o.dialog->isHidden());
    QCOMPARE(shell.scripted.messages().size(), 1);
    const auto& m = shell.scripted.messages().first();
    QCOMPARE(m.kind, ScriptedToolkit::Kind::YesNoHelp);
    QCOMPARE(m.text,
             QStringLiteral("Would you like to save your changes before leaving this form?"));
    QCOMPARE(m.title, QStringLiteral("Rastrel - Program Options"));
    QCOMPARE(shell.settings().contains(key), !stored.isNull());
    QCOMPARE(shell.settings().value(key, QString()), stored);
    if (yes) // everything is stored, as by OK
        QCOMPARE(shell.settings().value(Settings::kBrowser, "?"), QStringLiteral("I"));
}

QTEST_MAIN(TestOptionsDialog)
#include "test_optionsdialog.moc"
