#include "CrashPaths.h"
#include "CrashShell.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

struct Tally {
    int runs = 0;
    int integrityFailures = 0;
    int halfStored = 0;
    int lostCommitted = 0;
    int steps = 0;
    int strayFiles = 0;
};

// What a killed child may leave beside the database once the data store has
// opened it again: the file, its session marker, the settings, the folders
// of backups and restore sources, whole safety copies made before a restore,
// and a journal SQLite no longer needs (empty or with its header cleared: the
// next change reuses it). Anything else is a half-written file that could be
// taken for a database, or a journal still waiting to be rolled back.
QStringList strayFiles(const TestDatabase& db) {
    const QString base = QFileInfo(db.databasePath()).fileName();
    const QRegularExpression expected(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(base) +
        QStringLiteral("(\\.session|\\.before-restore-\\d{8}-\\d{6})?|") +
        QRegularExpression::escape(QFileInfo(db.settingsPath()).fileName()) +
        QStringLiteral("(\\.lock)?|backups|sources")));
    static const QByteArray journalMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QStringList stray;
    const QDir folder(QFileInfo(db.databasePath()).absolutePath());
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (expected.match(name).hasMatch())
            continue;
        QFile f(folder.filePath(name));
        if (name == base + QStringLiteral("-journal") && f.open(QIODevice::ReadOnly) &&
            f.read(8) != journalMagic)
            continue;
        stray << QStringLiteral("%1 (%2 bytes)").arg(name).arg(QFileInfo(f).size());
    }
    return stray;
}

int killsPerPath() {
    const int n = qEnvironmentVariableIntValue("RASTREL_CRASH_KILLS");
    return n > 0 ? n : 3;
}

} // namespace

// Each write path runs in a child process on a real file and is killed
// (SIGKILL) at a random moment, again and again; after every kill the file
// must be sound, every change whole or absent, and every change the child
// reported committed must be there. RASTREL_CRASH_KILLS sets the kills per
// path (`make crash` runs 100 and prints the table).
class TestCrash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void killedWritesLeaveWholeChanges_data();
    void killedWritesLeaveWholeChanges();
    void cleanupTestCase();

private:
    QList<std::pair<QString, Tally>> m_table;
};

void TestCrash::killedWritesLeaveWholeChanges_data() {
    QTest::addColumn<QString>("path");
    for (const auto& p : CrashPath::all())
        QTest::newRow(qPrintable(p->name())) << p->name();
}

void TestCrash::killedWritesLeaveWholeChanges() {
    QFETCH(QString, path);
    CrashPath* crash = CrashPath::find(path);
    QVERIFY(crash);
    TestDatabase db;
    {
        auto store = db.open();
        CrashShell shell(*store, db.settingsPath());
        const DbResult r = crash->setUp(shell);
        QVERIFY2(r.ok(), qPrintable(r.message()));
    }
    const QString child = QCoreApplication::applicationDirPath() + "/crash_child";
    QRandomGenerator random(QRandomGenerator::global()->generate());
    Tally tally;
    QStringList faults;
    for (int run = 0; run < killsPerPath(); ++run) {
        QProcess p;
        p.start(child, {db.databasePath(), db.settingsPath(), path});
        QVERIFY2(p.waitForStarted(), qPrintable(p.errorString()));
        QByteArray out;
        while (!out.contains('\n') && p.state() == QProcess::Running) {
            p.waitForReadyRead(200);
            out += p.readAllStandardOutput();
        }
        QVERIFY2(out.startsWith("ready "), qPrintable(p.readAllStandardError()));
        // Killed anywhere from before its first write to several steps in.
        QThread::msleep(random.bounded(400));
        p.kill();
        QVERIFY(p.waitForFinished());
        out += p.readAllStandardOutput();
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(p.exitStatus() == QProcess::CrashExit, err.constData());

        // The file was at `first - 1` when the child began.
        int lastDone = out.mid(6, out.indexOf('\n') - 6).toInt() - 1;
        for (const QByteArray& line : out.split('\n'))
            if (line.startsWith("done "))
                lastDone = line.mid(5).toInt(), ++tally.steps;
        ++tally.runs;

        DataStore store;
        const DbResult opened = store.open(db.databasePath());
        QString report;
        if (!opened || !store.checkIntegrity(&report)) {
            ++tally.integrityFailures;
            faults << (opened ? report : opened.message());
            break;
        }
        if (const QString half = crash->halfStored(store); !half.isEmpty()) {
            ++tally.halfStored;
            faults << QStringLiteral("run %1: %2").arg(run).arg(half);
        }
        const int progress = crash->progress(store);
        if (lastDone >= 0 && progress < lastDone) {
            ++tally.lostCommitted;
            faults << filled("run %1: step %2 was committed, the file ends at %3",
                             {run, lastDone, progress});
        } else if (progress > lastDone + 1) {
            // Only the step under way when the kill came may be there unreported.
            ++tally.halfStored;
            faults << filled("run %1: the file is at step %2, beyond the %3 begun",
                             {run, progress, lastDone + 1});
        }
        if (const QStringList stray = strayFiles(db); !stray.isEmpty()) {
            ++tally.strayFiles;
            faults << QStringLiteral("run %1: left behind: %2").arg(run).arg(stray.join(", "));
        }
    }
    m_table.append({path, tally});
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestCrash::cleanupTestCase() {
    std::printf("\n%-32s %6s %8s %10s %12s %14s %12s\n", "write path", "kills", "steps",
                "integrity", "half-stored", "lost committed", "stray files");
    for (const auto& [path, t] : std::as_const(m_table))
        std::printf("%-32s %6d %8d %10d %12d %14d %12d\n", qPrintable(path), t.runs, t.steps,
                    t.integrityFailures, t.halfStored, t.lostCommitted, t.strayFiles);
    std::fflush(stdout);
}

QTEST_GUILESS_MAIN(TestCrash)
#include "test_crash.moc"
