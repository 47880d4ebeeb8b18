#include "CommandLineExport.h"

#include "AppState.h"
#include "CommandLineDatabase.h"
#include "DataStore.h"

#ifdef RASTREL_HAVE_reports
#include "ReportExport.h"
#endif
#ifdef RASTREL_HAVE_graphs
#include "GraphExport.h"
#endif

#include <QCommandLineParser>
#include <QTextStream>

namespace {

const QString kReport = QStringLiteral("report");
const QString kGraph = QStringLiteral("graph");
const QString kProject = QStringLiteral("project");
const QString kVendor = QStringLiteral("vendor");
const QString kPdf = QStringLiteral("pdf");
const QString kPng = QStringLiteral("png");
const QString kWithReceipts = QStringLiteral("with-receipts");
const QString kSize = QStringLiteral("size");

int fail(const QString& message, int status = 2) {
    QTextStream(stderr) << "rastrel: " << message << '\n';
    return status;
}

} // namespace

int CommandLineExport::run(const QCommandLineParser& parser, const QString& databasePath) {
    const bool report = parser.isSet(kReport);
    const bool graph = parser.isSet(kGraph);
    if (report == graph)
        return fail(QStringLiteral("give either --report with --pdf, or --graph with --png."));
    if (report && !parser.isSet(kPdf))
        return fail(QStringLiteral("--report needs --pdf FILE."));
    if (graph && !parser.isSet(kPng))
        return fail(QStringLiteral("--graph needs --png FILE."));

    DataStore store;
    if (DbResult r = CommandLineDatabase::open(store, databasePath); !r)
        return fail(r.message(), 1);
    AppState state;
    state.clearProject();
    QString error;
    int status = 0;
    if (report) {
#ifdef RASTREL_HAVE_reports
        status = ReportExport::run(store, state, parser.value(kReport), parser.value(kProject),
                                   parser.value(kVendor), parser.value(kPdf), &error,
                                   parser.isSet(kWithReceipts));
#else
        return fail(QStringLiteral("this Rastrel was built without reports."));
#endif
    } else {
#ifdef RASTREL_HAVE_graphs
        QSize size = GraphExport::defaultSize();
        if (parser.isSet(kSize)) {
            const auto parsed = GraphExport::parseSize(parser.value(kSize));
            if (!parsed)
                return fail(QStringLiteral("\"%1\" is not a size such as 1200x800.")
                                .arg(parser.value(kSize)));
            size = *parsed;
        }
        status = GraphExport::run(store, state, parser.value(kGraph), parser.value(kProject),
                                  parser.value(kPng), size, &error);
#else
        return fail(QStringLiteral("this Rastrel was built without graphs."));
#endif
    }
    if (status != 0)
        return fail(error, status);
    return 0;
}
