#include "CommandLine.h"
#include "CommandLineExport.h"
#include "DamagedFiles.h"
#include "DataStore.h"
#include "ReadOnlyFolder.h"
#include "TestDatabase.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// The export the program runs for these arguments (after its name); -1 when they do not parse.
int exportFrom(const QString& database, const QStringList& args) {
    const CommandLine line(QStringList{QStringLiteral("rastrel")} + args);
    return line.isValid() ? CommandLineExport::run(line.parser(), database) : -1;
}

} // namespace

class TestCommandLineExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void unusableFilesEndWithAnErrorStatus_data();
    void unusableFilesEndWithAnErrorStatus();
    void readOnlyFileExportsWithoutBeingChanged();
};

void TestCommandLineExport::unusableFilesEndWithAnErrorStatus_data() {
    QTest::addColumn<QString>("kind");
    for (const DamagedFiles::Kind& k : DamagedFiles::kinds())
        QTest::newRow(qPrintable(k.name)) << k.name;
}

// An export from a file that cannot be used writes no output, leaves the
// file as it was and tells the shell it failed.
void TestCommandLineExport::unusableFilesEndWithAnErrorStatus() {
    QFETCH(QString, kind);
    TestDatabase db;
    { db.open(); }
    const QString path = db.path("suspect.sqlite");
    QVERIFY(DamagedFiles::make(kind, db.databasePath(), path));
    const QByteArray before = TestDatabase::readFile(path);
    for (const QStringList& args :
         {QStringList{"--report", "Project Report", "--pdf", db.path("out.pdf")},
          QStringList{"--graph", "1", "--png", db.path("out.png")}}) {
        QVERIFY(exportFrom(path, args) > 0);
        QVERIFY(!QFile::exists(args.last()));
    }
    QCOMPARE(TestDatabase::readFile(path), before);
}

// A file that cannot be written still gives its reports, also the one
// prepared in a scratch table, and is left as it was.
void TestCommandLineExport::readOnlyFileExportsWithoutBeingChanged() {
    TestDatabase db;
    const QString folder = db.path("data");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/rsl.sqlite";
    {
        DataStore store;
        QVERIFY(store.open(path).ok());
    }
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    const QByteArray before = TestDatabase::readFile(path);
    ReadOnlyFolder readOnly(folder);
    if (!readOnly.isReadOnly())
        QSKIP(qPrintable(readOnly.reason()));
    const QString out = db.path("out.pdf");
    for (const char* report : {"Project Report", "Categories Over Budget"}) {
        QFile::remove(out);
        QCOMPARE(
            exportFrom(path, {"--report", report, "--project", "1986 FORD MUSTANG", "--pdf", out}),
            0);
        QVERIFY2(QFile::exists(out), report);
    }
    QCOMPARE(TestDatabase::readFile(path), before);
}

QTEST_MAIN(TestCommandLineExport)
#include "test_commandlineexport.moc"
