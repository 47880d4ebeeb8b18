#include "Criteria.h"
#include "DataTable.h"
#include "ProjectStore.h"
#include "StoreTest.h"

#include <QTest>

class TestProjectStore : public StoreTest {
    Q_OBJECT
private Q_SLOTS:

    void nextvehicleTakesTheLowestFreeNumber_data();
    void nextvehicleTakesTheLowestFreeNumber();
    void addingStoresBudgetProjectAndNumberTogether();
    void addingRefusesDuplicatesAndAFullList();
    void failedAddStoresNothingAndKeepsTheTypedBudget_data();
    void failedAddStoresNothingAndKeepsTheTypedBudget();
    void deletingRemovesEverythingOfThatProjectOnly();
    void failedDeleteLeavesTheProjectWhole_data();
    void failedDeleteLeavesTheProjectWhole();
    void untouchedNewBudgetIsNeitherRewrittenNorRemoved_data();
    void untouchedNewBudgetIsNeitherRewrittenNorRemoved();

private:
    int count(const QString& sql) { return value(sql).toInt(); }
    QVariant value(const QString& sql) { return inFile(sql); }
    // Projects, used numbers, budget rows of project 2 and of the new project (0).
    QString rows() {
        return value("SELECT (SELECT COUNT(*) FROM RSLVehicles) || ',' || (SELECT COUNT(*) FROM "
                     "RSLVehiclesused) || ',' || (SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                     "Cat_vehicle_number = 2) || ',' || (SELECT COUNT(*) FROM RSLCategorybudget "
                     "WHERE Cat_vehicle_number = 0)")
            .toString();
    }
    // Fresh number-0 rows with an amount typed into the first, as the budget window holds it.
    void newBudget(const QString& amount);
    ProjectStore::AddResult add(const QString& make, const QString& model) {
        return ProjectStore(*m_store).addProject({"1970", make, model, "/car.bmp", "350.5"});
    }
};

void TestProjectStore::newBudget(const QString& amount) {
    QVERIFY(ProjectStore(*m_store).refillNewBudget().ok());
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 0").ok());
    QVERIFY(budget.setValue("Budget_amount", amount).ok());
}

void TestProjectStore::nextvehicleTakesTheLowestFreeNumber_data() {
    DataTable::columns<QList<int>, int>("used", "next");
    QList<int> all;
    for (int i = 1; i <= 99; ++i)
        all << i;
    QTest::newRow("none in use") << QList<int>{} << 1;
    QTest::newRow("1 2 4") << QList<int>{1, 2, 4} << 3;
    QTest::newRow("gap at 1") << QList<int>{2, 3} << 1;
    QTest::newRow("all 99") << all << 100;
}

void TestProjectStore::nextvehicleTakesTheLowestFreeNumber() {
    QFETCH(QList<int>, used);
    QFETCH(int, next);
    exec("RSLVehiclesused", "DELETE FROM RSLVehiclesused");
    for (int n : used)
        exec("RSLVehiclesused", "INSERT INTO RSLVehiclesused VALUES (?)", {n});
    QCOMPARE(ProjectStore(*m_store).nextvehicle(), next);
}

void TestProjectStore::addingStoresBudgetProjectAndNumberTogether() {
    // A held row added by hand goes when the number-0 rows are made afresh.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.addNew().ok());
    QVERIFY(budget.setValue("Cat_vehicle_number", 0).ok());
    newBudget("100");
    QVERIFY(budget.setFilter("Cat_vehicle_number = 0").ok());
    QCOMPARE(budget.recordCount(), 12);
    QVERIFY(budget.find(Criteria::equals("Category", "PAINT")).ok());
    QVERIFY(budget.setValue("Budget_amount", "250.50").ok());
    QCOMPARE(ProjectStore(*m_store).newBudgetTotal(), Money::fromText("350.5"));

    const auto result = add("FORD", "MUSTANG");
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Added);
    QCOMPARE(result.number, 2);
    QCOMPARE(value("SELECT vehicle_description || '|' || vehicle_make || '|' || graphic_path || "
                   "'|' || budget_amount FROM RSLVehicles WHERE vehicle_number = 2"),
             "1970 FORD MUSTANG|FORD|/car.bmp|350.5");
    QCOMPARE(rows(), QStringLiteral("2,2,12,0"));
    QCOMPARE(value("SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2")
                 .toDouble(),
             350.5);
    QVERIFY(!budget.hasPendingChanges());
}

void TestProjectStore::addingRefusesDuplicatesAndAFullList() {
    newBudget("10");
    ProjectStore projects(*m_store);
    QCOMPARE(projects.addProject({"1986", "FORD", "MUSTANG", "", "999"}).outcome,
             ProjectStore::AddOutcome::Duplicate);
    // Quotes are part of the name, also when looking for duplicates.
    QCOMPARE(add("O'NEIL", "O'BRIEN").outcome, ProjectStore::AddOutcome::Added);
    newBudget("10");
    QCOMPARE(add("O'NEIL", "O'BRIEN").outcome, ProjectStore::AddOutcome::Duplicate);

    exec("RSLVehiclesused",
         "INSERT INTO RSLVehiclesused WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL "
         "SELECT i + 1 FROM n WHERE i < 99) SELECT i FROM n");
    QCOMPARE(add("DODGE", "DART").outcome, ProjectStore::AddOutcome::Full);
    QCOMPARE(rows(), QStringLiteral("2,99,12,12"));
}

void TestProjectStore::failedAddStoresNothingAndKeepsTheTypedBudget_data() {
    DataTable::columns<QString, QString>("table", "write");
    QTest::newRow("budget renumbered") << "RSLCategorybudget"
                                       << "UPDATE";
    QTest::newRow("used number") << "RSLVehiclesused"
                                 << "INSERT";
}

void TestProjectStore::failedAddStoresNothingAndKeepsTheTypedBudget() {
    QFETCH(QString, table);
    QFETCH(QString, write);
    newBudget("350.5");
    Fixtures::failWrites(*m_store, table, write);
    const auto result = add("FORD", "MUSTANG");
    QCOMPARE(result.outcome, ProjectStore::AddOutcome::Failed);
    QCOMPARE(rows(), QStringLiteral("1,1,0,12"));
    QCOMPARE(ProjectStore(*m_store).newBudgetTotal(), Money::fromText("350.5"));

    // Once the trouble is gone the same held budget is stored.
    exec(table, "DROP TRIGGER fail_" + table + "_" + write);
    QCOMPARE(add("FORD", "MUSTANG").outcome, ProjectStore::AddOutcome::Added);
    QCOMPARE(value("SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE Cat_vehicle_number = 2")
                 .toDouble(),
             350.5);
}

void TestProjectStore::deletingRemovesEverythingOfThatProjectOnly() {
    for (const char* model : {"O'BRIEN", "DART"}) {
        newBudget("5");
        QVERIFY(add("DODGE", model).outcome == ProjectStore::AddOutcome::Added);
    }
    for (int project : {2, 3})
        exec("RSLMaster",
             "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
             "Mas_vehicle_number) VALUES ('OIL PUMP', ?, ?)",
             {project, project});
    const int linesOf1 = count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1");

    ProjectStore projects(*m_store);
    bool found = false;
    QVERIFY(projects.deleteProject("1970 DODGE O'BRIEN", &found).ok());
    QVERIFY(found);
    QCOMPARE(count("SELECT (SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_number = 2) + (SELECT "
                   "COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = 2) + (SELECT "
                   "COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 2) + (SELECT COUNT(*) FROM "
                   "RSLCategorybudget WHERE Cat_vehicle_number = 2)"),
             0);
    QCOMPARE(value("SELECT (SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 3) || ',' || "
                   "(SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1) || ',' || "
                   "(SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 3)")
                 .toString(),
             QString("1,%1,12").arg(linesOf1));

    // The number is free again and comes back without the old lines.
    newBudget("1");
    QCOMPARE(add("FORD", "BRONCO").number, 2);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 2"), 0);

    QVERIFY(projects.deleteProject("1900 NOBODY NOTHING", &found).ok());
    QVERIFY(!found);
}

void TestProjectStore::failedDeleteLeavesTheProjectWhole_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("used number") << "RSLVehiclesused";
    QTest::newRow("project row") << "RSLVehicles";
}

void TestProjectStore::failedDeleteLeavesTheProjectWhole() {
    QFETCH(QString, table);
    const QString all = "SELECT (SELECT COUNT(*) FROM RSLVehicles) || ',' || (SELECT COUNT(*) "
                        "FROM RSLVehiclesused) || ',' || (SELECT COUNT(*) FROM RSLMaster) || ',' "
                        "|| (SELECT COUNT(*) FROM RSLCategorybudget)";
    const QString before = value(all).toString();
    Fixtures::failWrites(*m_store, table, "DELETE");
    QVERIFY(!ProjectStore(*m_store).deleteProject("1986 FORD MUSTANG").ok());
    QCOMPARE(value(all).toString(), before);
}

void TestProjectStore::untouchedNewBudgetIsNeitherRewrittenNorRemoved_data() {
    DataTable::columns<QString, bool>("touch", "kept");
    QTest::newRow("untouched") << "" << true;
    QTest::newRow("an amount stored") << "stored" << false;
    QTest::newRow("an amount held") << "held" << false;
    QTest::newRow("a category added since") << "category" << false;
}

void TestProjectStore::untouchedNewBudgetIsNeitherRewrittenNorRemoved() {
    QFETCH(QString, touch);
    QFETCH(bool, kept);
    ProjectStore projects(*m_store);
    QVERIFY(projects.refillNewBudget().ok());
    const auto bytes = [&] { return TestDatabase::readFile(m_db->databasePath()); };
    // The catalogue opened again on untouched rows writes nothing.
    const QByteArray before = bytes();
    QVERIFY(projects.refillNewBudget().ok());
    QCOMPARE(bytes(), before);

    if (touch == u"stored")
        exec("RSLCategorybudget", "UPDATE RSLCategorybudget SET Budget_amount = 5 WHERE "
                                  "Cat_vehicle_number = 0 AND Category = 'PAINT'");
    else if (touch == u"held")
        newBudget("250");
    else if (touch == u"category")
        exec("RSLCategories", "INSERT INTO RSLCategories (Category) VALUES ('TRIM')");
    QVERIFY(projects.releaseNewBudget().ok());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 0"),
             kept ? 12 : 0);
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

QTEST_GUILESS_MAIN(TestProjectStore)
#include "test_projectstore.moc"
