#pragma once

#include "ReportPicture.h"

#include <memory>

class ReceiptReader;

// One printed receipt picture: an image attachment, or one page of a PDF
// attachment, made by the report's reader when its page is painted.
class ReceiptPicture : public ReportPicture {
public:
    // `page` is -1 for an image attachment.
    ReceiptPicture(std::shared_ptr<ReceiptReader> reader, qint64 attachment, int page, QSize size);

    QSize size() const override { return m_size; }
    QImage image() const override;

    const ReceiptReader& reader() const { return *m_reader; }

private:
    std::shared_ptr<ReceiptReader> m_reader;
    qint64 m_attachment;
    int m_page;
    QSize m_size;
};
