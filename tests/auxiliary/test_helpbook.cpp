#include "HelpBook.h"
#include "TestDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writePage(const QTemporaryDir& dir, const QString& file, const QString& html) {
    QFile f(dir.filePath(file));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(html.toUtf8());
}

QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList files(const QList<HelpBook::Page>& pages) {
    QStringList out;
    for (const auto& p : pages)
        out << p.file;
    return out;
}

} // namespace

class TestHelpBook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void pagesFollowTheContents();
    void pageNamesStayInsideTheBookAndAMissingBookHasNone();
    void searchNeedsEveryWordAndRanksTitlesFirst();
    void builtInBookIsCompleteAndItsLinksResolve();
    void builtInPagesCanBeHandedToAnotherProgram();
    void installedBookIsFoundFromTheBuildTree();

private:
    QTemporaryDir m_dir;
};

void TestHelpBook::initTestCase() {
    isolateTestEnvironment();
    writePage(m_dir, "index.html",
              "<html><head><title>Contents</title></head><body>"
              "<a href=\"zeta.html\">Zeta</a> <a href=\"alpha.html#part\">Alpha</a>"
              " <a href=\"zeta.html\">again</a> <a href=\"gone.html\">gone</a></body></html>");
    writePage(
        m_dir, "alpha.html",
        "<html><head><title>Budget &amp; money</title></head><body>Tax is added.</body></html>");
    writePage(m_dir, "zeta.html",
              "<html><head><title>Zeta</title></head><body>The budget, the budget and the "
              "BUDGET once more. Tax.</body></html>");
    writePage(m_dir, "beta.html", "<html><body>No title here; budget.</body></html>");
}

void TestHelpBook::pagesFollowTheContents() {
    HelpBook book(m_dir.path());
    QVERIFY(book.isAvailable());
    // Linked pages in link order (each once, missing ones skipped), the rest by name.
    QCOMPARE(files(book.pages()),
             (QStringList{"index.html", "zeta.html", "alpha.html", "beta.html"}));
    QCOMPARE(book.pages()[2].title, QStringLiteral("Budget & money"));
    QCOMPARE(book.pages()[3].title, QStringLiteral("beta"));
    QVERIFY(!book.pages()[2].text.contains("money")); // the title is not body text
}

void TestHelpBook::pageNamesStayInsideTheBookAndAMissingBookHasNone() {
    HelpBook book(m_dir.path());
    QVERIFY(book.hasPage(" ALPHA.html "));
    QVERIFY(!book.hasPage("gone"));
    QVERIFY(!book.hasPage("../" + QFileInfo(m_dir.path()).fileName() + "/alpha"));
    QCOMPARE(book.url(""), QUrl::fromLocalFile(m_dir.filePath("index.html")));
    QCOMPARE(HelpBook(":/help").url("options").toString(),
             QStringLiteral("qrc:/help/options.html"));
    // A missing book has no pages.
    QTemporaryDir empty;
    QVERIFY(!HelpBook(empty.path()).isAvailable());
    QVERIFY(HelpBook(empty.path()).search("budget").isEmpty());
    QVERIFY(!HelpBook(QString()).isAvailable());
}

void TestHelpBook::searchNeedsEveryWordAndRanksTitlesFirst() {
    HelpBook book(m_dir.path());
    // "budget" is in a title once (alpha) and three times in zeta's text.
    QCOMPARE(files(book.search("Budget")), (QStringList{"alpha.html", "zeta.html", "beta.html"}));
    QCOMPARE(files(book.search("  tax   BUDGET ")), (QStringList{"alpha.html", "zeta.html"}));
    QCOMPARE(files(book.search("budget carburettor")), QStringList());
    // The contents lists every title, so it is never a result.
    QCOMPARE(files(book.search("zeta")), QStringList{"zeta.html"});
    QVERIFY(book.search("   ").isEmpty());
}

void TestHelpBook::builtInBookIsCompleteAndItsLinksResolve() {
    HelpBook book(":/help");
    QVERIFY(book.isAvailable());
    const QStringList all = files(book.pages());
    // Promised by the start-up reminder and the support window.
    for (const auto& p : book.pages())
        QVERIFY(p.title != QFileInfo(p.file).completeBaseName());
    QVERIFY(book.hasPage(HelpBook::kSupport));

    // Every page is reachable from the contents, and no link is broken.
    const QString contents = read(":/help/index.html");
    static const QRegularExpression link("href=\"([^\"#]*)(#[^\"]*)?\"");
    for (const QString& f : all) {
        if (f != HelpBook::kContents)
            QVERIFY(contents.contains("href=\"" + f));
        const QString html = read(":/help/" + f);
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            const QString target = m.captured(1);
            if (target.startsWith("http") || target.startsWith("mailto:"))
                continue;
            const QString file = target.isEmpty() ? f : target;
            const bool there =
                file.endsWith(".html") ? all.contains(file) : QFileInfo::exists(":/help/" + file);
            QVERIFY(there);
            const QString anchor = m.captured(2).mid(1);
            if (!anchor.isEmpty())
                QVERIFY(read(":/help/" + file).contains("id=\"" + anchor + "\"") ||
                        read(":/help/" + file).contains("name=\"" + anchor + "\""));
        }
    }
}

void TestHelpBook::builtInPagesCanBeHandedToAnotherProgram() {
    const QUrl page = HelpBook::externalUrl(QUrl("qrc:/help/support.html#report"));
    QVERIFY(page.isLocalFile());
    QCOMPARE(page.fragment(), QStringLiteral("report"));
    QCOMPARE(read(page.toLocalFile()), read(":/help/support.html"));
    // A second hand-over rewrites the copy rather than failing on it.
    QCOMPARE(HelpBook::externalUrl(QUrl("qrc:/help/support.html")).toLocalFile(),
             page.toLocalFile());
    const QUrl file = QUrl::fromLocalFile("/tmp/x.html");
    QCOMPARE(HelpBook::externalUrl(file), file);
}

void TestHelpBook::installedBookIsFoundFromTheBuildTree() {
    QTemporaryDir nowhere;
    qputenv("XDG_DATA_DIRS", nowhere.path().toUtf8()); // not the machine's own installation

    // The program in its build folder, where the build puts the book.
    const HelpBook built = HelpBook::installed(QStringLiteral(RASTREL_PROGRAM_DIR));
    QCOMPARE(built.root(), QStringLiteral(RASTREL_PROGRAM_DIR "/help"));
    QVERIFY(!built.isBuiltIn());
    QCOMPARE(built.pages().size(), HelpBook(":/help").pages().size());

    // Nothing installed: the copy inside the program.
    QVERIFY(HelpBook::installed(nowhere.path()).isBuiltIn());
}

QTEST_MAIN(TestHelpBook)
#include "test_helpbook.moc"
