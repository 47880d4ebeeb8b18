#include "CommandLine.h"
#include "CommandLineExchange.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTest>
#include <QTextStream>

namespace {

struct Run {
    int status = 0;
    QString out;
    QString err;
};

Run run(const QString& database, const QStringList& args) {
    const CommandLine command(QStringList{QStringLiteral("rastrel")} + args);
    if (!command.isValid())
        return {-1, {}, command.errorText()};
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.status = CommandLineExchange::run(command.parser(), database, out, err);
    return r;
}

} // namespace

class TestCommandLineExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void refusals_data();
    void refusals();
    void exportThenImportIntoAnotherDatabase();
};

void TestCommandLineExchange::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::newRow("neither") << QStringList{"--out", "x.csv"} << 2 << "give either";
    QTest::newRow("unknown kind") << QStringList{"--export-csv", "invoices", "--out", "x.csv"} << 2
                                  << "\"invoices\" is not one of";
    QTest::newRow("budgets in") << QStringList{"--import-csv", "budgets", "--in", "x.csv"} << 2
                                << "cannot be imported";
    QTest::newRow("lines without project")
        << QStringList{"--export-csv", "lines", "--out", "x.csv"} << 2 << "needs --project";
    QTest::newRow("unknown project")
        << QStringList{"--export-csv", "lines", "--project", "1999 NOTHING", "--out", "x.csv"} << 2
        << "there is no project \"1999 NOTHING\"";
    QTest::newRow("import problems")
        << QStringList{"--import-csv", "lines", "--project", "1986 FORD MUSTANG", "--in", "BAD"}
        << 1 << "Row 2, column \"Price\": the number \"abc\" cannot be read.";
}

void TestCommandLineExchange::refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, error);
    TestDatabase db;
    QVERIFY(db.open() != nullptr);
    QVERIFY(TestDatabase::writeFile(db.path("bad.csv"), "Part Name,Price\nOIL PUMP,abc\n"));
    args.replaceInStrings(QStringLiteral("BAD"), db.path("bad.csv"));
    const int lines =
        TestDatabase::scalar(db.databasePath(), "SELECT COUNT(*) FROM RSLMaster").toInt();
    const Run r = run(db.databasePath(), args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(error), qPrintable(r.err));
    QCOMPARE(TestDatabase::scalar(db.databasePath(), "SELECT COUNT(*) FROM RSLMaster").toInt(),
             lines);

    // A database that is not there is never created by a command-line run.
    QCOMPARE(run(db.path("none.sqlite"), {"--export-csv", "parts", "--out", "x.csv"}).status, 1);
    QVERIFY(!QFile::exists(db.path("none.sqlite")));
}

void TestCommandLineExchange::exportThenImportIntoAnotherDatabase() {
    TestDatabase from, into;
    QVERIFY(from.open() != nullptr);
    QVERIFY(into.open() != nullptr);
    QVERIFY(TestDatabase::exec(into.databasePath(), "DELETE FROM RSLMaster"));
    const QString csv = from.path("lines.csv");
    const QStringList project = {"--project", "1"}; // by its number
    Run r = run(from.databasePath(), QStringList{"--export-csv", "lines", "--out", csv} + project);
    QCOMPARE(r.status, 0);
    const int count =
        TestDatabase::scalar(from.databasePath(), "SELECT COUNT(*) FROM RSLMaster").toInt();
    QCOMPARE(r.out, QStringLiteral("%1 rows exported to %2\n").arg(count).arg(csv));
    r = run(into.databasePath(), QStringList{"--import-csv", "lines", "--in", csv} + project);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("%1 rows were imported.\n").arg(count));
    QCOMPARE(TestDatabase::scalar(into.databasePath(),
                                  "SELECT printf('%.4f', SUM(Total_cost)) FROM RSLMaster"),
             TestDatabase::scalar(from.databasePath(),
                                  "SELECT printf('%.4f', SUM(Total_cost)) FROM RSLMaster"));
}

QTEST_GUILESS_MAIN(TestCommandLineExchange)
#include "test_commandlineexchange.moc"
