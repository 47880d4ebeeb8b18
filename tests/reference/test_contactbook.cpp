#include "ContactBook.h"
#include "DataTable.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QTest>

Q_DECLARE_METATYPE(ContactBook::Kind)

class TestContactBook : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void emptyFieldsAreStoredAsASpace();
    void renameReachesLinesOfEveryProject_data();
    void renameReachesLinesOfEveryProject();
    void changeWithoutTheOldRowTouchesNoLines();
    void failedRenameChangesNothing();
};

void TestContactBook::init() {
    StoreTest::init();
    Fixtures::addProject(*m_store, 2, "1970 DODGE DART");
    Fixtures::addLine(*m_store, 2, "OIL PUMP", "GEARHEAD DIRECT", "IRONWOOD MOTORWORKS", "ENGINE");
}

void TestContactBook::emptyFieldsAreStoredAsASpace() {
    ContactBook makers(*m_store, ContactBook::Kind::Manufacturers);
    QCOMPARE(makers.add({"ACME CASTINGS", "", "", "", false}).message(),
             QString("Manufacturer has been added."));
    QCOMPARE(
        inFile("SELECT manufacturer_address || '|' || manufacturer_phone || '|' || "
               "manufacturer_web_site FROM RSLManufacturer WHERE manufacturer = 'ACME CASTINGS'")
            .toString(),
        QString(" | | "));
    // Read back and changed again, the space stays a space.
    Contact c = *makers.find("ACME CASTINGS");
    QCOMPARE(c.phone, QString(" "));
    c.address.clear();
    QVERIFY(makers.change("ACME CASTINGS", c, {}).isDone());
    QCOMPARE(makers.find("ACME CASTINGS")->address, QString(" "));
}

void TestContactBook::renameReachesLinesOfEveryProject_data() {
    DataTable::columns<ContactBook::Kind, QString, QString, QString>("kind", "oldName", "taken",
                                                                     "lineColumn");
    QTest::newRow("vendor") << ContactBook::Kind::Vendors << "GEARHEAD DIRECT"
                            << "TRI-COUNTY SWAP MEET"
                            << "Vendor";
    QTest::newRow("manufacturer") << ContactBook::Kind::Manufacturers << "IRONWOOD MOTORWORKS"
                                  << "KEYSTONE SHEET METAL"
                                  << "Manufacturer";
}

void TestContactBook::renameReachesLinesOfEveryProject() {
    QFETCH(ContactBook::Kind, kind);
    QFETCH(QString, oldName);
    QFETCH(QString, taken);
    QFETCH(QString, lineColumn);
    auto lines = [&](const QString& name) {
        return count("SELECT COUNT(DISTINCT Mas_vehicle_number) FROM RSLMaster WHERE " +
                     lineColumn + " = '" + name + "'");
    };
    // The worksheet keeps the lines narrowed to one line of project 1.
    QVERIFY(m_store->recordSet(Command::RSLMaster)
                .setFilter("Mas_vehicle_number = 1 and Part_Name = 'RADIATOR'")
                .ok());
    ContactBook book(*m_store, kind);
    Contact c = *book.find(oldName);
    c.name = taken;
    QVERIFY(book.change(oldName, c, {}).message().contains("already exists"));
    QCOMPARE(lines(oldName), 2);

    c.name = "RENAMED CO";
    int closes = 0;
    QVERIFY(book.change(oldName, c, [&] { ++closes; }).isDone());
    QCOMPARE(closes, 1);
    QCOMPARE(lines(oldName), 0);
    QCOMPARE(lines("RENAMED CO"), 2);
    QVERIFY(book.find("RENAMED CO"));
    QVERIFY(!book.find(oldName));
}

void TestContactBook::changeWithoutTheOldRowTouchesNoLines() {
    // Several sample lines have no manufacturer. A click into an empty list
    // leaves no old name, and a change must not hand them the new one.
    const int blank = count("SELECT COUNT(*) FROM RSLMaster WHERE Manufacturer = ''");
    QVERIFY(blank > 0);
    ContactBook makers(*m_store, ContactBook::Kind::Manufacturers);
    bool closed = false;
    const MaintenanceResult o =
        makers.change("", {"ACME", "", "", "", false}, [&] { closed = true; });
    QCOMPARE(o.message(),
             QString("You must select a manufacturer to change from the manufacturer list."));
    QVERIFY(!closed);
    QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE Manufacturer = ''"), blank);
    QVERIFY(!makers.find("ACME"));
}

void TestContactBook::failedRenameChangesNothing() {
    Fixtures::failWrites(*m_store, "RSLMaster", "UPDATE");
    ContactBook vendors(*m_store, ContactBook::Kind::Vendors);
    Contact c = *vendors.find("GEARHEAD DIRECT");
    c.name = "GEARHEAD";
    const MaintenanceResult o = vendors.change("GEARHEAD DIRECT", c, {});
    QCOMPARE(o.status(), MaintenanceResult::Status::Failed);
    QVERIFY(o.message().contains("disk on fire"));
    QVERIFY(vendors.find("GEARHEAD DIRECT"));
    QVERIFY(!vendors.find("GEARHEAD"));
}

QTEST_MAIN(TestContactBook)
#include "test_contactbook.moc"
