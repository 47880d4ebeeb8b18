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
    QTest::addColumn<QString>("xdg");   // the XDG data folder, under the root
    QTest::addColumn<QString>("found"); // empty: none of them

    const QString share = QStringLiteral("share/") + BuildInfo::kDataFolder;
    const QString xdgData = QStringLiteral("xdg/") + BuildInfo::kDataFolder;
    QTest::newRow("build tree: beside the program")
        << QStringList{"build/src/app/help/index.html"} << "build/src/app"
        << ""
        << "build/src/app/help/index.html";
    QTest::newRow("installed under a prefix")
        << QStringList{"usr/" + share + "/help/index.html"} << "usr/bin"
        << ""
        << "usr/" + share + "/help/index.html";
    QTest::newRow("prefix moved elsewhere")
        << QStringList{"opt/rastrel/" + share + "/help/index.html"} << "opt/rastrel/bin"
        << ""
        << "opt/rastrel/" + share + "/help/index.html";
    // A copy beside the program (a developer's or a portable one) wins.
    QTest::newRow("beside wins over the prefix")
        << QStringList{"usr/" + share + "/help/index.html", "usr/bin/help/index.html"} << "usr/bin"
        << ""
        << "usr/bin/help/index.html";
    // A program linked into a folder without its data still finds the
    // data in the XDG folders; its own prefix comes first.
    QTest::newRow("XDG data folders") << QStringList{xdgData + "/help/index.html"} << "home/bin"
                                      << "xdg" << xdgData + "/help/index.html";
    QTest::newRow("own prefix before XDG")
        << QStringList{xdgData + "/help/index.html", "usr/" + share + "/help/index.html"}
        << "usr/bin"
        << "xdg"
        << "usr/" + share + "/help/index.html";
    QTest::newRow("data of another prefix is not taken for ours")
        << QStringList{"usr/local/" + share + "/help/index.html"} << "usr/bin"
        << ""
        << "";
    QTest::newRow("nothing installed") << QStringList{} << "usr/bin"
                                       << "xdg"
                                       << "";
}

void TestAppFiles::filesAreFoundInEachLayout() {
    QFETCH(QStringList, files);
    QFETCH(QString, program);
    QFETCH(QString, xdg);
    QFETCH(QString, found);
    QTemporaryDir root;
    for (const QString& f : files)
        touch(root.filePath(f));
    QVERIFY(QDir().mkpath(root.filePath(program)));
    // Never the machine's own folders, where Rastrel may really be installed.
    qputenv("XDG_DATA_DIRS", root.filePath(xdg.isEmpty() ? QStringLiteral("none") : xdg).toUtf8());

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
