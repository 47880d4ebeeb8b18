#include "CommandLine.h"
#include "CommandLineExport.h"
#include "DamagedFiles.h"
#include "DataStore.h"
#include "ScratchMount.h"
#include "TestDatabase.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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
    for (const char* what : {"report", "graph"}) {
        const QString out = db.path(QStringLiteral("out.") + (what[0] == 'r' ? "pdf" : "png"));
        const QStringList args =
            what[0] == 'r' ? QStringList{"rastrel", "--report", "Project Report", "--pdf", out}
                           : QStringList{"rastrel", "--graph", "1", "--png", out};
        const CommandLine line(args);
        QVERIFY2(line.isValid(), qPrintable(line.errorText()));
        QVERIFY(CommandLineExport::run(line.parser(), path) != 0);
        QVERIFY(!QFile::exists(out));
    }
    QCOMPARE(TestDatabase::readFile(path), before);
}

// A file that cannot be written still gives its reports, also the one
// prepared in a scratch table, and is left as it was.
void TestCommandLineExport::readOnlyFileExportsWithoutBeingChanged() {
    const bool root = geteuid() == 0;
    ScratchMount mount(8 * 1024 * 1024);
    if (root && !mount.isMounted())
        QSKIP("the superuser ignores permissions, and no read-only mount could be made");
    TestDatabase db;
    const QString folder = root ? mount.path("data") : db.path("data");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/rsl.sqlite";
    {
        DataStore store;
        QVERIFY(store.open(path).ok());
    }
    if (root) {
        QVERIFY(mount.setReadOnly(true));
    } else {
        QVERIFY(::chmod(qPrintable(path), 0444) == 0);
        QVERIFY(::chmod(qPrintable(folder), 0555) == 0);
    }
    const QByteArray before = TestDatabase::readFile(path);
    auto exportReport = [&](const QString& report) {
        QFile::remove(db.path("out.pdf"));
        const CommandLine line({"rastrel", "--report", report, "--project", "1986 FORD MUSTANG",
                                "--pdf", db.path("out.pdf")});
        if (!line.isValid())
            return -1;
        return CommandLineExport::run(line.parser(), path);
    };
    QCOMPARE(exportReport("Project Report"), 0);
    QVERIFY(QFile::exists(db.path("out.pdf")));
    QCOMPARE(exportReport("Categories Over Budget"), 0);
    QVERIFY(QFile::exists(db.path("out.pdf")));
    QCOMPARE(TestDatabase::readFile(path), before);
    if (root)
        QVERIFY(mount.setReadOnly(false));
    else
        QVERIFY(::chmod(qPrintable(folder), 0755) == 0);
}

QTEST_MAIN(TestCommandLineExport)
#include "test_commandlineexport.moc"
