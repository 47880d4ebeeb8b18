#include "AttachmentStore.h"
#include "Fixtures.h"
#include "ListDriver.h"
#include "MdiHost.h"
#include "ReportChooser.h"
#include "ReportWindow.h"
#include "StubWindow.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

// The chooser in a test main window, with the sample project open or none.
ReportChooser* openChooser(TestShell& shell, bool withProject = true) {
    if (withProject)
        shell.openProject(1);
    else
        shell.appState.clearProject();
    auto* chooser = new ReportChooser(shell);
    shell.addWindow(WindowId::ReportsGraphs, chooser);
    return chooser;
}

// Picks a report and presses the chooser's Select button.
void runReport(ReportChooser* chooser, const QString& report) {
    ListDriver::choose(chooser->findChild<QListWidget*>("lstReport"), report);
    QTest::mouseClick(chooser->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
}

} // namespace

class TestReportChooser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void withoutAProjectOnlyTheReferenceListsAreOffered();
    void aChosenReportOpensInItsWindow();
    void aFailedOverBudgetComputationIsReported();
    void receiptsArePrintedOnlyWhenAskedFor();
    void theGraphsTabOpensTheChosenGraph();
};

void TestReportChooser::withoutAProjectOnlyTheReferenceListsAreOffered() {
    TestShell shell;
    QPointer<ReportChooser> chooser = openChooser(shell, false);
    QCOMPARE(
        ListDriver::texts(chooser->findChild<QListWidget*>("lstReport")),
        (QStringList{"Category Report", "Manufacturer Report", "Part Report", "Vendor Report"}));
    QCOMPARE(chooser->findChild<QListWidget*>("lstGraph")->count(), 0);
}

void TestReportChooser::aChosenReportOpensInItsWindow() {
    TestShell shell;
    ReportChooser* chooser = openChooser(shell);
    auto* list = chooser->findChild<QListWidget*>("lstReport");
    QTest::mouseClick(chooser->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(shell.mdi->subWindowList().size(), 1); // nothing chosen: nothing happens

    ListDriver::choose(list, "Total Cost Of Project (Forecast)");
    ListDriver::doubleClickCurrent(list);
    QVERIFY(qobject_cast<ReportWindow*>(shell.window(WindowId::ReportForecastCost)));
    // The chooser stays open beside its reports.
    QCOMPARE(shell.mdi->subWindowList().size(), 2);
    QVERIFY(shell.scripted.messages().isEmpty());

    // The shopping list asks for its vendor first.
    runReport(chooser, "Vendor Shopping List Report");
    QCOMPARE(shell.scripted.modalDialogs().size(), 1);
    QVERIFY(!shell.window(WindowId::ReportShoppingList));
    delete shell.scripted.modalDialogs().first();
}

void TestReportChooser::receiptsArePrintedOnlyWhenAskedFor() {
    TestShell shell;
    ReportChooser* chooser = openChooser(shell);
    // A tall photo on a purchased line needs a page of its own.
    AttachmentStore attachments(*shell.store);
    const auto line = attachments.lineId("CYLINDER HEAD GASKET SET", "1");
    QVERIFY(line);
    QVERIFY(attachments.store(
        *line, Fixtures::attachment("receipt.png", "image/png", Fixtures::png(QSize(200, 600)))));
    QList<int> pages;
    for (bool include : {false, true}) {
        QCOMPARE(chooser->findChild<QCheckBox*>("chkReceipts")->isChecked(), include);
        runReport(chooser, "Project Report");
        pages << qobject_cast<ReportWindow*>(shell.window(WindowId::ReportVehicleData))
                     ->renderer()
                     .pageCount();
        chooser->findChild<QCheckBox*>("chkReceipts")->click();
    }
    QCOMPARE(pages.first(), 9);
    QVERIFY(pages.last() > 9);
    QVERIFY(shell.scripted.messages().isEmpty());
}

void TestReportChooser::aFailedOverBudgetComputationIsReported() {
    TestShell shell;
    ReportChooser* chooser = openChooser(shell);
    // A computation that cannot be stored is reported, and no stale list is shown.
    ListDriver::choose(chooser->findChild<QListWidget*>("lstReport"), "Categories Over Budget");
    shell.exec("RSLCategoriesoverbudget",
               "CREATE TRIGGER refuse BEFORE INSERT ON RSLCategoriesoverbudget "
               "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");
    QTest::mouseClick(chooser->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
    QVERIFY(shell.scripted.lastText().contains("disk trouble"));
    QVERIFY(!shell.window(WindowId::ReportCategoriesOverBudget));
}

void TestReportChooser::theGraphsTabOpensTheChosenGraph() {
    TestShell shell;
    for (WindowId id : {WindowId::Graph1, WindowId::Graph2, WindowId::Graph3, WindowId::Graph4})
        shell.factories[id] = [id](Shell& s) { return new StubWindow(s, id); };
    ReportChooser* chooser = openChooser(shell);
    chooser->selectTab(1);
    auto* list = chooser->findChild<QListWidget*>("lstGraph");
    auto* select = chooser->findChild<QPushButton*>("cmdSelect");
    QTest::mouseClick(select, Qt::LeftButton);
    QVERIFY(shell.shown.isEmpty());

    ListDriver::choose(list, "Budget Amount Vs. Actual Amount Vs. Forecast Amount");
    QTest::mouseClick(select, Qt::LeftButton);
    QCOMPARE(shell.shown, QList<WindowId>{WindowId::Graph4});
    QPointer<QWidget> first = shell.window(WindowId::Graph4);
    QVERIFY(first);
    QTest::mouseClick(select, Qt::LeftButton);
    QTRY_VERIFY(!first);
    QVERIFY(shell.window(WindowId::Graph4));
    QCOMPARE(shell.state().marker("showgraph4open"), QStringLiteral("Y"));

    ListDriver::choose(list, "Budget Amount By Category");
    ListDriver::doubleClickCurrent(list);
    QCOMPARE(shell.shown.last(), WindowId::Graph1);
}

QTEST_MAIN(TestReportChooser)
#include "test_reportchooser.moc"
