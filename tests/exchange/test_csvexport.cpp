#include "CsvExport.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTest>

namespace {

QStringList lines(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) // the byte order mark
        text.remove(0, 1);
    QStringList out = text.split(QStringLiteral("\r\n"));
    out.removeLast(); // after the last line end
    return out;
}

} // namespace

class TestCsvExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void everyKind_data();
    void everyKind();
    void formulaCellsAreWrittenAsText();
    void unwritableTargetLeavesNothing();
};

void TestCsvExport::everyKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("countSql");
    QTest::addColumn<QString>("sampleRow"); // one row of the sample data, whole
    const QString lineHeader = "Part Name,Sequence Number,Category,Part Number,Manufacturer,"
                               "Vendor,Quantity,Price,Tax Amount,Shipping,Total Cost,Taxable,"
                               "Selected,Forecast,Purchased,Purchase Date,Notes";
    QTest::newRow("project lines")
        << int(ExchangeKind::ProjectLines) << lineHeader
        << "SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1"
        << "WINCH,4,ENGINE,W-1,ACME,GEARHEAD DIRECT,2.5,1234.5678,0.0001,10,2479.1357,Yes,Yes,"
           "No,No,,";
    QTest::newRow("all lines")
        << int(ExchangeKind::AllLines) << "Project," + lineHeader
        << "SELECT COUNT(*) FROM RSLMaster"
        << "1986 FORD MUSTANG,WINCH,4,ENGINE,W-1,ACME,GEARHEAD DIRECT,2.5,1234.5678,0.0001,10,"
           "2479.1357,Yes,Yes,No,No,,";
    QTest::newRow("budgets") << int(ExchangeKind::Budgets) << "Project,Category,Budget Amount"
                             << "SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                                "Cat_vehicle_number > 0"
                             << "";
    // The reference lists are read back whole by the import's round trip.
    QTest::newRow("makes and models")
        << int(ExchangeKind::MakesModels) << "Make,Model"
        << "SELECT COUNT(*) FROM RSLMakes k LEFT JOIN RSLModels m ON m.make = k.make"
        << "FORD,MUSTANG";
}

void TestCsvExport::everyKind() {
    QFETCH(int, kind);
    QFETCH(QString, header);
    QFETCH(QString, countSql);
    QFETCH(QString, sampleRow);
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store
                ->execute("RSLMaster",
                          "INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, "
                          "Quantity, Price, Tax_amount, Shipping_amount, Total_cost, Category, "
                          "Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, "
                          "Purchase_date, Sequence_Number) VALUES ('WINCH', 'W-1', 'ACME', "
                          "'GEARHEAD DIRECT', 2.5, 1234.5678, 0.0001, 10, 2479.1357, 'ENGINE', "
                          "1, 1, 0, 1, 0, '', 4)")
                .ok());
    const QString file = db.path("out.csv");
    const CsvExport::Outcome out = CsvExport::write(*store, ExchangeKind(kind), 1, file);
    QVERIFY2(out.result.ok(), qPrintable(out.result.message()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = lines(bytes);
    QCOMPARE(rows.value(0), header);
    const int expected = TestDatabase::scalar(db.databasePath(), countSql).toInt();
    QVERIFY(expected > 0);
    QCOMPARE(out.rows, expected);
    QCOMPARE(rows.size() - 1, expected);
    if (!sampleRow.isEmpty())
        QVERIFY2(rows.contains(sampleRow), qPrintable(rows.join(u'\n')));
}

void TestCsvExport::formulaCellsAreWrittenAsText() {
    TestDatabase db;
    auto store = db.open();
    QVERIFY(store
                ->execute("RSLMaster",
                          "UPDATE RSLMaster SET Part_Number = '=cmd|'' /C calc''!A0', Notes = "
                          "'+SUM(1)', Vendor = '@VENDOR', Price = -5.25, Tax_amount = 2.997, "
                          "Total_cost = 59.447 WHERE Part_Name = "
                          "'OIL PUMP'")
                .ok());
    QByteArray bytes;
    int rows = 0;
    QVERIFY(CsvExport::build(*store, ExchangeKind::ProjectLines, 1, &bytes, &rows).ok());
    const QString row = lines(bytes).filter(QStringLiteral("OIL PUMP")).value(0);
    QCOMPARE(row, QStringLiteral("OIL PUMP,1,ENGINE,'=cmd|' /C calc'!A0,IRONWOOD MOTORWORKS,"
                                 "'@VENDOR,1,-5.25,2.997,6.5,59.447,Yes,Yes,Yes,No,,'+SUM(1)"));
}

void TestCsvExport::unwritableTargetLeavesNothing() {
    TestDatabase db;
    auto store = db.open();
    // A folder that is a file cannot hold the export.
    QVERIFY(TestDatabase::writeFile(db.path("blocker"), {}));
    const CsvExport::Outcome out =
        CsvExport::write(*store, ExchangeKind::Parts, 0, db.path("blocker/parts.csv"));
    QVERIFY(!out.result.ok());
    QVERIFY(out.result.message().contains(QStringLiteral("Nothing was exported")));
    QCOMPARE(out.rows, 0);
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "test_csvexport.moc"
