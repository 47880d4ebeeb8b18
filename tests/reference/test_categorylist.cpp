#include "CategoryList.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QTest>

class TestCategoryList : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void addGivesEveryProjectAZeroBudget();
    void addKeepsBudgetsAProjectWindowHolds();
    void renameReachesCatalogueAndBudgetsButNotLines();
    void deleteChecksBudgetsBeforeParts();
    void deleteTakesTheZeroBudgetRowsOrNothing();

private:
    QString budgets(const QString& category) {
        return inFile("SELECT group_concat(Cat_vehicle_number || ':' || "
                      "Budget_amount) FROM (SELECT * FROM RSLCategorybudget WHERE "
                      "Category = '" +
                      category + "' ORDER BY Cat_vehicle_number)")
            .toString();
    }
    void addGlass() {
        exec("RSLCategories", "INSERT INTO RSLCategories VALUES ('GLASS')");
        exec("RSLCategorybudget", "INSERT INTO RSLCategorybudget VALUES "
                                  "('GLASS', 1, 0), ('GLASS', 3, NULL)");
    }
};

void TestCategoryList::init() {
    StoreTest::init();
    Fixtures::addProject(*m_store, 2, "1970 DODGE DART");
    Fixtures::addProject(*m_store, 3, "1967 CHEVROLET C-10");
    Fixtures::addLine(*m_store, 3, "MASTER CYLINDER", "GEARHEAD DIRECT", "", "BRAKES");
}

void TestCategoryList::addGivesEveryProjectAZeroBudget() {
    // Another window left the used numbers narrowed to one project.
    QVERIFY(m_store->recordSet(Command::RSLVehiclesused).setFilter("used_vehicle_number = 2").ok());
    CategoryList categories(*m_store);
    QCOMPARE(categories.add("BRAKES").message(),
             QString("Category already exists in category list."));
    QCOMPARE(categories.add("GLASS").message(), QString("Category has been added."));
    QVERIFY(categories.contains("GLASS"));
    // Stored at once: another connection sees the rows.
    QCOMPARE(budgets("GLASS"), QString("1:0,2:0,3:0"));
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());

    exec("RSLVehiclesused", "DELETE FROM RSLVehiclesused");
    QVERIFY(categories.add("CHROME").isDone());
    QCOMPARE(budgets("CHROME"), QString());
}

void TestCategoryList::addKeepsBudgetsAProjectWindowHolds() {
    // A budget being typed for a project stays unsaved in the record set.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 2 and Category = 'BODY'").ok());
    budget.moveFirst();
    QVERIFY(budget.setValue("Budget_amount", 750).ok());
    CategoryList categories(*m_store);
    QVERIFY(categories.add("GLASS").isDone());
    QVERIFY(budget.hasPendingChanges());
    QVERIFY(budget.setFilter("Cat_vehicle_number = 2 and Category = 'BODY'").ok());
    QCOMPARE(budget.money("Budget_amount"), Money::fromUnits(750 * Money::kUnitsPerDollar));
}

void TestCategoryList::renameReachesCatalogueAndBudgetsButNotLines() {
    // A project under creation holds its budget rows unsaved.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.addNew().ok());
    QVERIFY(budget.setValue("Category", "BRAKES").ok());
    QVERIFY(budget.setValue("Cat_vehicle_number", 0).ok());
    QVERIFY(budget.setValue("Budget_amount", 90).ok());
    const int brakeParts = count("SELECT COUNT(*) FROM RSLParts WHERE Category = 'BRAKES'");
    const int brakeLines = count("SELECT COUNT(*) FROM RSLMaster WHERE Category = 'BRAKES'");

    CategoryList categories(*m_store);
    int closes = 0;
    QVERIFY(categories.change("BRAKES", "PAINT", [&] { ++closes; }).message().contains("exists"));
    QCOMPARE(closes, 0);
    QCOMPARE(categories.change("BRAKES", "BRAKING", [&] { ++closes; }).message(),
             QString("Category has been changed."));
    QCOMPARE(closes, 1);
    QVERIFY(!categories.contains("BRAKES"));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLParts WHERE Category = 'BRAKING'"), brakeParts);
    QCOMPARE(budgets("BRAKING"), QString("0:90,1:450,2:0,3:0"));
    QCOMPARE(budgets("BRAKES"), QString());
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Category = 'BRAKES'"), brakeLines);
    QCOMPARE(budget.filter(), QString());
}

void TestCategoryList::deleteChecksBudgetsBeforeParts() {
    CategoryList categories(*m_store);
    const QString byBudget = "You cannot delete this category. There are projects with budget "
                             "amounts assigned to this category.";
    const QString byParts = "You cannot delete this category. There are parts that have been "
                            "assigned to this category.";
    // BRAKES has a budget in project 1 and catalogue parts: budgets are named.
    QCOMPARE(categories.remove("BRAKES", "BRAKES").message(), byBudget);
    // A positive amount in any one project is enough.
    exec("RSLCategorybudget", "UPDATE RSLCategorybudget SET Budget_amount = "
                              "(CASE Cat_vehicle_number WHEN 3 THEN 0.01 ELSE 0 END) "
                              "WHERE Category = 'BRAKES'");
    QCOMPARE(categories.remove("BRAKES", "BRAKES").message(), byBudget);
    exec("RSLCategorybudget", "UPDATE RSLCategorybudget SET Budget_amount = 0 WHERE "
                              "Category = 'BRAKES'");
    QCOMPARE(categories.remove("BRAKES", "BRAKES").message(), byParts);
    // The selected entry is checked, not an edited name field.
    addGlass();
    QCOMPARE(categories.remove("GLASS", "BRAKES").message(), byParts);
    QVERIFY(categories.contains("BRAKES"));
    QCOMPARE(budgets("BRAKES"), QString("1:0,2:0,3:0"));
    QCOMPARE(m_store->recordSet(Command::RSLCategorybudget).filter(), QString());
}

void TestCategoryList::deleteTakesTheZeroBudgetRowsOrNothing() {
    addGlass();
    const int others = count("SELECT COUNT(*) FROM RSLCategorybudget") - 2;
    Fixtures::failWrites(*m_store, "RSLCategorybudget", "DELETE");
    CategoryList categories(*m_store);
    const MaintenanceResult o = categories.remove("GLASS", "GLASS");
    QCOMPARE(o.status(), MaintenanceResult::Status::Failed);
    QVERIFY(o.message().contains("disk on fire"));
    QVERIFY(categories.contains("GLASS"));
    QCOMPARE(budgets("GLASS"), QString("1:0"));
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(!budget.hasPendingChanges());
    QCOMPARE(budget.filter(), QString());

    exec("RSLCategorybudget", "DROP TRIGGER fail_RSLCategorybudget_DELETE");
    QCOMPARE(categories.remove("GLASS", "GLASS").message(), QString("Category has been deleted."));
    QVERIFY(!categories.contains("GLASS"));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLCategorybudget"), others);
}

QTEST_MAIN(TestCategoryList)
#include "test_categorylist.moc"
