#include "ReportPdfWriter.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

const QStringList kLines{QStringLiteral("Part Name: RIGHT MARKER LAMP"),
                         // Glyph numbers of these letters are bytes a PDF string must escape.
                         QStringLiteral("EFFY's *fine* (Café) \\ ¾"), QStringLiteral("שלום עולם"),
                         QStringLiteral("$2,118.71"),
                         // Kerned pairs, right-aligned by the painter's own measure.
                         QStringLiteral("AVAWAY TOYOTA")};

// Two pages of what reports draw, in twips from the top-left corner (the
// painter scaled to them) and with fonts sized in twips, as reports do.
// `lean` draws plain text straight into the writer, as the renderer does.
void paint(QPainter& painter, const std::function<void()>& newPage,
           ReportPdfWriter* lean = nullptr) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(240);
    painter.setFont(font);
    QImage logo(40, 40, QImage::Format_ARGB32);
    logo.fill(QColor(200, 100, 0, 128));
    for (int page = 0; page < 2; ++page) {
        if (page > 0)
            newPage();
        painter.save();
        painter.scale(1 / 20.0, 1 / 20.0);
        painter.drawImage(QRectF(400, 400, 800, 800), logo);
        painter.drawRect(QRectF(1440, 1440, 9360, 2400));
        for (int i = 0; i < kLines.size(); ++i) {
            const qreal x = i < 3 ? 1600 : 10800 - QFontMetricsF(font).horizontalAdvance(kLines[i]);
            const QPointF at(x, 2000 + 400 * i);
            // Right-to-left text is left to the painter's own layout.
            if (lean)
                QCOMPARE(lean->drawText(painter, at, kLines[i], font), i != 2);
            if (!lean || i == 2)
                painter.drawText(at, kLines[i]);
        }
        painter.restore();
    }
}

// Where each line's text sits on the second page.
QList<QRectF> lineBoxes(QPdfDocument& document) {
    const QString text = document.getAllText(1).text();
    QList<QRectF> boxes;
    for (const QString& line : kLines) {
        const qsizetype at = text.indexOf(line);
        boxes << (at < 0 ? QRectF()
                         : document.getSelectionAtIndex(1, int(at), int(line.size()))
                               .boundingRectangle());
    }
    return boxes;
}

} // namespace

class TestReportPdfWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textPagesAndPicturesReadBackAsQtWritesThem();
    void aFullDiskIsReported();
    void aFailedWriteKeepsTheOlderFile();
    void memosServeOnlyTheWriterThatFilledThem();

private:
    QTemporaryDir m_dir;
};

void TestReportPdfWriter::textPagesAndPicturesReadBackAsQtWritesThem() {
    const QString path = m_dir.filePath("lean.pdf");
    {
        ReportPdfWriter writer(path, QSizeF(612, 792));
        writer.setTitle(QStringLiteral("Vendor Shopping List Report"));
        QPainter painter;
        QVERIFY(painter.begin(&writer));
        paint(
            painter, [&] { QVERIFY(writer.newPage()); }, &writer);
        QVERIFY(painter.end());
    }
    const QString reference = m_dir.filePath("qt.pdf");
    {
        QPdfWriter writer(reference);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.scale(writer.resolution() / 72.0, writer.resolution() / 72.0);
        paint(painter, [&] { writer.newPage(); });
    }

    QPdfDocument document;
    QCOMPARE(document.load(path), QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), 2);
    QCOMPARE(document.metaData(QPdfDocument::MetaDataField::Title).toString(),
             QStringLiteral("Vendor Shopping List Report"));
    QCOMPARE(document.pagePointSize(1), QSizeF(612, 792));
    QPdfDocument qt;
    QCOMPARE(qt.load(reference), QPdfDocument::Error::None);
    const QList<QRectF> boxes = lineBoxes(document);
    const QList<QRectF> expected = lineBoxes(qt);
    // Qt's writer places glyphs as shaped for its own resolution, a few
    // hundredths of a point per glyph apart; a lost kerning pair, a wrong
    // width or right-to-left text out of place is off by far more.
    const auto near = [](qreal a, qreal b) { return std::abs(a - b) < 0.3; };
    for (int i = 0; i < kLines.size(); ++i)
        QVERIFY(!boxes[i].isNull() && near(boxes[i].left(), expected[i].left()) &&
                near(boxes[i].right(), expected[i].right()) &&
                near(boxes[i].bottom(), expected[i].bottom()));

    // A picture drawn on every page is stored once (with its transparency).
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("/Subtype /Image"), 2);
}

void TestReportPdfWriter::aFullDiskIsReported() {
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    // Every write to it fails as on a full disk.
    ReportPdfWriter writer(QStringLiteral("/dev/full"), QSizeF(612, 792));
    QPainter painter;
    QVERIFY(painter.begin(&writer));
    painter.drawText(QPointF(72, 72), QStringLiteral("Part Name:"));
    QVERIFY(!painter.end());
}

void TestReportPdfWriter::aFailedWriteKeepsTheOlderFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.pdf");
    QFile older(path);
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("an older list");
    older.close();

    // Files of this process may grow to 2 KB: the first page already fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit was{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &was), 0);
    rlimit small = was;
    small.rlim_cur = 2048;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool ended = true;
    {
        ReportPdfWriter writer(path, QSizeF(612, 792));
        QPainter painter;
        if (painter.begin(&writer)) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPixelSize(12);
            for (int line = 0; line < 40; ++line)
                writer.drawText(painter, QPointF(72, 72 + line * 14), kLines[0], font);
            ended = painter.end();
        }
    }
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &was), 0);
    QVERIFY(!ended);
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("an older list"));
    // Nor is anything left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.pdf"});
}

void TestReportPdfWriter::memosServeOnlyTheWriterThatFilledThem() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    ReportPdfWriter::TextMemo memo;
    // The second file gets a memo the first writer filled: its own font
    // must still hold the glyphs.
    for (const char* name : {"first.pdf", "second.pdf"}) {
        const QString path = m_dir.filePath(name);
        {
            ReportPdfWriter writer(path, QSizeF(612, 792));
            QPainter painter;
            QVERIFY(painter.begin(&writer));
            QVERIFY(writer.drawText(painter, QPointF(72, 72), kLines[0], font, &memo));
            QVERIFY(writer.drawText(painter, QPointF(72, 144), kLines[0], font, &memo));
            QVERIFY(painter.end());
        }
        QPdfDocument document;
        QCOMPARE(document.load(path), QPdfDocument::Error::None);
        QCOMPARE(document.getAllText(0).text().count(kLines[0]), 2);
    }
}

QTEST_MAIN(TestReportPdfWriter)
#include "test_reportpdfwriter.moc"
