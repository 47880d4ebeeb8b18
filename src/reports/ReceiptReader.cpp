#include "ReceiptReader.h"

#include "AttachmentStore.h"
#include "DataStore.h"

#include <QBuffer>
#include <QImageReader>
#include <QPdfDocument>

namespace {

// `size` is the picture as it is shown, turned upright; the file may store
// it on its side.
QImage decode(const QByteArray& data, QSize size) {
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (size.isValid()) {
        const bool onItsSide =
            reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        const QSize stored = onItsSide ? size.transposed() : size;
        if (reader.size().isValid() && reader.size() != stored)
            reader.setScaledSize(stored);
    }
    return reader.read();
}

} // namespace

ReceiptReader::ReceiptReader(DataStore& store)
    : m_store(store) {}

ReceiptReader::~ReceiptReader() = default;

QSize ReceiptReader::imageSize(const QByteArray& data) {
    // Decoded in full once, so that a picture cut short is named as damaged
    // when the report is made rather than missing when it is printed.
    const QImage image = decode(data, QSize());
    if (image.isNull())
        return {};
    QSize size = image.size();
    if (size.width() > kMaxImageSide || size.height() > kMaxImageSide)
        size = size.scaled(kMaxImageSide, kMaxImageSide, Qt::KeepAspectRatio);
    return size;
}

QList<QSize> ReceiptReader::pdfPageSizes(const QByteArray& data) {
    QByteArray copy = data;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() <= 0)
        return {};
    QList<QSize> sizes;
    for (int i = 0; i < document.pageCount(); ++i) {
        const QSize pixels = (document.pagePointSize(i) * kPdfDpi / 72.0).toSize();
        if (pixels.isEmpty())
            return {};
        sizes << pixels;
    }
    return sizes;
}

const QImage* ReceiptReader::findKept(qint64 attachment, int page) {
    for (qsizetype i = 0; i < m_kept.size(); ++i)
        if (m_kept[i].attachment == attachment && m_kept[i].page == page) {
            m_kept.move(i, 0);
            return &m_kept.first().image;
        }
    return nullptr;
}

QImage ReceiptReader::keep(qint64 attachment, int page, QImage image) {
    if (image.isNull())
        return image;
    m_kept.prepend({attachment, page, image});
    while (m_kept.size() > kKept)
        m_kept.removeLast();
    return image;
}

QImage ReceiptReader::image(qint64 attachment, QSize size) {
    if (const QImage* kept = findKept(attachment, -1))
        return *kept;
    QByteArray data;
    if (!AttachmentStore(m_store).read(attachment, &data))
        return {};
    return keep(attachment, -1, decode(data, size));
}

bool ReceiptReader::openPdf(qint64 attachment) {
    if (m_pdf && m_pdfAttachment == attachment)
        return true;
    m_pdf.reset();
    m_pdfBuffer.reset();
    m_pdfData.clear();
    m_pdfAttachment = -1;
    QByteArray data;
    if (!AttachmentStore(m_store).read(attachment, &data))
        return false;
    m_pdfData = std::move(data);
    m_pdfBuffer = std::make_unique<QBuffer>(&m_pdfData);
    if (!m_pdfBuffer->open(QIODevice::ReadOnly))
        return false;
    m_pdf = std::make_unique<QPdfDocument>();
    m_pdf->load(m_pdfBuffer.get());
    if (m_pdf->status() != QPdfDocument::Status::Ready) {
        m_pdf.reset();
        return false;
    }
    m_pdfAttachment = attachment;
    return true;
}

QImage ReceiptReader::pdfPage(qint64 attachment, int page, QSize size) {
    if (const QImage* kept = findKept(attachment, page))
        return *kept;
    if (size.isEmpty() || !openPdf(attachment) || page < 0 || page >= m_pdf->pageCount())
        return {};
    return keep(attachment, page, m_pdf->render(page, size));
}
