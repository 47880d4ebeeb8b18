#pragma once

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// The program's command line. Every option is a row of one table; a row also
// says how much of Qt a run with that option needs, so that main() can pick
// the application object before creating it: none of the windowing for
// --version or an error, an off-screen painter for the exports, a display
// only for the main window.
class CommandLine {
public:
    // In rising order of what a run needs; the most any given option asks
    // for wins. Options that only adjust another (--database, --project) ask
    // for Window, the least.
    enum class Run {
        Window,  // the main window on a display
        Console, // text in and out only
        Drawing, // reports and graphs painted into files, with fonts but no display
    };

    struct Option {
        QStringList names; // as --help lists them: "h", "help"
        QString valueName; // empty for a switch
        QString description;
        Run run = Run::Window;
    };

    // The one table of options, in the order --help lists them.
    static const QList<Option>& options();
    // What the arguments ask for, looked at before any application object
    // exists. Tolerant: an unknown --option asks for Console (where the full
    // parse reports it), an unknown -option for nothing (it may be Qt's), and
    // an option's value is never taken for an option.
    static Run runFor(const QStringList& arguments);
    static QStringList arguments(int argc, char* argv[]);
    // Whether the main window has a display to open on (or the user chose
    // a Qt platform).
    static bool displayAvailable();

    // Parses `arguments` (the program's name first) against the table.
    explicit CommandLine(const QStringList& arguments);

    bool isValid() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    // The database named by --database or by the file argument; empty when
    // neither is given.
    QString databaseArgument() const;
    QString helpText() const { return m_parser.helpText(); }
    // What ends the run before any real work: the help text (0), the version
    // (0) or a usage error (2). False when the run goes on.
    bool answersAtOnce(int* status) const;
    const QCommandLineParser& parser() const { return m_parser; }

    static constexpr int kUsageError = 2;

private:
    QCommandLineParser m_parser;
    QString m_error;
};
