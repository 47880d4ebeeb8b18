#include "AppState.h"
#include "DamagedFiles.h"
#include "ReportPreparation.h"
#include "StoreTest.h"

#include <QTest>

#include <tuple>

class TestReportPreparation : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void projectReportLeavesThePartLinesUnsortedButFiltered();
    void shoppingListFindsTheVendorAndItsLinesEverywhere();
    void eachReportLeavesItsRecordSetsAsTheWindowsExpect_data();
    void eachReportLeavesItsRecordSetsAsTheWindowsExpect();
    void rowsThatCannotBeReadMakeNoReport_data();
    void rowsThatCannotBeReadMakeNoReport();

private:
    AppState m_state;
};

void TestReportPreparation::init() {
    StoreTest::init();
    Fixtures::openSampleProject(m_state);
    // A second project's line, so that filters show.
    exec("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                      "Category, Vendor, Selected, Forecast, Purchased) VALUES ('AARDVARK', 1, "
                      "2, 'BODY', 'O''REILLY', 1, 0, 0)");
}

void TestReportPreparation::projectReportLeavesThePartLinesUnsortedButFiltered() {
    RecordSet& master = m_store->recordSet(Command::RSLMaster);
    QVERIFY(master.setFilter("Mas_vehicle_number = 2").ok());
    QVERIFY(ReportPreparation::prepare(*m_store, m_state, ReportKind::VehicleData).ok());
    QCOMPARE(master.filter(), QStringLiteral("Mas_vehicle_number = 1"));
    QCOMPARE(master.sort(), QStringLiteral("Part_name"));
    master.moveFirst();
    QCOMPARE(master.text("Part_Name"), QStringLiteral("ALTERNATOR"));
    QCOMPARE(ReportPreparation::create(*m_store, m_state, ReportKind::VehicleData)
                 .captions.value("Label4"),
             QStringLiteral("1986 FORD MUSTANG"));

    // A step that fails stops the Project Report; the others go on past it.
    m_state.openvehiclenumber = "1 or";
    QVERIFY(!ReportPreparation::prepare(*m_store, m_state, ReportKind::VehicleData).ok());
    QVERIFY(ReportPreparation::prepare(*m_store, m_state, ReportKind::ActualCost).ok());
}

void TestReportPreparation::shoppingListFindsTheVendorAndItsLinesEverywhere() {
    exec("RSLVendor", "INSERT INTO RSLVendor (vendor_name, vendor_address) "
                      "VALUES ('O''REILLY', '1 Main St')");
    QVERIFY(ReportPreparation::prepare(*m_store, m_state, ReportKind::ShoppingList).ok());
    QVERIFY(ReportPreparation::selectVendor(*m_store, "O'REILLY").ok());
    auto report =
        ReportPreparation::create(*m_store, m_state, ReportKind::ShoppingList, "O'REILLY");
    QCOMPARE(report.data.rows.size(), 1);
    QCOMPARE(report.data.rows.first().value("Mas_vehicle_number").toInt(), 2);
    QCOMPARE(report.captions.value("Label3"), QStringLiteral("O'REILLY"));
    QCOMPARE(report.captions.value("Label4"), QStringLiteral("1 Main St"));
    QCOMPARE(report.captions.value("Label9"), QString());
    QCOMPARE(m_store->recordSet(Command::RSLVendor).filter(), QString());

    report = ReportPreparation::create(*m_store, m_state, ReportKind::ShoppingList, "GONE");
    QCOMPARE(report.captions.value("Label3"), QString());
}

using States = QList<std::tuple<Command, QString, QString>>; // record set, filter, sort
Q_DECLARE_METATYPE(States)

void TestReportPreparation::eachReportLeavesItsRecordSetsAsTheWindowsExpect_data() {
    QTest::addColumn<ReportKind>("kind");
    QTest::addColumn<States>("expected");
    QTest::addColumn<int>("rows");
    const auto row = [](const char* name, ReportKind kind, int rows, const States& states) {
        QTest::newRow(name) << kind << states << rows;
    };
    const QString project = "Mas_vehicle_number = 1";
    const QString budgets = "Cat_vehicle_number = 1";
    row("parts", ReportKind::PartData, 43, {{Command::RSLParts, "", "Part_name"}});
    row("categories", ReportKind::CategoryData, 12, {{Command::RSLCategories, "", "Category"}});
    row("project", ReportKind::VehicleData, 35, {{Command::RSLMaster, project, ""}});
    row("part search", ReportKind::PartSearchList, 0,
        {{Command::RSLMaster, "selected = 0 and " + project, "category"}});
    row("actual", ReportKind::ActualCost, 12, {{Command::RSLCategorybudget, budgets, "Category"}});
    row("over budget", ReportKind::CategoriesOverBudget, 1,
        {{Command::RSLMaster, project + " and purchased = 1", "category"},
         {Command::RSLCategorybudget, budgets, ""}});
}

void TestReportPreparation::eachReportLeavesItsRecordSetsAsTheWindowsExpect() {
    QFETCH(ReportKind, kind);
    QFETCH(States, expected);
    QFETCH(int, rows);
    // What another window (a graph, the worksheet) left behind.
    QVERIFY(m_store->recordSet(Command::RSLMaster).setSort("category").ok());
    QVERIFY(m_store->recordSet(Command::RSLMaster).setFilter("Mas_vehicle_number = 2").ok());
    QVERIFY(ReportPreparation::prepare(*m_store, m_state, kind).ok());
    const auto report = ReportPreparation::create(*m_store, m_state, kind);
    ReportPreparation::afterShown(*m_store, kind);
    QCOMPARE(report.data.rows.size(), rows);
    for (const auto& [command, filter, sort] : expected) {
        RecordSet& rs = m_store->recordSet(command);
        QCOMPARE(rs.filter(), filter);
        QCOMPARE(rs.sort(), sort);
    }
}

void TestReportPreparation::rowsThatCannotBeReadMakeNoReport_data() {
    QTest::addColumn<ReportKind>("kind");
    QTest::newRow("rows read straight into the report") << ReportKind::ShoppingList;
    QTest::newRow("child rows under budget rows") << ReportKind::ActualCost;
}

void TestReportPreparation::rowsThatCannotBeReadMakeNoReport() {
    QFETCH(ReportKind, kind);
    // One of the pages of the lines damaged: the report must not print the
    // lines before it as if they were all.
    Fixtures::addPagesOfLines(*m_store, 1, "ACME");
    m_store.reset();
    QVERIFY(DamagedFiles::damageInside(m_db->databasePath(), "RSLMaster"));
    m_store = m_db->open();

    QVERIFY(ReportPreparation::prepare(*m_store, m_state, kind).ok());
    QVERIFY(ReportPreparation::selectVendor(*m_store, "ACME").ok());
    const auto report = ReportPreparation::create(*m_store, m_state, kind, "ACME");
    QVERIFY(report.read.message().contains("damaged"));
    QVERIFY(report.data.rows.isEmpty());
}

QTEST_MAIN(TestReportPreparation)
#include "test_reportpreparation.moc"
