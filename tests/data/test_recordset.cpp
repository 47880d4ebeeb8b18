#include "DamagedFiles.h"
#include "DataTable.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QMap>
#include <QSqlQuery>
#include <QTest>

namespace {

const char* const kLines = "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                           "Category, Selected, Forecast, Purchased, Total_cost, Vendor) VALUES ";

QStringList column(RecordSet& rs, const QString& name) {
    QStringList out;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        out << rs.text(name);
    return out;
}

} // namespace

class TestRecordSet : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void filtersSelectTheirRows_data();
    void filtersSelectTheirRows();
    void badCriteriaAreRefusedAndKeepTheFilter();
    void theFilterSetAgainMovesFirstAndShowsWrites();
    void sortOrdersAndFindSearchesForward();
    void optimisticWritesAreDurableAtOnce();
    void deletingInALoopVisitsEveryRow();
    void batchChangesWaitForUpdateBatch();
    void cancelBatchRestoresTheRows();
    void heldChangesFollowTheFilter();
    void failedBatchLeavesStoredRowsAndHeldChanges();
    void childrenHoldOnlyFlaggedLinesOfTheirParent();
    void readOnlyCommandRefusesWrites();
    void valuesReadBackInTheirTypes();
    void scanReadsTheRowsInViewWithoutMoving();
    void aReadThatFailsPartWayIsNoList();
};

void TestRecordSet::init() {
    StoreTest::init();
    // Two projects of our own beside the sample project 1.
    exec("RSLMaster", "DELETE FROM RSLMaster");
    exec("RSLMaster", QString(kLines) +
                          "('BRAKE PAD SET', 1, 2, 'BRAKES', 1, 1, 1, 120.5, 'ACME'), "
                          "('BRAKE PAD SET', 2, 3, 'BRAKES', 1, 1, 0, 10, 'ACME'), "
                          "('ROTOR', 1, 2, 'BRAKES', 1, 0, 0, 10, 'ACME'), "
                          "('O''BRIEN BRACKET', 1, 2, 'BODY', 1, 1, 0, 10, 'ACME'), "
                          "('SPARK PLUG', 1, 3, 'ENGINE', 0, 0, 0, 10, 'ACME')");
}

void TestRecordSet::filtersSelectTheirRows_data() {
    // The lines as part name and project, sorted.
    DataTable::columns<QString, QStringList>("filter", "lines");
    const QStringList purchased{"BRAKE PAD SET 2"}, unselected{"SPARK PLUG 3"};
    QTest::newRow("boolean as number") << "Purchased = 1" << purchased;
    QTest::newRow("boolean as text") << "Selected = 'False'" << unselected;
    QTest::newRow("chain") << "purchased = 'false' and forecast = 'true' and mas_vehicle_number = 2"
                           << QStringList{"O'BRIEN BRACKET 2"};
    QTest::newRow("names and values in any case")
        << "PART_NAME = 'brake pad set' and SEQUENCE_NUMBER = 2" << QStringList{"BRAKE PAD SET 3"};
    QTest::newRow("doubled quote")
        << Criteria::equals("part_name", "o'brien bracket") << QStringList{"O'BRIEN BRACKET 2"};
    QTest::newRow("empty: every project")
        << ""
        << QStringList{"BRAKE PAD SET 2", "BRAKE PAD SET 3", "O'BRIEN BRACKET 2", "ROTOR 2",
                       "SPARK PLUG 3"};
}

void TestRecordSet::filtersSelectTheirRows() {
    QFETCH(QString, filter);
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 3").ok()); // a filter before is replaced
    QVERIFY(rs.setFilter(filter).ok());
    QStringList lines;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        lines << rs.text("Part_Name") + ' ' + rs.text("Mas_vehicle_number");
    lines.sort();
    QTEST(lines, "lines");
}

void TestRecordSet::badCriteriaAreRefusedAndKeepTheFilter() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 3").ok());
    const DbResult bad = rs.setFilter("Part_Name = 'O'BRIEN'");
    QCOMPARE(bad.kind(), DbErrorKind::BadCriteria);
    QCOMPARE(rs.recordCount(), 2);
    QCOMPARE(rs.setFilter("Purchased = 'maybe'").kind(), DbErrorKind::BadCriteria);
    QCOMPARE(rs.setSort("NoSuchColumn").kind(), DbErrorKind::BadCriteria);
}

void TestRecordSet::theFilterSetAgainMovesFirstAndShowsWrites() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 3").ok());
    rs.moveFirst();
    const QString first = rs.text("Part_Name");
    rs.moveNext();
    QVERIFY(rs.setFilter("Mas_vehicle_number = 3").ok());
    QCOMPARE(rs.text("Part_Name"), first);
    exec("RSLMaster", QString(kLines) + "('AIR FILTER', 1, 3, 'ENGINE', 1, 0, 0, 5, 'ACME')");
    QVERIFY(rs.setFilter("Mas_vehicle_number = 3").ok());
    QCOMPARE(rs.recordCount(), 3);
}

void TestRecordSet::sortOrdersAndFindSearchesForward() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("").ok());
    QVERIFY(rs.setSort("Part_name,Sequence_Number").ok());
    QCOMPARE(column(rs, "Part_Name"), (QStringList{"BRAKE PAD SET", "BRAKE PAD SET",
                                                   "O'BRIEN BRACKET", "ROTOR", "SPARK PLUG"}));
    rs.moveFirst();
    rs.moveNext();
    rs.moveNext(); // on O'BRIEN BRACKET
    bool found = true;
    QVERIFY(rs.find("Part_Name = 'BRAKE PAD SET'", &found).ok());
    QVERIFY(!found); // behind the current row
    QVERIFY(rs.isEof());
    rs.moveFirst();
    QVERIFY(rs.find("Category = 'engine'", &found).ok());
    QVERIFY(found);
    QCOMPARE(rs.text("Part_Name"), QStringLiteral("SPARK PLUG"));
    // The current row itself counts.
    QVERIFY(rs.find("Part_Name = 'SPARK PLUG'", &found).ok());
    QVERIFY(found);
}

void TestRecordSet::optimisticWritesAreDurableAtOnce() {
    // Each write is in the file at once, read back through a second connection.
    const QString row = "SELECT order_catalog || '|' || ifnull(vendor_phone, '') FROM RSLVendor "
                        "WHERE vendor_name = 'O''HARA SUPPLY'";
    RecordSet& rs = m_store->recordSet(Command::RSLVendor);
    QVERIFY(rs.setFilter("").ok());
    QVERIFY(rs.addNew().ok());
    QVERIFY(rs.setValue("vendor_name", "O'HARA SUPPLY").ok());
    QVERIFY(rs.setValue("order_catalog", 1).ok());
    QVERIFY(rs.update().ok());
    QCOMPARE(inFile(row).toString(), QStringLiteral("1|"));
    QVERIFY(rs.requery().ok());
    QVERIFY(rs.find(Criteria::equals("vendor_name", "O'HARA SUPPLY")).ok());
    QVERIFY(rs.setValue("vendor_phone", "555-0100").ok());
    QVERIFY(rs.update().ok());
    QCOMPARE(inFile(row).toString(), QStringLiteral("1|555-0100"));
    QVERIFY(rs.deleteCurrent().ok());
    QVERIFY(inFile(row).isNull());
}

void TestRecordSet::deletingInALoopVisitsEveryRow() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 2").ok());
    int deleted = 0;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext()) {
        QVERIFY(rs.deleteCurrent().ok());
        ++deleted;
    }
    QCOMPARE(deleted, 3);
    QVERIFY(rs.setFilter("").ok());
    QCOMPARE(rs.recordCount(), 2);
}

void TestRecordSet::batchChangesWaitForUpdateBatch() {
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    const auto held = [&] {
        return inFile("SELECT COUNT(*) || '|' || ifnull(SUM(Budget_amount), 0) FROM "
                      "RSLCategorybudget WHERE Cat_vehicle_number = 0")
            .toString();
    };
    QVERIFY(budget.setFilter("cat_vehicle_number = 0").ok());
    for (const char* cat : {"BODY", "PAINT", "O'NEIL"}) {
        QVERIFY(budget.addNew().ok());
        QVERIFY(budget.setValue("Category", cat).ok());
        QVERIFY(budget.setValue("budget_amount", 0).ok());
        QVERIFY(budget.setValue("cat_vehicle_number", 0).ok());
        QVERIFY(budget.update().ok());
    }
    QCOMPARE(held(), QStringLiteral("0|0"));
    QVERIFY(budget.updateBatch().ok());
    QVERIFY(!budget.hasPendingChanges());
    QCOMPARE(held(), QStringLiteral("3|0"));

    // Changes and deletions wait too, and are written together.
    budget.moveFirst();
    QVERIFY(budget.setValue("budget_amount", "250.50").ok());
    budget.moveNext();
    QVERIFY(budget.deleteCurrent().ok());
    QCOMPARE(held(), QStringLiteral("3|0"));
    QVERIFY(budget.updateBatch().ok());
    QCOMPARE(held(), QStringLiteral("2|250.5"));
}

void TestRecordSet::cancelBatchRestoresTheRows() {
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    QVERIFY(budget.setSort("Category").ok());
    const auto rows = [&] {
        return QStringList{column(budget, "Category").join(','),
                           column(budget, "Budget_amount").join(',')};
    };
    const QStringList before = rows();
    budget.moveFirst();
    QVERIFY(budget.setValue("Budget_amount", 99999).ok());
    budget.moveNext();
    QVERIFY(budget.deleteCurrent().ok());
    QVERIFY(budget.addNew().ok());
    QVERIFY(budget.setValue("Category", "EXTRA").ok());
    QVERIFY(budget.setValue("Cat_vehicle_number", 1).ok());
    budget.cancelBatch();
    QCOMPARE(rows(), before);
}

void TestRecordSet::heldChangesFollowTheFilter() {
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    const int rows = budget.recordCount();
    budget.moveFirst();
    const QString moved = budget.text("Category");
    QVERIFY(budget.setValue("Cat_vehicle_number", 7).ok()); // held, not stored
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    QCOMPARE(budget.recordCount(), rows - 1);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 7").ok());
    QCOMPARE(column(budget, "Category"), QStringList{moved});
    QVERIFY(budget.requery().ok()); // a requery keeps held changes
    QCOMPARE(budget.recordCount(), 1);
    QCOMPARE(inFile("SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = 7").toInt(),
             0);
}

void TestRecordSet::failedBatchLeavesStoredRowsAndHeldChanges() {
    const auto snapshot = [&] {
        return inFile("SELECT group_concat(Category || ':' || Cat_vehicle_number || ':' || "
                      "Budget_amount, ',') FROM (SELECT * FROM RSLCategorybudget ORDER BY rowid)")
            .toString();
    };
    const QString before = snapshot();
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    budget.moveFirst();
    QVERIFY(budget.setValue("Budget_amount", 1).ok());
    budget.moveNext();
    QVERIFY(budget.deleteCurrent().ok());
    QVERIFY(budget.addNew().ok());
    QVERIFY(budget.setValue("Category", "REFUSED").ok());
    QVERIFY(budget.setValue("Cat_vehicle_number", 1).ok());

    // The last of the three writes fails.
    exec("RSLCategorybudget",
         "CREATE TRIGGER refuse BEFORE INSERT ON RSLCategorybudget WHEN NEW.Category = 'REFUSED' "
         "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const DbResult r = budget.updateBatch();
    QVERIFY(r.message().contains("injected failure"));
    QCOMPARE(snapshot(), before);
    QVERIFY(budget.hasPendingChanges());

    exec("RSLCategorybudget", "DROP TRIGGER refuse");
    QVERIFY(budget.updateBatch().ok());
    QCOMPARE(inFile("SELECT COUNT(*) FROM RSLCategorybudget WHERE Category = 'REFUSED'").toInt(),
             1);
}

void TestRecordSet::childrenHoldOnlyFlaggedLinesOfTheirParent() {
    exec("RSLCategorybudget", "INSERT INTO RSLCategorybudget VALUES ('BRAKES', 2, 100)");
    exec("RSLCategorybudget", "INSERT INTO RSLCategorybudget VALUES ('O''BRIEN', 2, 5)");
    exec("RSLMaster", QString(kLines) + "('BRACKET', 1, 2, 'O''BRIEN', 1, 1, 1, 10, 'ACME')");
    RecordSet& actual = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(actual.setFilter("Cat_vehicle_number = 2").ok());
    QVERIFY(actual.setSort("Category").ok());
    actual.moveFirst();
    QCOMPARE(actual.text("Category"), QStringLiteral("BRAKES"));
    QCOMPARE(column(*actual.children(), "Total_cost"),
             QStringList{"120.5"}); // not project 3's, not the unpurchased rotor
    actual.moveNext();
    QCOMPARE(column(*actual.children(), "Part_Name"), QStringList{"BRACKET"});

    // Every parent's children in one read, each found again by its parent's key.
    QMap<QString, QStringList> byParent;
    auto all = actual.allChildren();
    for (all->moveFirst(); !all->isEof(); all->moveNext())
        byParent[RecordSet::childKey(*all)] << all->text("Total_cost");
    QCOMPARE(byParent.value(actual.parentKey()), QStringList{"10"});
    actual.moveFirst();
    QCOMPARE(byParent.value(actual.parentKey()), QStringList{"120.5"});

    RecordSet& forecast = m_store->recordSet(Command::RSLCategoryBudget2);
    QVERIFY(forecast.setFilter("Cat_vehicle_number = 2").ok());
    QVERIFY(forecast.find("Category = 'BRAKES'").ok());
    QCOMPARE(column(*forecast.children(), "Sequence_Number"), QStringList{"1"});
}

void TestRecordSet::readOnlyCommandRefusesWrites() {
    RecordSet& rs = m_store->recordSet(Command::RSLCategoryBudget2);
    rs.moveFirst();
    QVERIFY(!rs.isEof());
    QVERIFY(!rs.setValue("Budget_amount", 5).ok());
    QVERIFY(!rs.deleteCurrent().ok());
}

void TestRecordSet::valuesReadBackInTheirTypes() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("").ok());
    QVERIFY(rs.addNew().ok());
    const std::pair<const char*, QVariant> values[] = {
        {"Part_Name", "WIDGET"}, {"Mas_vehicle_number", 9},
        {"Quantity", "2.5"},     {"Tax_amount", "0.3582"},
        {"Taxable", 1},          {"Purchased", 0},
        {"Notes", QVariant()}};
    for (const auto& [name, value] : values)
        QVERIFY2(rs.setValue(name, value).ok(), name);
    QCOMPARE(rs.setValue("Price", "1E20").kind(), DbErrorKind::Overflow);
    QVERIFY(rs.update().ok());

    QVERIFY(rs.setFilter("Mas_vehicle_number = 9").ok());
    QCOMPARE(rs.money("Tax_amount").units(), qint64(3582));
    QCOMPARE(QStringList({rs.text("Quantity"), rs.text("Taxable"), rs.text("Purchased")}),
             QStringList({"2.5", "True", "False"}));
    QCOMPARE(inFile("SELECT typeof(Notes) FROM RSLMaster WHERE Part_Name = 'WIDGET'").toString(),
             QStringLiteral("null"));
    rs.moveNext();
    QCOMPARE(rs.text("Part_Name"), QString()); // reading at the end gives nothing
}

void TestRecordSet::scanReadsTheRowsInViewWithoutMoving() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 2").ok());
    QVERIFY(rs.setSort("Category DESC, Part_Name").ok());
    const auto scan = [&] {
        QStringList out;
        [&] {
            QVERIFY(rs.scan({"category", "Total_cost"}, [&](const QVector<QVariant>& row) {
                          // Money comes as Money, exactly as value() reads it.
                          out << row[0].toString() + ' ' + row[1].value<Money>().toPlainText();
                          return DbResult::success();
                      }).ok());
        }();
        return out;
    };
    // From the database before the rows are read, from the rows after.
    const QStringList expected{"BRAKES 120.5", "BRAKES 10", "BODY 10"};
    QCOMPARE(scan(), expected);
    rs.moveFirst();
    rs.moveNext();
    const QString before = rs.text("Part_Name");
    QCOMPARE(scan(), expected);
    QCOMPARE(rs.text("Part_Name"), before);

    // A failure from the caller stops the walk; an unknown column reads nothing.
    int calls = 0;
    const DbResult stopped = rs.scan({"Category"}, [&](const QVector<QVariant>&) {
        ++calls;
        return DbResult::failure(DbErrorKind::Overflow, "stop");
    });
    QCOMPARE(stopped.kind(), DbErrorKind::Overflow);
    QCOMPARE(calls, 1);
    QCOMPARE(rs.scan({"NoSuchColumn"},
                     [&](const QVector<QVariant>&) {
                         ++calls;
                         return DbResult::success();
                     })
                 .kind(),
             DbErrorKind::BadCriteria);
    QCOMPARE(calls, 1);

    // Held batch changes are in view as the set holds them.
    RecordSet& budget = m_store->recordSet(Command::RSLCategorybudget);
    QVERIFY(budget.setFilter("Cat_vehicle_number = 1").ok());
    budget.moveFirst();
    const QString category = budget.text("Category");
    QVERIFY(budget.setValue("Budget_amount", "12.34").ok());
    QStringList held;
    QVERIFY(budget
                .scan({"Category", "Budget_amount"},
                      [&](const QVector<QVariant>& row) {
                          held << row[0].toString() + ' ' + row[1].value<Money>().toPlainText();
                          return DbResult::success();
                      })
                .ok());
    QCOMPARE(held.size(), budget.recordCount());
    QVERIFY(held.contains(category + " 12.34"));
    budget.cancelBatch();
}

void TestRecordSet::aReadThatFailsPartWayIsNoList() {
    TestDatabase db;
    const QString path = db.databasePath();
    Fixtures::addPagesOfLines(*db.open(), 2, "ACME");
    QVERIFY(DamagedFiles::damageInside(path, "RSLMaster"));
    DataStore store;
    QVERIFY(store.open(path).ok());
    RecordSet& rs = store.recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("Mas_vehicle_number = 2").ok());
    int rows = 0;
    QVERIFY(!rs.scan({"Part_Name"}, [&](const QVector<QVariant>&) {
                   ++rows;
                   return DbResult::success();
               }).ok());
    QVERIFY(rows > 0); // it did fail part way
    QVERIFY(!rs.requery().ok());
    QCOMPARE(rs.recordCount(), 0);
    // Nor does the store's own query pass it off as the whole answer.
    rows = 0;
    QVERIFY(!store.query("SELECT * FROM RSLMaster", {}, [&](const QSqlQuery&) { ++rows; }).ok());
    QVERIFY(rows > 0);
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "test_recordset.moc"
