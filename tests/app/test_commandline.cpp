#include "BuildInfo.h"
#include "CommandLine.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Run = CommandLine::Run;

namespace {

QStringList withProgram(const QStringList& args) {
    return QStringList{QStringLiteral("rastrel")} + args;
}

QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void runIsChosenBeforeTheApplicationExists_data();
    void runIsChosenBeforeTheApplicationExists();
    void argumentsAreChecked_data();
    void argumentsAreChecked();
    void everyOptionIsInTheManualPage();
    void theProgramAnswersWithoutADisplay_data();
    void theProgramAnswersWithoutADisplay();
};

void TestCommandLine::runIsChosenBeforeTheApplicationExists_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Run>("run");
    QTest::newRow("a database file") << QStringList{"car.sqlite"} << Run::Window;
    QTest::newRow("short help") << QStringList{"-h"} << Run::Console;
    QTest::newRow("unknown long option") << QStringList{"--bogus"} << Run::Console;
    // Qt's own options only the window's application takes out.
    QTest::newRow("Qt's style option") << QStringList{"-style", "fusion"} << Run::Window;
    QTest::newRow("report with =")
        << QStringList{"--report=Project Report", "--pdf", "x.pdf"} << Run::Drawing;
    QTest::newRow("paths and a graph: the most wins")
        << QStringList{"--paths", "--graph", "G"} << Run::Drawing;
    QTest::newRow("a value that looks like an option")
        << QStringList{"--database", "--report", "--no-splash"} << Run::Window;
    QTest::newRow("after -- only files") << QStringList{"--", "--report"} << Run::Window;
}

void TestCommandLine::runIsChosenBeforeTheApplicationExists() {
    QFETCH(QStringList, args);
    QFETCH(Run, run);
    QCOMPARE(CommandLine::runFor(withProgram(args)), run);
}

void TestCommandLine::argumentsAreChecked_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error"); // a piece of the message; empty when valid
    QTest::addColumn<QString>("database");
    const char* const rows[][4] = {
        {"file argument", "car.sqlite", "", "car.sqlite"},
        {"option with =", "--database=car.sqlite", "", "car.sqlite"},
        {"two files", "a.sqlite b.sqlite", "one database file", ""},
        {"file and option", "a.sqlite --database b.sqlite", "not both", ""},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]).split(' ') << QString(r[2]) << QString(r[3]);
}

void TestCommandLine::argumentsAreChecked() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    QFETCH(QString, database);
    const CommandLine command(withProgram(args));
    QCOMPARE(command.isValid(), error.isEmpty());
    QVERIFY(command.errorText().contains(error));
    if (command.isValid())
        QCOMPARE(command.databaseArgument(), database);
}

void TestCommandLine::everyOptionIsInTheManualPage() {
    const QString page = read(QStringLiteral(RASTREL_SOURCE_DIR "/dist/rastrel.1.in"));
    QVERIFY(!page.isEmpty());
    for (const CommandLine::Option& o : CommandLine::options())
        for (const QString& name : o.names) {
            const QString roff =
                (name.size() == 1 ? "\\-" : "\\-\\-") + QString(name).replace('-', "\\-");
            QVERIFY2(page.contains(roff), qPrintable(name));
        }
}

void TestCommandLine::theProgramAnswersWithoutADisplay_data() {
    // %DIR% stands for a fresh folder.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out"); // pieces of standard output
    QTest::addColumn<QStringList>("err"); // pieces of standard error

    const QString version = QStringLiteral("Rastrel ") + BuildInfo::kVersion + '\n';
    QTest::newRow("version") << QStringList{"--version"} << 0 << QStringList{version}
                             << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QStringList{}
                                    << QStringList{"Unknown option 'bogus'", "Usage:"};
    QTest::newRow("window without a display")
        << QStringList{"--no-splash"} << 1 << QStringList{} << QStringList{"no display"};
    QTest::newRow("paths") << QStringList{"--paths", "--database", "%DIR%/car.sqlite"} << 0
                           << QStringList{"Database:  %DIR%/car.sqlite\n"} << QStringList{};
    QTest::newRow("report export")
        << QStringList{"--database", "%DIR%/car.sqlite",  "--report", "Project Report",
                       "--project",  "1986 FORD MUSTANG", "--pdf",    "%DIR%/out.pdf"}
        << 0 << QStringList{} << QStringList{};
    QTest::newRow("unknown report")
        << QStringList{"--database", "%DIR%/car.sqlite", "--report", "Nope",
                       "--pdf",      "%DIR%/out.pdf"}
        << 2 << QStringList{} << QStringList{"There is no report called \"Nope\""};
}

void TestCommandLine::theProgramAnswersWithoutADisplay() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    QTemporaryDir dir;
    // The exports read an existing database; only a new database is ever made.
    {
        DataStore store;
        QVERIFY(store.open(dir.filePath("car.sqlite")).ok());
    }
    auto fill = [&](QStringList list) { return list.replaceInStrings("%DIR%", dir.path()); };

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "RASTREL_DATABASE"})
        env.remove(QString::fromLatin1(name));
    env.insert("HOME", dir.path());
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_RUNTIME_DIR", dir.path()); // else Qt warns about it on standard error
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(RASTREL_PROGRAM), fill(args));
    QVERIFY(p.waitForFinished(120000));
    const QString stdOut = QString::fromUtf8(p.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == status, qPrintable(stdErr));
    for (const QString& piece : fill(out))
        QVERIFY2(stdOut.contains(piece), qPrintable(stdOut));
    for (const QString& piece : fill(err))
        QVERIFY2(stdErr.contains(piece), qPrintable(stdErr));
    // Answers go to standard output, complaints to standard error, never mixed.
    QVERIFY((status == 0 ? stdErr : stdOut).isEmpty());
    if (args.contains("%DIR%/out.pdf") && status == 0)
        QVERIFY(read(dir.filePath("out.pdf")).startsWith("%PDF-"));
}

QTEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
