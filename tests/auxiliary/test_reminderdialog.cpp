#include "ReminderDialog.h"
#include "TestShell.h"

#include <QCheckBox>
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

    void checkedBoxStoresNoWhicheverWayItCloses_data();
    void checkedBoxStoresNoWhicheverWayItCloses();
    void uncheckedBoxStoresNothing();
};

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
    QVERIFY(!d->findChild<QCheckBox*>("chkLoadTipsAtStartup")->isChecked());
    QVERIFY(d->findChild<QPushButton*>("cmdOK")->isDefault());
    QTest::keyClick(d, Qt::Key_Escape);
    QVERIFY(!d || d->isHidden());
    QVERIFY(!shell.settings().contains(Settings::kShowReminder));
}

QTEST_MAIN(TestReminderDialog)
#include "test_reminderdialog.moc"
