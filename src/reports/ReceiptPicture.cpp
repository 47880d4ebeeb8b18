#include "ReceiptPicture.h"

#include "ReceiptReader.h"

ReceiptPicture::ReceiptPicture(std::shared_ptr<ReceiptReader> reader, qint64 attachment, int page,
                               QSize size)
    : m_reader(std::move(reader))
    , m_attachment(attachment)
    , m_page(page)
    , m_size(size) {}

QImage ReceiptPicture::image() const {
    return m_page < 0 ? m_reader->image(m_attachment, m_size)
                      : m_reader->pdfPage(m_attachment, m_page, m_size);
}
