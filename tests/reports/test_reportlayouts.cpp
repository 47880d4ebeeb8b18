#include "AppState.h"
#include "Criteria.h"
#include "DataStore.h"
#include "RecordingPaintDevice.h"
#include "ReportPreparation.h"
#include "ReportRenderer.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTest>

namespace {

const QDateTime kPrinted(QDate(2025, 11, 14), QTime(9, 41, 7));

// The texts that follow `first` in drawing order, `count` of them from it.
QStringList after(const RecordingPaintDevice& dev, const QString& first, int count) {
    const QStringList all = dev.allTexts();
    const qsizetype i = all.indexOf(first);
    return i < 0 ? QStringList() : all.mid(i, count);
}

} // namespace

// The ten reports printed from the sample database.
class TestReportLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void referenceListsPrintEveryRowUnderTheirCaptions();
    void projectReportPrintsOneBlockPerLineOverSeveralPages();
    void projectReportWithoutLinesPrintsTheBannerOnly();
    void shoppingListCoversEveryProjectOfTheVendor();
    void aVendorWithoutAddressOrPhoneShowsOnlyItsName();
    void partSearchListsTheUnselectedLinesOfTheProject();
    void costByCategoryTotalsEachCategoryAndTheProject();
    void overBudgetReportTotalsItsDifferences();
    void transcriptsMatchTheGoldenFiles_data();
    void transcriptsMatchTheGoldenFiles();

private:
    std::unique_ptr<RecordingPaintDevice> render(ReportKind kind, const QString& vendor = {});
    void exec(const QString& table, const QString& sql) {
        QVERIFY2(m_store->execute(table, sql).ok(), qPrintable(sql));
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
    AppState m_state;
    int m_pages = 0;
};

void TestReportLayouts::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    m_state.vehiclenumber = 1;
    m_state.vehiclenumbera = m_state.openvehiclenumber = "1";
    m_state.vehicledescription = "1986 FORD MUSTANG";
}

void TestReportLayouts::cleanup() {
    m_store.reset();
    m_db.reset();
}

std::unique_ptr<RecordingPaintDevice> TestReportLayouts::render(ReportKind kind,
                                                                const QString& vendor) {
    [&] { QVERIFY(ReportPreparation::prepare(*m_store, m_state, kind).ok()); }();
    if (kind == ReportKind::ShoppingList)
        [&] { QVERIFY(ReportPreparation::selectVendor(*m_store, vendor).ok()); }();
    ReportPreparation::Report report = ReportPreparation::create(*m_store, m_state, kind, vendor);
    ReportRenderer renderer(report.layout, report.data, report.captions, kPrinted);
    m_pages = renderer.pageCount();
    auto dev = std::make_unique<RecordingPaintDevice>();
    dev->record(renderer);
    return dev;
}

void TestReportLayouts::referenceListsPrintEveryRowUnderTheirCaptions() {
    auto parts = render(ReportKind::PartData);
    QCOMPARE(parts->textsOn(0).mid(0, 6),
             (QStringList{"Rastrel", "Part Report", "11/14/25", "9:41:07 AM", "Part Name",
                          "Category Of Part"}));
    QCOMPARE(after(*parts, "ALTERNATOR", 4),
             (QStringList{"ALTERNATOR", "ELECTRICAL", "BASE COAT", "PAINT"}));
    QCOMPARE(parts->allTexts().count("ELECTRICAL"), 3);

    auto vendors = render(ReportKind::VendorData);
    const QStringList page = vendors->textsOn(0);
    for (const char* caption : {"Vendor Name", "Address", "Phone", "Web Site", "Order"})
        QVERIFY2(page.contains(caption), caption);
    QCOMPARE(after(*vendors, "HIGHLINE RESTORATION", 2).last(), QStringLiteral("SUPPLY"));
    // Order catalogue flags in words, in the vendors' stored order.
    QStringList flags = page;
    flags.removeIf([](const QString& t) { return t != "Yes" && t != "No"; });
    QCOMPARE(flags, (QStringList{"Yes", "No", "No", "Yes", "No", "Yes"}));

    auto makers = render(ReportKind::ManufacturerData);
    QVERIFY(makers->find("310 O'Hara Road,"));
    QVERIFY(makers->find("412-555-0121"));

    auto categories = render(ReportKind::CategoryData);
    QCOMPARE(categories->textsOn(0).mid(4, 3), (QStringList{"Category Name", "BODY", "BRAKES"}));
    QCOMPARE(categories->textsOn(0).at(categories->textsOn(0).size() - 3),
             QStringLiteral("WHEELS AND TIRES"));
}

void TestReportLayouts::projectReportPrintsOneBlockPerLineOverSeveralPages() {
    auto dev = render(ReportKind::VehicleData);
    // 35 lines, five blocks to a page.
    QCOMPARE(m_pages, 7);
    for (int p = 0; p < m_pages; ++p) {
        const QStringList texts = dev->textsOn(p);
        QCOMPARE(texts.mid(0, 5), (QStringList{"Rastrel", "Project Report", "11/14/25",
                                               "9:41:07 AM", "1986 FORD MUSTANG"}));
        QCOMPARE(texts.count("Part Name:"), 5);
        QCOMPARE(texts.count("Notes:"), 5); // no block is split
        QCOMPARE(texts.mid(texts.size() - 2), (QStringList{"Page", QString::number(p + 1)}));
    }
    // Names longer than their column are cut there.
    QCOMPARE(after(*dev, "FRONT BRAKE R\u2026", 31),
             (QStringList{"FRONT BRAKE R\u2026",
                          "Quantity:",
                          "2",
                          "Price:",
                          "$89.95",
                          "Part Number:",
                          "BH-R1186F",
                          "Taxable:",
                          "Yes",
                          "Tax amount:",
                          "$10.79",
                          "Manufacturer:",
                          "BLUE HERON B\u2026",
                          "Selected:",
                          "Yes",
                          "Forecast:",
                          "Yes",
                          "Vendor:",
                          "COPPER KETTL\u2026",
                          "Purchased:",
                          "Yes",
                          "Purchase date:",
                          "05/19/2025",
                          "Category:",
                          "BRAKES",
                          "Shipping Amount:",
                          "$12.00",
                          "Total cost:",
                          "$202.69",
                          "Notes:",
                          "Vented rotors for the front axle."}));
    // Sorted by part name.
    QStringList names;
    const QStringList all = dev->allTexts();
    for (qsizetype i = 0; i + 1 < all.size(); ++i)
        if (all[i] == "Part Name:")
            names << all[i + 1];
    QCOMPARE(names.size(), 35);
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
}

void TestReportLayouts::projectReportWithoutLinesPrintsTheBannerOnly() {
    exec("RSLMaster", "DELETE FROM RSLMaster WHERE Mas_vehicle_number = 1");
    auto dev = render(ReportKind::VehicleData);
    QCOMPARE(dev->allTexts(), (QStringList{"Rastrel", "Project Report", "11/14/25", "9:41:07 AM",
                                           "1986 FORD MUSTANG", "Page", "1"}));
}

void TestReportLayouts::shoppingListCoversEveryProjectOfTheVendor() {
    exec("RSLMaster",
         "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, Category, Vendor, "
         "Quantity, Price, Total_cost, Selected, Forecast, Purchased) VALUES ('SPOILER', 1, 2, "
         "'BODY', 'GEARHEAD DIRECT', 1, 1234.5, 1234.5, 1, 0, 0)");
    auto dev = render(ReportKind::ShoppingList, "GEARHEAD DIRECT");
    QCOMPARE(dev->textsOn(0).mid(0, 7),
             (QStringList{"Rastrel", "Vendor Shopping List Report", "11/14/25", "9:41:07 AM",
                          "GEARHEAD DIRECT", "4500 Commerce Pkwy, Suite 210, Tempe, AZ 85281",
                          "480-555-0177"}));
    // The other project's line, and only selected lines not yet purchased.
    QCOMPARE(after(*dev, "SPOILER", 8),
             (QStringList{"SPOILER", "Quantity:", "1", "Part Number:", "Price:", "$1,234.50",
                          "Manufacturer:", "Total Cost:"}));
    QCOMPARE(dev->allTexts().count("Part Name:"), 5);
    QVERIFY(!dev->find("CYLINDER HEAD GASKET SET")); // purchased
}

void TestReportLayouts::aVendorWithoutAddressOrPhoneShowsOnlyItsName() {
    exec("RSLVendor",
         "INSERT INTO RSLVendor (vendor_name, order_catalog) VALUES ('BARE BONES', 0)");
    auto dev = render(ReportKind::ShoppingList, "BARE BONES");
    QCOMPARE(dev->allTexts(), (QStringList{"Rastrel", "Vendor Shopping List Report", "11/14/25",
                                           "9:41:07 AM", "BARE BONES", "Page", "1"}));
}

void TestReportLayouts::partSearchListsTheUnselectedLinesOfTheProject() {
    exec("RSLMaster",
         "UPDATE RSLMaster SET Selected = 0, Quantity = 2.6 WHERE Part_Name = 'OIL PUMP'");
    exec("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                      "Selected) VALUES ('HOOD', 1, 2, 0)");
    auto dev = render(ReportKind::PartSearchList);
    QCOMPARE(dev->allTexts().count("Part Name:"), 1);
    QCOMPARE(after(*dev, "OIL PUMP", 3), (QStringList{"OIL PUMP", "Quantity:", "3"}));
    QVERIFY(dev->find("1986 FORD MUSTANG"));
    QVERIFY(!dev->find("HOOD"));
}

void TestReportLayouts::costByCategoryTotalsEachCategoryAndTheProject() {
    auto actual = render(ReportKind::ActualCost);
    QCOMPARE(actual->textsOn(0).mid(0, 8),
             (QStringList{"Rastrel", "Total Cost Of Project By Category (Actual)", "11/14/25",
                          "9:41:07 AM", "1986 FORD MUSTANG", "Part Name", "Total Cost",
                          "Budget Amount"}));
    QCOMPARE(actual->allTexts().count("Total for category:"), 12);
    QCOMPARE(after(*actual, "RADIATOR", 9),
             (QStringList{"RADIATOR", "$289.65", "THERMOSTAT", "$15.36",
                          "Total for category:", "COOLING", "$305.01", "$700.00",
                          // no purchased lines: the group still prints
                          "Total for category:"}));
    QCOMPARE(after(*actual, "DRIVETRAIN", 3), (QStringList{"DRIVETRAIN", "$0.00", "$1,500.00"}));
    // The budget sum counts every category, with or without lines.
    QCOMPARE(after(*actual, "Actual cost of project:", 3),
             (QStringList{"Actual cost of project:", "$2,050.73", "$18,450.00"}));

    auto forecast = render(ReportKind::ForecastCost);
    QCOMPARE(forecast->textsOn(0).at(1),
             QStringLiteral("Total Cost Of Project By Category (Forecast)"));
    // The sum of the category totals as printed, to the cent.
    QCOMPARE(after(*forecast, "Forecasted cost of project:", 3),
             (QStringList{"Forecasted cost of project:", "$4,719.03", "$18,450.00"}));
    QCOMPARE(after(*forecast, "ELECTRICAL", 3),
             (QStringList{"ELECTRICAL", "$870.03", "$1,200.00"}));
}

void TestReportLayouts::overBudgetReportTotalsItsDifferences() {
    exec("RSLMaster", "UPDATE RSLMaster SET Purchased = 1 WHERE Category = 'ELECTRICAL'");
    exec("RSLCategorybudget",
         "UPDATE RSLCategorybudget SET Budget_amount = 800 WHERE Category = 'ELECTRICAL'");
    auto dev = render(ReportKind::CategoriesOverBudget);
    QCOMPARE(dev->allTexts(),
             (QStringList{"Rastrel", "Categories Over Budget", "11/14/25", "9:41:07 AM",
                          "1986 FORD MUSTANG", "Category", "Budget Amount", "Actual Amount",
                          "Amount Over Budget", "BRAKES", "$450.00", "$492.76", "$42.76",
                          "ELECTRICAL", "$800.00", "$870.03", "$70.03", "Total Over Budget",
                          // the lines as printed add up to the total (exactly: 112.7842)
                          "$112.79", "Page", "1"}));
}

void TestReportLayouts::transcriptsMatchTheGoldenFiles_data() {
    QTest::addColumn<ReportKind>("kind");
    QTest::newRow("partdata") << ReportKind::PartData;
    QTest::newRow("vendordata") << ReportKind::VendorData;
    QTest::newRow("vehicledata") << ReportKind::VehicleData;
    QTest::newRow("shoppinglist") << ReportKind::ShoppingList;
    QTest::newRow("actualcost") << ReportKind::ActualCost;
    QTest::newRow("forecastcost") << ReportKind::ForecastCost;
    QTest::newRow("categoriesoverbudget") << ReportKind::CategoriesOverBudget;
}

void TestReportLayouts::transcriptsMatchTheGoldenFiles() {
    QFETCH(ReportKind, kind);
    auto dev = render(kind, "COPPER KETTLE AUTO PARTS");
    const QString actual = dev->transcript();
    const QString path = QStringLiteral(RASTREL_SOURCE_DIR "/tests/reports/golden/") +
                         QTest::currentDataTag() + QStringLiteral(".txt");
    QFile file(path);
    if (qEnvironmentVariableIsSet("RASTREL_UPDATE_GOLDEN")) {
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(path + " is missing; RASTREL_UPDATE_GOLDEN=1 writes it"));
    QCOMPARE(actual.split(u'\n'), QString::fromUtf8(file.readAll()).split(u'\n'));
}

QTEST_MAIN(TestReportLayouts)
#include "test_reportlayouts.moc"
