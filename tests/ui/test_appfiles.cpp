#include "AppFiles.h"
#include "BuildInfo.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestAppFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void filesAreFoundInEachLayout_data();
    void filesAreFoundInEachLayout();
    void aMissingFileFallsBackToTheBuiltInCopy();
};

void TestAppFiles::filesAreFoundInEachLayout_data() {
    // Files laid out under a temporary root; the program runs from `program`.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("xdg");      // the XDG data folder is root/xdg
    QTest::addColumn<QString>("found"); // empty: none of them
    const QString help = QStringLiteral("/help/index.html");
    const QString share = QStringLiteral("share/") + BuildInfo::kDataFolder + help;
    const QString xdgData = QStringLiteral("xdg/") + BuildInfo::kDataFolder + help;
    const auto row = [](const char* name, const QStringList& files, const QString& program,
                        bool xdg, const QString& found) {
        QTest::newRow(name) << files << program << xdg << found;
    };
    row("beside the program", {"build/app" + help}, "build/app", false, "build/app" + help);
    row("under a prefix", {"usr/" + share}, "usr/bin", false, "usr/" + share);
    // A copy beside the program (a developer's or a portable one) wins.
    row("beside wins", {"usr/" + share, "usr/bin" + help}, "usr/bin", false, "usr/bin" + help);
    // A program linked into a folder without its data still finds the
    // data in the XDG folders; its own prefix comes first.
    row("XDG data folders", {xdgData}, "home/bin", true, xdgData);
    row("own prefix before XDG", {xdgData, "usr/" + share}, "usr/bin", true, "usr/" + share);
    row("not another prefix's data", {"usr/local/" + share}, "usr/bin", false, "");
    row("nothing installed", {}, "usr/bin", true, "");
}

void TestAppFiles::filesAreFoundInEachLayout() {
    QFETCH(QStringList, files);
    QFETCH(QString, program);
    QFETCH(bool, xdg);
    QFETCH(QString, found);
    QTemporaryDir root;
    for (const QString& f : files)
        touch(root.filePath(f));
    QVERIFY(QDir().mkpath(root.filePath(program)));
    // Never the machine's own folders, where Rastrel may really be installed.
    qputenv("XDG_DATA_DIRS",
            root.filePath(xdg ? QStringLiteral("xdg") : QStringLiteral("none")).toUtf8());

    const QString located =
        AppFiles::locate(QStringLiteral("help/index.html"), root.filePath(program));
    QCOMPARE(located, found.isEmpty() ? QString() : QDir::cleanPath(root.filePath(found)));
}

void TestAppFiles::aMissingFileFallsBackToTheBuiltInCopy() {
    // The test program's folder holds no icons and the XDG folders none
    // either: the built-in copy answers and can be drawn.
    QTemporaryDir empty;
    qputenv("XDG_DATA_DIRS", empty.path().toUtf8());
    const QString path = AppFiles::path(QStringLiteral("tools.ico"), QStringLiteral("icons"));
    QCOMPARE(path, QStringLiteral(":/icons/tools.ico"));
    QVERIFY(!AppFiles::icon(QStringLiteral("tools.ico")).isNull());
}

QTEST_MAIN(TestAppFiles)
#include "test_appfiles.moc"
