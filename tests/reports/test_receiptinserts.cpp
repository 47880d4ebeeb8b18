#include "AppState.h"
#include "AttachmentStore.h"
#include "ReceiptInserts.h"
#include "ReceiptPicture.h"
#include "ReceiptReader.h"
#include "RecordingPaintDevice.h"
#include "ReportPreparation.h"
#include "ReportRenderer.h"
#include "StoreTest.h"

#include <QBuffer>
#include <QFontMetricsF>
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
    return row.value("Purchased").toBool() || row.value("Purchased").toString().toLower() == "true";
}

const QSize kPdfPage(1275, 1650); // Letter at the resolution the pages are made at

} // namespace

class TestReceiptInserts : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void purchasedLinesCarryTheirReceiptsAfterTheirBlock();
    void damagedPdfGivesNoPages_data();
    void damagedPdfGivesNoPages();
    void longListsOfNamesWrapAndContinue();
    void fewPdfPagesAreKeptAndGoneOnesAreMarked();

private:
    ReportPreparation::Report projectReport();
    // The first row of the report that is (or is not) purchased, and its line's key.
    std::pair<int, qint64> lineOf(const ReportPreparation::Report& report, bool bought = true);
    // The report painted with its receipts.
    std::unique_ptr<RecordingPaintDevice> paint(ReportRenderer& renderer);

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

std::pair<int, qint64> TestReceiptInserts::lineOf(const ReportPreparation::Report& report,
                                                  bool bought) {
    for (int r = 0; r < report.data.rows.size(); ++r) {
        const ReportData::Row& row = report.data.rows[r];
        if (purchased(row) != bought)
            continue;
        if (const auto line = AttachmentStore(*m_store).lineId(
                row.value("Part_Name").toString(), row.value("Sequence_Number").toString()))
            return {r, *line};
    }
    qFatal("the sample project lacks such a line");
}

std::unique_ptr<RecordingPaintDevice> TestReceiptInserts::paint(ReportRenderer& renderer) {
    renderer.setInserts(ReceiptInserts::build(*m_store, renderer.data()));
    auto device = std::make_unique<RecordingPaintDevice>();
    device->record(renderer);
    return device;
}

void TestReceiptInserts::purchasedLinesCarryTheirReceiptsAfterTheirBlock() {
    ReportPreparation::Report report = projectReport();
    const auto [bought, boughtLine] = lineOf(report);
    const QDateTime printed = QDateTime::currentDateTime();
    ReportRenderer plain(report.layout, report.data, report.captions, printed);
    RecordingPaintDevice bare;
    bare.record(plain);
    // No attachments anywhere: nothing is added, not even an empty list.
    ReportRenderer none(report.layout, report.data, report.captions, printed);
    QCOMPARE(paint(none)->transcript(), bare.transcript());

    AttachmentStore attachments(*m_store);
    for (const PreparedAttachment& f : {
             attachment("photo.png", "image/png", png({400, 200})),
             attachment("invoice.pdf", "application/pdf", letterPdf(2)),
             attachment("bent l'image.png", "image/png", "this is not a picture"),
             attachment("torn receipt.pdf", "application/pdf", "%PDF-1.4\nnot much else"),
             attachment("notes – Zündung.txt", "text/plain", "torque figures"),
         })
        QVERIFY(attachments.store(boughtLine, f));
    // A line not yet purchased prints no receipts.
    QVERIFY(attachments.store(lineOf(report, false).second,
                              attachment("quote.png", "image/png", png({123, 45}))));

    ReportRenderer withReceipts(report.layout, report.data, report.captions);
    const auto device = paint(withReceipts);
    // Each PDF page is nearly a page of its own; the photo and the list need room too.
    QVERIFY(withReceipts.pageCount() >= plain.pageCount() + 2);
    QList<RecordingPaintDevice::Picture> photos;
    QList<RecordingPaintDevice::Picture> pdfPages;
    for (const RecordingPaintDevice::Picture& p : device->pictures) {
        QVERIFY(p.size != QSize(123, 45));
        if (p.size == QSize(400, 200))
            photos << p;
        else if (p.size == kPdfPage)
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
    const QString all = device->allTexts().join(' ');
    for (const char* name : {"bent l'image.png", "torn receipt.pdf", "notes – Zündung.txt"})
        QVERIFY(all.contains(QString::fromUtf8(name)));
    QVERIFY(!all.contains("quote.png"));
    // The line's own block comes before its receipts.
    const auto* block = device->find(report.data.rows[bought].value("Part_Name").toString());
    QVERIFY(block);
    QVERIFY(block->page < photos.first().page ||
            (block->page == photos.first().page && block->at.y() < photo.top()));
}

void TestReceiptInserts::damagedPdfGivesNoPages_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("not a PDF") << QByteArray("hello") << 0;
    QTest::newRow("header only") << QByteArray("%PDF-1.7\n%%EOF\n") << 0;
    QTest::newRow("three pages") << letterPdf(3) << 3;
}

void TestReceiptInserts::damagedPdfGivesNoPages() {
    QFETCH(QByteArray, data);
    QFETCH(int, pages);
    QCOMPARE(ReceiptReader::pdfPageSizes(data), QList<QSize>(pages, kPdfPage));
}

void TestReceiptInserts::longListsOfNamesWrapAndContinue() {
    ReportPreparation::Report report = projectReport();
    const auto [row, line] = lineOf(report);
    AttachmentStore attachments(*m_store);
    QStringList names;
    for (int i = 0; i < 260; ++i) {
        names
            << QStringLiteral("invoice_%1_from_the_parts_supplier.txt").arg(i, 4, 10, QChar(u'0'));
        QVERIFY(attachments.store(line, attachment(names.last(), "text/plain", "paid")));
    }
    ReportRenderer withList(report.layout, report.data, report.captions);
    const auto device = paint(withList);

    // Every name is printed whole, on lines inside the body, none over another.
    QStringList listed;
    QList<int> pages;
    qreal lastY = -1;
    for (const RecordingPaintDevice::Text& t : device->texts) {
        if (!t.text.contains(QStringLiteral("_from_the_parts_supplier.txt")))
            continue;
        const qreal width = QFontMetricsF(t.font).horizontalAdvance(t.text);
        QVERIFY(t.at.x() + width <= ReportRenderer::kMargin + withList.layout().width + 1);
        QVERIFY(t.at.y() < ReportRenderer::kPageHeight - ReportRenderer::kMargin);
        if (!pages.isEmpty() && t.page == pages.last())
            QVERIFY(t.at.y() > lastY);
        else
            pages << t.page;
        lastY = t.at.y();
        for (const QString& part : t.text.split(u' '))
            if (part.contains(u'.'))
                listed << part.chopped(part.endsWith(u',') ? 1 : 0);
    }
    QCOMPARE(listed, names);
    // Longer than a page, the list begins right below its line's block,
    // not on a page of its own.
    QVERIFY(pages.size() > 1);
    QCOMPARE(pages.first(),
             device->find(report.data.rows[row].value("Part_Name").toString())->page);
}

void TestReceiptInserts::fewPdfPagesAreKeptAndGoneOnesAreMarked() {
    ReportPreparation::Report report = projectReport();
    const auto [row, line] = lineOf(report);
    AttachmentStore attachments(*m_store);
    constexpr int kPages = 9;
    qint64 pdf = 0;
    qint64 photo = 0;
    QVERIFY(attachments.store(line, attachment("manual.pdf", "application/pdf", letterPdf(kPages)),
                              &pdf));
    QVERIFY(attachments.store(line, attachment("photo.png", "image/png", png({300, 600})), &photo));
    // The line alone, so that the pages can be counted exactly.
    report.data.rows = {report.data.rows[row]};

    ReportRenderer withReceipts(report.layout, report.data, report.captions);
    const QHash<int, QList<ReportInsert>> inserts =
        ReceiptInserts::build(*m_store, withReceipts.data());
    QCOMPARE(inserts.value(0).size(), kPages + 1);
    const auto* picture =
        dynamic_cast<const ReceiptPicture*>(inserts.value(0).last().picture.get());
    QVERIFY(picture);
    const ReceiptReader* reader = &picture->reader();
    withReceipts.setInserts(inserts);
    // One PDF page per report page, and the photo (twice as high as wide,
    // so a page of its own) on one more.
    QCOMPARE(withReceipts.pageCount(), 1 + kPages + 1);
    // A second copy of the report, made before its receipts are deleted.
    ReportRenderer stale(report.layout, report.data, report.captions);
    stale.setInserts(ReceiptInserts::build(*m_store, stale.data()));

    RecordingPaintDevice device;
    device.record(withReceipts);
    QList<int> receiptPages;
    for (const RecordingPaintDevice::Picture& p : device.pictures)
        if (p.size == kPdfPage || p.size == QSize(300, 600))
            receiptPages << p.page;
    QCOMPARE(receiptPages, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QVERIFY(reader->keptCount() <= ReceiptReader::kKept);

    // Gone by the time the stale copy is painted: its pages stay, each marked.
    QVERIFY(attachments.remove(pdf));
    QVERIFY(attachments.remove(photo));
    RecordingPaintDevice gone;
    gone.record(stale);
    QCOMPARE(stale.pageCount(), withReceipts.pageCount());
    for (const RecordingPaintDevice::Picture& p : gone.pictures)
        QVERIFY(p.size != kPdfPage && p.size != QSize(300, 600));
    QCOMPARE(gone.allTexts().count(QStringLiteral("This receipt can no longer be read.")),
             kPages + 1);
}

QTEST_MAIN(TestReceiptInserts)
#include "test_receiptinserts.moc"
