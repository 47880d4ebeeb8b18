#include "ReportRenderer.h"

#include "Formats.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

#include <cmath>

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

struct TextBlock {
    QStringList lines;
    qreal ascent = 0;
    qreal lineHeight = 0;
    qreal spacing = 0;

    qreal height() const {
        return lines.isEmpty() ? 0 : qreal(lines.size() - 1) * spacing + lineHeight;
    }
};

// How many lines of this font a box of `height` shows (at least one).
int linesThatFit(const QFont& font, qreal height) {
    const QFontMetricsF fm(font);
    if (height <= fm.height())
        return 1;
    return 1 + int(std::floor((height - fm.height()) / fm.lineSpacing()));
}

// The text broken into lines of at most `width`, at word boundaries where
// possible; with `maxLines` > 0 the last line shown ends in an ellipsis when
// more text follows.
TextBlock layoutText(const QString& text, const QFont& font, qreal width, int maxLines) {
    const QFontMetricsF fm(font);
    TextBlock block;
    block.ascent = fm.ascent();
    block.lineHeight = fm.height();
    block.spacing = fm.lineSpacing();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    t.replace(u'\n', QChar::LineSeparator);
    t.replace(u'\r', QChar::LineSeparator);
    t.replace(u'\t', u' ');
    while (t.endsWith(QChar::LineSeparator) || t.endsWith(u' '))
        t.chop(1);
    if (t.isEmpty())
        return block;

    QTextLayout layout(t, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<std::pair<int, int>> spans;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        spans.append({line.textStart(), line.textLength()});
    }
    layout.endLayout();

    const auto clean = [](QString s) -> QString {
        s.replace(QChar::LineSeparator, u' ');
        while (s.endsWith(u' '))
            s.chop(1);
        return s;
    };
    const int shown = maxLines > 0 ? std::min(int(spans.size()), maxLines) : int(spans.size());
    for (int i = 0; i < shown; ++i)
        block.lines << clean(t.mid(spans[i].first, spans[i].second));
    if (shown < spans.size()) {
        // The rest of the text on one line, cut with an ellipsis at the box's edge.
        const QString rest = clean(t.mid(spans[shown - 1].first)).simplified();
        block.lines.last() = fm.elidedText(rest, Qt::ElideRight, width);
    }
    return block;
}

void drawBlock(QPainter& painter, const TextBlock& block, const QFont& font, const QRectF& box,
               Qt::Alignment align) {
    const QFontMetricsF fm(font);
    qreal y = box.top();
    if (align & Qt::AlignBottom)
        y = box.bottom() - block.height();
    else if (align & Qt::AlignVCenter)
        y = box.top() + (box.height() - block.height()) / 2;
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const QString& line : block.lines) {
        const qreal w = fm.horizontalAdvance(line);
        qreal x = box.left();
        if (align & Qt::AlignHCenter)
            x = box.left() + (box.width() - w) / 2;
        else if (align & Qt::AlignRight)
            x = box.right() - w;
        painter.drawText(QPointF(x, y + block.ascent), line);
        y += block.spacing;
    }
}

bool isText(Kind k) {
    return k != Kind::Rectangle && k != Kind::Logo;
}

Money moneyOf(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>();
    return Money::fromStoredDouble(v.toDouble());
}

const QImage& logo() {
    static const QImage image(QStringLiteral(":/icons/rastrel.png"));
    return image;
}

} // namespace

ReportRenderer::ReportRenderer(ReportLayout layout, ReportData data,
                               QHash<QString, QString> captions, QDateTime printedAt)
    : m_layout(std::move(layout))
    , m_data(std::move(data))
    , m_captions(std::move(captions))
    , m_printedAt(std::move(printedAt)) {
    paginate();
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

Money ReportRenderer::printedAmount(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return Money();
    // Cents, halves away from zero, as the currency format shows them.
    const qint64 units = moneyOf(value).units();
    const qint64 cents = (units < 0 ? units - 50 : units + 50) / 100;
    return Money::fromUnits(cents * 100);
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

Money ReportRenderer::sum(const ReportElement& e, const Placed& p) const {
    qint64 total = 0;
    const auto add = [&](const ReportData::Row& r) {
        total += printedAmount(r.value(e.column)).units();
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
    return Money::fromUnits(total);
}

QString ReportRenderer::textOf(const ReportElement& e, const Placed& p, int page) const {
    switch (e.kind) {
    case Kind::Label:
        if (!e.name.isEmpty() && m_captions.contains(e.name))
            return m_captions.value(e.name);
        return e.text;
    case Kind::Field: {
        const ReportData::Row* row = rowOf(p);
        return row ? format(row->value(e.column), e.format) : QString();
    }
    case Kind::Sum:
        return Formats::reportCurrency(sum(e, p));
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

int ReportRenderer::measure(const ReportBand& band, int row, int child) const {
    int height = band.height;
    const Placed p{&band, 0, band.height, row, child};
    for (const ReportElement& e : band.elements) {
        if (!e.canGrow || !isText(e.kind))
            continue;
        const TextBlock block = layoutText(textOf(e, p, 0), twipFont(e.font), e.width, 0);
        const int needed = int(std::ceil(block.height()));
        if (needed > e.height)
            height = std::max(height, band.height + needed - e.height);
    }
    return std::min(height, std::max(band.height, m_maxBand));
}

void ReportRenderer::paginate() {
    m_pages.clear();
    const ReportBand* reportHeader = m_layout.band(BandKind::ReportHeader);
    const ReportBand* pageHeader = m_layout.band(BandKind::PageHeader);
    const ReportBand* pageFooter = m_layout.band(BandKind::PageFooter);
    const ReportBand* groupHeader = m_layout.band(BandKind::GroupHeader);
    const ReportBand* groupFooter = m_layout.band(BandKind::GroupFooter);
    const ReportBand* detail = m_layout.band(BandKind::Detail);
    const ReportBand* reportFooter = m_layout.band(BandKind::ReportFooter);

    const int bodyTop = kMargin;
    m_bodyBottom = kPageHeight - kMargin - (pageFooter ? pageFooter->height : 0);
    // A band never grows past what a page below its page header holds.
    m_maxBand = m_bodyBottom - bodyTop - (pageHeader ? pageHeader->height : 0);

    int y = 0;
    bool pageHasBody = false;
    const auto startPage = [&] {
        m_pages.append(Page());
        y = bodyTop;
        pageHasBody = false;
        if (m_pages.size() == 1 && reportHeader) {
            m_pages.last().bands.append({reportHeader, y, reportHeader->height, -1, -1});
            y += reportHeader->height;
        }
        if (pageHeader) {
            m_pages.last().bands.append({pageHeader, y, pageHeader->height, -1, -1});
            y += pageHeader->height;
        }
    };
    // `keep` is the height of what must follow on the same page.
    const auto put = [&](const ReportBand* band, int row, int child, int keep) {
        if (!band)
            return;
        const int h = measure(*band, row, child);
        if (y + h + keep > m_bodyBottom && (pageHasBody || m_pages.size() == 1))
            startPage();
        m_pages.last().bands.append({band, y, h, row, child});
        y += h;
        pageHasBody = true;
    };

    startPage();
    if (m_layout.grouped()) {
        for (int r = 0; r < m_data.rows.size(); ++r) {
            const ReportData::Row& parent = m_data.rows[r];
            int keep = 0;
            if (!parent.children.isEmpty() && detail)
                keep = measure(*detail, r, 0);
            else if (groupFooter)
                keep = measure(*groupFooter, r, -1);
            put(groupHeader, r, -1, keep);
            // The last line goes with the group's total, never a total alone.
            const int last = int(parent.children.size()) - 1;
            for (int c = 0; c <= last; ++c)
                put(detail, r, c, c == last && groupFooter ? measure(*groupFooter, r, -1) : 0);
            put(groupFooter, r, -1, 0);
        }
    } else {
        for (int r = 0; r < m_data.rows.size(); ++r)
            put(detail, r, -1, 0);
    }
    put(reportFooter, -1, -1, 0);

    if (pageFooter)
        for (Page& page : m_pages)
            page.bands.append({pageFooter, m_bodyBottom, pageFooter->height, -1, -1});
}

void ReportRenderer::paintBand(QPainter& painter, const Placed& p, int page) const {
    const int growth = p.height - p.band->height;
    for (const ReportElement& e : p.band->elements) {
        const int height = e.canGrow ? e.height + growth : e.height;
        const QRectF box(kMargin + e.left, p.top + e.top, e.width, height);
        switch (e.kind) {
        case Kind::Rectangle: {
            const qreal pen = 15;
            painter.setPen(QPen(Qt::black, pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
            break;
        }
        case Kind::Logo:
            painter.drawImage(box.adjusted(45, 45, -45, -45), logo());
            break;
        default: {
            const QFont font = twipFont(e.font);
            const TextBlock block =
                layoutText(textOf(e, p, page), font, e.width, linesThatFit(font, height));
            drawBlock(painter, block, font, box, e.align);
        }
        }
    }
}

void ReportRenderer::paintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= m_pages.size())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Placed& p : m_pages[page].bands)
        paintBand(painter, p, page);
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
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    writer.setTitle(m_layout.title);
    writer.setCreator(QStringLiteral("Rastrel"));
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("The file %1 could not be written.")
                        .arg(QDir::toNativeSeparators(path)));
    for (int page = 0; page < pageCount(); ++page) {
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
