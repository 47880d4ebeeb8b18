#include "DamagedFiles.h"
#include "Fixtures.h"
#include "MdiHost.h"
#include "RecordingPaintDevice.h"
#include "ReportPreparation.h"
#include "ReportPreview.h"
#include "ReportWindow.h"
#include "TestShell.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

namespace {

ReportWindow* openReport(TestShell& shell, ReportKind kind) {
    if (!ReportPreparation::prepare(shell.data(), shell.state(), kind).ok())
        return nullptr;
    return ReportWindow::open(shell, kind);
}

QString pageLabel(ReportWindow* w) {
    return w->findChild<QLabel*>("lblPage")->text();
}

void trigger(ReportWindow* w, const char* action) {
    w->findChild<QAction*>(action)->trigger();
}

} // namespace

class TestReportWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void aReportOpensOnceWithItsMarkerAndFreshData();
    void thePreviewPaintsPagesAsTheToolbarTurnsThem();
    void exportAndPrintWriteWhereTheUserSays();
    void theProjectLineStaysWithTheDataShown();
    void copiesAreNamedAfterTheReportAndItsProject_data();
    void copiesAreNamedAfterTheReportAndItsProject();
    void rowsThatCannotBeReadOpenNoWindow();
};

void TestReportWindow::aReportOpensOnceWithItsMarkerAndFreshData() {
    TestShell shell;
    shell.openProject(1);
    QPointer<ReportWindow> first = openReport(shell, ReportKind::VehicleData);
    QVERIFY(first);
    QCOMPARE(first->objectName(), QStringLiteral("vehicledata"));
    QCOMPARE(shell.window(WindowId::ReportVehicleData), first.data());
    QCOMPARE(first->renderer().data().rows.size(), 35);
    shell.exec("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                            "Mas_vehicle_number) VALUES ('ZZ TOP', 1, 1)");
    // Opening again replaces the window with the data as it is now.
    QPointer<ReportWindow> second = openReport(shell, ReportKind::VehicleData);
    QVERIFY(second);
    QVERIFY(!first); // freed at once, not when the event loop comes round
    QCOMPARE(shell.mdi->subWindowList().size(), 1);
    QCOMPARE(second->renderer().data().rows.size(), 36);
    QCOMPARE(shell.state().marker("vehicledataopen"), QStringLiteral("Y"));
    // Its copies are named after the project.
    shell.scripted.queueFile(QString());
    trigger(second, "actExportPdf");
    QVERIFY(shell.scripted.chooserInitialPaths().last().endsWith(
        "/Project Report - 1986 FORD MUSTANG.pdf"));
    QVERIFY(second->closeWindow());
    QTRY_VERIFY(!second);
    QCOMPARE(shell.state().marker("vehicledataopen"), QString());

    // The wide reports open wider than the others; the reference lists need no project.
    ReportWindow* wide = openReport(shell, ReportKind::ActualCost);
    QVERIFY(wide->parentWidget()->width() > wide->sizeHint().width() - 10);
    shell.appState.clearProject();
    QVERIFY(openReport(shell, ReportKind::VendorData));
    QCOMPARE(shell.state().marker("vendordataopen"), QStringLiteral("Y"));
}

void TestReportWindow::thePreviewPaintsPagesAsTheToolbarTurnsThem() {
    TestShell shell;
    shell.openProject(1);
    ReportWindow* w = openReport(shell, ReportKind::VehicleData);
    QVERIFY(w);
    ReportPreview* preview = w->preview();
    // The first page is there at once, the rest follows while the window waits.
    QVERIFY(preview->pageCount() >= 1);
    QVERIFY(!preview->isComplete());
    QTRY_VERIFY(preview->isComplete());
    QCOMPARE(preview->pageCount(), 9);
    QCOMPARE(pageLabel(w), QStringLiteral("Page 1 of 9"));
    // Next on the last page stays there.
    for (const auto& [action, page] : {std::pair("actLastPage", 9),
                                       {"actNextPage", 9},
                                       {"actPreviousPage", 8},
                                       {"actFirstPage", 1},
                                       {"actNextPage", 2}}) {
        trigger(w, action);
        QCOMPARE(pageLabel(w), QStringLiteral("Page %1 of 9").arg(page));
    }
    const qreal zoom = preview->zoomFactor();
    trigger(w, "actZoomIn");
    QVERIFY(preview->zoomFactor() > zoom);
    QVERIFY(!preview->fitsWidth());
    trigger(w, "actFitWidth");
    QVERIFY(preview->fitsWidth());

    QVERIFY(9 > ReportPreview::kCachedPages);
    for (int page = 1; page <= 9; ++page) {
        preview->setCurrentPage(page);
        QVERIFY(!preview->viewport()->grab().toImage().isNull());
        QVERIFY(preview->cachedPageCount() <= ReportPreview::kCachedPages);
    }
    QCOMPARE(preview->cachedPageCount(), ReportPreview::kCachedPages);

    // The PDF has every page the preview has.
    const QString path = shell.db.path("report.pdf");
    shell.scripted.queueFile(path);
    trigger(w, "actExportPdf");
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")), 9);
}

void TestReportWindow::exportAndPrintWriteWhereTheUserSays() {
    TestShell shell;
    ReportWindow* w = openReport(shell, ReportKind::CategoryData);
    QVERIFY(w);
    const QString base = shell.db.path("categories");
    shell.scripted.queueFile(base);
    trigger(w, "actExportPdf");
    QVERIFY(QFileInfo(base + ".pdf").size() > 0);
    QCOMPARE(shell.scripted.chooserTitles().last(), QStringLiteral("Export PDF"));
    QVERIFY(shell.scripted.chooserInitialPaths().last().endsWith("/Category Report.pdf"));
    QVERIFY(shell.scripted.messages().isEmpty());

    shell.scripted.queueFile(QString()); // cancelled
    trigger(w, "actExportPdf");
    QVERIFY(shell.scripted.messages().isEmpty());

    shell.scripted.queueFile(shell.db.path("missing/folder/out.pdf"));
    trigger(w, "actExportPdf");
    QVERIFY(shell.scripted.lastText().contains("could not be written"));
    shell.scripted.clear();

    // Printing goes through the print dialog, on Letter paper.
    const QString out = shell.db.path("printed.pdf");
    int asked = 0;
    bool accept = false;
    w->setPrintDialog([&](QPrinter& printer, QWidget*) -> bool {
        ++asked;
        if (printer.pageLayout().pageSize().id() != QPageSize::Letter ||
            printer.docName() != u"Category Report")
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        return accept;
    });
    trigger(w, "actPrint");
    QCOMPARE(asked, 1);
    QVERIFY(!QFileInfo::exists(out));
    accept = true;
    trigger(w, "actPrint");
    QVERIFY(QFileInfo(out).size() > 0);
    QVERIFY(shell.scripted.messages().isEmpty());
}

void TestReportWindow::theProjectLineStaysWithTheDataShown() {
    TestShell shell;
    shell.openProject(1);
    QPointer<ReportWindow> report = openReport(shell, ReportKind::CategoriesOverBudget);
    QVERIFY(report);
    // The project is closed and another window takes the focus; coming back
    // to the report must not relabel the rows it shows.
    shell.appState.clearProject();
    ReportWindow* other = openReport(shell, ReportKind::PartData);
    QVERIFY(other);
    shell.mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(report->parentWidget()));
    RecordingPaintDevice dev;
    dev.record(report->renderer());
    QVERIFY(dev.find("1986 FORD MUSTANG"));
}

void TestReportWindow::copiesAreNamedAfterTheReportAndItsProject_data() {
    QTest::addColumn<ReportKind>("kind");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("expected");
    QTest::newRow("project report") << ReportKind::VehicleData << "1986 FORD MUSTANG"
                                    << "Project Report - 1986 FORD MUSTANG";
    QTest::newRow("reference list") << ReportKind::VendorData << "1986 FORD MUSTANG"
                                    << "Vendor Report";
    // The shopping list is the vendor's, across every project.
    QTest::newRow("shopping list") << ReportKind::ShoppingList << "1986 FORD MUSTANG"
                                   << "Vendor Shopping List Report";
    QTest::newRow("separators") << ReportKind::PartSearchList << "1970 AMC AMX/3: \"SHOW\""
                                << "Part Search Report - 1970 AMC AMX-3- -SHOW-";
}

void TestReportWindow::copiesAreNamedAfterTheReportAndItsProject() {
    QFETCH(ReportKind, kind);
    QFETCH(QString, project);
    QFETCH(QString, expected);
    QCOMPARE(ReportCatalog::documentName(kind, project), expected);
}

void TestReportWindow::rowsThatCannotBeReadOpenNoWindow() {
    TestShell shell;
    Fixtures::addPagesOfLines(shell.data(), 1, "ACME");
    shell.store.reset();
    QVERIFY(DamagedFiles::damageInside(shell.db.databasePath(), "RSLMaster"));
    shell.store = shell.db.open();
    QVERIFY(ReportPreparation::selectVendor(shell.data(), "ACME").ok());
    QVERIFY(!ReportWindow::open(shell, ReportKind::ShoppingList, "ACME"));
    QVERIFY(shell.scripted.messages().last().text.contains("damaged"));
    QVERIFY(!shell.window(WindowId::ReportShoppingList));
    QCOMPARE(shell.state().marker(ReportCatalog::marker(ReportKind::ShoppingList)), QString());
}

QTEST_MAIN(TestReportWindow)
#include "test_reportwindow.moc"
