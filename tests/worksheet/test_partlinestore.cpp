#include "PartLineStore.h"
#include "TestShell.h"

#include <QTest>

namespace {

PartLine line(const QString& name, const QString& category) {
    PartLine l;
    l.partName = name;
    l.category = category;
    l.partNumber = "PN-1";
    l.manufacturer = "IRONWOOD MOTORWORKS";
    l.vendor = "GEARHEAD DIRECT";
    l.quantity = "3";
    l.price = "1.99";
    l.taxAmount = "0.3582";
    l.shipping = "";
    l.totalCost = "6.3282";
    l.taxable = true;
    l.selected = true;
    l.purchaseDate = "";
    return l;
}

} // namespace

class TestPartLineStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void addStoresEveryColumn();
    void sequenceNumbersCountAcrossProjects();
    void newNamesJoinTheirLists();
    void newCategoryGetsABudgetInEveryProject();
    void failedBudgetRowsTakeTheCategoryBackButNotTheLine();
    void failedLineLeavesNothingBehind();
    void acceptKeepsOrRenewsTheSequenceNumber();
    void acceptAndRemoveOfAVanishedLineWriteNothing();
    void removeDeletesOnlyThatLine();
    void amountsMustFitTheMoneyRange();

private:
    static QVariant scalar(TestShell& shell, const QString& sql) {
        return TestDatabase::scalar(shell.db.databasePath(), sql);
    }
};

void TestPartLineStore::addStoresEveryColumn() {
    TestShell shell;
    PartLineStore store(shell);
    PartLine l = line("OIL PUMP", "ENGINE");
    l.purchased = l.forecast = true;
    l.purchaseDate = "04/02/2025";
    const auto r = store.add(l, 1);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(r.sequenceNumber, qint64(2));
    QCOMPARE(scalar(shell,
                    "SELECT Part_Number || '|' || Manufacturer || '|' || Vendor || '|' || "
                    "Quantity || '|' || Price || '|' || Tax_amount || '|' || Total_cost || "
                    "'|' || Category || '|' || Mas_vehicle_number || '|' || Taxable || "
                    "Purchased || Selected || Forecast || '|' || Purchase_date FROM RSLMaster "
                    "WHERE Part_Name = 'OIL PUMP' AND Sequence_Number = 2")
                 .toString(),
             QStringLiteral("PN-1|IRONWOOD MOTORWORKS|GEARHEAD DIRECT|3.0|1.99|0.3582|6.3282|"
                            "ENGINE|1|1111|04/02/2025"));
    // Empty notes are no value at all; an empty shipping field is 0.
    QCOMPARE(scalar(shell, "SELECT Notes IS NULL AND Shipping_amount = 0 FROM RSLMaster WHERE "
                           "Part_Name = 'OIL PUMP' AND Sequence_Number = 2")
                 .toInt(),
             1);
}

void TestPartLineStore::sequenceNumbersCountAcrossProjects() {
    TestShell shell;
    PartLineStore store(shell);
    // The highest number of the name lives in another project, stored out of order.
    QVERIFY(shell.store
                ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                       "Mas_vehicle_number) VALUES ('OIL PUMP', 7, 2), "
                                       "('OIL PUMP', 3, 2)")
                .ok());
    QCOMPARE(store.add(line("OIL PUMP", "ENGINE"), 1).sequenceNumber, qint64(8));
    QCOMPARE(store.add(line("OIL PUMP", "ENGINE"), 1).sequenceNumber, qint64(9));
    QCOMPARE(shell.appState.holdsequence, qint64(9));
    QCOMPARE(store.add(line("O'BRIEN BRACKET", "BODY"), 1).sequenceNumber, qint64(1));
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM (SELECT 1 FROM RSLMaster GROUP BY Part_Name, "
                           "Sequence_Number HAVING COUNT(*) > 1)")
                 .toInt(),
             0);
}

void TestPartLineStore::newNamesJoinTheirLists() {
    TestShell shell;
    PartLineStore store(shell);
    PartLine l = line("O'BRIEN BRACKET", "BODY");
    l.manufacturer = "O'HARA METAL";
    l.vendor = "JOE'S GARAGE";
    store.addvalidationrecords(l);
    store.addvalidationrecords(l);
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM RSLManufacturer WHERE manufacturer = 'O''HARA "
                           "METAL'")
                 .toInt(),
             1);
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLVendor WHERE vendor_name = 'JOE''S GARAGE'").toInt(),
        1);
    QCOMPARE(scalar(shell, "SELECT Category FROM RSLParts WHERE Part_Name = 'O''BRIEN BRACKET'")
                 .toString(),
             QStringLiteral("BODY"));
    // Known names and empty fields add nothing.
    const int manufacturers = scalar(shell, "SELECT COUNT(*) FROM RSLManufacturer").toInt();
    l.manufacturer.clear();
    l.vendor = "GEARHEAD DIRECT";
    store.addvalidationrecords(l);
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM RSLManufacturer").toInt(), manufacturers);
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM RSLVendor").toInt(), 7);
}

void TestPartLineStore::newCategoryGetsABudgetInEveryProject() {
    TestShell shell;
    QVERIFY(shell.store
                ->execute("RSLVehiclesused",
                          "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (4), (9)")
                .ok());
    PartLineStore store(shell);
    store.addvalidationrecords(line("WINCH", "RECOVERY"));
    QCOMPARE(scalar(shell, "SELECT group_concat(Cat_vehicle_number || ':' || Budget_amount) FROM "
                           "RSLCategorybudget WHERE Category = 'RECOVERY'")
                 .toString(),
             QStringLiteral("1:0,4:0,9:0"));
    // Stored at once, not held in the shared record set for a later batch.
    QVERIFY(!shell.store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestPartLineStore::failedBudgetRowsTakeTheCategoryBackButNotTheLine() {
    TestShell shell;
    QVERIFY(TestDatabase::exec(shell.db.databasePath(),
                               "CREATE TRIGGER refuse BEFORE INSERT ON RSLCategorybudget BEGIN "
                               "SELECT RAISE(ABORT, 'refused'); END"));
    PartLineStore store(shell);
    const auto r = store.add(line("WINCH", "RECOVERY"), 1);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLCategories WHERE Category = 'RECOVERY'").toInt(), 0);
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'WINCH'").toInt(), 1);
}

void TestPartLineStore::failedLineLeavesNothingBehind() {
    TestShell shell;
    QVERIFY(TestDatabase::exec(shell.db.databasePath(),
                               "CREATE TRIGGER refuse BEFORE INSERT ON RSLMaster BEGIN "
                               "SELECT RAISE(ABORT, 'refused'); END"));
    PartLineStore store(shell);
    PartLine l = line("WINCH", "RECOVERY");
    l.vendor = "NEW VENDOR";
    const auto r = store.add(l, 1);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Failed);
    QVERIFY(!r.message.isEmpty());
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLVendor WHERE vendor_name = 'NEW VENDOR'").toInt(),
        0);
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLCategorybudget WHERE Category = 'RECOVERY'").toInt(),
        0);
    // The shared record sets read the rolled-back tables afresh.
    RecordSet& vendors = shell.store->recordSet(Command::RSLVendor);
    QVERIFY(vendors.setFilter("").ok());
    QCOMPARE(vendors.recordCount(), 6);
}

void TestPartLineStore::acceptKeepsOrRenewsTheSequenceNumber() {
    TestShell shell;
    PartLineStore store(shell);
    PartLine l = line("BRAKE PAD SET", "BRAKES");
    l.notes = "changed";
    auto r = store.accept(l, 1, "BRAKE PAD SET", "2");
    QCOMPARE(r.outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(r.sequenceNumber, qint64(2));
    QCOMPARE(scalar(shell, "SELECT Notes FROM RSLMaster WHERE Part_Name = 'BRAKE PAD SET' AND "
                           "Sequence_Number = 2")
                 .toString(),
             QStringLiteral("changed"));

    // Renamed into EPOXY PRIMER's numbering (1 and 2 are taken).
    l = line("EPOXY PRIMER", "PAINT");
    r = store.accept(l, 1, "BRAKE PAD SET", "2");
    QCOMPARE(r.sequenceNumber, qint64(3));
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'BRAKE PAD SET'").toInt(),
        1);
    QCOMPARE(scalar(shell, "SELECT Part_Number FROM RSLMaster WHERE Part_Name = 'EPOXY PRIMER' AND "
                           "Sequence_Number = 3")
                 .toString(),
             QStringLiteral("PN-1"));
}

void TestPartLineStore::acceptAndRemoveOfAVanishedLineWriteNothing() {
    TestShell shell;
    PartLineStore store(shell);
    const QString before = scalar(shell, "SELECT group_concat(Part_Name || Sequence_Number || "
                                         "Total_cost) FROM RSLMaster")
                               .toString();
    PartLine l = line("NEW NAME", "ENGINE");
    l.vendor = "UNSEEN VENDOR";
    QCOMPARE(store.accept(l, 1, "OIL PUMP", "5").outcome, PartLineStore::Outcome::Missing);
    QCOMPARE(store.accept(l, 1, "OIL PUMP", "").outcome, PartLineStore::Outcome::Missing);
    QCOMPARE(store.remove("OIL PUMP", "5").outcome, PartLineStore::Outcome::Missing);
    QCOMPARE(scalar(shell, "SELECT group_concat(Part_Name || Sequence_Number || Total_cost) FROM "
                           "RSLMaster")
                 .toString(),
             before);
    QCOMPARE(
        scalar(shell, "SELECT COUNT(*) FROM RSLVendor WHERE vendor_name = 'UNSEEN VENDOR'").toInt(),
        0);
}

void TestPartLineStore::removeDeletesOnlyThatLine() {
    TestShell shell;
    PartLineStore store(shell);
    QVERIFY(store.add(line("O'BRIEN BRACKET", "BODY"), 1).outcome ==
            PartLineStore::Outcome::Stored);
    const int lines = scalar(shell, "SELECT COUNT(*) FROM RSLMaster").toInt();
    QCOMPARE(store.remove("O'BRIEN BRACKET", "1").outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(store.remove("BRAKE PAD SET", "1").outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(scalar(shell, "SELECT COUNT(*) FROM RSLMaster").toInt(), lines - 2);
    QCOMPARE(
        scalar(shell, "SELECT Sequence_Number FROM RSLMaster WHERE Part_Name = 'BRAKE PAD SET'")
            .toInt(),
        2);
}

void TestPartLineStore::amountsMustFitTheMoneyRange() {
    PartLine l = line("OIL PUMP", "ENGINE");
    QVERIFY(PartLineStore::amountsFit(l, "6"));
    l.totalCost = "1e16";
    QVERIFY(!PartLineStore::amountsFit(l, "6"));
    l.totalCost = "1";
    l.price = "900000000000000";
    QVERIFY(!PartLineStore::amountsFit(l, "6"));
    l.price = "1";
    l.taxAmount = "-1e300";
    QVERIFY(!PartLineStore::amountsFit(l, "6"));
}

QTEST_MAIN(TestPartLineStore)
#include "test_partlinestore.moc"
