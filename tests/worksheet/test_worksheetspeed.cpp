#include "FormattedEdit.h"
#include "TestShell.h"
#include "WorksheetWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

namespace {

constexpr int kProjects = 99;
constexpr int kLinesPerProject = 1000;
// Well under 100 ms in a release build; the bound leaves room for the
// sanitizers and a busy machine.
constexpr qint64 kBoundMs = 300;

// 99 projects of 1,000 part lines each, written in one transaction.
void fillDatabase(DataStore& store) {
    QSqlDatabase db = store.connection();
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    QVERIFY(q.exec("DELETE FROM RSLMaster"));
    QVERIFY(q.exec("DELETE FROM RSLVehiclesused"));
    QStringList parts, vendors, manufacturers;
    QVERIFY(q.exec("SELECT Part_Name FROM RSLParts"));
    while (q.next())
        parts << q.value(0).toString();
    QVERIFY(q.exec("SELECT vendor_name FROM RSLVendor"));
    while (q.next())
        vendors << q.value(0).toString();
    QVERIFY(q.exec("SELECT manufacturer FROM RSLManufacturer"));
    while (q.next())
        manufacturers << q.value(0).toString();

    QVERIFY(
        q.prepare("INSERT INTO RSLVehicles (vehicle_number, vehicle_description) VALUES (?, ?)"));
    QSqlQuery used(db);
    QVERIFY(used.prepare("INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (?)"));
    for (int p = 1; p <= kProjects; ++p) {
        used.addBindValue(p);
        QVERIFY(used.exec());
        if (p == 1)
            continue;
        q.addBindValue(p);
        q.addBindValue(QStringLiteral("PROJECT %1").arg(p));
        QVERIFY(q.exec());
    }

    QVERIFY(q.prepare("INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, "
                      "Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Category, "
                      "Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, Purchase_date, "
                      "Sequence_Number) VALUES (?, ?, ?, ?, 1, 10, 0.6, 0, 10.6, 'ENGINE', ?, 1, "
                      "?, 1, ?, ?, ?)"));
    QHash<QString, int> sequence;
    for (int p = 1; p <= kProjects; ++p)
        for (int i = 0; i < kLinesPerProject; ++i) {
            const QString& name = parts[i % parts.size()];
            const bool purchased = i % 3 == 0;
            q.addBindValue(name);
            q.addBindValue(QStringLiteral("PN-%1").arg(i));
            q.addBindValue(manufacturers[i % manufacturers.size()]);
            q.addBindValue(vendors[i % vendors.size()]);
            q.addBindValue(p);
            q.addBindValue(int(purchased));
            q.addBindValue(int(i % 2 == 0));
            q.addBindValue(purchased ? QStringLiteral("04/02/2025") : QString());
            q.addBindValue(++sequence[name]);
            QVERIFY(q.exec());
        }
    QVERIFY(db.commit());
    store.invalidateTable("RSLMaster");
    store.invalidateTable("RSLVehicles");
}

} // namespace

class TestWorksheetSpeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void everyActionOnABigDatabase();
};

void TestWorksheetSpeed::everyActionOnABigDatabase() {
    TestShell shell;
    fillDatabase(*shell.store);
    shell.factories[WindowId::Worksheet] = [](Shell& s) { return new WorksheetWindow(s); };
    shell.openProject(50);

    QElapsedTimer timer;
    QHash<QString, qint64> times;
    auto measure = [&](const QString& what, const std::function<void()>& action) {
        timer.start();
        action();
        times.insert(what, timer.elapsed());
    };

    WorksheetWindow* w = nullptr;
    measure("open",
            [&] { w = qobject_cast<WorksheetWindow*>(shell.showWindow(WindowId::Worksheet)); });
    QVERIFY(w);
    auto* grid = w->findChild<QTableView*>("MSFlexGrid1");
    auto rows = [](QTableView* t) { return t->model()->rowCount(); };
    QCOMPARE(rows(grid), kLinesPerProject);
    auto* tabs = w->findChild<QTabWidget*>("SSTab1");
    auto button = [&](const char* name) { return w->findChild<QPushButton*>(name); };
    auto panel = [&](int i) { return w->findChild<QWidget*>(QStringLiteral("panel%1").arg(i)); };

    tabs->setCurrentIndex(WorksheetWindow::AddTab);
    panel(1)->findChild<QComboBox*>("cmbPartname")->setEditText("oil pump");
    panel(1)->findChild<FormattedEdit*>("ioprice")->setRawText("12.5");
    measure("add", [&] { button("cmdAdd")->click(); });
    QCOMPARE(shell.scripted.lastText(), QStringLiteral("Part has been added."));
    QCOMPARE(rows(grid), kLinesPerProject + 1);

    grid->setCurrentIndex(grid->model()->index(500, 0));
    measure("open line", [&] { Q_EMIT grid->doubleClicked(grid->currentIndex()); });
    QCOMPARE(tabs->currentIndex(), int(WorksheetWindow::DetailTab));
    panel(0)->findChild<QLineEdit*>("ioPartnumber")->setText("CHANGED");
    measure("accept", [&] { button("cmdAccept")->click(); });
    QCOMPARE(shell.scripted.lastText(), QStringLiteral("Part has been changed."));

    grid->setCurrentIndex(grid->model()->index(10, 0));
    Q_EMIT grid->doubleClicked(grid->currentIndex());
    shell.scripted.queueYes();
    measure("delete", [&] { button("cmdDelete")->click(); });
    QCOMPARE(shell.scripted.lastText(), QStringLiteral("Part has been deleted."));
    QCOMPARE(rows(grid), kLinesPerProject);

    tabs->setCurrentIndex(WorksheetWindow::FilterTab);
    measure("status filter", [&] { w->findChild<QRadioButton*>("Optp")->click(); });
    QVERIFY(rows(grid) > 0 && rows(grid) < kLinesPerProject);
    auto* vendors = w->findChild<QComboBox*>("cmbVenFilter");
    vendors->setCurrentIndex(2);
    measure("vendor filter", [&] { Q_EMIT vendors->activated(2); });
    measure("default filter", [&] { button("cmdDefault")->click(); });
    QCOMPARE(rows(grid), kLinesPerProject);

    tabs->setCurrentIndex(WorksheetWindow::SearchTab);
    w->findChild<QLineEdit*>("iopartnamesearch")->setText("pump");
    measure("search", [&] { button("cmdSearch")->click(); });
    QVERIFY(rows(w->findChild<QTableView*>("MSFlexGrid2")) > 1);

    // Once more, as the user comes back to the project: the toolkit's
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
