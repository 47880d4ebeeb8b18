#include "Criteria.h"
#include "DataStore.h"
#include "ProjectStore.h"
#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// Types an amount into a number-0 budget row, held like the budget window does.
void holdAmount(DataStore& store, const QString& category, const QString& amount) {
    RecordSet& budget = store.recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 0").ok());
    bool found = false;
    QVERIFY(budget.find(Criteria::equals("Category", category), &found).ok());
    QVERIFY(found);
    QVERIFY(budget.setValue("Budget_amount", amount).ok());
}

ProjectInput input(const QString& year, const QString& make, const QString& model,
                   const QString& total = "350.5") {
    return {year, make, model, "/pictures/car.bmp", total};
}

} // namespace

class TestProjectStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void describeUpperCasesMakeAndModel();
    void nextvehicleTakesTheLowestFreeNumber_data();
    void nextvehicleTakesTheLowestFreeNumber();
    void newBudgetRowsAreOneZeroRowPerCategory();
    void addingStoresBudgetProjectAndNumberTogether();
    void addingRefusesDuplicatesAndAFullList();
    void failedAddStoresNothingAndKeepsTheTypedBudget_data();
    void failedAddStoresNothingAndKeepsTheTypedBudget();
    void deletingRemovesEverythingOfThatProjectOnly();
    void failedDeleteLeavesTheProjectWhole_data();
    void failedDeleteLeavesTheProjectWhole();
    void deletingAProjectWithManyLinesIsQuick();

private:
    int count(const QString& sql) {
        return TestDatabase::scalar(m_db->databasePath(), sql).toInt();
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
};

void TestProjectStore::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
}

void TestProjectStore::cleanup() {
    m_store.reset();
    m_db.reset();
}

void TestProjectStore::describeUpperCasesMakeAndModel() {
    QCOMPARE(ProjectStore::describe("1999", "ford", "mustang"), "1999 FORD MUSTANG");
    QCOMPARE(ProjectStore::describe("1932", "Ford", "o'brien special"),
             "1932 FORD O'BRIEN SPECIAL");
    // The year is kept as typed.
    QCOMPARE(ProjectStore::describe("late 60s", "dodge", "dart"), "late 60s DODGE DART");
}

void TestProjectStore::nextvehicleTakesTheLowestFreeNumber_data() {
    QTest::addColumn<QList<int>>("used");
    QTest::addColumn<int>("next");
    QTest::newRow("none in use") << QList<int>{} << 1;
    QTest::newRow("1 2 4") << QList<int>{1, 2, 4} << 3;
    QTest::newRow("gap at 1") << QList<int>{2, 3} << 1;
    QList<int> all;
    for (int i = 1; i <= 99; ++i)
        all << i;
    QTest::newRow("all 99") << all << 100;
    all.removeOne(57);
    QTest::newRow("only 57 free") << all << 57;
}

void TestProjectStore::nextvehicleTakesTheLowestFreeNumber() {
    QFETCH(QList<int>, used);
    QFETCH(int, next);
    QVERIFY(m_store->execute("RSLVehiclesused", "DELETE FROM RSLVehiclesused").ok());
    for (int n : used)
        QVERIFY(m_store
                    ->execute("RSLVehiclesused",
                              "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (?)", {n})
                    .ok());
    QCOMPARE(ProjectStore(*m_store).nextvehicle(), next);
}

void TestProjectStore::newBudgetRowsAreOneZeroRowPerCategory() {
    ProjectStore projects(*m_store);
    QVERIFY(projects.refillNewBudget().ok());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
    QCOMPARE(count("SELECT COUNT(DISTINCT Category) FROM RSLCategorybudget WHERE "
                   "Cat_vehicle_number = 0"),
             12);

    // A second refill starts again from zero, also over typed amounts.
    holdAmount(*m_store, "BODY", "100");
    QVERIFY(projects.refillNewBudget().ok());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
    QCOMPARE(projects.newBudgetTotal(), Money::fromText("0"));
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());

    // Clearing removes stored and merely held number-0 rows alike.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.addNew().ok());
    QVERIFY(budget.setValue("Category", "EXTRA").ok());
    QVERIFY(budget.setValue("Cat_vehicle_number", 0).ok());
    QVERIFY(projects.clearcategorybudget().ok());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
    QVERIFY(!budget.hasPendingChanges());
    // The sample project's rows are untouched.
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 1"), 12);
}

void TestProjectStore::addingStoresBudgetProjectAndNumberTogether() {
    ProjectStore projects(*m_store);
    QVERIFY(projects.refillNewBudget().ok());
    holdAmount(*m_store, "BODY", "100");
    holdAmount(*m_store, "BRAKES", "250.50");
    QCOMPARE(projects.newBudgetTotal(), Money::fromText("350.5"));

    const auto result = projects.addProject(input("1999", "FORD", "MUSTANG"));
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Added);
    QCOMPARE(result.number, 2);
    QCOMPARE(result.description, "1999 FORD MUSTANG");
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(),
                                  "SELECT vehicle_description || '|' || vehicle_year || '|' || "
                                  "vehicle_make || '|' || vehicle_model || '|' || graphic_path || "
                                  "'|' || budget_amount FROM RSLVehicles WHERE vehicle_number = 2")
                 .toString(),
             "1999 FORD MUSTANG|1999|FORD|MUSTANG|/pictures/car.bmp|350.5");
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 2"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"), 12);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 0);
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(),
                                  "SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 2")
                 .toDouble(),
             350.5);
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestProjectStore::addingRefusesDuplicatesAndAFullList() {
    ProjectStore projects(*m_store);
    QVERIFY(projects.refillNewBudget().ok());
    holdAmount(*m_store, "PAINT", "10");

    // Same year, make and model as the sample project, whatever the budget.
    auto result = projects.addProject(input("1986", "FORD", "MUSTANG", "999"));
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Duplicate);

    // Apostrophes are part of the name, also when looking for duplicates.
    QCOMPARE(projects.addProject(input("1932", "O'NEIL", "O'BRIEN")).outcome,
             ProjectStore::AddOutcome::Added);
    QVERIFY(projects.find("1932 O'NEIL O'BRIEN").has_value());
    QVERIFY(projects.refillNewBudget().ok());
    holdAmount(*m_store, "PAINT", "10");
    QCOMPARE(projects.addProject(input("1932", "O'NEIL", "O'BRIEN")).outcome,
             ProjectStore::AddOutcome::Duplicate);

    // With 1 to 99 taken there is no number left to give.
    QVERIFY(m_store
                ->execute("RSLVehiclesused",
                          "INSERT INTO RSLVehiclesused (used_vehicle_number) "
                          "WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i "
                          "< 99) SELECT i FROM n")
                .ok());
    result = projects.addProject(input("2001", "DODGE", "DART"));
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Full);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
}

void TestProjectStore::failedAddStoresNothingAndKeepsTheTypedBudget_data() {
    QTest::addColumn<QString>("trigger");
    QTest::newRow("renumbering the budget")
        << "CREATE TRIGGER refuse BEFORE UPDATE ON RSLCategorybudget BEGIN SELECT "
           "RAISE(ABORT, 'disk trouble'); END";
    QTest::newRow("project row")
        << "CREATE TRIGGER refuse BEFORE INSERT ON RSLVehicles BEGIN SELECT RAISE(ABORT, 'disk "
           "trouble'); END";
    QTest::newRow("used number")
        << "CREATE TRIGGER refuse BEFORE INSERT ON RSLVehiclesused BEGIN SELECT RAISE(ABORT, "
           "'disk trouble'); END";
}

void TestProjectStore::failedAddStoresNothingAndKeepsTheTypedBudget() {
    QFETCH(QString, trigger);
    ProjectStore projects(*m_store);
    QVERIFY(projects.refillNewBudget().ok());
    holdAmount(*m_store, "BODY", "100");
    holdAmount(*m_store, "BRAKES", "250.5");
    QVERIFY(TestDatabase::exec(m_db->databasePath(), trigger));

    const auto result = projects.addProject(input("1999", "FORD", "MUSTANG"));
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Failed);
    QVERIFY(result.error.message().contains("disk trouble"));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehiclesused"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"), 12);
    // The amounts the user typed are still there to try again with.
    QCOMPARE(projects.newBudgetTotal(), Money::fromText("350.5"));

    QVERIFY(TestDatabase::exec(m_db->databasePath(), "DROP TRIGGER refuse"));
    QCOMPARE(projects.addProject(input("1999", "FORD", "MUSTANG")).outcome,
             ProjectStore::AddOutcome::Added);
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(),
                                  "SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 2")
                 .toDouble(),
             350.5);
}

void TestProjectStore::deletingRemovesEverythingOfThatProjectOnly() {
    ProjectStore projects(*m_store);
    for (const auto& [make, model] : {std::pair{"CHEVROLET", "O'BRIEN"}, {"DODGE", "DART"}}) {
        QVERIFY(projects.refillNewBudget().ok());
        holdAmount(*m_store, "ENGINE", "500");
        QCOMPARE(projects.addProject(input("1970", make, model)).outcome,
                 ProjectStore::AddOutcome::Added);
    }
    for (int project : {2, 3})
        for (int seq = 1; seq <= 3; ++seq)
            QVERIFY(m_store
                        ->execute("RSLMaster",
                                  "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                  "Mas_vehicle_number, Category) VALUES ('OIL PUMP', ?, ?, "
                                  "'ENGINE')",
                                  {seq + 10 * project, project})
                        .ok());
    const int linesOf1 = count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1");

    bool found = false;
    QVERIFY(projects.deleteProject("1970 CHEVROLET O'BRIEN", &found).ok());
    QVERIFY(found);
    for (const char* sql : {"SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_number = 2",
                            "SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 2",
                            "SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 2",
                            "SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2"})
        QCOMPARE(count(sql), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 3"), 3);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1"), linesOf1);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 3"), 12);
    QCOMPARE(projects.descriptions(), (QStringList{"1986 FORD MUSTANG", "1970 DODGE DART"}));

    // The number is free again, and the next project starts with a clean budget.
    QCOMPARE(projects.nextvehicle(), 2);
    QVERIFY(projects.refillNewBudget().ok());
    holdAmount(*m_store, "BODY", "1");
    QCOMPARE(projects.addProject(input("2020", "FORD", "BRONCO")).number, 2);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 2"), 0);
    QCOMPARE(TestDatabase::scalar(m_db->databasePath(),
                                  "SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 2")
                 .toDouble(),
             1.0);

    // An unknown description changes nothing.
    QVERIFY(projects.deleteProject("1900 NOBODY NOTHING", &found).ok());
    QVERIFY(!found);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLVehicles"), 3);
}

void TestProjectStore::failedDeleteLeavesTheProjectWhole_data() {
    QTest::addColumn<QString>("table");
    // The first and the last of the four deletes.
    QTest::newRow("used number") << "RSLVehiclesused";
    QTest::newRow("budget rows") << "RSLCategorybudget";
    QTest::newRow("project row") << "RSLVehicles";
}

void TestProjectStore::failedDeleteLeavesTheProjectWhole() {
    QFETCH(QString, table);
    const QStringList counts = {
        "SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_number = 1",
        "SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 1",
        "SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1",
        "SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 1"};
    QList<int> before;
    for (const QString& sql : counts)
        before << count(sql);
    QVERIFY(before[2] > 0);
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "CREATE TRIGGER refuse BEFORE DELETE ON " + table +
                                   " BEGIN SELECT RAISE(ABORT, 'disk trouble'); END"));

    ProjectStore projects(*m_store);
    const DbResult r = projects.deleteProject("1986 FORD MUSTANG");
    QVERIFY(!r.ok());
    QVERIFY(r.message().contains("disk trouble"));
    QList<int> after;
    for (const QString& sql : counts)
        after << count(sql);
    QCOMPARE(after, before);
    QVERIFY(projects.find("1986 FORD MUSTANG").has_value());
    QCOMPARE(projects.nextvehicle(), 2);
}

void TestProjectStore::deletingAProjectWithManyLinesIsQuick() {
    // 99 projects of 1,000 part lines each.
    QVERIFY(TestDatabase::exec(
        m_db->databasePath(),
        "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, Category) "
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 98999) "
        "SELECT 'PART ' || (i % 1000), i, 1 + i / 1000, 'ENGINE' FROM n"));
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "INSERT INTO RSLVehicles (vehicle_number, vehicle_description) "
                               "VALUES (50, '1950 HUDSON HORNET')"));
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (50)"));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(ProjectStore(*m_store).deleteProject("1950 HUDSON HORNET").ok());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 50"), 0);
    QVERIFY(count("SELECT COUNT(*) FROM RSLMaster") >= 98000);
}

QTEST_GUILESS_MAIN(TestProjectStore)
#include "test_projectstore.moc"
