#include "HelpBook.h"

#include "AppFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

const QString kBuiltIn = QStringLiteral(":/help");

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString titleOf(const QString& html, const QString& file) {
    static const QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch())
        return QFileInfo(file).completeBaseName();
    return QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified();
}

QString plainText(const QString& html) {
    // The <title> goes into the document's meta data, not into its text.
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QStringList linkedPages(const QString& html) {
    static const QRegularExpression re(QStringLiteral("href=\"([A-Za-z0-9_-]+\\.html)[\"#]"));
    QStringList out;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const QString file = it.next().captured(1);
        if (!out.contains(file))
            out << file;
    }
    return out;
}

} // namespace

HelpBook::HelpBook(const QString& root)
    : m_root(root) {}

HelpBook HelpBook::installed(const QString& programDirectory) {
    const QString contents =
        AppFiles::locate(QStringLiteral("help/") + kContents, programDirectory);
    if (!contents.isEmpty())
        return HelpBook(QFileInfo(contents).absolutePath());
    return HelpBook(kBuiltIn);
}

QString HelpBook::path(const QString& file) const {
    return m_root + u'/' + file;
}

bool HelpBook::isAvailable() const {
    return !m_root.isEmpty() && QFileInfo::exists(path(kContents));
}

QString HelpBook::fileName(const QString& page) {
    QString name = page.trimmed();
    if (name.isEmpty())
        return kContents;
    if (!name.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive))
        name += QStringLiteral(".html");
    return name.toLower();
}

bool HelpBook::hasPage(const QString& page) const {
    const QString file = fileName(page);
    // Only plain names: a page is never looked for outside the book.
    if (file.contains(u'/') || file.contains(u'\\'))
        return false;
    return !m_root.isEmpty() && QFileInfo::exists(path(file));
}

QUrl HelpBook::url(const QString& page) const {
    const QString file = fileName(page);
    if (isBuiltIn())
        return QUrl(QStringLiteral("qrc") + path(file));
    return QUrl::fromLocalFile(path(file));
}

const QList<HelpBook::Page>& HelpBook::pages() const {
    if (m_pages)
        return *m_pages;
    m_pages = std::make_shared<QList<Page>>();
    if (!isAvailable())
        return *m_pages;

    const QString contents = readText(path(kContents));
    QStringList order{kContents};
    for (const QString& f : linkedPages(contents))
        if (!order.contains(f) && QFileInfo::exists(path(f)))
            order << f;
    QStringList rest = QDir(m_root).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& f : rest)
        if (!order.contains(f))
            order << f;

    for (const QString& f : order) {
        const QString html = readText(path(f));
        m_pages->append({f, titleOf(html, f), plainText(html)});
    }
    return *m_pages;
}

QList<HelpBook::Page> HelpBook::search(const QString& words) const {
    const QStringList terms = words.simplified().split(u' ', Qt::SkipEmptyParts);
    if (terms.isEmpty())
        return {};
    struct Hit {
        int score;
        int order;
        const Page* page;
    };
    QList<Hit> hits;
    const QList<Page>& all = pages();
    for (int i = 0; i < all.size(); ++i) {
        const Page& p = all[i];
        if (p.file == kContents)
            continue;
        int score = 0;
        bool every = true;
        for (const QString& t : terms) {
            const int inTitle = int(p.title.count(t, Qt::CaseInsensitive));
            const int inText = int(p.text.count(t, Qt::CaseInsensitive));
            if (inTitle + inText == 0) {
                every = false;
                break;
            }
            // A word in the title says more about the page than one in passing.
            score += inTitle * 20 + inText;
        }
        if (every)
            hits.append({score, i, &p});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return a.score != b.score ? a.score > b.score : a.order < b.order;
    });
    QList<Page> out;
    for (const Hit& h : hits)
        out << *h.page;
    return out;
}

QUrl HelpBook::externalUrl(const QUrl& url) {
    if (url.scheme() != u"qrc")
        return url;
    const QString resource = u':' + url.path();
    const QString source = QFileInfo(resource).absolutePath();
    const QString target =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/help");
    if (!QDir().mkpath(target))
        return url;
    // Copied every time, so the copy never lags behind the program.
    const QStringList files = QDir(source).entryList(QDir::Files);
    for (const QString& f : files) {
        const QString to = target + u'/' + f;
        QFile::remove(to);
        if (QFile::copy(source + u'/' + f, to))
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
    }
    QUrl out = QUrl::fromLocalFile(target + u'/' + QFileInfo(resource).fileName());
    out.setFragment(url.fragment());
    return out;
}
