#pragma once

#include "Money.h"
#include "ReportData.h"
#include "ReportLayout.h"
#include "ReportPicture.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <unordered_map>

class QPainter;
class QPaintDevice;
class QPrinter;

// Something printed after a row's block that the layout does not describe
// (a receipt): a picture scaled to fit the body's width and at most one
// page, kept on one page; or lines of text, each wrapped at the body's
// width, kept together when they fit on a page and otherwise continued on
// the next, between lines.
struct ReportInsert {
    std::shared_ptr<const ReportPicture> picture;
    QStringList lines;
};

// Lays a report's rows out in its bands on US Letter pages and paints the
// pages onto any device: the preview, a printer, a PDF file. No text is ever
// cut: a value wider than its box wraps inside it, the box grows downwards
// and pushes what lies below it (and the band's bottom) down. A band is
// kept on one page; only one taller than a whole page continues on the
// next, broken between lines of text.
class ReportRenderer {
public:
    static constexpr int kPageWidth = 12240; // 8.5 by 11 inches in twips
    static constexpr int kPageHeight = 15840;
    static constexpr int kMargin = 1440;

    // `captions` gives run-time texts for named labels ("Label4").
    ReportRenderer(ReportLayout layout, ReportData data, QHash<QString, QString> captions = {},
                   QDateTime printedAt = QDateTime::currentDateTime());
    ~ReportRenderer();

    const ReportLayout& layout() const { return m_layout; }
    const ReportData& data() const { return m_data; }
    // Every page (laying out the rest of the report when needed).
    int pageCount() const;
    // The pages laid out so far, and laying out up to `pages` more; a
    // preview shows its first pages before the report is laid out to the end.
    int pagesReady() const;
    int paginateMore(int pages) const;
    bool isPaginated() const { return m_cursor.done; }

    // Inserts printed after the detail block of the row with that index (an
    // ungrouped report); lays the pages out again.
    void setInserts(QHash<int, QList<ReportInsert>> inserts);
    // The height an insert takes on the page, in twips, all on one page.
    int insertHeight(const ReportInsert& insert) const;

    // Paints page `page` (0-based) with the painter's units in twips from
    // the paper's top-left corner.
    void paintPage(QPainter& painter, int page) const;
    // Scales a painter that paints on `device` to twips.
    static void scaleToTwips(QPainter& painter, const QPaintDevice& device);

    // Letter, portrait, the whole sheet addressable (our own margins).
    static void setUpPrinter(QPrinter& printer);
    // All pages, or the range chosen in the print dialog.
    bool print(QPrinter& printer) const;
    bool writePdf(const QString& path, QString* error = nullptr) const;

    // What a value looks like through a display format ("" for no value).
    static QString format(const QVariant& value, ReportElement::Format format);

    struct TextBlock; // a text broken into the lines of its box

    // The date and time of the banner.
    static QString dateText(const QDateTime& when);
    static QString timeText(const QDateTime& when);

private:
    struct Placed {
        const ReportBand* band = nullptr;
        int top = 0;    // on the page
        int height = 0; // on the page: the whole band, or the piece of it shown there
        int row = -1;   // the report's row, or the group's parent row
        int child = -1; // the detail row inside a group
        int from = 0;   // where in the band the piece on this page starts
        bool piece = false;
        const ReportInsert* insert = nullptr; // instead of a band
        int lineCount = 0;                    // of a text insert's lines, from line `from`
    };
    struct Arrangement; // where each element of one band ends up
    struct FontInfo;
    struct Page {
        QList<Placed> bands;
    };

    // Where the layout of the pages has got to.
    struct Cursor {
        static constexpr int kGroupHeader = -1;
        int row = 0;              // the next row (or group) to place
        int child = kGroupHeader; // in a group: its header, a line, or past them its footer
        int y = 0;                // where the next band goes on the last page
        bool pageHasBody = false;
        bool done = false;
    };
    void startPagination();
    void startPage() const;
    void put(const ReportBand* band, int row, int child, int keep) const;
    bool placeNext() const;
    void placeInserts(int row) const;
    void paginateTo(int pages) const;
    Arrangement arrange(const ReportBand& band, int row, int child, int page) const;
    // The same for a band that reads the same on every page, kept from
    // measuring it for painting it.
    const Arrangement& arranged(const ReportBand& band, int row, int child) const;
    int measure(const ReportBand& band, int row, int child) const;
    int breakBefore(const ReportBand& band, int row, int child, int from, int to) const;
    FontInfo& fontInfo(const ReportFont& font) const;
    const ReportData::Row* rowOf(const Placed& p) const;
    QString textOf(const ReportElement& e, const Placed& p, int page) const;
    // The element's column among the row's cells, looked up by name once for
    // each column map (the rows of one record set share theirs).
    QVariant cell(const ReportData::Row& row, const ReportElement& e) const;
    // Empty when the total is beyond what Money holds.
    std::optional<Money> sum(const ReportElement& e, const Placed& p) const;
    void paintBand(QPainter& painter, const Placed& p, int page) const;
    void paintInsert(QPainter& painter, const Placed& p) const;
    QStringList insertLines(const ReportInsert& insert) const;
    int textInsertHeight(int lines) const;

    ReportLayout m_layout;
    ReportData m_data;
    QHash<QString, QString> m_captions;
    QDateTime m_printedAt;
    mutable QList<Page> m_pages;
    mutable Cursor m_cursor;
    QHash<int, QList<ReportInsert>> m_inserts;
    int m_bodyBottom = 0;
    int m_headerHeight = 0;
    mutable std::unordered_map<int, std::unique_ptr<FontInfo>> m_fonts;
    mutable const FontInfo* m_painterFont = nullptr; // the font the painter has, while painting
    mutable std::unordered_map<const ReportElement*, std::unique_ptr<TextBlock>> m_labels;
    mutable std::unordered_map<const ReportElement*, std::pair<const ReportData::Columns*, int>>
        m_columnOf;
    struct ArrangedKey {
        const ReportBand* band;
        int row;
        int child;
        bool operator==(const ArrangedKey&) const = default;
    };
    struct ArrangedHash {
        std::size_t operator()(const ArrangedKey& k) const noexcept {
            return std::hash<const void*>()(k.band) ^ (std::size_t(k.row) * 1000003u) ^
                   (std::size_t(k.child) * 7919u);
        }
    };
    mutable std::unordered_map<ArrangedKey, std::unique_ptr<Arrangement>, ArrangedHash> m_arranged;
};
