// Times the two speed targets of data exchange on a throw-away database:
// exporting 100,000 part lines and importing 10,000 (checks included).
// Not part of the test suite; run it by hand on a release build.
#include "CsvExport.h"
#include "CsvImport.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <ctime>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    isolateTestEnvironment();
    QTextStream out(stdout);

    TestDatabase db;
    auto store = db.open();
    ignoreError(store->execute(
        "RSLMaster",
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
        "INSERT INTO RSLMaster (Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, "
        "Tax_amount, Shipping_amount, Total_cost, Notes, Category, Mas_vehicle_number, Taxable, "
        "Purchased, Selected, Forecast, Purchase_date, Sequence_Number) SELECT 'OIL PUMP', "
        "'PN-' || i, 'ACME, INC.', 'GEARHEAD DIRECT', 2, 10.5, 1.26, 3, 25.26, 'note \"' || i "
        "|| '\"', 'ENGINE', 1, 1, 1, 1, 1, '04/02/2025', i + 2 FROM n"));
    // CPU time as well as wall time: on a busy machine the wall clock says
    // more about the neighbours than about this program.
    QElapsedTimer timer;
    timer.start();
    std::clock_t cpu = std::clock();
    const auto cpuMs = [&] { return qint64(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC; };
    const CsvExport::Outcome exported =
        CsvExport::write(*store, ExchangeKind::ProjectLines, 1, db.path("lines.csv"));
    out << "export of " << exported.rows << " lines: " << timer.elapsed() << " ms (cpu " << cpuMs()
        << " ms)\n";

    QByteArray bytes = "Part Name,Part Number,Manufacturer,Vendor,Quantity,Price,Shipping,"
                       "Taxable,Purchased,Purchase Date,Notes\r\n";
    for (int i = 0; i < 10000; ++i)
        bytes += QStringLiteral("PART %1,PN-%1,MAKER %2,VENDOR %3,3,19.99,4.5,Yes,Yes,"
                                "04/02/2025,\"row %1, \"\"quoted\"\"\"\r\n")
                     .arg(i)
                     .arg(i % 50)
                     .arg(i % 20)
                     .toUtf8();
    ignoreError(store->execute("RSLParts",
                               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                               "WHERE i < 9999) INSERT INTO RSLParts (Part_Name, Category) "
                               "SELECT 'PART ' || i, 'ENGINE' FROM n"));
    timer.restart();
    cpu = std::clock();
    CsvImport import(*store, ExchangeKind::ProjectLines);
    import.setTable(CsvReader::parse(bytes));
    import.setProject(1);
    import.setTaxPercentage(QStringLiteral("8.25"));
    import.check();
    const CsvImport::Outcome stored = import.store();
    out << "import of " << stored.rows << " lines: " << timer.elapsed() << " ms (cpu " << cpuMs()
        << " ms)\n";
    return stored.stored && exported.result.ok() ? 0 : 1;
}
