#include "CommandLineExport.h"
#include "DamagedFiles.h"
#include "DataStore.h"
#include "TestDatabase.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTest>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCommandLineExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void unusableFilesEndWithAnErrorStatus_data();
    void unusableFilesEndWithAnErrorStatus();
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
    const QByteArray before = bytesOf(path);
    for (const char* what : {"report", "graph"}) {
        QCommandLineParser parser;
        CommandLineExport::addOptions(parser);
        const QString out = db.path(QStringLiteral("out.") + (what[0] == 'r' ? "pdf" : "png"));
        const QStringList args =
            what[0] == 'r' ? QStringList{"rastrel", "--report", "Project Report", "--pdf", out}
                           : QStringList{"rastrel", "--graph", "1", "--png", out};
        QVERIFY(parser.parse(args));
        QVERIFY(CommandLineExport::run(parser, path) != 0);
        QVERIFY(!QFile::exists(out));
    }
    QCOMPARE(bytesOf(path), before);
}

QTEST_MAIN(TestCommandLineExport)
#include "test_commandlineexport.moc"
