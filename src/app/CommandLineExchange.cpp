#include "CommandLineExchange.h"

#include "CommandLineDatabase.h"
#include "CsvExport.h"
#include "CsvImport.h"
#include "DataStore.h"
#include "Settings.h"

#include <QCommandLineParser>
#include <QDir>
#include <QSqlQuery>
#include <QTextStream>

namespace {

const QString kExport = QStringLiteral("export-csv");
const QString kImport = QStringLiteral("import-csv");
const QString kOut = QStringLiteral("out");
const QString kIn = QStringLiteral("in");
const QString kProject = QStringLiteral("project");
constexpr int kProblemsListed = 100;

QString kindList() {
    QStringList names;
    for (ExchangeKind k : ExchangeTables::all())
        names << ExchangeTables::commandName(k);
    return names.join(QStringLiteral(", "));
}

} // namespace

int CommandLineExchange::run(const QCommandLineParser& parser, const QString& databasePath,
                             QTextStream& out, QTextStream& err) {
    auto fail = [&](const QString& message, int status) {
        err << "rastrel: " << message << '\n';
        err.flush();
        return status;
    };
    const bool exporting = parser.isSet(kExport);
    if (exporting == parser.isSet(kImport))
        return fail(QStringLiteral("give either --export-csv WHAT with --out FILE, or "
                                   "--import-csv WHAT with --in FILE."),
                    2);
    const QString what = parser.value(exporting ? kExport : kImport);
    const std::optional<ExchangeKind> kind = ExchangeTables::fromCommandName(what);
    if (!kind)
        return fail(QStringLiteral("\"%1\" is not one of: %2.").arg(what, kindList()), 2);
    if (!exporting && !ExchangeTables::importable(*kind))
        return fail(QStringLiteral("%1 cannot be imported.").arg(what), 2);
    const QString file = parser.value(exporting ? kOut : kIn);
    if (file.isEmpty())
        return fail(exporting ? QStringLiteral("--export-csv needs --out FILE.")
                              : QStringLiteral("--import-csv needs --in FILE."),
                    2);
    if (ExchangeTables::needsProject(*kind) && !parser.isSet(kProject))
        return fail(QStringLiteral("%1 needs --project DESCRIPTION.").arg(what), 2);
    DataStore store;
    if (DbResult r = CommandLineDatabase::open(store, databasePath); !r)
        return fail(r.message(), 1);
    int project = 0;
    if (ExchangeTables::needsProject(*kind)) {
        const QString description = parser.value(kProject);
        // By its description, or by its number.
        ignoreError(store.query(
            QStringLiteral("SELECT vehicle_number FROM RSLVehicles WHERE vehicle_description = ? "
                           "OR CAST(vehicle_number AS TEXT) = ? ORDER BY vehicle_description = ? "
                           "DESC LIMIT 1"),
            {description, description.trimmed(), description},
            [&](const QSqlQuery& q) { project = q.value(0).toInt(); }));
        if (project == 0)
            return fail(QStringLiteral("there is no project \"%1\".").arg(description), 2);
    }

    if (exporting) {
        const CsvExport::Outcome o = CsvExport::write(store, *kind, project, file);
        if (!o.result)
            return fail(o.result.message(), 1);
        out << o.rows << (o.rows == 1 ? " row" : " rows") << " exported to "
            << QDir::toNativeSeparators(file) << '\n';
        return 0;
    }

    CsvImport import(store, *kind);
    import.setTable(CsvReader::readFile(file));
    import.setProject(project);
    import.setTaxPercentage(Settings().value(Settings::kTaxPercentage, QStringLiteral("0")));
    import.check();
    const QList<CsvProblem>& problems = import.problems();
    if (!problems.isEmpty()) {
        for (int i = 0; i < problems.size() && i < kProblemsListed; ++i)
            err << QDir::toNativeSeparators(file) << ": " << problems[i].text() << '\n';
        if (problems.size() > kProblemsListed)
            err << "... and " << (problems.size() - kProblemsListed) << " more problems.\n";
        return fail(QStringLiteral("nothing was imported."), 1);
    }
    const CsvImport::Outcome o = import.store();
    if (!o.stored)
        return fail(o.message, 1);
    out << o.message << '\n';
    return 0;
}
