#include "CostArithmetic.h"
#include "CsvExport.h"
#include "CsvImport.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTest>

namespace {

const QByteArray kHeader = "Part Name,Category,Quantity,Price,Shipping,Taxable,Purchased,"
                           "Purchase Date,Vendor\n";

QString scalar(TestDatabase& db, const QString& sql) {
    return TestDatabase::scalar(db.databasePath(), sql).toString();
}

// Every stored column of the rows a query selects, as one comparable text.
QString rows(TestDatabase& db, const QString& table, const QString& columns,
             const QString& where = QStringLiteral("1")) {
    return scalar(db, QStringLiteral("SELECT group_concat(r, '|') FROM (SELECT %1 AS r FROM %2 "
                                     "WHERE %3 ORDER BY 1)")
                          .arg(columns, table, where));
}

const QString kLineColumns = QStringLiteral(
    "Part_Name || '~' || Category || '~' || ifnull(Part_Number,'') || '~' || "
    "ifnull(Manufacturer,'') || '~' || ifnull(Vendor,'') || '~' || Quantity || '~' || "
    "printf('%.4f', Price) || '~' || printf('%.4f', Tax_amount) || '~' || "
    "printf('%.4f', Shipping_amount) || '~' || printf('%.4f', Total_cost) || '~' || "
    "ifnull(Notes,'<null>') || '~' || Taxable || Selected || Forecast || Purchased || '~' || "
    "Purchase_date");

CsvImport checked(DataStore& store, ExchangeKind kind, const QByteArray& bytes,
                  const QString& tax = QStringLiteral("0")) {
    CsvImport import(store, kind);
    import.setTable(CsvReader::parse(bytes));
    import.setProject(1);
    import.setTaxPercentage(tax);
    import.check();
    return import;
}

} // namespace

class TestCsvImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void roundTripOfEveryImportableKind_data();
    void roundTripOfEveryImportableKind();
    void badInputIsRefusedWithItsPlace_data();
    void badInputIsRefusedWithItsPlace();
    void linesAreStoredAsTheWorksheetStoresThem();
    void mappingFollowsHeadersAndTheUser();
    void referenceListsGrowAsInMaintenance();
    void aFailingRowUndoesTheWholeImport();
    void amountsWithADecimalComma_data();
    void amountsWithADecimalComma();
    void aFileTooLargeIsRefusedAtOnce();
};

void TestCsvImport::roundTripOfEveryImportableKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("clear"); // what the target database loses first
    QTest::newRow("part lines") << int(ExchangeKind::ProjectLines) << "RSLMaster" << kLineColumns
                                << "DELETE FROM RSLMaster";
    QTest::newRow("parts") << int(ExchangeKind::Parts) << "RSLParts"
                           << "Part_Name || '~' || Category"
                           << "DELETE FROM RSLParts";
    QTest::newRow("vendors")
        << int(ExchangeKind::Vendors) << "RSLVendor"
        << "vendor_name || '~' || trim(vendor_address) || '~' || trim(vendor_phone) || '~' || "
           "trim(vendor_web_site) || '~' || order_catalog"
        << "DELETE FROM RSLVendor";
    QTest::newRow("manufacturers")
        << int(ExchangeKind::Manufacturers) << "RSLManufacturer"
        << "manufacturer || '~' || trim(manufacturer_address) || '~' || "
           "trim(manufacturer_phone) || '~' || trim(manufacturer_web_site)"
        << "DELETE FROM RSLManufacturer";
    QTest::newRow("categories") << int(ExchangeKind::Categories) << "RSLCategories"
                                << "Category"
                                << "DELETE FROM RSLCategories WHERE Category <> "
                                   "'ENGINE'";
    QTest::newRow("makes and models") << int(ExchangeKind::MakesModels) << "RSLModels"
                                      << "make || '~' || Model"
                                      << "DELETE FROM RSLModels; DELETE FROM RSLMakes";
}

void TestCsvImport::roundTripOfEveryImportableKind() {
    QFETCH(int, kind);
    QFETCH(QString, table);
    QFETCH(QString, columns);
    QFETCH(QString, clear);
    TestDatabase source;
    auto from = source.open();
    // Values a spreadsheet would mangle or a quoting slip would break.
    const QStringList tricky = {
        "INSERT INTO RSLCategories (Category) VALUES ('O''NEIL \"SPECIAL\", PARTS')",
        "INSERT INTO RSLParts (Part_Name, Category) VALUES ('=SUM(A1)', 'ENGINE')",
        "INSERT INTO RSLVendor VALUES ('O''REILLY, \"THE\" SHOP', '1 Main St\r\nSuite 2', "
        "'+1 555', 'WWW.X.COM', 1)",
        "INSERT INTO RSLManufacturer VALUES ('-DASH-', ' ', '@home', ' ')",
        "INSERT INTO RSLModels (make, Model) VALUES ('FORD', 'F-100 \"SHORT\"')",
        "INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, "
        "Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, "
        "Purchased, Selected, Forecast, Purchase_date, Sequence_Number) VALUES ('=SUM(A1)', "
        "'-12', 'O''HARA', '@SHOP', 2.5, 123456789.1234, 0.0001, 0.5, 246913578.7469, "
        "'line one\nline \"two\", with comma', 'ENGINE', 1, 1, 0, 1, 0, '', 1)"};
    for (const QString& statement : tricky)
        QVERIFY(TestDatabase::exec(source.databasePath(), statement));
    QByteArray bytes;
    int count = 0;
    QVERIFY(CsvExport::build(*from, ExchangeKind(kind), 1, &bytes, &count).ok());
    const QString original = rows(source, table, columns);

    TestDatabase target;
    auto into = target.open();
    for (const QString& statement : clear.split(QStringLiteral("; ")))
        QVERIFY(TestDatabase::exec(target.databasePath(), statement));
    CsvImport import = checked(*into, ExchangeKind(kind), bytes);
    QVERIFY2(import.problems().isEmpty(), qPrintable(import.problems().value(0).text()));
    const CsvImport::Outcome out = import.store();
    QVERIFY2(out.stored, qPrintable(out.message));
    QCOMPARE(rows(target, table, columns), original);
}

void TestCsvImport::badInputIsRefusedWithItsPlace_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    QTest::newRow("header only") << kHeader << "The file has a header but no rows to import.";
    QTest::newRow("unknown category")
        << kHeader + "OIL PUMP,ENGINE,1,2,0,No,No,,\nWINCH,RECOVERY,1,2,0,No,No,,\n"
        << "Row 3, column \"Category\": unknown category \"RECOVERY\"; add it to the "
           "categories first.";
    QTest::newRow("number") << kHeader + "OIL PUMP,,1,12.5O,0,No,No,,\n"
                            << "Row 2, column \"Price\": the number \"12.5O\" cannot be read.";
    QTest::newRow("date") << kHeader + "OIL PUMP,,1,1,0,No,Yes,31/12/2024,\n"
                          << "Row 2, column \"Purchase Date\": \"31/12/2024\" is not a date; "
                             "write dates as MM/DD/YYYY.";
    QTest::newRow("purchased without date")
        << kHeader + "OIL PUMP,,1,1,0,No,Yes,,\n"
        << "Row 2, column \"Purchase Date\": the line is marked purchased but has no purchase "
           "date.";
    QTest::newRow("missing part name") << kHeader + " ,ENGINE,1,1,0,No,No,,\n"
                                       << "Row 2, column \"Part Name\": the part name is missing.";
    QTest::newRow("unknown part without category")
        << kHeader + "FLUX CAPACITOR,,1,1,0,No,No,,\n"
        << "Row 2, column \"Category\": the part \"FLUX CAPACITOR\" is not in the parts "
           "catalogue and no category is given for it.";
    QTest::newRow("field count") << kHeader + "OIL PUMP,,1,1,0,No,No,\n"
                                 << "Row 2: the row has 8 fields where the header has 9.";
    QTest::newRow("beyond money")
        << kHeader + "OIL PUMP,,1,9999999999999999,0,No,No,,\n"
        << "Row 2, column \"Price\": the amount 9999999999999999 is beyond the range of money "
           "amounts.";
    QTest::newRow("product beyond money") << kHeader + "OIL PUMP,,99999,99999999999,0,No,No,,\n"
                                          << "Row 2: " + CostArithmetic::kTooLargeMessage;
    QTest::newRow("yes or no") << kHeader + "OIL PUMP,,1,1,0,maybe,No,,\n"
                               << "Row 2, column \"Taxable\": Yes or No is expected, not "
                                  "\"maybe\".";
    QTest::newRow("no part name column") << QByteArray("Name,Price\nOIL PUMP,1\n")
                                         << "Row 1, column \"Part Name\": no column of the file "
                                            "is matched to \"Part Name\".";
    QTest::newRow("total that does not add up")
        << QByteArray("Part Name,Quantity,Price,Tax Amount,Total Cost\nOIL PUMP,2,10,1,22\n")
        << "Row 2, column \"Total Cost\": the total cost 22 does not match quantity x price + "
           "tax + shipping, which is 21.";
}

void TestCsvImport::badInputIsRefusedWithItsPlace() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    TestDatabase db;
    auto store = db.open();
    const QString before = rows(db, "RSLMaster", kLineColumns);
    CsvImport import = checked(*store, ExchangeKind::ProjectLines, bytes);
    QVERIFY(!import.problems().isEmpty());
    QCOMPARE(import.problems().front().text(), problem);
    const CsvImport::Outcome out = import.store();
    QVERIFY(!out.stored);
    QVERIFY(out.message.startsWith(QStringLiteral("Nothing was imported")));
    QCOMPARE(rows(db, "RSLMaster", kLineColumns), before);
}

void TestCsvImport::linesAreStoredAsTheWorksheetStoresThem() {
    // Tax, total and sequence as the worksheet's cost rule and numbering give them.
    TestDatabase db;
    auto store = db.open();
    CsvImport import = checked(*store, ExchangeKind::ProjectLines,
                               "Part Name,Quantity,Price,Shipping,Taxable,Selected,Vendor,"
                               "Manufacturer\noil pump ,7,$19.99,12.50,Yes,Yes,new vendor,"
                               "o'hara metal\n",
                               QStringLiteral("8.25"));
    QVERIFY(import.problems().isEmpty());
    QVERIFY(import.store().stored);
    const QString cols = QStringLiteral(
        "Sequence_Number || '~' || Category || '~' || printf('%.4f', Tax_amount) || '~' || "
        "printf('%.4f', Total_cost) || '~' || Vendor");
    // Numbered after every OIL PUMP of every project; 163.9742 as the sum rule gives it.
    QCOMPARE(rows(db, "RSLMaster", cols, "Part_Name = 'OIL PUMP' AND Vendor = 'NEW VENDOR'"),
             QStringLiteral("2~ENGINE~11.5442~163.9742~NEW VENDOR"));
    QCOMPARE(scalar(db, "SELECT COUNT(*) FROM RSLManufacturer WHERE manufacturer = 'O''HARA "
                        "METAL'"),
             QStringLiteral("1"));
}

void TestCsvImport::mappingFollowsHeadersAndTheUser() {
    TestDatabase db;
    auto store = db.open();
    CsvImport import(*store, ExchangeKind::ProjectLines);
    // Case, spacing and punctuation do not matter; a semicolon file is read too.
    import.setTable(CsvReader::parse("PART_NAME;price (each);Shipping/Handling;Cost\n"
                                     "OIL PUMP;3;1;99\n"));
    import.setProject(1);
    import.check();
    QVERIFY(import.problems().isEmpty());
    QCOMPARE(import.preview(1).value(0).value(10), QStringLiteral("1"));
    // The user takes the quantity from the unknown column.
    import.setColumn(6, 3);
    import.check();
    QCOMPARE(import.preview(1).value(0).value(10), QStringLiteral("298"));

    // Two price columns: refused until the user picks one.
    import.setTable(CsvReader::parse("Part Name,Price,Price\nOIL PUMP,1,2\n"));
    import.check();
    QCOMPARE(import.problems().value(0).text(),
             "Row 1, column \"Price\": more than one column of the file could be \"Price\" "
             "(columns 2, 3); choose one in the mapping.");
    import.setColumn(7, 2);
    import.check();
    QVERIFY(import.problems().isEmpty());
    QCOMPARE(import.preview(1).value(0).value(7), QStringLiteral("2"));
}

void TestCsvImport::referenceListsGrowAsInMaintenance() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(TestDatabase::exec(db.databasePath(),
                               "INSERT INTO RSLVehiclesused (used_vehicle_number) VALUES (4)"));
    CsvImport categories =
        checked(*store, ExchangeKind::Categories, "Category\nrecovery\nEngine\nRECOVERY\n");
    QVERIFY(categories.problems().isEmpty());
    const CsvImport::Outcome out = categories.store();
    QCOMPARE(out.rows, 1);
    QCOMPARE(out.skipped, 2);
    QCOMPARE(out.message,
             QStringLiteral("1 row was imported. 2 already in the list were left as they were."));
    // Every project in use gets its zero budget row.
    QCOMPARE(scalar(db, "SELECT group_concat(Cat_vehicle_number || ':' || Budget_amount) FROM "
                        "RSLCategorybudget WHERE Category = 'RECOVERY'"),
             QStringLiteral("1:0,4:0"));

    CsvImport parts = checked(*store, ExchangeKind::Parts, "Part Name,Category\nwinch,recovery\n");
    QVERIFY(parts.problems().isEmpty());
    QVERIFY(parts.store().stored);
    QCOMPARE(scalar(db, "SELECT Category FROM RSLParts WHERE Part_Name = 'WINCH'"),
             QStringLiteral("RECOVERY"));
}

void TestCsvImport::aFailingRowUndoesTheWholeImport() {
    TestDatabase db;
    auto store = db.open();
    // The database refuses the third line: the first two go too.
    QVERIFY(TestDatabase::exec(db.databasePath(),
                               "CREATE TRIGGER no_third BEFORE INSERT ON RSLMaster WHEN "
                               "NEW.Part_Number = 'C' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QString before = rows(db, "RSLMaster", kLineColumns);
    CsvImport import = checked(*store, ExchangeKind::ProjectLines,
                               "Part Name,Part Number,Vendor,Category\nOIL PUMP,A,V1,\n"
                               "WINCH,B,V2,ENGINE\nOIL PUMP,C,V3,\n");
    QVERIFY(import.problems().isEmpty());
    const CsvImport::Outcome out = import.store();
    QVERIFY(!out.stored);
    QVERIFY(out.message.contains(QStringLiteral("row 4")));
    QCOMPARE(rows(db, "RSLMaster", kLineColumns), before);
    QCOMPARE(scalar(db, "SELECT COUNT(*) FROM RSLVendor WHERE vendor_name IN ('V1','V2')"),
             QStringLiteral("0"));
    QCOMPARE(scalar(db, "SELECT COUNT(*) FROM RSLParts WHERE Part_Name = 'WINCH'"),
             QStringLiteral("0"));
}

void TestCsvImport::amountsWithADecimalComma_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("stored"); // the price as stored, or the problem
    const QString unread =
        QStringLiteral("Row 2, column \"Price\": the number \"%1\" cannot be read.");
    // Semicolon-separated files come from spreadsheets set to a decimal comma;
    // with commas between the fields, a comma still groups thousands.
    const char* const rows[][4] = {
        {"comma", ";", "12,50", "12.5000"},
        {"four places", ";", "0,0001", "0.0001"},
        {"thousands by points", ";", "1.234,50", "1234.5000"},
        {"negative", ";", "-3,25", "-3.2500"},
        {"no fraction", ";", "17", "17.0000"},
        {"point that can only be a decimal point", ";", "12.5", "12.5000"},
        {"two commas", ";", "1,234,50", nullptr},
        {"groups of two", ";", "1.23,50", nullptr},
        {"comma and point swapped", ";", "1,234.50", nullptr},
        {"comma file", ",", "\"1,234.50\"", "1234.5000"},
        {"tab file", "\t", "12,50", nullptr},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QByteArray(r[1]) << QString(r[2])
                            << (r[3] ? QString(r[3]) : unread.arg(r[2]));
    QTest::newRow("point or thousands")
        << QByteArray(";") << "1.234"
        << "Row 2, column \"Price\": \"1.234\" could be a number with a decimal point or one "
           "with thousands grouped by a point; write it with a decimal comma (\"1234,00\" or "
           "\"1,234\").";
}

void TestCsvImport::amountsWithADecimalComma() {
    QFETCH(QByteArray, separator);
    QFETCH(QString, price);
    QFETCH(QString, stored);
    TestDatabase db;
    auto store = db.open();
    CsvImport import = checked(
        *store, ExchangeKind::ProjectLines,
        QByteArray("Part Name;Category;Quantity;Price\nWINCH;BODY;1;").replace(";", separator) +
            price.toUtf8() + "\n");
    if (stored.startsWith(u'R')) {
        QCOMPARE(import.problems().size(), 1);
        QCOMPARE(import.problems().front().text(), stored);
        return;
    }
    QVERIFY(import.problems().isEmpty());
    QVERIFY(import.store().stored);
    // Exact to the ten-thousandth: the total is the price itself.
    QCOMPARE(rows(db, "RSLMaster", "printf('%.4f', Price) || '|' || printf('%.4f', Total_cost)",
                  "Part_Name = 'WINCH'"),
             stored + u'|' + stored);
}

void TestCsvImport::aFileTooLargeIsRefusedAtOnce() {
    TestDatabase db;
    auto store = db.open();
    // Fifty megabytes: a header and then nothing but blanks the reader never gets to.
    const QString path = db.path("huge.csv");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(kHeader), kHeader.size());
        QVERIFY(f.resize(50 << 20));
    }
    const QString before = rows(db, "RSLMaster", kLineColumns);
    CsvImport import(*store, ExchangeKind::ProjectLines);
    import.setTable(CsvReader::readFile(path));
    import.setProject(1);
    import.check();
    QCOMPARE(import.problems().size(), 1);
    QVERIFY(import.problems().front().text().contains("is too large to import"));
    QVERIFY(!import.store().stored);
    QCOMPARE(rows(db, "RSLMaster", kLineColumns), before);
}

QTEST_GUILESS_MAIN(TestCsvImport)
#include "test_csvimport.moc"
