#include "ReminderDialog.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

QPointer<ReminderDialog> show(TestShell& shell) {
    auto* d = new ReminderDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    return d;
}

} // namespace

class TestReminderDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void showsTheReminder();
    void checkedBoxStoresNoWhicheverWayItCloses_data();
    void checkedBoxStoresNoWhicheverWayItCloses();
    void uncheckedBoxStoresNothing();
};

void TestReminderDialog::showsTheReminder() {
    TestShell shell;
    QPointer<ReminderDialog> d = show(shell);
    QCOMPARE(d->windowTitle(), QStringLiteral("Rastrel - Reminder"));
    QCOMPARE(
        d->findChild<QLabel*>("lblTipText")->text(),
        QStringLiteral(
            "Please remember to go through the \"Step by step instructions for using Rastrel\" in the help file before you start setting things up. It is recommended to bring up help and keep it on top while you are setting up the program for the first time. The help file will walk you through the process step by step.To bring up help, click the help icon on the toolbar or select \"Contents\" from the help menu. Also, spend some time going through the sample project \"1986 Ford Mustang\" to get an idea of how you can use Rastrel to track your projects."));
    auto* box = d->findChild<QCheckBox*>("chkLoadTipsAtStartup");
    QCOMPARE(box->text(), QStringLiteral("&Do not show this reminder at startup"));
    QVERIFY(!box->isChecked());
    QVERIFY(d->findChild<QPushButton*>("cmdOK")->isDefault());
}

void TestReminderDialog::checkedBoxStoresNoWhicheverWayItCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void TestReminderDialog::checkedBoxStoresNoWhicheverWayItCloses() {
    QFETCH(QString, how);
    TestShell shell;
    QPointer<ReminderDialog> d = show(shell);
    QTest::mouseClick(d->findChild<QCheckBox*>("chkLoadTipsAtStartup"), Qt::LeftButton);
    QVERIFY(!shell.settings().contains(Settings::kShowReminder)); // only on closing
    if (how == u"ok")
        QTest::mouseClick(d->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    else if (how == u"enter")
        QTest::keyClick(d, Qt::Key_Return);
    else if (how == u"escape")
        QTest::keyClick(d, Qt::Key_Escape);
    else
        d->close();
    QVERIFY(!d || d->isHidden());
    QCOMPARE(shell.settings().value(Settings::kShowReminder, "Y"), QStringLiteral("N"));
}

void TestReminderDialog::uncheckedBoxStoresNothing() {
    TestShell shell;
    QPointer<ReminderDialog> d = show(shell);
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d || d->isHidden());
    QVERIFY(!shell.settings().contains(Settings::kShowReminder));
}

QTEST_MAIN(TestReminderDialog)
#include "test_reminderdialog.moc"
