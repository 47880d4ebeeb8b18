#include "ListDriver.h"
#include "MdiHost.h"
#include "ReportWindow.h"
#include "TestShell.h"
#include "VendorSelectDialog.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using ListDriver::choose;
using ListDriver::texts;

class TestVendorSelectDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void listsEveryVendorInOrder();
    void aChosenVendorOpensItsShoppingListAndNoneIsRefused();
};

void TestVendorSelectDialog::listsEveryVendorInOrder() {
    TestShell shell;
    QVERIFY(shell.store->recordSet(Command::RSLVendor).setFilter("order_catalog = 1").ok());
    VendorSelectDialog dialog(shell);
    QCOMPARE(texts(dialog.findChild<QListWidget*>("lstVendor")),
             (QStringList{"COPPER KETTLE AUTO PARTS", "GEARHEAD DIRECT",
                          "HIGHLINE RESTORATION SUPPLY", "LAKESHORE PERFORMANCE WAREHOUSE",
                          "NORTHFIELD PAINT AND BODY SUPPLY", "TRI-COUNTY SWAP MEET"}));
}

void TestVendorSelectDialog::aChosenVendorOpensItsShoppingListAndNoneIsRefused() {
    TestShell shell;
    shell.openProject(1);
    QPointer<VendorSelectDialog> dialog = new VendorSelectDialog(shell);
    shell.scripted.runModal(dialog);
    // Nothing chosen: the dialog asks for a vendor and stays.
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
    QVERIFY(shell.scripted.lastText().contains("select a vendor"));
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!shell.window(WindowId::ReportShoppingList));

    choose(dialog->findChild<QListWidget*>("lstVendor"), "GEARHEAD DIRECT");
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdSelect"), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    auto* report = qobject_cast<ReportWindow*>(shell.window(WindowId::ReportShoppingList));
    QVERIFY(report);
    QCOMPARE(report->renderer().data().rows.size(), 4);

    // Another vendor replaces the open list.
    dialog = new VendorSelectDialog(shell);
    shell.scripted.runModal(dialog);
    choose(dialog->findChild<QListWidget*>("lstVendor"), "TRI-COUNTY SWAP MEET");
    dialog->select();
    QTRY_VERIFY(!dialog);
    QTRY_COMPARE(shell.mdi->subWindowList().size(), 1);
    report = qobject_cast<ReportWindow*>(shell.window(WindowId::ReportShoppingList));
    QCOMPARE(report->renderer().data().rows.size(), 1);
}

QTEST_MAIN(TestVendorSelectDialog)
#include "test_vendorselectdialog.moc"
