#pragma once

#include <QString>

class QCommandLineParser;
class QTextStream;

// CSV export and import from the command line, without a window:
//   --export-csv WHAT [--project DESC] --out FILE.csv
//   --import-csv WHAT [--project DESC] --in FILE.csv
// An import with problems stores nothing, lists them and ends non-zero.
class CommandLineExchange {
public:
    // Reads --export-csv, --import-csv, --out, --in and --project (declared
    // in CommandLine's table).
    // 0 on success; otherwise messages on `err` and 1 (a file that cannot be
    // read, written or imported) or 2 (a usage error).
    static int run(const QCommandLineParser& parser, const QString& databasePath, QTextStream& out,
                   QTextStream& err);
};
