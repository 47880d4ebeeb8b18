#include "ReportPdfWriter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTest>

class TestReportPdfWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textPagesAndPicturesReadBack();
    void anUnwritableFileIsRefused();

private:
    QTemporaryDir m_dir;
};

void TestReportPdfWriter::textPagesAndPicturesReadBack() {
    const QString path = m_dir.filePath("out.pdf");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    // Glyph numbers of these letters are the bytes a PDF string must escape.
    const QStringList lines{QStringLiteral("Part Name: RIGHT MARKER LAMP"),
                            QStringLiteral("EFFY's *fine* (Café) \\ ¾"),
                            QStringLiteral("שלום עולם")};
    const QString amount = QStringLiteral("$2,118.71");
    const qreal right = 540;
    QImage logo(40, 40, QImage::Format_ARGB32);
    logo.fill(QColor(200, 100, 0, 128));
    {
        ReportPdfWriter writer(path, QSizeF(612, 792));
        writer.setTitle(QStringLiteral("Vendor Shopping List Report"));
        QPainter painter;
        QVERIFY(painter.begin(&writer));
        painter.setFont(font);
        for (int page = 0; page < 2; ++page) {
            if (page > 0)
                QVERIFY(writer.newPage());
            painter.drawImage(QRectF(20, 20, 40, 40), logo);
            painter.drawRect(QRectF(72, 72, 468, 120));
            for (int i = 0; i < lines.size(); ++i)
                painter.drawText(QPointF(80, 100 + 20 * i), lines[i]);
            painter.drawText(QPointF(right - QFontMetricsF(font).horizontalAdvance(amount), 180),
                             amount);
        }
        QVERIFY(painter.end());
    }

    QPdfDocument document;
    QCOMPARE(document.load(path), QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), 2);
    QCOMPARE(document.metaData(QPdfDocument::MetaDataField::Title).toString(),
             QStringLiteral("Vendor Shopping List Report"));
    QCOMPARE(document.pagePointSize(1), QSizeF(612, 792));
    const QString text = document.getAllText(1).text();
    for (const QString& line : lines)
        QVERIFY2(text.contains(line), qPrintable(text));
    // Each glyph where the painter put it: a right-aligned amount ends at
    // the edge it was aligned to.
    const qsizetype at = text.indexOf(amount);
    QVERIFY(at >= 0);
    const QRectF box =
        document.getSelectionAtIndex(1, int(at), int(amount.size())).boundingRectangle();
    QVERIFY2(std::abs(box.right() - right) < 1, qPrintable(QString::number(box.right())));
    QVERIFY(std::abs(box.bottom() - 180) < 4);

    // A picture drawn on every page is stored once (with its transparency).
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("/Subtype /Image"), 2);
}

void TestReportPdfWriter::anUnwritableFileIsRefused() {
    ReportPdfWriter writer(m_dir.filePath("no/such/folder/out.pdf"), QSizeF(612, 792));
    QPainter painter;
    QVERIFY(!painter.begin(&writer));
}

QTEST_MAIN(TestReportPdfWriter)
#include "test_reportpdfwriter.moc"
