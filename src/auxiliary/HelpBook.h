#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <memory>

// The help book: HTML pages in one folder, either an installed "help" folder
// or the copy built into the program. Knows its pages, their
// titles and text, and finds the pages that contain given words.
class HelpBook {
public:
    struct Page {
        QString file;  // "worksheet.html"
        QString title; // from the page's <title>
        QString text;  // the page as plain text
    };

    static inline const QString kContents = QStringLiteral("index.html");
    static inline const QString kSupport = QStringLiteral("support.html");

    // `root` is a folder path or a resource folder (":/help").
    explicit HelpBook(const QString& root);
    // The installed book (beside the program in a build tree, else in the
    // installed data folders), else the built-in one. `programDirectory`
    // defaults to the running program's folder.
    static HelpBook installed(const QString& programDirectory = QString());
    bool isBuiltIn() const { return m_root.startsWith(u':'); }

    const QString& root() const { return m_root; }
    bool isAvailable() const;
    // "worksheet", "worksheet.html" and "" (the contents) all name pages.
    static QString fileName(const QString& page);
    bool hasPage(const QString& page) const;
    QUrl url(const QString& page) const;

    // Every page: the contents first, then the pages in the order the
    // contents link to them, then any others by file name.
    const QList<Page>& pages() const;
    // Pages (never the contents) whose title or text contains every word of
    // `words`, ignoring case; the pages with the most hits first.
    QList<Page> search(const QString& words) const;

    // An address another program can open: a page of the built-in book is
    // copied out to a folder of the user's cache first.
    static QUrl externalUrl(const QUrl& url);

private:
    QString path(const QString& file) const;

    QString m_root;
    mutable std::shared_ptr<QList<Page>> m_pages;
};
