#include "FormattedEdit.h"
#include "TestShell.h"
#include "WorksheetWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

constexpr int kLinesPerProject = 1000;
// Well under 100 ms in a release build; the bound leaves room for the
// sanitizers and a busy machine.
constexpr qint64 kBoundMs = 300;

// 99 projects of 1,000 part lines each, every line key unique.
const char* kFill[] = {
    "DELETE FROM RSLMaster",
    "WITH RECURSIVE n(p) AS (SELECT 2 UNION ALL SELECT p + 1 FROM n WHERE p < 99) "
    "INSERT INTO RSLVehiclesused (used_vehicle_number) SELECT p FROM n",
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 98999), "
    "p AS (SELECT Part_Name AS name, row_number() OVER (ORDER BY rowid) - 1 AS k FROM RSLParts), "
    "v AS (SELECT vendor_name AS name, row_number() OVER (ORDER BY rowid) - 1 AS k FROM RSLVendor) "
    "INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, "
    "Tax_amount, Total_cost, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, "
    "Purchase_date, Sequence_Number) SELECT p.name, 'PN-' || i, 'ACME', v.name, 1, 10, 0.6, 10.6, "
    "'ENGINE', i / 1000 + 1, 1, i % 3 = 0, 1, i % 2 = 0, "
    "CASE WHEN i % 3 = 0 THEN '04/02/2025' ELSE '' END, i / 43 + 1 "
    "FROM n JOIN p ON p.k = i % 43 JOIN v ON v.k = i % 6",
};

} // namespace

class TestWorksheetSpeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void everyActionOnABigDatabase();
};

void TestWorksheetSpeed::everyActionOnABigDatabase() {
    TestShell shell;
    for (const char* sql : kFill)
        QVERIFY(TestDatabase::exec(shell.db.databasePath(), sql));
    shell.factories[WindowId::Worksheet] = [](Shell& s) { return new WorksheetWindow(s); };
    shell.openProject(1);
    shell.appState.vehiclenumber = 50;
    shell.appState.vehiclenumbera = shell.appState.openvehiclenumber = "50";

    QElapsedTimer timer;
    QMap<QString, qint64> times;
    auto measure = [&](const QString& what, const std::function<void()>& action) {
        timer.start();
        action();
        times.insert(what, timer.elapsed());
    };
    QWidget* w = nullptr;
    measure("open", [&] { w = shell.showWindow(WindowId::Worksheet); });
    QVERIFY(w);
    auto* grid = w->findChild<QTableView*>("MSFlexGrid1");
    auto* tabs = w->findChild<QTabWidget*>("SSTab1");
    auto rows = [](QTableView* t) { return t->model()->rowCount(); };
    auto button = [&](const char* name) { return w->findChild<QPushButton*>(name); };
    auto field = [&](int panel, const char* name) {
        return w->findChild<QWidget*>(QStringLiteral("panel%1").arg(panel))
            ->findChild<QWidget*>(name);
    };
    auto openRow = [&](int row) {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        Q_EMIT grid->doubleClicked(grid->currentIndex());
    };
    QCOMPARE(rows(grid), kLinesPerProject);

    tabs->setCurrentIndex(WorksheetWindow::AddTab);
    qobject_cast<QComboBox*>(field(1, "cmbPartname"))->setEditText("oil pump");
    measure("add", [&] { button("cmdAdd")->click(); });
    QCOMPARE(rows(grid), kLinesPerProject + 1);

    measure("open line", [&] { openRow(500); });
    qobject_cast<QLineEdit*>(field(0, "ioPartnumber"))->setText("CHANGED");
    measure("accept", [&] { button("cmdAccept")->click(); });
    QCOMPARE(shell.scripted.lastText(), QStringLiteral("Part has been changed."));

    openRow(10);
    shell.scripted.queueYes();
    measure("delete", [&] { button("cmdDelete")->click(); });
    QCOMPARE(rows(grid), kLinesPerProject);

    tabs->setCurrentIndex(WorksheetWindow::FilterTab);
    measure("status filter", [&] { w->findChild<QRadioButton*>("Optp")->click(); });
    QVERIFY(rows(grid) > 0 && rows(grid) < kLinesPerProject);
    auto* vendors = w->findChild<QComboBox*>("cmbVenFilter");
    vendors->setCurrentIndex(2);
    measure("vendor filter", [&] { Q_EMIT vendors->activated(2); });
    measure("default filter", [&] { button("cmdDefault")->click(); });

    tabs->setCurrentIndex(WorksheetWindow::SearchTab);
    w->findChild<QLineEdit*>("iopartnamesearch")->setText("pump");
    measure("search", [&] { button("cmdSearch")->click(); });
    QVERIFY(rows(w->findChild<QTableView*>("MSFlexGrid2")) > 1);

    measure("budget overview", [&] { tabs->setCurrentIndex(WorksheetWindow::OverviewTab); });
    QVERIFY(rows(w->findChild<QTableView*>("grdBudgetOverview")) > 1);

    // Once more, as the user comes back to the project; the toolkit's
    // one-time start-up costs are behind us now.
    QVERIFY(shell.closeWindow(WindowId::Worksheet));
    measure("open again", [&] { QVERIFY(shell.showWindow(WindowId::Worksheet)); });

    for (auto it = times.cbegin(); it != times.cend(); ++it) {
        qInfo("%s: %lld ms", qPrintable(it.key()), it.value());
        QVERIFY2(it.value() < kBoundMs, qPrintable(it.key()));
    }
}

QTEST_MAIN(TestWorksheetSpeed)
#include "test_worksheetspeed.moc"
