#include "CommandLine.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

using Run = CommandLine::Run;

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kDatabase = QStringLiteral("database");

const CommandLine::Option* findOption(QStringView name) {
    for (const CommandLine::Option& o : CommandLine::options())
        if (o.names.contains(name))
            return &o;
    return nullptr;
}

} // namespace

const QList<CommandLine::Option>& CommandLine::options() {
    static const QList<Option> table{
        {{QStringLiteral("h"), kHelp}, {}, QStringLiteral("Show this help and end."), Run::Console},
        {{QStringLiteral("v"), kVersion},
         {},
         QStringLiteral("Show the version and end."),
         Run::Console},
        {{kDatabase},
         QStringLiteral("FILE"),
         QStringLiteral("Use the database FILE (default: rsl.sqlite in your data folder)."),
         Run::Window},
        {{QStringLiteral("no-splash")}, {}, QStringLiteral("Start without the splash screen.")},
        {{QStringLiteral("paths")},
         {},
         QStringLiteral("Show where the database, the settings and the help book are, and end."),
         Run::Console},
        {{QStringLiteral("report")},
         QStringLiteral("NAME"),
         QStringLiteral("Print the report NAME (as the Reports list names it) to a PDF file."),
         Run::Drawing},
        {{QStringLiteral("graph")},
         QStringLiteral("NAME"),
         QStringLiteral("Draw the graph NAME (as the Graphs list names it) into a PNG file."),
         Run::Drawing},
        {{QStringLiteral("project")},
         QStringLiteral("DESCRIPTION"),
         QStringLiteral("The project (its description, e.g. \"1986 FORD MUSTANG\") for --report, "
                        "--graph, or the part lines of --export-csv and --import-csv.")},
        {{QStringLiteral("vendor")},
         QStringLiteral("NAME"),
         QStringLiteral("The vendor for the \"Vendor Shopping List Report\".")},
        {{QStringLiteral("pdf")},
         QStringLiteral("FILE"),
         QStringLiteral("The PDF file --report writes."),
         Run::Drawing},
        {{QStringLiteral("with-receipts")},
         {},
         QStringLiteral("With --report \"Project Report\": print each purchased line's receipts "
                        "(pictures and PDF pages) after it."),
         Run::Drawing},
        {{QStringLiteral("png")},
         QStringLiteral("FILE"),
         QStringLiteral("The PNG file --graph writes."),
         Run::Drawing},
        {{QStringLiteral("size")},
         QStringLiteral("WxH"),
         QStringLiteral("The picture size for --graph, e.g. 1200x800.")},
        {{QStringLiteral("export-csv")},
         QStringLiteral("WHAT"),
         QStringLiteral("Export WHAT to the CSV file given with --out: lines, all-lines, budgets, "
                        "parts, vendors, manufacturers, categories or makes-models."),
         Run::Console},
        {{QStringLiteral("import-csv")},
         QStringLiteral("WHAT"),
         QStringLiteral("Import the CSV file given with --in into WHAT: lines, parts, vendors, "
                        "manufacturers, categories or makes-models. A file with problems "
                        "stores nothing."),
         Run::Console},
        {{QStringLiteral("out")},
         QStringLiteral("FILE"),
         QStringLiteral("The CSV file --export-csv writes.")},
        {{QStringLiteral("in")},
         QStringLiteral("FILE"),
         QStringLiteral("The CSV file --import-csv reads.")},
    };
    return table;
}

CommandLine::Run CommandLine::runFor(const QStringList& arguments) {
    Run run = Run::Window;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--")
            break; // only file arguments follow
        if (a.size() < 2 || !a.startsWith(u'-'))
            continue;
        const QStringView body = QStringView(a).mid(a.startsWith(u"--") ? 2 : 1);
        const qsizetype equals = body.indexOf(u'=');
        const Option* option = findOption(equals < 0 ? body : body.left(equals));
        if (!option) {
            // "--bogus" is reported without a display. A single dash may be
            // one of Qt's own options (-style, -platform), which only the
            // window's application object takes out; anything else it leaves
            // is reported then.
            if (a.startsWith(u"--"))
                run = std::max(run, Run::Console);
            continue;
        }
        run = std::max(run, option->run);
        // "--database --report.pdf": the next argument is a value, not an option.
        if (!option->valueName.isEmpty() && equals < 0)
            ++i;
    }
    return run;
}

QStringList CommandLine::arguments(int argc, char* argv[]) {
    QStringList out;
    for (int i = 0; i < argc; ++i)
        out << QString::fromLocal8Bit(argv[i]);
    return out;
}

bool CommandLine::displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

CommandLine::CommandLine(const QStringList& arguments) {
    m_parser.setApplicationDescription(
        QStringLiteral("Rastrel, a planner for vehicle build and restoration projects."));
    for (const Option& o : options())
        m_parser.addOption(QCommandLineOption(o.names, o.description, o.valueName));
    m_parser.addPositionalArgument(QStringLiteral("FILE"),
                                   QStringLiteral("The database to open, as with --database."),
                                   QStringLiteral("[FILE]"));
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return;
    }
    const QStringList files = m_parser.positionalArguments();
    if (files.size() > 1)
        m_error = QStringLiteral("Give one database file, not %1.").arg(files.size());
    else if (!files.isEmpty() && m_parser.isSet(kDatabase))
        m_error = QStringLiteral("Give the database either as FILE or with --database, not both.");
}

QString CommandLine::databaseArgument() const {
    if (m_parser.isSet(kDatabase))
        return m_parser.value(kDatabase);
    const QStringList files = m_parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

bool CommandLine::answersAtOnce(int* status) const {
    if (!isValid()) {
        QTextStream(stderr) << "rastrel: " << m_error << "\n\n" << helpText();
        *status = kUsageError;
        return true;
    }
    if (isSet(kHelp)) {
        QTextStream(stdout) << helpText();
        *status = 0;
        return true;
    }
    if (isSet(kVersion)) {
        QTextStream(stdout) << QCoreApplication::applicationName() << ' ' << BuildInfo::kVersion
                            << '\n';
        *status = 0;
        return true;
    }
    return false;
}
