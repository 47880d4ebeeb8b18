#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

#include <memory>

class DataStore;
class QBuffer;
class QPdfDocument;

// Reads a report's receipts from the database when their pages are painted.
// Only the PDF last read and the last few pictures made are kept, so the
// memory a report takes does not grow with the number of its receipts.
class ReceiptReader {
public:
    // PDF pages are made at this resolution: enough for a till receipt's
    // small print (a Letter page is about 1275 by 1650 pixels).
    static constexpr qreal kPdfDpi = 150;
    // Photos are made no larger than this on their longer side: more than
    // the printed body's width needs at 300 dots per inch.
    static constexpr int kMaxImageSide = 2400;
    // Pictures kept after they are made: a preview repaints the page it
    // shows and its neighbours.
    static constexpr int kKept = 4;

    explicit ReceiptReader(DataStore& store);
    ~ReceiptReader();
    ReceiptReader(const ReceiptReader&) = delete;
    ReceiptReader& operator=(const ReceiptReader&) = delete;

    // The size an image attachment is printed at; invalid when the data is
    // not a picture that can be decoded in full.
    static QSize imageSize(const QByteArray& data);
    // The size of each page of a PDF in pixels; empty when it cannot be
    // read or has no pages.
    static QList<QSize> pdfPageSizes(const QByteArray& data);

    // The pictures, read again from the database; null when the attachment
    // is gone or can no longer be read.
    QImage image(qint64 attachment, QSize size);
    QImage pdfPage(qint64 attachment, int page, QSize size);

    // How many pictures are held now (at most kKept).
    int keptCount() const { return int(m_kept.size()); }

private:
    struct Kept {
        qint64 attachment = 0;
        int page = -1; // -1 for an image attachment
        QImage image;
    };
    const QImage* findKept(qint64 attachment, int page);
    QImage keep(qint64 attachment, int page, QImage image);
    bool openPdf(qint64 attachment);

    DataStore& m_store;
    QList<Kept> m_kept; // the most recently used first
    qint64 m_pdfAttachment = -1;
    QByteArray m_pdfData;
    std::unique_ptr<QBuffer> m_pdfBuffer;
    std::unique_ptr<QPdfDocument> m_pdf;
};
