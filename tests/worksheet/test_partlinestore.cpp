#include "PartLineStore.h"
#include "StoreTest.h"

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
    l.totalCost = "6.3282";
    l.taxable = l.selected = true;
    return l;
}

} // namespace

// The store needs no window: a bare database is all it gets here.
class TestPartLineStore : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void addNumbersAcrossProjectsAndStoresEveryColumn();
    void newNamesJoinTheirListsAndCategoriesGetBudgets();
    void failuresRollBackTogether();
    void acceptAndRemoveFindTheLineByItsKey();
    void aBatchStoresExactlyAsOneByOne();
    void aBatchIsAllOrNone();

private:
    QString sql(const QString& query) { return inFile(query).toString(); }
};

void TestPartLineStore::addNumbersAcrossProjectsAndStoresEveryColumn() {
    PartLineStore store(*m_store);
    // OIL PUMP's highest number belongs to another project, stored out of order.
    exec("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                      "Mas_vehicle_number) VALUES ('OIL PUMP', 7, 2), "
                      "('OIL PUMP', 3, 2)");
    PartLine l = line("OIL PUMP", "ENGINE");
    l.purchased = true;
    l.purchaseDate = "04/02/2025";
    QCOMPARE(store.add(l, 1).sequenceNumber, qint64(8));
    QCOMPARE(sql("SELECT Part_Number || '|' || Quantity || '|' || Price || '|' || "
                 "Tax_amount || '|' || Total_cost || '|' || Shipping_amount || '|' || "
                 "Mas_vehicle_number || '|' || Taxable || Purchased || Selected || "
                 "Forecast || '|' || Purchase_date || '|' || (Notes IS NULL) FROM "
                 "RSLMaster WHERE Part_Name = 'OIL PUMP' AND Sequence_Number = 8"),
             QStringLiteral("PN-1|3.0|1.99|0.3582|6.3282|0|1|1110|04/02/2025|1"));
    QCOMPARE(store.add(line("O'BRIEN BRACKET", "BODY"), 1).sequenceNumber, qint64(1));
}

void TestPartLineStore::newNamesJoinTheirListsAndCategoriesGetBudgets() {
    exec("RSLVehiclesused", "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (4)");
    PartLineStore store(*m_store);
    PartLine l = line("WINCH", "RECOVERY");
    l.manufacturer = "O'HARA METAL";
    l.vendor = "";
    store.addvalidationrecords(l);
    store.addvalidationrecords(l);
    QCOMPARE(sql("SELECT COUNT(*) FROM RSLManufacturer WHERE manufacturer = 'O''HARA METAL'"),
             QStringLiteral("1"));
    QCOMPARE(sql("SELECT COUNT(*) FROM RSLVendor"), QStringLiteral("6"));
    QCOMPARE(sql("SELECT Category FROM RSLParts WHERE Part_Name = 'WINCH'"),
             QStringLiteral("RECOVERY"));
    QCOMPARE(sql("SELECT group_concat(Cat_vehicle_number || ':' || Budget_amount) FROM "
                 "RSLCategorybudget WHERE Category = 'RECOVERY'"),
             QStringLiteral("1:0,4:0"));
    // Stored at once, not held in the shared record set for a later batch.
    QVERIFY(!m_store->recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestPartLineStore::failuresRollBackTogether() {
    PartLineStore store(*m_store);
    // Budget rows refused: the category goes too, the line itself is stored.
    Fixtures::failWrites(*m_store, "RSLCategorybudget", "INSERT");
    QCOMPARE(store.add(line("WINCH", "RECOVERY"), 1).outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(sql("SELECT COUNT(*) FROM RSLCategories WHERE Category = 'RECOVERY'"),
             QStringLiteral("0"));

    // The line refused: nothing of the command stays, and the message says why.
    Fixtures::failWrites(*m_store, "RSLMaster", "INSERT");
    PartLine l = line("WINCH", "RECOVERY");
    l.vendor = "NEW VENDOR";
    const auto r = store.add(l, 1);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Failed);
    QVERIFY(r.message.contains("disk on fire"));
    // Neither in the file nor in the store's own rows.
    RecordSet& vendors = m_store->recordSet(Command::RSLVendor);
    QVERIFY(vendors.setFilter("").ok());
    QCOMPARE(vendors.recordCount(), 6);
}

void TestPartLineStore::acceptAndRemoveFindTheLineByItsKey() {
    PartLineStore store(*m_store);
    PartLine l = line("BRAKE PAD SET", "BRAKES");
    QCOMPARE(store.accept(l, 1, "BRAKE PAD SET", "2").sequenceNumber, qint64(2));
    // Renamed into EPOXY PRIMER's numbering, where 1 and 2 are taken.
    l = line("EPOXY PRIMER", "PAINT");
    QCOMPARE(store.accept(l, 1, "BRAKE PAD SET", "2").sequenceNumber, qint64(3));
    QCOMPARE(sql("SELECT group_concat(Part_Name || Sequence_Number || Part_Number) FROM "
                 "RSLMaster WHERE Part_Number = 'PN-1'"),
             QStringLiteral("EPOXY PRIMER3PN-1"));

    // A line that is gone is reported, and nothing is written anywhere.
    const QString before = sql("SELECT group_concat(Part_Name || Sequence_Number) FROM "
                               "RSLMaster");
    l.vendor = "UNSEEN VENDOR";
    QCOMPARE(store.accept(l, 1, "BRAKE PAD SET", "2").outcome, PartLineStore::Outcome::Missing);
    QCOMPARE(store.remove("BRAKE PAD SET", "2").outcome, PartLineStore::Outcome::Missing);
    QCOMPARE(sql("SELECT group_concat(Part_Name || Sequence_Number) FROM RSLMaster"), before);

    QCOMPARE(store.remove("BRAKE PAD SET", "1").outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(sql("SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'BRAKE PAD SET'"),
             QStringLiteral("0"));
}

namespace {

// Lines whose names repeat within the batch, continue a numbering already in
// the file, differ from a listed name only in case, or are new to the lists.
QList<PartLine> mixedLines() {
    QList<PartLine> out;
    for (int i = 0; i < 12; ++i) {
        PartLine l = line(i % 3 == 0 ? "OIL PUMP" : QStringLiteral("BRACKET %1").arg(i % 4),
                          i % 5 == 0 ? "RECOVERY" : "ENGINE");
        l.vendor = i % 2 ? "Gearhead Direct" : QStringLiteral("VENDOR %1").arg(i % 3);
        l.manufacturer = i % 4 ? "" : QStringLiteral("MAKER %1").arg(i);
        l.partNumber = QStringLiteral("PN-%1").arg(i);
        out << l;
    }
    return out;
}

// Everything a part line can add to, one line of text per table.
QString everything(TestDatabase& db) {
    QString out;
    for (const char* query :
         {"SELECT group_concat(Part_Name || '#' || Sequence_Number || '#' || Part_Number || '#' "
          "|| Vendor || '#' || ifnull(Manufacturer, '') || '#' || Category, '|') FROM (SELECT * "
          "FROM RSLMaster ORDER BY rowid)",
          "SELECT group_concat(Part_Name || '#' || Category, '|') FROM (SELECT * FROM RSLParts "
          "ORDER BY rowid)",
          "SELECT group_concat(vendor_name, '|') FROM (SELECT * FROM RSLVendor ORDER BY rowid)",
          "SELECT group_concat(manufacturer, '|') FROM (SELECT * FROM RSLManufacturer ORDER BY "
          "rowid)",
          "SELECT group_concat(Category || '#' || Cat_vehicle_number, '|') FROM (SELECT * FROM "
          "RSLCategorybudget ORDER BY rowid)"})
        out +=
            TestDatabase::scalar(db.databasePath(), QString::fromLatin1(query)).toString() + u'\n';
    return out;
}

} // namespace

void TestPartLineStore::aBatchStoresExactlyAsOneByOne() {
    // One file takes the lines one by one, the other as a batch.
    TestDatabase batchDb;
    auto batchStore = batchDb.open();
    for (DataStore* store : {m_store.get(), batchStore.get()})
        QVERIFY(store
                    ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                           "Mas_vehicle_number) VALUES ('oil pump', 7, 2)")
                    .ok());
    const QList<PartLine> lines = mixedLines();
    PartLineStore one(*m_store);
    for (const PartLine& l : lines)
        QCOMPARE(one.add(l, 1).outcome, PartLineStore::Outcome::Stored);
    int failedAt = 0;
    const PartLineStore::Result r = PartLineStore(*batchStore).addAll(lines, 1, &failedAt);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Stored);
    QCOMPARE(failedAt, -1);

    // OIL PUMP goes on from the 7 of another project; the vendor that differs
    // only in case is not listed twice.
    const QString stored = everything(*m_db);
    QVERIFY(stored.contains("OIL PUMP#8#PN-0") && stored.contains("OIL PUMP#11#PN-9"));
    QVERIFY(!stored.section(u'\n', 2, 2).contains("Gearhead Direct"));
    QCOMPARE(everything(batchDb), stored);
}

void TestPartLineStore::aBatchIsAllOrNone() {
    QVERIFY(TestDatabase::exec(m_db->databasePath(),
                               "CREATE TRIGGER no_pn5 BEFORE INSERT ON RSLMaster WHEN "
                               "NEW.Part_Number = 'PN-5' BEGIN SELECT RAISE(ABORT, 'refused'); "
                               "END"));
    const QString before = everything(*m_db);
    int failedAt = -1;
    const PartLineStore::Result r = PartLineStore(*m_store).addAll(mixedLines(), 1, &failedAt);
    QCOMPARE(r.outcome, PartLineStore::Outcome::Failed);
    QCOMPARE(failedAt, 5);
    QCOMPARE(everything(*m_db), before);
    QCOMPARE(DataStore::transactionsOpen(), 0);
}

QTEST_MAIN(TestPartLineStore)
#include "test_partlinestore.moc"
