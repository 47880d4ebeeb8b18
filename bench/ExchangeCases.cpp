#include "ExchangeCases.h"

#include "BenchShell.h"
#include "CsvExport.h"
#include "CsvImport.h"
#include "CsvReader.h"
#include "CsvWriter.h"
#include "DataStore.h"
#include "ExchangeTables.h"
#include "Floor.h"
#include "ProjectStore.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <memory>

namespace ExchangeCases {

namespace {

using BenchShell::fail;

const char* const kNouns[] = {"BRAKE ROTOR", "CONTROL ARM", "FENDER",        "DOOR HINGE",
                              "MARKER LAMP", "MOTOR MOUNT", "RADIATOR HOSE", "AXLE SEAL",
                              "FUEL LINE",   "SEAT TRACK",  "WHEEL STUD",    "VALVE STEM"};
const char* const kCategories[] = {
    "BRAKES",  "SUSPENSION", "BODY",        "BODY",     "ELECTRICAL",       "ENGINE",
    "COOLING", "DRIVETRAIN", "FUEL SYSTEM", "INTERIOR", "WHEELS AND TIRES", "WHEELS AND TIRES"};

// A spreadsheet as restorers keep them: a few hundred part names, some of
// them new to the catalogue, vendors and makers new and known, amounts with
// cents, a purchase date on the bought lines.
QByteArray spreadsheet(int lines) {
    CsvWriter writer;
    QStringList header;
    for (const ExchangeField& f : ExchangeTables::fields(ExchangeKind::ProjectLines))
        header << f.header;
    writer.addRow(header);
    const int nouns = int(std::size(kNouns));
    for (int i = 0; i < lines; ++i) {
        const int n = i % nouns;
        const bool bought = i % 10 < 6;
        writer.addRow(
            {QStringLiteral("%1 %2").arg(QString::fromLatin1(kNouns[n])).arg(i % 300), QString(),
             QString::fromLatin1(kCategories[n]), QStringLiteral("PN-%1").arg(i),
             QStringLiteral("Maker %1").arg(i % 40), QStringLiteral("Vendor %1").arg(i % 60),
             QString::number(1 + i % 4),
             QStringLiteral("%1.%2")
                 .arg(5 + (i * 37) % 495)
                 .arg((i * 13) % 100, 2, 10, QChar(u'0')),
             QString(), i % 5 == 0 ? QStringLiteral("12.50") : QStringLiteral("0"), QString(),
             i % 3 != 0 ? QStringLiteral("Yes") : QStringLiteral("No"), QStringLiteral("Yes"),
             i % 10 < 8 ? QStringLiteral("Yes") : QStringLiteral("No"),
             bought ? QStringLiteral("Yes") : QStringLiteral("No"),
             bought ? QStringLiteral("04/%1/2025").arg(1 + i % 28, 2, 10, QChar(u'0')) : QString(),
             i % 7 == 0 ? QStringLiteral("Check the fit, before the final assembly.") : QString()});
    }
    return writer.bytes();
}

void copyFresh(const QString& from, const QString& to) {
    QFile::remove(to);
    QFile::remove(to + QStringLiteral("-journal"));
    if (!QFile::copy(from, to))
        fail(QStringLiteral("cannot copy ") + from);
}

// A copy of the empty file with one project, the one the cases use.
int addProject(const QString& path) {
    DataStore store;
    if (!store.open(path))
        fail(QStringLiteral("cannot open ") + path);
    ProjectStore projects(store);
    if (!projects.refillNewBudget())
        fail(QStringLiteral("the budget rows could not be made"));
    ProjectInput input;
    input.year = QStringLiteral("1970");
    input.make = QStringLiteral("PLYMOUTH");
    input.model = QStringLiteral("ROAD RUNNER");
    input.totalBudget = QStringLiteral("50000");
    const ProjectStore::AddResult added = projects.addProject(input);
    if (added.outcome != ProjectStore::AddOutcome::Added)
        fail(QStringLiteral("the project could not be added"));
    return added.number;
}

const QString kLineColumns = QStringLiteral(
    "Part_Name, Sequence_Number, Category, Part_Number, Manufacturer, Vendor, Quantity, Price, "
    "Tax_amount, Shipping_amount, Total_cost, Taxable, Selected, Forecast, Purchased, "
    "Purchase_date, Notes, Mas_vehicle_number");

// Lines made in SQL: how they came into the file does not matter to an export.
void fillLines(const QString& path, int project, int lines) {
    const Floor floor(path);
    QSqlQuery q = floor.prepared(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + "
                       "1 < ?) INSERT INTO RSLMaster (") +
        kLineColumns +
        QStringLiteral(") SELECT 'PART ' || (i % 500), 1 + i / 500, 'BODY', 'PN-' || i, "
                       "'MAKER ' || (i % 40), 'VENDOR, ' || (i % 60), 1 + i % 4, "
                       "5 + (i * 37) % 495 + ((i * 13) % 100) / 100.0, 0.4125, "
                       "CASE WHEN i % 5 = 0 THEN 12.5 ELSE 0 END, 17.9125, i % 3 <> 0, 1, "
                       "i % 10 < 8, i % 10 < 6, CASE WHEN i % 10 < 6 THEN '04/02/2025' ELSE '' "
                       "END, CASE WHEN i % 7 = 0 THEN 'Check the \"fit\" first' END, ? FROM n"));
    q.addBindValue(lines);
    q.addBindValue(project);
    if (!q.exec())
        fail(q.lastError().text());
}

} // namespace

QList<Row> run(const Measure& measure, const QString& emptyFile, const QString& scratch,
               int exportLines, int importLines) {
    const QDir dir(scratch);
    const QString withProject = dir.filePath(QStringLiteral("exchange-project.sqlite"));
    copyFresh(emptyFile, withProject);
    const int project = addProject(withProject);
    QList<Row> rows;

    // Export.
    const QString exportFile = dir.filePath(QStringLiteral("exchange-export.sqlite"));
    copyFresh(withProject, exportFile);
    fillLines(exportFile, project, exportLines);
    {
        DataStore store;
        if (!store.open(exportFile))
            fail(QStringLiteral("cannot open ") + exportFile);
        const QString csv = dir.filePath(QStringLiteral("exchange-export.csv"));
        Row r{QStringLiteral("Export %L1 part lines to CSV").arg(exportLines), {}, {}};
        r.figure = measure.run([&] {
            const CsvExport::Outcome o =
                CsvExport::write(store, ExchangeKind::ProjectLines, project, csv);
            if (!o.result || o.rows != exportLines)
                fail(QStringLiteral("the export wrote %1 rows: %2")
                         .arg(o.rows)
                         .arg(o.result.message()));
        });
        const Floor floor(exportFile);
        r.floor = measure.run([&] {
            QSqlQuery q = floor.prepared(QStringLiteral("SELECT ") + kLineColumns +
                                         QStringLiteral(" FROM RSLMaster WHERE "
                                                        "Mas_vehicle_number = ? ORDER BY "
                                                        "Part_Name, Sequence_Number"));
            q.setForwardOnly(true);
            q.addBindValue(project);
            if (!q.exec())
                fail(q.lastError().text());
            while (q.next())
                for (int i = 0; i < 17; ++i)
                    (void)q.value(i).toString();
        });
        rows << r;
    }

    // Import, each run into a fresh copy of the project.
    const QString csv = dir.filePath(QStringLiteral("exchange-import.csv"));
    {
        QFile f(csv);
        const QByteArray bytes = spreadsheet(importLines);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            fail(QStringLiteral("cannot write ") + csv);
    }
    const QString target = dir.filePath(QStringLiteral("exchange-import.sqlite"));
    Row r{QStringLiteral("Import %L1 part lines from CSV (read, check, store)").arg(importLines),
          {},
          {}};
    std::unique_ptr<DataStore> store;
    const auto fresh = [&] {
        store.reset();
        copyFresh(withProject, target);
        store = std::make_unique<DataStore>();
        if (!store->open(target))
            fail(QStringLiteral("cannot open ") + target);
    };
    r.figure = measure.run(
        [&] {
            CsvImport import(*store, ExchangeKind::ProjectLines);
            import.setTable(CsvReader::readFile(csv));
            import.setProject(project);
            import.setTaxPercentage(QStringLiteral("8.25"));
            import.check();
            const CsvImport::Outcome o = import.store();
            if (!o.stored || o.rows != importLines)
                fail(QStringLiteral("the import stored %1 rows: %2").arg(o.rows).arg(o.message));
        },
        fresh);
    store.reset();
    // The floor: the same number of rows inserted with one prepared statement
    // in one transaction.
    r.floor = measure.run(
        [&] {
            const Floor floor(target);
            if (!floor.db().transaction())
                fail(floor.db().lastError().text());
            {
                QSqlQuery q =
                    floor.prepared(QStringLiteral("INSERT INTO RSLMaster (") + kLineColumns +
                                   QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                                  "?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                for (int i = 0; i < importLines; ++i) {
                    const QVariantList values = {QStringLiteral("PART %1").arg(i % 300),
                                                 1 + i / 300,
                                                 "BODY",
                                                 QStringLiteral("PN-%1").arg(i),
                                                 "MAKER",
                                                 "VENDOR",
                                                 1 + i % 4,
                                                 12.5,
                                                 1.03,
                                                 0,
                                                 13.53,
                                                 1,
                                                 1,
                                                 1,
                                                 0,
                                                 QString(),
                                                 QString(),
                                                 project};
                    for (int v = 0; v < values.size(); ++v)
                        q.bindValue(v, values[v]);
                    if (!q.exec())
                        fail(q.lastError().text());
                }
            }
            if (!floor.db().commit())
                fail(floor.db().lastError().text());
        },
        [&] { copyFresh(withProject, target); });
    rows << r;
    return rows;
}

} // namespace ExchangeCases
