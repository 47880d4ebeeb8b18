#include "ReminderDialog.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestReminderDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void aCheckedBoxStoresNoWhicheverWayItCloses_data();
    void aCheckedBoxStoresNoWhicheverWayItCloses();
};

void TestReminderDialog::aCheckedBoxStoresNoWhicheverWayItCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("check");
    QTest::newRow("OK") << "ok" << true;
    QTest::newRow("Esc") << "escape" << true;
    QTest::newRow("close box") << "close" << true;
    QTest::newRow("unchecked") << "escape" << false;
}

void TestReminderDialog::aCheckedBoxStoresNoWhicheverWayItCloses() {
    QFETCH(QString, how);
    QFETCH(bool, check);
    TestShell shell;
    QPointer<ReminderDialog> d = new ReminderDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    QVERIFY(d->findChild<QPushButton*>("cmdOK")->isDefault());
    if (check)
        QTest::mouseClick(d->findChild<QCheckBox*>("chkLoadTipsAtStartup"), Qt::LeftButton);
    QVERIFY(!shell.settings().contains(Settings::kShowReminder)); // only on closing
    if (how == u"ok")
        QTest::mouseClick(d->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    else if (how == u"escape")
        QTest::keyClick(d, Qt::Key_Escape);
    else
        d->close();
    QVERIFY(!d || d->isHidden());
    QCOMPARE(shell.settings().value(Settings::kShowReminder, "?"), QString(check ? "N" : "?"));
}

QTEST_MAIN(TestReminderDialog)
#include "test_reminderdialog.moc"
