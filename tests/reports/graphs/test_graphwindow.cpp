#include "GraphGeometry.h"
#include "GraphWindow.h"
#include "TestShell.h"
#include "Twips.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace {

GraphWindow* openGraph(TestShell& shell, GraphKind kind) {
    for (GraphKind k : GraphCatalog::all())
        shell.factories[GraphCatalog::windowId(k)] = [k](Shell& s) {
            return new GraphWindow(s, k);
        };
    return qobject_cast<GraphWindow*>(shell.showWindow(GraphCatalog::windowId(kind)));
}

QMdiSubWindow* frameOf(QWidget* w) {
    return qobject_cast<QMdiSubWindow*>(w->parentWidget());
}

// Picks the dialog's "print to file" entry and types the file name, so that
// no test ever reaches a real printer.
bool chooseFileOutput(QPrintDialog* dialog, const QString& file) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!printers || !name)
        return false;
    const int toFile = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
    if (toFile < 0)
        return false;
    printers->setCurrentIndex(toFile);
    name->setText(file);
    return true;
}

QSize spare(QWidget* w) {
    return Twips::size(GraphGeometry::kSpareWidth, GraphGeometry::kSpareHeight, w);
}

} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void opensPlacedAndMarkedOrEmpty();
    void graphFollowsTheWindowStaysInsideAndOutlivesMinimising();
    void barsTellTheirAmount();
    void savesThePictureAsShownAndPrintsThroughTheDialog();
};

void TestGraphWindow::opensPlacedAndMarkedOrEmpty() {
    TestShell shell;
    // No project open: an empty graph, nothing to say.
    QVERIFY(openGraph(shell, GraphKind::BudgetVsForecast)->data().isEmpty());
    QVERIFY(shell.closeWindow(WindowId::Graph3));
    shell.openProject(1);
    for (GraphKind kind : GraphCatalog::all()) {
        GraphWindow* w = openGraph(shell, kind);
        QCOMPARE(frameOf(w)->geometry(),
                 Twips::rect(GraphGeometry::kLeft, GraphGeometry::kTop, GraphGeometry::kWidth,
                             GraphGeometry::kHeight, w));
    }
    // Several graphs side by side, each closing on its own.
    QVERIFY(shell.closeWindow(WindowId::Graph3));
    QCOMPARE(shell.appState.marker(QStringLiteral("showgraph3open")), QString());
    QCOMPARE(shell.appState.marker(QStringLiteral("showgraph2open")), QStringLiteral("Y"));
    QVERIFY(shell.scripted.messages().isEmpty());

    // Lines that cannot be read: the user is told, the window still opens.
    QVERIFY(TestDatabase::exec(shell.db.databasePath(),
                               QStringLiteral("ALTER TABLE RSLMaster RENAME TO RSLMasterGone")));
    shell.store->invalidateTable(QStringLiteral("RSLMaster"));
    QVERIFY(openGraph(shell, GraphKind::BudgetVsForecast));
    QCOMPARE(shell.scripted.messages().size(), 1);
    QCOMPARE(shell.appState.marker(QStringLiteral("showgraph3open")), QStringLiteral("Y"));
}

void TestGraphWindow::graphFollowsTheWindowStaysInsideAndOutlivesMinimising() {
    TestShell shell;
    shell.openProject(1);
    GraphWindow* w = openGraph(shell, GraphKind::BudgetVsActualVsForecast);
    QMdiSubWindow* frame = frameOf(w);
    QChartView* view = w->chartView();

    for (const QSize size :
         {QSize(900, 700), QSize(400, 300), QSize(60, 60), QSize(25, 40), QSize(700, 500)}) {
        frame->resize(size);
        const QSize wanted = (frame->size() - spare(w)).expandedTo(QSize(0, 0));
        QCOMPARE(view->width(), std::min(wanted.width(), w->width()));
        QCOMPARE(view->height(), std::min(wanted.height(), w->height()));
        QVERIFY(w->rect().contains(view->geometry()) || view->size().isEmpty());
    }

    // Minimising leaves the graph as it was.
    const QSize before = w->chartView()->size();
    frame->showMinimized();
    QTRY_VERIFY(frame->isMinimized());
    QCOMPARE(w->chartView()->size(), before);
    frame->showNormal();
    QTRY_VERIFY(!frame->isMinimized());
    QCOMPARE(w->chartView()->size(), before);
    frame->resize(frame->size() + QSize(100, 50));
    QTRY_COMPARE(w->chartView()->size(), before + QSize(100, 50));
}

void TestGraphWindow::barsTellTheirAmount() {
    TestShell shell;
    shell.openProject(1);
    GraphWindow* w = openGraph(shell, GraphKind::BudgetVsForecast);
    auto* bars = qobject_cast<QBarSeries*>(w->chartView()->chart()->series().first());
    QVERIFY(bars);
    Q_EMIT bars->hovered(true, 4, bars->barSets()[1]);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("ELECTRICAL\nForecast Amount: $821.43"));
    Q_EMIT bars->hovered(false, 4, bars->barSets()[1]);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestGraphWindow::savesThePictureAsShownAndPrintsThroughTheDialog() {
    TestShell shell;
    shell.openProject(1);
    GraphWindow* w = openGraph(shell, GraphKind::BudgetVsActual);
    QTemporaryDir dir;

    // Cancelled: nothing written, nothing said.
    shell.scripted.queueFile(QString());
    w->saveAsPng();
    QVERIFY(QDir(dir.path()).isEmpty());

    // The suffix is added when the user leaves it off.
    shell.scripted.queueFile(dir.filePath(QStringLiteral("mustang")));
    w->findChild<QAction*>(QStringLiteral("actSavePng"))->trigger();
    const QImage image(dir.filePath(QStringLiteral("mustang.png")));
    QCOMPARE(image.size(), w->chartView()->size());

    // A folder that is not there: the user is told.
    shell.scripted.queueFile(dir.filePath(QStringLiteral("missing/graph.png")));
    w->saveAsPng();
    QVERIFY(shell.scripted.lastText().startsWith(u"The graph could not be saved as "));
    shell.scripted.clear();
    // Through the dialog as a user fills it in: print to a PDF file.
    const auto print = [&](const char* file, bool accept) {
        w->printGraph();
        const auto& modals = shell.scripted.modalDialogs();
        auto* dialog = qobject_cast<QPrintDialog*>(modals.value(modals.size() - 1));
        if (!dialog || !chooseFileOutput(dialog, dir.filePath(QString::fromLatin1(file))))
            return false;
        accept ? dialog->accept() : dialog->reject();
        return true;
    };
    if (!print("graph.pdf", true))
        QSKIP("this print dialog offers no printing to a file");
    QTRY_VERIFY(QFileInfo(dir.filePath("graph.pdf")).size() > 1000);
    QVERIFY(shell.scripted.messages().isEmpty());

    QVERIFY(print("unused.pdf", false)); // cancelled: nothing printed
    QVERIFY(!QFileInfo::exists(dir.filePath("unused.pdf")));

    // A printer that cannot start: the user is told, not left guessing.
    QVERIFY(print("missing/graph.pdf", true));
    QTRY_COMPARE(shell.scripted.messages().size(), 1);
    QVERIFY(shell.scripted.lastText().contains("could not be printed"));
}

QTEST_MAIN(TestGraphWindow)
#include "test_graphwindow.moc"
