#include "ReportRenderer.h"

#include "Formats.h"
#include "ReportPdfWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace {

using Kind = ReportElement::Kind;
using BandKind = ReportBand::Kind;

// Fonts are sized in twips, so that text is measured the same way whatever
// the device: pages break and lines wrap alike on screen, paper and PDF.
QFont twipFont(const ReportFont& f) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(std::lround(f.points * 20)));
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

namespace {

// What is known of one text in one font: its width once measured, and once
// it has been drawn a second time, its shaped layout, so that the captions
// of every row, Yes and No and common amounts are shaped once.
struct KnownText {
    qreal width = -1;
    bool drawn = false;
    std::unique_ptr<QTextLayout> shaped;
    ReportPdfWriter::TextMemo pdf;
};

} // namespace

struct ReportRenderer::TextBlock {
    QStringList lines;
    // Beside a block of one line, what is known of that line.
    std::shared_ptr<KnownText> known;
    qreal ascent = 0;
    qreal lineHeight = 0;
    qreal spacing = 0;

    qreal height() const {
        return lines.isEmpty() ? 0 : qreal(lines.size() - 1) * spacing + lineHeight;
    }
};

struct ReportRenderer::FontInfo {
    explicit FontInfo(const ReportFont& f)
        : font(twipFont(f))
        , metrics(font) {}
    QFont font;
    QFontMetricsF metrics;
    // Bounded: most values occur once.
    QHash<QString, std::shared_ptr<KnownText>> texts;
    Qt::LayoutDirection shapedDirection = Qt::LayoutDirectionAuto;

    std::shared_ptr<KnownText> known(const QString& text) {
        auto it = texts.constFind(text);
        if (it != texts.cend())
            return *it;
        if (texts.size() >= kKnownTexts)
            texts.clear();
        return *texts.insert(text, std::make_shared<KnownText>());
    }

    qreal width(KnownText& t, const QString& text) const {
        if (t.width < 0)
            t.width = metrics.horizontalAdvance(text);
        return t.width;
    }

    // Shaped as QPainter::drawText() shapes it for a painter of that
    // direction.
    const QTextLine shape(KnownText& t, const QString& text, Qt::LayoutDirection direction) {
        if (direction != shapedDirection) {
            for (const std::shared_ptr<KnownText>& k : std::as_const(texts))
                k->shaped.reset();
            shapedDirection = direction;
        }
        if (!t.shaped || t.shaped->textOption().textDirection() != direction) {
            t.shaped = std::make_unique<QTextLayout>(text, font);
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            option.setTextDirection(direction);
            t.shaped->setTextOption(option);
            t.shaped->setCacheEnabled(true);
            t.shaped->beginLayout();
            t.shaped->createLine().setLineWidth(kPageWidth);
            t.shaped->endLayout();
        }
        return t.shaped->lineAt(0);
    }

    static constexpr qsizetype kKnownTexts = 4000;
};

namespace {

using TextBlock = ReportRenderer::TextBlock;

bool isBreakOrTab(QChar c) {
    return c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator;
}

// The text broken into lines of at most `width`, at word boundaries where
// possible, a word longer than the width anywhere. Every character is kept.
template <typename Font> TextBlock layoutText(const QString& text, Font& f, qreal width) {
    const QFontMetricsF& fm = f.metrics;
    TextBlock block;
    block.ascent = fm.ascent();
    block.lineHeight = fm.height();
    block.spacing = fm.lineSpacing();
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u' ' || isBreakOrTab(text[end - 1])))
        --end;
    if (end == 0)
        return block;
    // Most values are one short line: no need to lay them out.
    const QString trimmed = text.left(end);
    if (std::none_of(trimmed.cbegin(), trimmed.cend(), isBreakOrTab)) {
        std::shared_ptr<KnownText> known = f.known(trimmed);
        if (f.width(*known, trimmed) <= width) {
            block.lines << trimmed;
            block.known = std::move(known);
            return block;
        }
    }

    QString t = trimmed;
    t.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    t.replace(u'\n', QChar::LineSeparator);
    t.replace(u'\r', QChar::LineSeparator);
    t.replace(u'\t', u' ');
    QTextLayout layout(t, f.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString s = t.mid(line.textStart(), line.textLength());
        s.replace(QChar::LineSeparator, u' ');
        while (s.endsWith(u' '))
            s.chop(1);
        block.lines << s;
    }
    layout.endLayout();
    return block;
}

// Where the block's first line starts inside a box of `boxHeight`.
qreal blockOffset(const TextBlock& block, qreal boxHeight, Qt::Alignment align) {
    if (align & Qt::AlignBottom)
        return boxHeight - block.height();
    if (align & Qt::AlignVCenter)
        return (boxHeight - block.height()) / 2;
    return 0;
}

bool isText(Kind k) {
    return k != Kind::Rectangle && k != Kind::Logo;
}

Money moneyOf(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>();
    return Money::fromStoredDouble(v.toDouble());
}

// The logo at the size it is printed (about a third of an inch) at 480 dots
// per inch, scaled once: every page shares this one small picture, and a
// PDF holds it once.
const QImage& logo() {
    static const QImage image =
        QImage(QStringLiteral(":/icons/rastrel.png"))
            .scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

// Growth of a text box sits in whole twips, rounded up, so that the lines
// always fit.
int ceilTwips(qreal v) {
    return int(std::ceil(v - 1e-6));
}

} // namespace

// One band laid out for one row: per element, how far it moved down and
// its height, and the text lines it shows.
struct ReportRenderer::Arrangement {
    QList<int> shift;
    QList<int> height;
    QList<TextBlock> blocks;
    int bandHeight = 0;
};

ReportRenderer::ReportRenderer(ReportLayout layout, ReportData data,
                               QHash<QString, QString> captions, QDateTime printedAt)
    : m_layout(std::move(layout))
    , m_data(std::move(data))
    , m_captions(std::move(captions))
    , m_printedAt(std::move(printedAt)) {
    startPagination();
}

ReportRenderer::~ReportRenderer() = default;

ReportRenderer::FontInfo& ReportRenderer::fontInfo(const ReportFont& f) const {
    const int key = int(std::lround(f.points * 100)) * 4 + (f.bold ? 2 : 0) + (f.underline ? 1 : 0);
    auto it = m_fonts.find(key);
    if (it == m_fonts.end())
        it = m_fonts.emplace(key, std::make_unique<FontInfo>(f)).first;
    return *it->second;
}

QString ReportRenderer::format(const QVariant& value, ReportElement::Format format) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (format) {
    case ReportElement::Format::Currency:
        return Formats::reportCurrency(moneyOf(value));
    case ReportElement::Format::WholeNumber:
        return Formats::plainWholeNumber(value.metaType() == QMetaType::fromType<Money>()
                                             ? value.value<Money>().toDouble()
                                             : value.toDouble());
    case ReportElement::Format::YesNo:
        return Formats::yesNo(value.toBool());
    case ReportElement::Format::AsStored:
        break;
    }
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toPlainText();
    return value.toString();
}

QString ReportRenderer::dateText(const QDateTime& when) {
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(when.date(), QLocale::ShortFormat);
}

QString ReportRenderer::timeText(const QDateTime& when) {
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(when.time(), QStringLiteral("h:mm:ss AP"));
}

const ReportData::Row* ReportRenderer::rowOf(const Placed& p) const {
    if (p.row < 0 || p.row >= m_data.rows.size())
        return nullptr;
    const ReportData::Row& row = m_data.rows[p.row];
    if (p.child < 0)
        return &row;
    return p.child < row.children.size() ? &row.children[p.child] : nullptr;
}

QVariant ReportRenderer::cell(const ReportData::Row& row, const ReportElement& e) const {
    auto& [columns, index] = m_columnOf[&e];
    if (columns != row.columns.get() || !columns) {
        columns = row.columns.get();
        index = row.indexOf(e.column);
    }
    return row.cells.value(index);
}

std::optional<Money> ReportRenderer::sum(const ReportElement& e, const Placed& p) const {
    // The stored amounts, added exactly and rounded once when printed: a
    // category's total is then the same in every report and graph.
    std::optional<Money> total = Money();
    const auto add = [&](const ReportData::Row& r) {
        const QVariant v = cell(r, e);
        if (total && v.isValid() && !v.isNull())
            total = Money::checkedAdd(*total, moneyOf(v));
    };
    if (p.band->kind == BandKind::GroupFooter || p.band->kind == BandKind::GroupHeader) {
        if (p.row >= 0 && p.row < m_data.rows.size())
            for (const ReportData::Row& c : m_data.rows[p.row].children)
                add(c);
    } else if (m_layout.grouped() && !e.overParents) {
        for (const ReportData::Row& r : m_data.rows)
            for (const ReportData::Row& c : r.children)
                add(c);
    } else {
        for (const ReportData::Row& r : m_data.rows)
            add(r);
    }
    return total;
}

QString ReportRenderer::textOf(const ReportElement& e, const Placed& p, int page) const {
    switch (e.kind) {
    case Kind::Label:
        if (!e.name.isEmpty() && m_captions.contains(e.name))
            return m_captions.value(e.name);
        return e.text;
    case Kind::Field: {
        const ReportData::Row* row = rowOf(p);
        return row ? format(cell(*row, e), e.format) : QString();
    }
    case Kind::Sum:
        if (const std::optional<Money> total = sum(e, p))
            return Formats::reportCurrency(*total);
        // Amounts that no total can hold: a wrapped-around figure would
        // pass for a real one.
        return QStringLiteral("Too large to add up");
    case Kind::PageNumber:
        return QString::number(page + 1);
    case Kind::Date:
        return dateText(m_printedAt);
    case Kind::Time:
        return timeText(m_printedAt);
    case Kind::Rectangle:
    case Kind::Logo:
        break;
    }
    return {};
}

ReportRenderer::Arrangement ReportRenderer::arrange(const ReportBand& band, int row, int child,
                                                    int page) const {
    const QList<ReportElement>& elements = band.elements;
    const int n = int(elements.size());
    Arrangement a;
    a.shift.fill(0, n);
    a.height.resize(n);
    a.blocks.resize(n);
    const Placed p{&band, 0, band.height, row, child};
    for (int i = 0; i < n; ++i) {
        const ReportElement& e = elements[i];
        a.height[i] = e.height;
        if (!isText(e.kind))
            continue;
        FontInfo& f = fontInfo(e.font);
        if (e.kind == Kind::Label) {
            // A label reads the same on every row: laid out once.
            auto it = m_labels.find(&e);
            if (it == m_labels.end())
                it = m_labels
                         .emplace(&e, std::make_unique<TextBlock>(
                                          layoutText(textOf(e, p, page), f, e.width)))
                         .first;
            a.blocks[i] = *it->second;
        } else {
            a.blocks[i] = layoutText(textOf(e, p, page), f, e.width);
        }
        a.height[i] = std::max(e.height, ceilTwips(a.blocks[i].height()));
    }
    // A box that grew pushes down everything that starts below its bottom;
    // boxes beside it stay where they are.
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return elements[x].top < elements[y].top; });
    int grown = 0;
    for (int k = 0; k < n; ++k) {
        const int i = order[k];
        for (int m = 0; m < k; ++m) {
            const int j = order[m];
            if (elements[j].top + elements[j].height <= elements[i].top)
                a.shift[i] = std::max(a.shift[i], a.shift[j] + a.height[j] - elements[j].height);
        }
    }
    // A frame grows with the texts inside it.
    for (int i = 0; i < n; ++i) {
        const ReportElement& r = elements[i];
        if (r.kind != Kind::Rectangle)
            continue;
        int bottom = r.top + r.height + a.shift[i];
        for (int j = 0; j < n; ++j) {
            const ReportElement& e = elements[j];
            if (j != i && isText(e.kind) && e.top >= r.top && e.top + e.height <= r.top + r.height)
                bottom = std::max(bottom, r.top + r.height + a.shift[j] + a.height[j] - e.height);
        }
        a.height[i] = bottom - r.top - a.shift[i];
    }
    for (int i = 0; i < n; ++i)
        grown = std::max(grown, a.shift[i] + a.height[i] - elements[i].height);
    a.bandHeight = band.height + grown;
    return a;
}

namespace {

bool readsPageNumber(const ReportBand& band) {
    return std::any_of(band.elements.cbegin(), band.elements.cend(),
                       [](const ReportElement& e) { return e.kind == Kind::PageNumber; });
}

// About two pages of the densest report: a page is measured, then painted.
constexpr std::size_t kArrangedBands = 512;

} // namespace

const ReportRenderer::Arrangement& ReportRenderer::arranged(const ReportBand& band, int row,
                                                            int child) const {
    const ArrangedKey key{&band, row, child};
    auto it = m_arranged.find(key);
    if (it != m_arranged.end())
        return *it->second;
    if (m_arranged.size() >= kArrangedBands)
        m_arranged.clear();
    return *m_arranged.emplace(key, std::make_unique<Arrangement>(arrange(band, row, child, 0)))
                .first->second;
}

int ReportRenderer::measure(const ReportBand& band, int row, int child) const {
    if (readsPageNumber(band))
        return arrange(band, row, child, 0).bandHeight;
    return arranged(band, row, child).bandHeight;
}

// Moves a page break at `to` (in the band) up to the top of any line of text
// it would cut through, so that every line is printed whole on one page.
int ReportRenderer::breakBefore(const ReportBand& band, int row, int child, int from,
                                int to) const {
    const Arrangement a = arrange(band, row, child, 0);
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i < band.elements.size(); ++i) {
            const TextBlock& b = a.blocks[i];
            const ReportElement& e = band.elements[i];
            const qreal first = e.top + a.shift[i] + blockOffset(b, a.height[i], e.align);
            for (int l = 0; l < b.lines.size(); ++l) {
                const qreal top = first + l * b.spacing;
                if (top < to && top + b.lineHeight > to && int(std::floor(top)) > from) {
                    to = int(std::floor(top));
                    moved = true;
                }
            }
        }
    }
    return to;
}

// Pages are laid out as far as they are asked for: a preview shows its first
// page before the last one is known.
void ReportRenderer::startPagination() {
    m_pages.clear();
    m_arranged.clear();
    const ReportBand* pageHeader = m_layout.band(BandKind::PageHeader);
    const ReportBand* pageFooter = m_layout.band(BandKind::PageFooter);
    m_bodyBottom = kPageHeight - kMargin - (pageFooter ? pageFooter->height : 0);
    // The header's texts are the same on every page; however long they run,
    // at least half of each page is left for the report's rows.
    m_headerHeight = pageHeader
                         ? std::min(measure(*pageHeader, -1, -1),
                                    std::max(pageHeader->height, (m_bodyBottom - kMargin) / 2))
                         : 0;
    m_cursor = Cursor();
}

void ReportRenderer::startPage() const {
    const ReportBand* reportHeader = m_layout.band(BandKind::ReportHeader);
    const ReportBand* pageHeader = m_layout.band(BandKind::PageHeader);
    m_pages.append(Page());
    m_cursor.y = kMargin;
    m_cursor.pageHasBody = false;
    if (m_pages.size() == 1 && reportHeader) {
        m_pages.last().bands.append({reportHeader, m_cursor.y, reportHeader->height, -1, -1});
        m_cursor.y += reportHeader->height;
    }
    if (pageHeader) {
        m_pages.last().bands.append({pageHeader, m_cursor.y, m_headerHeight, -1, -1});
        m_cursor.y += m_headerHeight;
    }
}

// `keep` is the height of what must follow on the same page.
void ReportRenderer::put(const ReportBand* band, int row, int child, int keep) const {
    if (!band)
        return;
    int& y = m_cursor.y;
    const int h = measure(*band, row, child);
    if (y + h + keep > m_bodyBottom && (m_cursor.pageHasBody || m_pages.size() == 1))
        startPage();
    if (y + h <= m_bodyBottom) {
        m_pages.last().bands.append({band, y, h, row, child});
        y += h;
        m_cursor.pageHasBody = true;
        return;
    }
    // Taller than a whole page: it goes on over as many pages as it needs.
    for (int from = 0; from < h;) {
        int to = from + (m_bodyBottom - y);
        if (to < h)
            to = breakBefore(*band, row, child, from, to);
        to = std::min(to, h);
        m_pages.last().bands.append({band, y, to - from, row, child, from, true});
        y += to - from;
        m_cursor.pageHasBody = true;
        from = to;
        if (from < h)
            startPage();
    }
}

void ReportRenderer::placeInserts(int row) const {
    const auto inserts = m_inserts.constFind(row);
    if (inserts == m_inserts.cend())
        return;
    for (const ReportInsert& insert : *inserts) {
        // A text insert's lines are wrapped once here, not again for its height.
        const int total = insert.picture ? 0 : int(insertLines(insert).size());
        const int h = insert.picture ? insertHeight(insert) : textInsertHeight(total);
        // Kept together when a page can hold it; a list longer than a page
        // starts where it is, without leaving the rest of this page empty.
        const bool together = insert.picture || h <= m_bodyBottom - kMargin - m_headerHeight;
        if (m_cursor.pageHasBody &&
            m_cursor.y + (together ? h : textInsertHeight(1)) > m_bodyBottom)
            startPage();
        if (together || m_cursor.y + h <= m_bodyBottom) {
            m_pages.last().bands.append(
                {nullptr, m_cursor.y, h, row, -1, 0, false, &insert, total});
            m_cursor.y += h;
            m_cursor.pageHasBody = true;
            continue;
        }
        // Text longer than a page: as many lines as fit, the rest on the
        // next pages.
        for (int from = 0; from < total;) {
            int n = 1;
            while (from + n < total && m_cursor.y + textInsertHeight(n + 1) <= m_bodyBottom)
                ++n;
            const int piece = textInsertHeight(n);
            m_pages.last().bands.append(
                {nullptr, m_cursor.y, piece, row, -1, from, true, &insert, n});
            m_cursor.y += piece;
            m_cursor.pageHasBody = true;
            from += n;
            if (from < total)
                startPage();
        }
    }
}

// Places the next band of the report (a group's header, a line, a group's
// footer, the report's footer); false once everything is placed.
bool ReportRenderer::placeNext() const {
    Cursor& c = m_cursor;
    if (c.done)
        return false;
    if (m_pages.isEmpty())
        startPage();
    const ReportBand* groupHeader = m_layout.band(BandKind::GroupHeader);
    const ReportBand* groupFooter = m_layout.band(BandKind::GroupFooter);
    const ReportBand* detail = m_layout.band(BandKind::Detail);
    const int rows = int(m_data.rows.size());
    if (c.row >= rows) {
        put(m_layout.band(BandKind::ReportFooter), -1, -1, 0);
        c.done = true;
        return false;
    }
    if (!m_layout.grouped()) {
        put(detail, c.row, -1, 0);
        placeInserts(c.row);
        ++c.row;
        return true;
    }
    const ReportData::Row& parent = m_data.rows[c.row];
    const int last = int(parent.children.size()) - 1;
    if (c.child == Cursor::kGroupHeader) {
        int keep = 0;
        if (!parent.children.isEmpty() && detail)
            keep = measure(*detail, c.row, 0);
        else if (groupFooter)
            keep = measure(*groupFooter, c.row, -1);
        put(groupHeader, c.row, -1, keep);
        c.child = 0;
    } else if (c.child <= last) {
        // The last line goes with the group's total, never a total alone.
        put(detail, c.row, c.child,
            c.child == last && groupFooter ? measure(*groupFooter, c.row, -1) : 0);
        ++c.child;
    } else {
        put(groupFooter, c.row, -1, 0);
        ++c.row;
        c.child = Cursor::kGroupHeader;
    }
    return true;
}

void ReportRenderer::paginateTo(int pages) const {
    // Page n is complete once page n + 1 has begun, or everything is placed.
    while (!m_cursor.done && m_pages.size() <= pages)
        placeNext();
}

int ReportRenderer::pageCount() const {
    paginateTo(std::numeric_limits<int>::max());
    return int(m_pages.size());
}

int ReportRenderer::pagesReady() const {
    return m_cursor.done ? int(m_pages.size()) : std::max(0, int(m_pages.size()) - 1);
}

int ReportRenderer::paginateMore(int pages) const {
    paginateTo(pagesReady() + pages);
    return pagesReady();
}

void ReportRenderer::paintBand(QPainter& painter, const Placed& p, int page) const {
    std::optional<Arrangement> own;
    if (readsPageNumber(*p.band))
        own = arrange(*p.band, p.row, p.child, page);
    const Arrangement& a = own ? *own : arranged(*p.band, p.row, p.child);
    // Band coordinates to page coordinates.
    const int origin = p.top - p.from;
    auto* pdf = dynamic_cast<ReportPdfWriter*>(painter.device());
    bool blackPen = false;
    for (int i = 0; i < p.band->elements.size(); ++i) {
        const ReportElement& e = p.band->elements[i];
        const int top = e.top + a.shift[i];
        const QRectF box(kMargin + e.left, origin + top, e.width, a.height[i]);
        if (!isText(e.kind)) {
            // Frames and pictures belong to bands that are never split.
            if (p.piece && (top < p.from || top >= p.from + p.height))
                continue;
            if (e.kind == Kind::Rectangle) {
                const qreal pen = 15;
                painter.setPen(QPen(Qt::black, pen));
                blackPen = false;
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
            } else {
                painter.drawImage(box.adjusted(45, 45, -45, -45), logo());
            }
            continue;
        }
        const TextBlock& block = a.blocks[i];
        if (block.lines.isEmpty())
            continue;
        FontInfo& f = fontInfo(e.font);
        if (!blackPen) {
            painter.setPen(Qt::black);
            blackPen = true;
        }
        const qreal first = top + blockOffset(block, a.height[i], e.align);
        for (int l = 0; l < block.lines.size(); ++l) {
            const qreal lineTop = first + l * block.spacing;
            // On a page that shows a piece of the band, only the lines that
            // start inside that piece.
            if (p.piece && (lineTop < p.from - 0.5 || lineTop >= p.from + p.height - 0.5))
                continue;
            const QString& line = block.lines[l];
            std::shared_ptr<KnownText> held;
            KnownText* known = block.known.get();
            if (!known) {
                held = f.known(line);
                known = held.get();
            }
            qreal x = box.left();
            if (e.align & (Qt::AlignHCenter | Qt::AlignRight)) {
                const qreal w = f.width(*known, line);
                x = e.align & Qt::AlignHCenter ? box.left() + (box.width() - w) / 2
                                               : box.right() - w;
            }
            const qreal baseline = origin + lineTop + block.ascent;
            if (pdf && pdf->drawText(painter, QPointF(x, baseline), line, f.font, &known->pdf))
                continue;
            if (!known->drawn && !known->shaped) {
                known->drawn = true;
                if (m_painterFont != &f) {
                    painter.setFont(f.font);
                    m_painterFont = &f;
                }
                painter.drawText(QPointF(x, baseline), line);
            } else {
                // Drawn from its shaped layout, the baseline where drawText()
                // puts it.
                const QTextLine shaped = f.shape(*known, line, painter.layoutDirection());
                shaped.draw(&painter, QPointF(x, baseline - shaped.ascent()));
            }
        }
    }
}

void ReportRenderer::setInserts(QHash<int, QList<ReportInsert>> inserts) {
    m_inserts = std::move(inserts);
    startPagination();
}

namespace {
constexpr int kInsertGap = 144;
const ReportFont kInsertFont{9, false, false};
} // namespace

QStringList ReportRenderer::insertLines(const ReportInsert& insert) const {
    FontInfo& f = fontInfo(kInsertFont);
    QStringList out;
    for (const QString& line : insert.lines)
        out << layoutText(line, f, m_layout.width).lines;
    return out;
}

int ReportRenderer::textInsertHeight(int lines) const {
    const QFontMetricsF& fm = fontInfo(kInsertFont).metrics;
    const int content =
        lines <= 0 ? 0 : int(std::ceil(qreal(lines - 1) * fm.lineSpacing() + fm.height()));
    return content + 2 * kInsertGap;
}

int ReportRenderer::insertHeight(const ReportInsert& insert) const {
    if (!insert.picture)
        return textInsertHeight(int(insertLines(insert).size()));
    // At most what a page holds below its header.
    const int room = std::max(1, m_bodyBottom - kMargin - m_headerHeight - 2 * kInsertGap);
    const QSize size = insert.picture->size();
    int content = 0;
    if (size.width() > 0 && size.height() > 0) {
        const qreal scale = qreal(m_layout.width) / size.width();
        content = std::min(room, int(std::ceil(size.height() * scale)));
    }
    return content + 2 * kInsertGap;
}

void ReportRenderer::paintInsert(QPainter& painter, const Placed& p) const {
    const QRectF room(kMargin, p.top + kInsertGap, m_layout.width, p.height - 2 * kInsertGap);
    const ReportInsert& insert = *p.insert;
    FontInfo& f = fontInfo(kInsertFont);
    painter.setFont(f.font);
    m_painterFont = &f;
    painter.setPen(Qt::black);
    if (insert.picture) {
        // Scaled to fit both ways, keeping its proportions, centred across.
        const QSizeF size = QSizeF(insert.picture->size()).scaled(room.size(), Qt::KeepAspectRatio);
        const QRectF target(room.left() + (room.width() - size.width()) / 2, room.top(),
                            size.width(), size.height());
        const QImage image = insert.picture->image();
        if (!image.isNull()) {
            painter.drawImage(target, image);
            return;
        }
        // Gone from the database since the report was made, or no longer
        // readable: its place is marked, the pages stay as they were.
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target);
        painter.drawText(target.adjusted(kInsertGap, kInsertGap, -kInsertGap, -kInsertGap),
                         Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("This receipt can no longer be read."));
        return;
    }
    const QStringList lines = insertLines(insert).mid(p.from, p.lineCount);
    qreal y = room.top() + f.metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(QPointF(room.left(), y), line);
        y += f.metrics.lineSpacing();
    }
}

void ReportRenderer::paintPage(QPainter& painter, int page) const {
    if (page < 0)
        return;
    paginateTo(page + 1);
    if (page >= m_pages.size())
        return;
    painter.save();
    m_painterFont = nullptr;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Placed& p : m_pages[page].bands) {
        if (p.insert)
            paintInsert(painter, p);
        else
            paintBand(painter, p, page);
    }
    if (const ReportBand* footer = m_layout.band(BandKind::PageFooter))
        paintBand(painter, {footer, m_bodyBottom, footer->height, -1, -1}, page);
    painter.restore();
}

void ReportRenderer::scaleToTwips(QPainter& painter, const QPaintDevice& device) {
    painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
}

void ReportRenderer::setUpPrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

bool ReportRenderer::print(QPrinter& printer) const {
    int first = 1;
    int last = pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            return false;
        painter.save();
        scaleToTwips(painter, printer);
        paintPage(painter, page - 1);
        painter.restore();
    }
    return painter.end();
}

bool ReportRenderer::writePdf(const QString& path, QString* error) const {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    ReportPdfWriter writer(path, QPageSize(QPageSize::Letter).size(QPageSize::Point));
    writer.setTitle(m_layout.title);
    writer.setCreator(QStringLiteral("Rastrel"));
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("The file %1 could not be written.")
                        .arg(QDir::toNativeSeparators(path)));
    // Each page is laid out just before it is painted, while its bands'
    // arrangements are still at hand.
    for (int page = 0; (paginateTo(page + 1), page < int(m_pages.size())); ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        scaleToTwips(painter, writer);
        paintPage(painter, page);
        painter.restore();
    }
    if (!painter.end() || QFileInfo(path).size() == 0)
        return fail(QStringLiteral("The file %1 could not be written.")
                        .arg(QDir::toNativeSeparators(path)));
    return true;
}
