#pragma once

#include <QString>

class QCommandLineParser;

// Printing a report to PDF or drawing a graph to PNG straight from the
// command line, without a window, for users who script.
class CommandLineExport {
public:
    // Reads --report, --graph, --project, --vendor, --pdf, --png and --size
    // (declared in CommandLine's table).
    // 0 on success; otherwise a message on standard error and non-zero.
    static int run(const QCommandLineParser& parser, const QString& databasePath);
};
