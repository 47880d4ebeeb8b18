#pragma once

#include <QString>

class QCommandLineParser;

// Printing a report to PDF or drawing a graph to PNG straight from the
// command line, without a window, for users who script.
class CommandLineExport {
public:
    // Adds --report, --graph, --project, --vendor, --pdf, --png and --size.
    static void addOptions(QCommandLineParser& parser);
    // Whether the arguments ask for an export (looked at before the
    // application object exists, to choose a platform without a display).
    static bool requested(int argc, char* argv[]);
    // 0 on success; otherwise a message on standard error and non-zero.
    static int run(const QCommandLineParser& parser, const QString& databasePath);
};
