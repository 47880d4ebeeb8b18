#include "ReceiptInserts.h"

#include "AttachmentStore.h"
#include "DataStore.h"
#include "ReceiptPicture.h"
#include "ReceiptReader.h"

namespace {

bool isPurchased(const ReportData::Row& row) {
    const QVariant v = row.value(QStringLiteral("Purchased"));
    if (v.metaType().id() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toLower();
        return t == u"true" || t == u"yes" || t == u"1" || t == u"-1";
    }
    return v.toBool();
}

} // namespace

QHash<int, QList<ReportInsert>> ReceiptInserts::build(DataStore& store, const ReportData& data) {
    QHash<int, QList<ReportInsert>> out;
    AttachmentStore attachments(store);
    // Each receipt is read once here, to know its size and that it can be
    // shown, and again only when its page is painted.
    const auto reader = std::make_shared<ReceiptReader>(store);
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
                const QSize size = ReceiptReader::imageSize(contents);
                if (!size.isValid()) {
                    unreadable << file.fileName;
                    continue;
                }
                inserts.append({std::make_shared<ReceiptPicture>(reader, file.id, -1, size), {}});
            } else {
                const QList<QSize> pages = ReceiptReader::pdfPageSizes(contents);
                if (pages.isEmpty()) {
                    unreadable << file.fileName;
                    continue;
                }
                for (int page = 0; page < pages.size(); ++page)
                    inserts.append(
                        {std::make_shared<ReceiptPicture>(reader, file.id, page, pages[page]), {}});
            }
        }
        QStringList lines;
        if (!others.isEmpty())
            lines << QStringLiteral("Other attachments: %1").arg(others.join(QStringLiteral(", ")));
        if (!unreadable.isEmpty())
            lines << QStringLiteral("Receipts that could not be shown (damaged): %1")
                         .arg(unreadable.join(QStringLiteral(", ")));
        if (!lines.isEmpty())
            inserts.append({nullptr, lines});
        if (!inserts.isEmpty())
            out.insert(r, inserts);
    }
    return out;
}
