#include "AttachmentStore.h"

#include "DataStore.h"
#include "Transaction.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QSqlQuery>

namespace {

const QString kAttachments = QStringLiteral("RSLAttachments");
const QString kData = QStringLiteral("RSLAttachmentData");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString sha256(const QByteArray& data) {
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

QByteArray makeThumbnail(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && full.width() > AttachmentStore::kThumbnailSize * 4)
        reader.setScaledSize(full.scaled(AttachmentStore::kThumbnailSize * 2,
                                         AttachmentStore::kThumbnailSize * 2, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    const QImage small =
        image.scaled(AttachmentStore::kThumbnailSize, AttachmentStore::kThumbnailSize,
                     Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    if (!small.save(&out, "PNG"))
        return {};
    return png;
}

AttachmentInfo infoFrom(const QSqlQuery& q) {
    AttachmentInfo a;
    a.id = q.value(0).toLongLong();
    a.lineId = q.value(1).toLongLong();
    a.fileName = q.value(2).toString();
    a.mimeType = q.value(3).toString();
    a.size = q.value(4).toLongLong();
    a.added = QDateTime::fromString(q.value(5).toString(), Qt::ISODate);
    a.checksum = q.value(6).toString();
    return a;
}

const QString kInfoColumns = QStringLiteral(
    "Attachment_id, Line_id, File_name, Mime_type, Size_bytes, Date_added, Checksum");

} // namespace

AttachmentStore::AttachmentStore(DataStore& store)
    : m_store(store) {}

std::optional<qint64> AttachmentStore::lineId(const QString& partName, const QString& sequence,
                                              DbResult* error) {
    bool ok = false;
    const qint64 number = sequence.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    std::optional<qint64> id;
    const DbResult r = m_store.query(
        QStringLiteral("SELECT Line_id FROM RSLMaster WHERE Part_Name = ? AND Sequence_Number = ? "
                       "ORDER BY Line_id LIMIT 1"),
        {partName, number}, [&](const QSqlQuery& q) { id = q.value(0).toLongLong(); });
    if (error)
        *error = r;
    return id;
}

std::optional<PreparedAttachment> AttachmentStore::prepare(const QString& path, QString* message) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    auto refuse = [&](const QString& why) -> std::optional<PreparedAttachment> {
        if (message)
            *message = why;
        return std::nullopt;
    };
    if (!info.exists())
        return refuse(QStringLiteral("The file \"%1\" is no longer there; it may have been moved "
                                     "or deleted after it was chosen. Nothing was attached.")
                          .arg(shown(path)));
    if (info.isDir())
        return refuse(
            QStringLiteral("\"%1\" is a folder. Only files can be attached.").arg(shown(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("The file \"%1\" cannot be read (%2). Nothing was attached.")
                          .arg(shown(path), file.errorString()));
    // Read at most one byte past the limit: the size on disk may change
    // between looking and reading.
    const QByteArray data = file.read(kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("The file \"%1\" cannot be read (%2). Nothing was attached.")
                          .arg(shown(path), file.errorString()));
    if (data.isEmpty())
        return refuse(QStringLiteral("The file \"%1\" is empty (0 bytes), so there is nothing to "
                                     "attach.")
                          .arg(shown(path)));
    if (data.size() > kMaxBytes)
        return refuse(
            QStringLiteral("The file \"%1\" is %2 MB. An attachment can be at most 25 MB; "
                           "nothing was attached.")
                .arg(shown(path))
                .arg(double(std::max<qint64>(info.size(), data.size())) / (1024 * 1024), 0, 'f',
                     1));
    PreparedAttachment a;
    a.fileName = name;
    a.mimeType = QMimeDatabase().mimeTypeForFileNameAndData(name, data).name();
    a.checksum = sha256(data);
    if (a.mimeType.startsWith(QStringLiteral("image/")))
        a.thumbnail = makeThumbnail(data);
    a.data = data;
    return a;
}

DbResult AttachmentStore::store(qint64 lineId, const PreparedAttachment& file, qint64* id) {
    Transaction tx(m_store);
    if (!tx.status())
        return tx.status();
    bool lineExists = false;
    if (DbResult r = m_store.query(QStringLiteral("SELECT 1 FROM RSLMaster WHERE Line_id = ?"),
                                   {lineId}, [&](const QSqlQuery&) { lineExists = true; });
        !r)
        return r;
    if (!lineExists)
        return DbResult::failure(DbErrorKind::NoCurrentRow,
                                 QStringLiteral("This part line no longer exists, so \"%1\" was "
                                                "not attached.")
                                     .arg(file.fileName));
    const QString added = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    if (DbResult r = m_store.execute(
            kAttachments,
            QStringLiteral("INSERT INTO RSLAttachments (Line_id, File_name, Mime_type, "
                           "Size_bytes, Date_added, Checksum, Thumbnail) VALUES (?, ?, ?, ?, ?, "
                           "?, ?)"),
            {lineId, file.fileName, file.mimeType, qint64(file.data.size()), added, file.checksum,
             file.thumbnail.isEmpty() ? QVariant(QMetaType::fromType<QByteArray>())
                                      : QVariant(file.thumbnail)});
        !r)
        return r;
    qint64 newId = 0;
    if (DbResult r = m_store.query(QStringLiteral("SELECT last_insert_rowid()"), {},
                                   [&](const QSqlQuery& q) { newId = q.value(0).toLongLong(); });
        !r)
        return r;
    if (DbResult r = m_store.execute(
            kData,
            QStringLiteral("INSERT INTO RSLAttachmentData (Attachment_id, Data) VALUES (?, ?)"),
            {newId, file.data});
        !r)
        return r;
    if (DbResult r = tx.commit(); !r)
        return r;
    if (id)
        *id = newId;
    return DbResult::success();
}

DbResult AttachmentStore::add(qint64 lineId, const QString& path, qint64* id) {
    QString message;
    const std::optional<PreparedAttachment> file = prepare(path, &message);
    if (!file)
        return DbResult::failure(DbErrorKind::Other, message);
    return store(lineId, *file, id);
}

QString AttachmentStore::listStatement() {
    return QStringLiteral("SELECT ") + kInfoColumns +
           QStringLiteral(" FROM RSLAttachments WHERE Line_id = ? ORDER BY Attachment_id");
}

QList<AttachmentInfo> AttachmentStore::list(qint64 lineId, DbResult* error) {
    QList<AttachmentInfo> out;
    const DbResult r =
        m_store.query(listStatement(), {lineId}, [&](const QSqlQuery& q) { out << infoFrom(q); });
    if (error)
        *error = r;
    return out;
}

std::optional<AttachmentInfo> AttachmentStore::info(qint64 id, DbResult* error) {
    std::optional<AttachmentInfo> out;
    const DbResult r = m_store.query(QStringLiteral("SELECT ") + kInfoColumns +
                                         QStringLiteral(" FROM RSLAttachments WHERE "
                                                        "Attachment_id = ?"),
                                     {id}, [&](const QSqlQuery& q) { out = infoFrom(q); });
    if (error)
        *error = r;
    return out;
}

DbResult AttachmentStore::read(qint64 id, QByteArray* data) {
    DbResult error;
    const std::optional<AttachmentInfo> a = info(id, &error);
    if (!error)
        return error;
    if (!a)
        return DbResult::failure(DbErrorKind::NoCurrentRow,
                                 QStringLiteral("This attachment no longer exists."));
    bool found = false;
    if (DbResult r = m_store.query(
            QStringLiteral("SELECT Data FROM RSLAttachmentData WHERE Attachment_id = ?"), {id},
            [&](const QSqlQuery& q) {
                *data = q.value(0).toByteArray();
                found = true;
            });
        !r)
        return r;
    if (!found || sha256(*data) != a->checksum) {
        data->clear();
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("The attachment \"%1\" is damaged in the database "
                                                "(its contents do not match what was stored).")
                                     .arg(a->fileName));
    }
    return DbResult::success();
}

DbResult AttachmentStore::saveAs(qint64 id, const QString& target) {
    QByteArray data;
    if (DbResult r = read(id, &data); !r)
        return r;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("The file \"%1\" could not be written (%2).")
                                     .arg(shown(target), out.errorString()));
    return DbResult::success();
}

DbResult AttachmentStore::remove(qint64 id) {
    m_thumbnails.remove(id);
    // The contents go with the description (trigger).
    return m_store.execute(
        kAttachments, QStringLiteral("DELETE FROM RSLAttachments WHERE Attachment_id = ?"), {id});
}

QImage AttachmentStore::thumbnail(qint64 id) {
    if (auto it = m_thumbnails.constFind(id); it != m_thumbnails.cend())
        return *it;
    QImage image;
    ignoreError(m_store.query(
        QStringLiteral("SELECT Thumbnail FROM RSLAttachments WHERE Attachment_id = ?"), {id},
        [&](const QSqlQuery& q) {
            const QByteArray png = q.value(0).toByteArray();
            if (!png.isEmpty())
                image.loadFromData(png, "PNG");
        }));
    m_thumbnails.insert(id, image);
    return image;
}

QString AttachmentStore::safeFileName(const QString& name) {
    QString out = QFileInfo(name).fileName();
    for (QChar& c : out)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32)
            c = u'_';
    if (out.isEmpty() || out == u"." || out == u"..")
        out = QStringLiteral("attachment");
    return out;
}
