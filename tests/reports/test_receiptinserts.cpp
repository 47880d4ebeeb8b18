#include "AppState.h"
#include "AttachmentStore.h"
#include "ReceiptInserts.h"
#include "RecordingPaintDevice.h"
#include "ReportPreparation.h"
#include "ReportRenderer.h"
#include "StoreTest.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

namespace {

QByteArray letterPdf(int pages) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        QPainter painter(&writer);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.drawText(QPointF(100, 100), QStringLiteral("Receipt page %1").arg(i + 1));
        }
    }
    return out;
}

using Fixtures::attachment;
using Fixtures::png;

bool purchased(const ReportData::Row& row) {
    const QString t = row.value("Purchased").toString().toLower();
    return row.value("Purchased").toBool() || t == "true";
}

} // namespace

class TestReceiptInserts : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void purchasedLinesCarryTheirReceiptsAfterTheirBlock();
    void aReportWithoutReceiptsIsUnchanged();
    void damagedPdfGivesNoPages_data();
    void damagedPdfGivesNoPages();

private:
    ReportPreparation::Report projectReport();

    AppState m_state;
};

void TestReceiptInserts::init() {
    StoreTest::init();
    Fixtures::openSampleProject(m_state);
}

ReportPreparation::Report TestReceiptInserts::projectReport() {
    if (DbResult r = ReportPreparation::prepare(*m_store, m_state, ReportKind::VehicleData); !r)
        qFatal("%s", qPrintable(r.message()));
    return ReportPreparation::create(*m_store, m_state, ReportKind::VehicleData);
}

void TestReceiptInserts::purchasedLinesCarryTheirReceiptsAfterTheirBlock() {
    ReportPreparation::Report report = projectReport();
    int bought = -1;
    int notBought = -1;
    for (int r = 0; r < report.data.rows.size(); ++r) {
        (purchased(report.data.rows[r]) ? bought : notBought) = r;
        if (bought >= 0 && notBought >= 0)
            break;
    }
    QVERIFY(bought >= 0 && notBought >= 0);
    AttachmentStore attachments(*m_store);
    const auto lineOf = [&](int r) {
        return attachments
            .lineId(report.data.rows[r].value("Part_Name").toString(),
                    report.data.rows[r].value("Sequence_Number").toString())
            .value_or(0);
    };
    const qint64 boughtLine = lineOf(bought);
    const qint64 otherLine = lineOf(notBought);
    QVERIFY(boughtLine > 0 && otherLine > 0);

    const QList<PreparedAttachment> files = {
        attachment("photo.png", "image/png", png({400, 200})),
        attachment("invoice.pdf", "application/pdf", letterPdf(2)),
        attachment("bent l'image.png", "image/png", "this is not a picture"),
        attachment("torn receipt.pdf", "application/pdf", "%PDF-1.4\nnot much else"),
        attachment("notes – Zündung.txt", "text/plain", "torque figures"),
    };
    for (const PreparedAttachment& f : files)
        QVERIFY(attachments.store(boughtLine, f));
    // A line not yet purchased prints no receipts.
    QVERIFY(attachments.store(otherLine, attachment("quote.png", "image/png", png({123, 45}))));

    ReportRenderer plain(report.layout, report.data, report.captions);
    ReportRenderer withReceipts(report.layout, report.data, report.captions);
    withReceipts.setInserts(ReceiptInserts::build(*m_store, withReceipts.data()));
    // Each PDF page is nearly a page of its own; the photo and the list need room too.
    QVERIFY2(
        withReceipts.pageCount() >= plain.pageCount() + 2,
        qPrintable(
            QStringLiteral("%1 against %2").arg(withReceipts.pageCount()).arg(plain.pageCount())));

    RecordingPaintDevice device;
    device.record(withReceipts);
    QList<RecordingPaintDevice::Picture> photos;
    QList<RecordingPaintDevice::Picture> pdfPages;
    for (const RecordingPaintDevice::Picture& p : device.pictures) {
        QVERIFY(p.size != QSize(123, 45));
        if (p.size == QSize(400, 200))
            photos << p;
        else if (p.size.height() > p.size.width() && p.size.width() > 1000)
            pdfPages << p;
    }
    QCOMPARE(photos.size(), 1);
    QCOMPARE(pdfPages.size(), 2);
    // Scaled to the body's width, proportions kept, inside the page's margins.
    const QRectF photo = photos.first().box;
    QCOMPARE(qRound(photo.width()), withReceipts.layout().width);
    QCOMPARE(qRound(photo.height()), withReceipts.layout().width / 2);
    for (const RecordingPaintDevice::Picture& p : pdfPages + photos) {
        QVERIFY(p.box.left() >= ReportRenderer::kMargin - 1);
        QVERIFY(p.box.right() <= ReportRenderer::kPageWidth - ReportRenderer::kMargin + 1);
        QVERIFY(p.box.bottom() <= ReportRenderer::kPageHeight - ReportRenderer::kMargin + 1);
        QVERIFY(qAbs(p.box.width() / p.box.height() - double(p.size.width()) / p.size.height()) <
                0.01);
    }
    // In the order stored, and the PDF's pages on pages of their own.
    QVERIFY(photos.first().page <= pdfPages[0].page);
    QCOMPARE(pdfPages[1].page, pdfPages[0].page + 1);

    // Damaged files and the other attachments are named, after the pictures.
    const QStringList texts = device.allTexts();
    const QString all = texts.join(' ');
    QVERIFY2(all.contains("bent l'image.png"), qPrintable(all.right(400)));
    QVERIFY(all.contains("torn receipt.pdf"));
    QVERIFY(all.contains("notes – Zündung.txt"));
    QVERIFY(!all.contains("quote.png"));
    const RecordingPaintDevice::Text* named = nullptr;
    for (const RecordingPaintDevice::Text& t : device.texts)
        if (t.text.contains("torn receipt.pdf"))
            named = &t;
    QVERIFY(named);
    QVERIFY(named->page >= pdfPages[1].page);
    // The line's own block comes before its receipts.
    const QString partName = report.data.rows[bought].value("Part_Name").toString();
    const RecordingPaintDevice::Text* block = device.find(partName);
    QVERIFY(block);
    QVERIFY(block->page < photos.first().page ||
            (block->page == photos.first().page && block->at.y() < photo.top()));
}

void TestReceiptInserts::aReportWithoutReceiptsIsUnchanged() {
    ReportPreparation::Report report = projectReport();
    ReportRenderer plain(report.layout, report.data, report.captions);
    ReportRenderer empty(report.layout, report.data, report.captions);
    // No attachments anywhere: nothing is added, not even an empty list.
    empty.setInserts(ReceiptInserts::build(*m_store, empty.data()));
    QCOMPARE(empty.pageCount(), plain.pageCount());
    RecordingPaintDevice a;
    RecordingPaintDevice b;
    a.record(plain);
    b.record(empty);
    QCOMPARE(b.transcript(), a.transcript());
}

void TestReceiptInserts::damagedPdfGivesNoPages_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("pages");
    const QByteArray good = letterPdf(3);
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("not a PDF") << QByteArray("hello") << 0;
    QTest::newRow("header only") << QByteArray("%PDF-1.7\n%%EOF\n") << 0;
    QTest::newRow("a picture") << png({10, 10}) << 0;
    QTest::newRow("three pages") << good << 3;
}

void TestReceiptInserts::damagedPdfGivesNoPages() {
    QFETCH(QByteArray, data);
    QFETCH(int, pages);
    const QList<QImage> images = ReceiptInserts::pdfPages(data);
    QCOMPARE(images.size(), pages);
    for (const QImage& image : images)
        QVERIFY(!image.isNull());
}

QTEST_MAIN(TestReceiptInserts)
#include "test_receiptinserts.moc"
