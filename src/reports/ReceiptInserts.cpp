#include "ReceiptInserts.h"

#include "AttachmentStore.h"
#include "DataStore.h"

#include <QBuffer>
#include <QPdfDocument>

namespace {

// Enough for a till receipt's small print, small enough that a long PDF does
// not fill the memory: a Letter page is about 1275 by 1650 pixels.
constexpr qreal kPdfDpi = 150;

bool isPurchased(const ReportData::Row& row) {
    const QVariant v = row.value(QStringLiteral("Purchased"));
    if (v.metaType().id() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        return t == u"true" || t == u"yes" || t == u"1" || t == u"-1";
    }
    return v.toBool();
}

} // namespace

QList<QImage> ReceiptInserts::pdfPages(const QByteArray& pdf) {
    QByteArray copy = pdf;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() <= 0)
        return {};
    QList<QImage> pages;
    for (int i = 0; i < document.pageCount(); ++i) {
        const QSizeF points = document.pagePointSize(i);
        const QSize pixels = (points * kPdfDpi / 72.0).toSize();
        if (pixels.isEmpty())
            return {};
        QImage page = document.render(i, pixels);
        if (page.isNull())
            return {};
        pages << page;
    }
    return pages;
}

QHash<int, QList<ReportInsert>> ReceiptInserts::build(DataStore& store, const ReportData& data) {
    QHash<int, QList<ReportInsert>> out;
    AttachmentStore attachments(store);
    for (int r = 0; r < data.rows.size(); ++r) {
        const ReportData::Row& row = data.rows[r];
        if (!isPurchased(row))
            continue;
        const std::optional<qint64> lineId =
            attachments.lineId(row.value(QStringLiteral("Part_Name")).toString(),
                               row.value(QStringLiteral("Sequence_Number")).toString());
        if (!lineId)
            continue;
        const QList<AttachmentInfo> files = attachments.list(*lineId);
        QList<ReportInsert> inserts;
        QStringList others;
        QStringList unreadable;
        for (const AttachmentInfo& file : files) {
            if (!file.isImage() && !file.isPdf()) {
                others << file.fileName;
                continue;
            }
            QByteArray contents;
            if (!attachments.read(file.id, &contents)) {
                unreadable << file.fileName;
                continue;
            }
            if (file.isImage()) {
                QImage image;
                if (!image.loadFromData(contents) || image.isNull()) {
                    unreadable << file.fileName;
                    continue;
                }
                inserts.append({image, {}});
            } else {
                const QList<QImage> pages = pdfPages(contents);
                if (pages.isEmpty()) {
                    unreadable << file.fileName;
                    continue;
                }
                for (const QImage& page : pages)
                    inserts.append({page, {}});
            }
        }
        QStringList lines;
        if (!others.isEmpty())
            lines << QStringLiteral("Other attachments: %1").arg(others.join(QStringLiteral(", ")));
        if (!unreadable.isEmpty())
            lines << QStringLiteral("Receipts that could not be shown (damaged): %1")
                         .arg(unreadable.join(QStringLiteral(", ")));
        if (!lines.isEmpty())
            inserts.append({QImage(), lines});
        if (!inserts.isEmpty())
            out.insert(r, inserts);
    }
    return out;
}
