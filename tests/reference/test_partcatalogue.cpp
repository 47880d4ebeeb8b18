#include "PartCatalogue.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QTest>

class TestPartCatalogue : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void listsIgnoreFiltersLeftByOthers();
    void addAndRenameRefusals();
    void renameReachesLinesOfEveryProject();
    void changeWithoutTheOldRowIsRefused();
    void failedLineRewriteKeepsTheCatalogueRow();
    void deleteRefusesPartsInUseAnywhere();

private:
    int lines(const QString& part) {
        return count("SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = '" + part + "'");
    }
};

void TestPartCatalogue::init() {
    StoreTest::init();
    Fixtures::addProject(*m_store, 2, "1970 DODGE DART");
    Fixtures::addLine(*m_store, 2, "BRAKE PAD SET", "GEARHEAD DIRECT", "", "BRAKES", 3);
    Fixtures::addLine(*m_store, 2, "WATER PUMP", "GEARHEAD DIRECT", "", "COOLING");
}

void TestPartCatalogue::listsIgnoreFiltersLeftByOthers() {
    QVERIFY(m_store->recordSet(Command::RSLParts).setFilter("Category = 'BODY'").ok());
    QVERIFY(m_store->recordSet(Command::RSLCategories).setFilter("Category = 'PAINT'").ok());
    PartCatalogue parts(*m_store);
    const QStringList names = parts.names();
    QCOMPARE(names.size(), count("SELECT COUNT(*) FROM RSLParts"));
    QVERIFY(std::is_sorted(names.begin(), names.end()));
    QCOMPARE(parts.categories().size(), 12);
    QCOMPARE(parts.categoryOf("THERMOSTAT"), QString("COOLING"));
}

void TestPartCatalogue::addAndRenameRefusals() {
    PartCatalogue parts(*m_store);
    const QString invalid = "You must select a valid category from the category list to continue.";
    const QString duplicate = "Part already exists in part list.";
    bool closed = false;
    QCOMPARE(parts.add("SPOILER", "WINGS").message(), invalid);
    QCOMPARE(parts.add("RADIATOR", "COOLING").message(), duplicate);
    QCOMPARE(parts.change("BRAKE PAD SET", "PADS", "WINGS", [&] { closed = true; }).message(),
             invalid);
    QCOMPARE(parts.change("BRAKE PAD SET", "RADIATOR", "BRAKES", [&] { closed = true; }).message(),
             duplicate);
    QVERIFY(!closed);
    QCOMPARE(parts.categoryOf("SPOILER"), QString());
    QCOMPARE(lines("BRAKE PAD SET"), 3);
    // The category check leaves no narrowed category list behind.
    QCOMPARE(m_store->recordSet(Command::RSLCategories).filter(), QString());
}

void TestPartCatalogue::renameReachesLinesOfEveryProject() {
    // The worksheet keeps the lines filtered to its own project.
    RecordSet& master = m_store->recordSet(Command::RSLMaster);
    QVERIFY(master.setFilter("Mas_vehicle_number = 1").ok());
    master.moveFirst();
    PartCatalogue parts(*m_store);
    int closes = 0;
    const MaintenanceResult o = parts.change("BRAKE PAD SET", "PADS", "BRAKES", [&] { ++closes; });
    QCOMPARE(o.message(), QString("Part has been changed."));
    QCOMPARE(closes, 1);
    QCOMPARE(lines("PADS"), 3);
    QCOMPARE(lines("BRAKE PAD SET"), 0);
    QCOMPARE(parts.categoryOf("PADS"), QString("BRAKES"));
    // The worksheet's record set reads the new names.
    bool found = false;
    QVERIFY(master.find("Part_Name = 'PADS'", &found).ok());
    QVERIFY(found);

    // Keeping the name changes the category only, and still closes the worksheet.
    QVERIFY(parts.change("WATER PUMP", "WATER PUMP", "ENGINE", [&] { ++closes; }).isDone());
    QCOMPARE(closes, 2);
    QCOMPARE(parts.categoryOf("WATER PUMP"), QString("ENGINE"));
}

void TestPartCatalogue::changeWithoutTheOldRowIsRefused() {
    // A click into an empty list leaves no old name; lines without a part
    // name must not be taken over by the new one.
    Fixtures::addLine(*m_store, 2, "", "GEARHEAD DIRECT", "", "BODY");
    PartCatalogue parts(*m_store);
    const QString select = "You must select a part to change from the part list.";
    QCOMPARE(parts.change("", "GRILLE", "BODY", {}).message(), select);
    QCOMPARE(parts.change("GONE MEANWHILE", "GRILLE", "BODY", {}).message(), select);
    QCOMPARE(lines("GRILLE"), 0);
    QCOMPARE(parts.categoryOf("GRILLE"), QString());
}

void TestPartCatalogue::failedLineRewriteKeepsTheCatalogueRow() {
    Fixtures::failWrites(*m_store, "RSLMaster", "UPDATE");
    PartCatalogue parts(*m_store);
    const MaintenanceResult o = parts.change("BRAKE PAD SET", "PADS", "BRAKES", {});
    QCOMPARE(o.status(), MaintenanceResult::Status::Failed);
    QVERIFY(o.message().contains("disk on fire"));
    QCOMPARE(parts.categoryOf("BRAKE PAD SET"), QString("BRAKES"));
    QCOMPARE(count("SELECT COUNT(*) FROM RSLParts WHERE Part_Name = 'PADS'"), 0);
}

void TestPartCatalogue::deleteRefusesPartsInUseAnywhere() {
    PartCatalogue parts(*m_store);
    const QString inUse = "You cannot delete this part. It has been used in a project.";
    QCOMPARE(parts.remove("COOLANT HOSE SET", "").message(),
             QString("You must select a Part to delete from the part list."));
    // WATER PUMP is only on a line of project 2.
    QCOMPARE(parts.remove("WATER PUMP", "WATER PUMP").message(), inUse);
    // The entry being deleted is checked, not an edited name field.
    QCOMPARE(parts.remove("COOLANT HOSE SET", "RADIATOR").message(), inUse);
    QCOMPARE(parts.categoryOf("RADIATOR"), QString("COOLING"));
    QCOMPARE(parts.remove("COOLANT HOSE SET", "COOLANT HOSE SET").message(),
             QString("Part has been deleted."));
    QCOMPARE(parts.categoryOf("COOLANT HOSE SET"), QString());
}

QTEST_MAIN(TestPartCatalogue)
#include "test_partcatalogue.moc"
