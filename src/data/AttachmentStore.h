#pragma once

#include "DbResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

class DataStore;

// What is known of one attachment without reading its contents.
struct AttachmentInfo {
    qint64 id = 0;
    qint64 lineId = 0;
    QString fileName;
    QString mimeType;
    qint64 size = 0;
    QDateTime added;  // UTC
    QString checksum; // SHA-256, hex

    bool isImage() const { return mimeType.startsWith(QStringLiteral("image/")); }
    bool isPdf() const { return mimeType == u"application/pdf"; }
};

// A file read from disk and checked, ready to be stored: everything that can
// go wrong with the file itself has gone wrong (or not) by the time one
// exists, so storing it is a database matter only.
struct PreparedAttachment {
    QString fileName;
    QString mimeType;
    QByteArray data;
    QString checksum;
    QByteArray thumbnail; // PNG; empty for files that are not (readable) images
};

// Receipts, photos and any other files kept with a part line, inside the
// database. Contents live in a table of their own, so listing a line's
// attachments never reads file data; a line's attachments go when the line
// goes (the schema's triggers), whichever command deletes it.
class AttachmentStore {
public:
    static constexpr qint64 kMaxBytes = 25 * 1024 * 1024;
    static constexpr int kThumbnailSize = 64;

    explicit AttachmentStore(DataStore& store);

    // The stable key of the part line with this part name and sequence
    // number; empty when there is none.
    std::optional<qint64> lineId(const QString& partName, const QString& sequence,
                                 DbResult* error = nullptr);

    // Reads and checks a file chosen by the user. The message names the file
    // and says what is wrong: a folder, gone, unreadable, empty, over 25 MB.
    static std::optional<PreparedAttachment> prepare(const QString& path, QString* message);

    // Stores a prepared file with the line, contents and description
    // together or not at all.
    DbResult store(qint64 lineId, const PreparedAttachment& file, qint64* id = nullptr);
    // prepare() and store() in one.
    DbResult add(qint64 lineId, const QString& path, qint64* id = nullptr);

    QList<AttachmentInfo> list(qint64 lineId, DbResult* error = nullptr);
    // The statement list() runs, with the line's key as its one parameter:
    // it reads the descriptions alone, through the index on the line.
    static QString listStatement();
    std::optional<AttachmentInfo> info(qint64 id, DbResult* error = nullptr);
    // The contents, checked against the stored checksum.
    DbResult read(qint64 id, QByteArray* data);
    // Writes the contents to a file, replacing it only once fully written.
    DbResult saveAs(qint64 id, const QString& target);
    DbResult remove(qint64 id);

    // The stored thumbnail of an image attachment (null for other files and
    // for images that could not be read); each is decoded once and kept.
    QImage thumbnail(qint64 id);

    // A file name fit for a folder of the user's: the stored name without
    // folder parts or characters the file system refuses.
    static QString safeFileName(const QString& name);

private:
    DataStore& m_store;
    QHash<qint64, QImage> m_thumbnails;
};
