#include "ReportPdfWriter.h"

#include "TrueTypeSubset.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSaveFile>
#include <QTextLayout>
#include <QThreadPool>
#include <QtEndian>

#include <atomic>
#include <cctype>
#include <climits>
#include <cmath>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Up to three decimals, without trailing zeros; reports write millions of
// these, so no locale machinery.
void num(QByteArray& out, double v) {
    const qint64 thousandths = qint64(std::llround(v * 1000));
    quint64 left = thousandths < 0 ? quint64(0) - quint64(thousandths) : quint64(thousandths);
    // Written from the end: the space, the decimals without trailing zeros,
    // the whole part and its sign, then appended at once.
    char text[32];
    char* const end = text + sizeof text;
    char* at = end;
    *--at = ' ';
    int fraction = int(left % 1000);
    left /= 1000;
    if (fraction != 0) {
        int digits = 3;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        while (digits-- > 0) {
            *--at = char('0' + fraction % 10);
            fraction /= 10;
        }
        *--at = '.';
    }
    do {
        *--at = char('0' + left % 10);
        left /= 10;
    } while (left > 0);
    if (thousandths < 0)
        *--at = '-';
    out.append(at, end - at);
}

void matrix(QByteArray& out, const QTransform& t) {
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        num(out, v);
}

void hex4(QByteArray& out, quint32 v) {
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(v >> shift) & 0xF];
}

// A text string in UTF-16 with its byte order mark, as PDF wants names and
// titles outside Latin-1.
QByteArray utf16(const QString& text) {
    QByteArray out = "<FEFF";
    for (QChar c : text)
        hex4(out, c.unicode());
    return out + '>';
}

QByteArray rgb(const QColor& c) {
    QByteArray out;
    num(out, c.redF());
    num(out, c.greenF());
    num(out, c.blueF());
    return out;
}

QByteArray deflated(const QByteArray& data) {
    // qCompress gives a zlib stream behind four bytes of length.
    return qCompress(data, 1).mid(4);
}

qint16 s16(const QByteArray& data, qsizetype at) {
    return data.size() >= at + 2 ? qFromBigEndian<qint16>(data.constData() + at) : 0;
}

// Tells writers apart for the memos callers keep.
quint64 nextSerial() {
    static std::atomic<quint64> next{1};
    return next++;
}

} // namespace

class ReportPdfWriter::Engine : public QPaintEngine {
public:
    Engine(const QString& path, QSizeF page)
        : QPaintEngine(AllFeatures)
        , m_size(page) {
        // A file is written beside its old self and takes its place only
        // when whole, so a failed export leaves an older file of that name
        // as it was. Devices and pipes are written as they are.
        const QFileInfo target(path);
        if (target.exists() && !target.isFile()) {
            m_file = std::make_unique<QFile>(path);
        } else {
            auto save = std::make_unique<QSaveFile>(path);
            // A folder where only this file may be written still gets it.
            save->setDirectWriteFallback(true);
            m_file = std::move(save);
        }
    }
    ~Engine() override {
        if (m_pending.valid())
            m_pending.wait();
    }

    QString title;
    QString creator;

    bool begin(QPaintDevice*) override;
    bool end() override;
    bool newPage();

    void updateState(const QPaintEngineState& state) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;
    void drawPath(const QPainterPath& path) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override;
    Type type() const override { return User; }
    bool drawPlainText(const QTransform& transform, const QColor& color, const QPointF& p,
                       const QFont& font, const QString& text, quint64 serial, TextMemo* memo);

private:
    struct Font {
        QRawFont raw;
        int object = 0;
        bool outlines = false;
        std::vector<double> widths; // by glyph, in thousandths of the em; < 0 unknown
        std::map<quint32, char32_t> unicode;
    };
    struct Run {
        int font = 0;
        qreal size = 1; // the font's pixel size
        QList<quint32> glyphs;
        QList<QPointF> positions; // from the item's origin on its baseline
    };
    struct Shaped {
        QList<Run> runs;
        bool plain = true; // the glyphs read back as the text
    };
    struct FontTexts {
        QFont font;
        QRawFont raw;
        QHash<QString, std::shared_ptr<const Shaped>> texts;
    };

    int reserve();
    void startObject(int object);
    void write(const QByteArray& data);
    // `body` as it goes into the file, `filter` how it was encoded.
    void writeStream(int object, const QByteArray& dictionary, const QByteArray& body,
                     const char* filter);
    void startPage();
    void finishPage();
    void handOff();
    void writePending();
    int fontFor(const QRawFont& raw);
    std::shared_ptr<const Shaped> shaped(const QFont& font, const QString& text, bool rightToLeft);
    Run& learn(Run& run, const QRawFont& raw, const QString& text, bool inOrder);
    void drawShaped(const Shaped& s, const QPointF& p, const QString& text, const QColor& color);
    void beginText();
    void endText();
    void drawRun(const Run& run, const QPointF& origin);
    void drawOutlines(const Run& run, const QPointF& origin);
    int imageObject(const QImage& image);
    void writeFont(const Font& font, int index);

    std::unique_ptr<QFileDevice> m_file;
    QSizeF m_size;
    bool m_ok = true;
    qint64 m_written = 0;
    std::vector<qint64> m_offsets{0};
    QList<int> m_pages;
    QByteArray m_content;
    struct Page {
        int content = 0; // object numbers
        int page = 0;
        QByteArray body; // painted, then compressed
    };
    // Painted pages not yet handed to the compressing thread, and those it
    // is compressing.
    QList<Page> m_painted;
    std::future<QList<Page>> m_pending;
    QColor m_textColor;
    bool m_inText = false; // inside BT .. ET
    int m_textFont = -1;

    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;

    std::vector<Font> m_fonts;
    std::vector<FontTexts> m_texts;
    QHash<qint64, int> m_images; // cache key to object
    QList<int> m_imageObjects;

    static constexpr int kCatalog = 1, kPageTree = 2, kResources = 3, kInfo = 4;
    static constexpr qsizetype kTextsPerFont = 4000;
    static constexpr qsizetype kPagesPerHandOff = 16;
};

int ReportPdfWriter::Engine::reserve() {
    m_offsets.push_back(-1);
    return int(m_offsets.size() - 1);
}

void ReportPdfWriter::Engine::write(const QByteArray& data) {
    if (m_file->write(data) != data.size())
        m_ok = false;
    m_written += data.size();
}

void ReportPdfWriter::Engine::startObject(int object) {
    m_offsets[std::size_t(object)] = m_written;
    write(QByteArray::number(object) + " 0 obj\n");
}

void ReportPdfWriter::Engine::writeStream(int object, const QByteArray& dictionary,
                                          const QByteArray& body, const char* filter) {
    startObject(object);
    write("<<" + dictionary + " /Filter " + filter + " /Length " + QByteArray::number(body.size()) +
          ">>\nstream\n");
    write(body);
    write("\nendstream\nendobj\n");
}

bool ReportPdfWriter::Engine::begin(QPaintDevice*) {
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int object = 1; object <= kInfo; ++object)
        reserve();
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    startPage();
    return m_ok;
}

void ReportPdfWriter::Engine::startPage() {
    m_content.clear();
    // A report page's contents run to some ten thousand bytes.
    m_content.reserve(32 * 1024);
    // Painters count downwards from the top of the page; PDF upwards.
    m_content += "1 0 0 -1 0 ";
    num(m_content, m_size.height());
    m_content += "cm\n";
    m_textColor = QColor();
    m_inText = false;
}

// Pages are compressed on another thread while the next ones are painted.
// They are handed over a few at a time: waking the thread for every page
// of a long report costs more than compressing it.
void ReportPdfWriter::Engine::finishPage() {
    endText();
    const int content = reserve();
    m_painted.append({content, reserve(), std::exchange(m_content, {})});
    m_pages << m_painted.last().page;
    if (m_painted.size() >= kPagesPerHandOff)
        handOff();
}

void ReportPdfWriter::Engine::handOff() {
    writePending();
    if (m_painted.isEmpty())
        return;
    auto promise = std::make_shared<std::promise<QList<Page>>>();
    m_pending = promise->get_future();
    QThreadPool::globalInstance()->start([promise, pages = std::exchange(m_painted, {})]() mutable {
        for (Page& p : pages)
            p.body = deflated(p.body);
        promise->set_value(std::move(pages));
    });
}

void ReportPdfWriter::Engine::writePending() {
    if (!m_pending.valid())
        return;
    for (const Page& p : m_pending.get()) {
        writeStream(p.content, {}, p.body, "/FlateDecode");
        startObject(p.page);
        QByteArray dict = "<</Type /Page /Parent 2 0 R /Resources 3 0 R /MediaBox [0 0 ";
        num(dict, m_size.width());
        num(dict, m_size.height());
        write(dict + "] /Contents " + QByteArray::number(p.content) + " 0 R>>\nendobj\n");
    }
}

bool ReportPdfWriter::Engine::newPage() {
    if (!isActive())
        return false;
    finishPage();
    startPage();
    return m_ok;
}

bool ReportPdfWriter::Engine::end() {
    finishPage();
    handOff();
    writePending();
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        writeFont(m_fonts[i], int(i));

    startObject(kResources);
    QByteArray resources = "<</ProcSet [/PDF /Text /ImageB /ImageC] /Font <<";
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        resources += "/F" + QByteArray::number(qulonglong(i)) + ' ' +
                     QByteArray::number(m_fonts[i].object) + " 0 R ";
    resources += ">> /XObject <<";
    for (qsizetype i = 0; i < m_imageObjects.size(); ++i)
        resources +=
            "/Im" + QByteArray::number(i) + ' ' + QByteArray::number(m_imageObjects[i]) + " 0 R ";
    write(resources + ">>>>\nendobj\n");

    startObject(kPageTree);
    QByteArray kids;
    for (int page : std::as_const(m_pages))
        kids += QByteArray::number(page) + " 0 R ";
    write("<</Type /Pages /Count " + QByteArray::number(m_pages.size()) + " /Kids [" + kids +
          "]>>\nendobj\n");
    startObject(kCatalog);
    write("<</Type /Catalog /Pages 2 0 R>>\nendobj\n");
    startObject(kInfo);
    write("<</Title " + utf16(title) + " /Creator " + utf16(creator) + " /Producer " +
          utf16(creator) + " /CreationDate (D:" +
          QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
          "Z)>>\nendobj\n");

    const qint64 xref = m_written;
    QByteArray table =
        "xref\n0 " + QByteArray::number(qulonglong(m_offsets.size())) + "\n0000000000 65535 f \n";
    for (std::size_t i = 1; i < m_offsets.size(); ++i)
        table += QByteArray::number(std::max<qint64>(m_offsets[i], 0)).rightJustified(10, '0') +
                 " 00000 n \n";
    write(table + "trailer\n<</Size " + QByteArray::number(qulonglong(m_offsets.size())) +
          " /Root 1 0 R /Info 4 0 R>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    if (!m_file->flush())
        m_ok = false;
    if (auto* save = qobject_cast<QSaveFile*>(m_file.get())) {
        if (!m_ok)
            save->cancelWriting();
        return save->commit() && m_ok;
    }
    m_file->close();
    return m_ok;
}

void ReportPdfWriter::Engine::updateState(const QPaintEngineState& changed) {
    const DirtyFlags flags = changed.state();
    if (flags & DirtyTransform)
        m_transform = changed.transform();
    if (flags & DirtyPen)
        m_pen = changed.pen();
    if (flags & DirtyBrush)
        m_brush = changed.brush();
}

int ReportPdfWriter::Engine::fontFor(const QRawFont& raw) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        const QRawFont& known = m_fonts[i].raw;
        if (known.familyName() == raw.familyName() && known.styleName() == raw.styleName() &&
            known.weight() == raw.weight() && known.style() == raw.style())
            return int(i);
    }
    Font font;
    font.raw = raw;
    font.object = reserve();
    // TrueType outlines come with a glyph index; CFF outlines without.
    font.outlines = !raw.fontTable("loca").isEmpty();
    m_fonts.push_back(std::move(font));
    return int(m_fonts.size() - 1);
}

namespace {

// Latin text without marks that combine: each character is one glyph, and
// the font's kerned advances place them as the shaping engine would.
bool needsNoShaping(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x250 &&
               (c.unicode() < 0x7F || c.unicode() >= 0xA0);
    });
}

} // namespace

// Shaped the way the painter shapes it, and remembered: the captions of a
// report repeat on every band.
std::shared_ptr<const ReportPdfWriter::Engine::Shaped>
ReportPdfWriter::Engine::shaped(const QFont& font, const QString& text, bool rightToLeft) {
    auto texts = std::find_if(m_texts.begin(), m_texts.end(),
                              [&](const FontTexts& t) { return t.font == font; });
    if (texts == m_texts.end()) {
        m_texts.push_back({font, QRawFont::fromFont(font), {}});
        texts = m_texts.end() - 1;
    }
    const QString key = rightToLeft ? QStringLiteral("\x1") + text : text;
    auto found = texts->texts.constFind(key);
    if (found != texts->texts.cend())
        return *found;
    if (texts->texts.size() >= kTextsPerFont)
        texts->texts.clear();

    Shaped result;
    if (!rightToLeft && texts->raw.isValid() && needsNoShaping(text)) {
        const QList<quint32> glyphs = texts->raw.glyphIndexesForString(text);
        if (glyphs.size() == text.size() && !glyphs.contains(0)) {
            const QList<QPointF> advances = texts->raw.advancesForGlyphIndexes(
                glyphs, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
            Run run;
            qreal x = 0;
            for (const QPointF& advance : advances) {
                run.positions << QPointF(x, 0);
                x += advance.x();
            }
            run.glyphs = glyphs;
            result.runs << learn(run, texts->raw, text, false);
        }
    }
    if (result.runs.isEmpty()) {
        QTextLayout layout(text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e6);
        layout.endLayout();
        const QList<QGlyphRun> glyphRuns = line.glyphRuns();
        for (const QGlyphRun& glyphRun : glyphRuns) {
            Run run;
            run.glyphs = glyphRun.glyphIndexes();
            for (const QPointF& p : glyphRun.positions())
                run.positions << QPointF(p.x(), p.y() - line.ascent());
            // Right-to-left scripts join letters in forms of their own that
            // no character maps to; one glyph a character, they stand for
            // the characters in order.
            const bool inOrder =
                rightToLeft && glyphRuns.size() == 1 && run.glyphs.size() == text.toUcs4().size();
            result.runs << learn(run, glyphRun.rawFont(), text, inOrder);
        }
    }
    // Glyphs come in reading order, also where that is right to left.
    QString readBack;
    for (const Run& run : std::as_const(result.runs)) {
        const Font& f = m_fonts[std::size_t(run.font)];
        for (quint32 g : run.glyphs) {
            const auto u = f.unicode.find(g);
            if (u == f.unicode.end())
                result.plain = false;
            else
                readBack += QString::fromUcs4(&u->second, 1);
        }
    }
    if (readBack != text)
        result.plain = false;
    return *texts->texts.insert(key, std::make_shared<const Shaped>(std::move(result)));
}

// Notes the widths of the run's glyphs and the characters they stand for
// (so that the text can be copied and searched).
ReportPdfWriter::Engine::Run& ReportPdfWriter::Engine::learn(Run& run, const QRawFont& raw,
                                                             const QString& text, bool inOrder) {
    run.font = fontFor(raw);
    run.size = std::max<qreal>(raw.pixelSize(), 1);
    Font& f = m_fonts[std::size_t(run.font)];
    QList<quint32> missing;
    bool unnamed = false;
    for (quint32 g : std::as_const(run.glyphs)) {
        if (g >= f.widths.size())
            f.widths.resize(g + 1, -1);
        if (f.widths[g] < 0)
            missing << g;
        else if (!unnamed && !f.unicode.count(g))
            unnamed = true;
    }
    if (!missing.isEmpty()) {
        const QList<QPointF> advances =
            raw.advancesForGlyphIndexes(missing, QRawFont::UseDesignMetrics);
        for (qsizetype i = 0; i < missing.size(); ++i)
            f.widths[missing[i]] = std::round(advances[i].x() / run.size * 1e6) / 1e3;
    }
    if (!missing.isEmpty() || unnamed) {
        const QList<uint> characters = text.toUcs4();
        const QList<quint32> direct = raw.glyphIndexesForString(QString::fromUcs4(
            reinterpret_cast<const char32_t*>(characters.constData()), characters.size()));
        for (qsizetype i = 0; i < direct.size() && i < characters.size(); ++i)
            if (direct[i] != 0)
                f.unicode.emplace(direct[i], char32_t(characters[i]));
        if (inOrder)
            for (qsizetype i = 0; i < run.glyphs.size(); ++i)
                f.unicode.emplace(run.glyphs[i], char32_t(characters[i]));
    }
    return run;
}

void ReportPdfWriter::Engine::drawTextItem(const QPointF& p, const QTextItem& item) {
    const QString text = item.text();
    if (text.isEmpty())
        return;
    drawShaped(*shaped(item.font(), text, item.renderFlags().testFlag(QTextItem::RightToLeft)), p,
               text, m_pen.color());
}

bool ReportPdfWriter::Engine::drawPlainText(const QTransform& transform, const QColor& color,
                                            const QPointF& p, const QFont& font,
                                            const QString& text, quint64 serial, TextMemo* memo) {
    std::shared_ptr<const Shaped> s;
    if (memo && memo->writer == serial) {
        s = std::static_pointer_cast<const Shaped>(memo->shaped);
    } else {
        if (!needsNoShaping(text))
            return false;
        s = shaped(font, text, false);
        if (memo)
            *memo = {serial, s};
    }
    const QTransform transformWas = std::exchange(m_transform, transform);
    drawShaped(*s, p, text, color);
    m_transform = transformWas;
    return true;
}

void ReportPdfWriter::Engine::drawShaped(const Shaped& s, const QPointF& p, const QString& text,
                                         const QColor& color) {
    const bool outlines = std::all_of(s.runs.cbegin(), s.runs.cend(), [&](const Run& r) {
        return m_fonts[std::size_t(r.font)].outlines;
    });
    if (!outlines) {
        for (const Run& run : s.runs)
            drawOutlines(run, p);
        return;
    }
    beginText();
    if (color != m_textColor) {
        m_content += rgb(color) + "rg\n";
        m_textColor = color;
    }
    if (!s.plain)
        m_content += "/Span <</ActualText " + utf16(text) + ">> BDC\n";
    for (const Run& run : s.runs)
        drawRun(run, p);
    if (!s.plain)
        m_content += "EMC\n";
}

void ReportPdfWriter::Engine::beginText() {
    if (m_inText)
        return;
    m_content += "BT\n";
    m_inText = true;
    m_textFont = -1;
}

void ReportPdfWriter::Engine::endText() {
    if (!m_inText)
        return;
    m_content += "ET\n";
    m_inText = false;
}

void ReportPdfWriter::Engine::drawRun(const Run& run, const QPointF& origin) {
    if (run.glyphs.isEmpty())
        return;
    const Font& f = m_fonts[std::size_t(run.font)];
    const qreal size = run.size;
    QByteArray& c = m_content;
    if (m_textFont != run.font) {
        c += "/F" + QByteArray::number(run.font) + " 1 Tf\n";
        m_textFont = run.font;
    }
    qsizetype start = 0;
    double advance = 0; // where the next glyph goes unless moved, in ems
    for (qsizetype i = 0; i < run.glyphs.size(); ++i) {
        const QPointF& at = run.positions[i];
        // Each glyph of right-to-left text is placed on its own, as text
        // readers expect it to be, and so is one raised or lowered.
        if (i == 0 || std::abs(at.y() - run.positions[start].y()) > 0.01 ||
            at.x() < run.positions[i - 1].x()) {
            if (i > 0)
                c += ")] TJ\n";
            start = i;
            advance = 0;
            const QPointF place = origin + at;
            matrix(c, QTransform(size, 0, 0, -size, place.x(), place.y()) * m_transform);
            c += "Tm\n[(";
        }
        const double x = (at.x() - run.positions[start].x()) / size;
        const double gap = x - advance;
        if (std::abs(gap) > 0.0005) {
            c += ") ";
            num(c, -gap * 1000);
            c += '(';
        }
        // Two bytes a glyph, in a literal string: half the size of hex.
        const quint32 g = run.glyphs[i];
        char bytes[6];
        int n = 0;
        for (const char byte : {char(g >> 8), char(g & 0xFF)}) {
            if (byte == '(' || byte == ')' || byte == '\\') {
                bytes[n++] = '\\';
                bytes[n++] = byte;
            } else if (byte == '\n' || byte == '\r') {
                bytes[n++] = '\\';
                bytes[n++] = byte == '\n' ? 'n' : 'r';
            } else {
                bytes[n++] = byte;
            }
        }
        c.append(bytes, n);
        advance = x + f.widths[g] / 1000;
    }
    c += ")] TJ\n";
}

// A font without TrueType outlines cannot be cut down here: its glyphs are
// drawn as shapes.
void ReportPdfWriter::Engine::drawOutlines(const Run& run, const QPointF& origin) {
    const Font& f = m_fonts[std::size_t(run.font)];
    QPainterPath path;
    for (qsizetype i = 0; i < run.glyphs.size(); ++i)
        path.addPath(f.raw.pathForGlyph(run.glyphs[i]).translated(origin + run.positions[i]));
    const QPen pen = std::exchange(m_pen, Qt::NoPen);
    const QBrush brush = std::exchange(m_brush, pen.color());
    drawPath(path);
    m_pen = pen;
    m_brush = brush;
}

void ReportPdfWriter::Engine::drawPath(const QPainterPath& path) {
    const bool fill = m_brush.style() != Qt::NoBrush;
    const bool stroke = m_pen.style() != Qt::NoPen;
    if ((!fill && !stroke) || path.isEmpty())
        return;
    endText();
    QByteArray& c = m_content;
    c += "q\n";
    matrix(c, m_transform);
    c += "cm\n";
    if (fill)
        c += rgb(m_brush.color()) + "rg\n";
    if (stroke) {
        c += rgb(m_pen.color()) + "RG\n";
        num(c, m_pen.isCosmetic() ? 0 : m_pen.widthF());
        c += "w ";
        c += m_pen.capStyle() == Qt::FlatCap    ? "0 J "
             : m_pen.capStyle() == Qt::RoundCap ? "1 J "
                                                : "2 J ";
        c += m_pen.joinStyle() == Qt::MiterJoin   ? "0 j\n"
             : m_pen.joinStyle() == Qt::RoundJoin ? "1 j\n"
                                                  : "2 j\n";
    }
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        num(c, e.x);
        num(c, e.y);
        if (e.isMoveTo()) {
            c += "m\n";
        } else if (e.isLineTo()) {
            c += "l\n";
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            for (int k = 1; k <= 2; ++k) {
                num(c, path.elementAt(i + k).x);
                num(c, path.elementAt(i + k).y);
            }
            c += "c\n";
            i += 2;
        } else {
            c += "l\n";
        }
    }
    const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
    c += fill && stroke ? (evenOdd ? "B*" : "B") : fill ? (evenOdd ? "f*" : "f") : "S";
    c += "\nQ\n";
}

void ReportPdfWriter::Engine::drawRects(const QRectF* rects, int count) {
    QPainterPath path;
    for (int i = 0; i < count; ++i)
        path.addRect(rects[i]);
    drawPath(path);
}

void ReportPdfWriter::Engine::drawLines(const QLineF* lines, int count) {
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
        path.moveTo(lines[i].p1());
        path.lineTo(lines[i].p2());
    }
    const QBrush brush = std::exchange(m_brush, Qt::NoBrush);
    drawPath(path);
    m_brush = brush;
}

void ReportPdfWriter::Engine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2)
        return;
    QPainterPath path(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]);
    if (mode != PolylineMode)
        path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    const QBrush brush = m_brush;
    if (mode == PolylineMode)
        m_brush = Qt::NoBrush;
    drawPath(path);
    m_brush = brush;
}

void ReportPdfWriter::Engine::drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) {
    drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
}

void ReportPdfWriter::Engine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                                        Qt::ImageConversionFlags) {
    if (image.isNull() || r.isEmpty())
        return;
    const bool whole = sr.toAlignedRect() == image.rect() || sr.isNull();
    const int object = imageObject(whole ? image : image.copy(sr.toAlignedRect()));
    endText();
    QByteArray& c = m_content;
    c += "q\n";
    // The picture fills the unit square, its first row at the top.
    matrix(c,
           QTransform(r.width(), 0, 0, -r.height(), r.left(), r.top() + r.height()) * m_transform);
    c += "cm\n/Im" + QByteArray::number(object) + " Do\nQ\n";
}

namespace {

struct EncodedImage {
    QByteArray dictionary; // without the reference to its mask
    QByteArray body;
    const char* filter = "/FlateDecode";
    QByteArray maskDictionary;
    QByteArray maskBody; // empty for an opaque picture
};

QByteArray imageDictionary(const QImage& image, const char* colorSpace) {
    return " /Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width()) +
           " /Height " + QByteArray::number(image.height()) + " /ColorSpace " + colorSpace +
           " /BitsPerComponent 8";
}

QByteArray rows(const QImage& image, int bytesPerPixel) {
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)),
                     qsizetype(image.width()) * bytesPerPixel);
    return bytes;
}

// Photographs (a receipt) as JPEG; a small or transparent picture
// losslessly.
EncodedImage encode(const QImage& image) {
    EncodedImage out;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB888);
    out.dictionary = imageDictionary(image, "/DeviceRGB");
    if (image.hasAlphaChannel()) {
        const QImage mask = image.convertToFormat(QImage::Format_Alpha8);
        out.maskDictionary = imageDictionary(mask, "/DeviceGray");
        out.maskBody = deflated(rows(mask, 1));
    } else if (qint64(image.width()) * image.height() > 90000) {
        QBuffer buffer(&out.body);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(90);
        if (writer.write(pixels)) {
            out.filter = "/DCTDecode";
            return out;
        }
        out.body.clear();
    }
    out.body = deflated(rows(pixels, 3));
    return out;
}

// The logo is on every page of every report: a small picture is encoded
// once for the whole run of the program.
EncodedImage encodeSmallOnce(const QImage& image) {
    constexpr qint64 kSmall = 256 * 256;
    constexpr std::size_t kKept = 8;
    if (qint64(image.width()) * image.height() > kSmall)
        return encode(image);
    static std::mutex guard;
    static std::map<qint64, EncodedImage> kept;
    const std::lock_guard lock(guard);
    if (auto it = kept.find(image.cacheKey()); it != kept.end())
        return it->second;
    if (kept.size() >= kKept)
        kept.clear();
    return kept.emplace(image.cacheKey(), encode(image)).first->second;
}

} // namespace

int ReportPdfWriter::Engine::imageObject(const QImage& image) {
    const auto known = m_images.constFind(image.cacheKey());
    if (known != m_images.cend())
        return *known;
    const EncodedImage encoded = encodeSmallOnce(image);
    QByteArray dictionary = encoded.dictionary;
    if (!encoded.maskBody.isEmpty()) {
        const int mask = reserve();
        writeStream(mask, encoded.maskDictionary, encoded.maskBody, "/FlateDecode");
        dictionary += " /SMask " + QByteArray::number(mask) + " 0 R";
    }
    const int object = reserve();
    writeStream(object, dictionary, encoded.body, encoded.filter);
    const int name = int(m_imageObjects.size());
    m_imageObjects << object;
    m_images.insert(image.cacheKey(), name);
    return name;
}

void ReportPdfWriter::Engine::writeFont(const Font& font, int index) {
    QByteArray name = (font.raw.familyName() + u'-' + font.raw.styleName()).toLatin1();
    name.removeIf(
        [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)) && ch != '-'; });
    // A subset's name starts with six capitals of its own.
    QByteArray tag = "RASTRA";
    tag[5] = char('A' + index % 26);
    tag[4] = char('A' + (index / 26) % 26);
    name = tag + '+' + name;

    QList<quint32> glyphs;
    QByteArray widths;
    for (quint32 glyph = 0; glyph < font.widths.size(); ++glyph) {
        const double width = font.widths[glyph];
        if (width < 0)
            continue;
        glyphs << glyph;
        widths += QByteArray::number(glyph) + " [";
        num(widths, width);
        widths += "] ";
    }

    const QByteArray head = font.raw.fontTable("head");
    const QByteArray hhea = font.raw.fontTable("hhea");
    const double em = std::max<qint16>(s16(head, 18), 16);
    const auto units = [&](qint16 v) { return QByteArray::number(qRound(v * 1000.0 / em)); };

    int file = 0;
    if (font.outlines) {
        const QByteArray subset =
            TrueTypeSubset::make([&](const char* t) { return font.raw.fontTable(t); }, glyphs);
        if (!subset.isEmpty()) {
            file = reserve();
            writeStream(file, " /Length1 " + QByteArray::number(subset.size()), deflated(subset),
                        "/FlateDecode");
        }
    }
    const int descriptor = reserve();
    startObject(descriptor);
    write("<</Type /FontDescriptor /FontName /" + name + " /Flags 32 /FontBBox [" +
          units(s16(head, 36)) + ' ' + units(s16(head, 38)) + ' ' + units(s16(head, 40)) + ' ' +
          units(s16(head, 42)) + "] /ItalicAngle 0 /Ascent " + units(s16(hhea, 4)) + " /Descent " +
          units(s16(hhea, 6)) + " /CapHeight " + units(s16(hhea, 4)) + " /StemV 80" +
          (file ? " /FontFile2 " + QByteArray::number(file) + " 0 R" : QByteArray()) +
          ">>\nendobj\n");

    const int cidFont = reserve();
    startObject(cidFont);
    write("<</Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
          " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) /Supplement 0>>"
          " /FontDescriptor " +
          QByteArray::number(descriptor) + " 0 R /CIDToGIDMap /Identity /W [" + widths +
          "]>>\nendobj\n");

    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<quint32, char32_t>> pairs(font.unicode.begin(), font.unicode.end());
    for (std::size_t from = 0; from < pairs.size(); from += 100) {
        const std::size_t to = std::min(pairs.size(), from + 100);
        cmap += QByteArray::number(qulonglong(to - from)) + " beginbfchar\n";
        for (std::size_t i = from; i < to; ++i) {
            cmap += '<';
            hex4(cmap, pairs[i].first);
            cmap += "> <";
            for (QChar c : QString::fromUcs4(&pairs[i].second, 1))
                hex4(cmap, c.unicode());
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    const int toUnicode = reserve();
    writeStream(toUnicode, {}, deflated(cmap), "/FlateDecode");

    startObject(font.object);
    write("<</Type /Font /Subtype /Type0 /BaseFont /" + name +
          " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(cidFont) +
          " 0 R] /ToUnicode " + QByteArray::number(toUnicode) + " 0 R>>\nendobj\n");
}

ReportPdfWriter::ReportPdfWriter(const QString& path, QSizeF pagePoints)
    : m_serial(nextSerial())
    , m_page(pagePoints)
    , m_engine(std::make_unique<Engine>(path, pagePoints)) {}

ReportPdfWriter::~ReportPdfWriter() = default;

void ReportPdfWriter::setTitle(const QString& title) {
    m_engine->title = title;
}

void ReportPdfWriter::setCreator(const QString& creator) {
    m_engine->creator = creator;
}

bool ReportPdfWriter::newPage() {
    return m_engine->newPage();
}

bool ReportPdfWriter::drawText(const QPainter& painter, const QPointF& baseline,
                               const QString& text, const QFont& font, TextMemo* memo) {
    if (painter.device() != this || painter.layoutDirection() == Qt::RightToLeft)
        return false;
    return m_engine->drawPlainText(painter.combinedTransform(), painter.pen().color(), baseline,
                                   font, text, m_serial, memo);
}

QPaintEngine* ReportPdfWriter::paintEngine() const {
    return m_engine.get();
}

int ReportPdfWriter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return qRound(m_page.width());
    case PdmHeight:
        return qRound(m_page.height());
    case PdmWidthMM:
        return qRound(m_page.width() * 25.4 / 72);
    case PdmHeightMM:
        return qRound(m_page.height() * 25.4 / 72);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
