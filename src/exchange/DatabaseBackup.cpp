#include "DatabaseBackup.h"

#include "DataStore.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kStamp = QStringLiteral("yyyyMMdd-HHmmss");

// Makes the rename itself durable: until the folder's entry reaches the
// disk, a power cut could bring the old file back.
void syncFolder(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString whyNotWritten(const DbResult& r) {
    switch (r.kind()) {
    case DbErrorKind::DiskFull:
        return QStringLiteral("the disk is full");
    case DbErrorKind::ReadOnly:
        return QStringLiteral("the place cannot be written to");
    default:
        return r.message();
    }
}

void removeBeside(const QString& path) {
    for (const char* suffix : {"", "-journal"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

} // namespace

DbResult DatabaseBackup::backup(DataStore& store, const QString& target) {
    const QFileInfo info(target);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral("The backup could not be written to \"%1\": the folder cannot be "
                           "written to. Choose another place.")
                .arg(shown(target)));
    const QString partial = target + QStringLiteral(".part");
    removeBeside(partial);
    if (DbResult r = store.backupTo(partial); !r) {
        removeBeside(partial);
        return DbResult::failure(r.kind(),
                                 QStringLiteral("The backup could not be written to \"%1\": %2. "
                                                "Nothing was left there.")
                                     .arg(shown(target), whyNotWritten(r)));
    }
    if (Inspection check = inspect(partial); !check.result) {
        removeBeside(partial);
        return check.result;
    }
    if (std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        removeBeside(partial);
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The backup could not be written to \"%1\".").arg(shown(target)));
    }
    return DbResult::success();
}

QString DatabaseBackup::automaticFolder(const QString& databasePath) {
    return QFileInfo(databasePath).absolutePath() + QStringLiteral("/backups");
}

DbResult DatabaseBackup::automatic(DataStore& store, int keep, const QDateTime& now,
                                   QString* written) {
    const QString folder = automaticFolder(store.path());
    if (!QDir().mkpath(folder))
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral("The backups folder \"%1\" cannot be made.").arg(shown(folder)));
    const QString base = QFileInfo(store.path()).completeBaseName();
    const QString file =
        folder + u'/' + base + u'-' + now.toString(kStamp) + QStringLiteral(".sqlite");
    if (QFileInfo::exists(file))
        return DbResult::success(); // made this very second
    if (DbResult r = backup(store, file); !r)
        return r;
    if (written)
        *written = file;
    // Names sort by their time stamp: the newest come first.
    QDir dir(folder);
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(base) + QStringLiteral("-\\d{8}-\\d{6}\\.sqlite")));
    QStringList kept;
    for (const QString& name : dir.entryList({base + QStringLiteral("-*.sqlite")}, QDir::Files,
                                             QDir::Name | QDir::Reversed))
        if (ours.match(name).hasMatch())
            kept << name;
    for (int i = qMax(keep, 1); i < kept.size(); ++i)
        dir.remove(kept[i]);
    return DbResult::success();
}

DatabaseBackup::Inspection DatabaseBackup::inspect(const QString& file) {
    Inspection out;
    const QString name = shown(file);
    auto refuse = [&](const QString& why) {
        out.result = DbResult::failure(DbErrorKind::Other, why);
        return out;
    };
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return refuse(
            QStringLiteral("The backup \"%1\" cannot be read: %2.").arg(name, f.errorString()));
    if (f.read(16) != QByteArray("SQLite format 3\0", 16))
        return refuse(
            QStringLiteral("The file \"%1\" is not a Rastrel backup: it is not a database.")
                .arg(name));
    f.close();

    static int serial = 0;
    const QString connection = QStringLiteral("backup inspection %1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            out.result =
                DbResult::failure(DbErrorKind::Other,
                                  QStringLiteral("The backup \"%1\" cannot be opened.").arg(name));
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA trusted_schema = OFF"));
            QStringList check;
            if (q.exec(QStringLiteral("PRAGMA integrity_check")))
                while (q.next())
                    check << q.value(0).toString();
            QSet<QString> tables;
            if (check == QStringList{QStringLiteral("ok")} &&
                q.exec(
                    QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'table'")))
                while (q.next())
                    tables.insert(q.value(0).toString());
            int version = 0;
            if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
                version = q.value(0).toInt();
            QString missing;
            for (const TableDef& t : Schema::tables())
                if (missing.isEmpty() && !tables.contains(t.name.toLower()))
                    missing = t.name;
            if (check != QStringList{QStringLiteral("ok")}) {
                out.result = DbResult::failure(
                    DbErrorKind::Other,
                    QStringLiteral("The backup \"%1\" is damaged (%2).")
                        .arg(name, check.isEmpty() ? QStringLiteral("it cannot be read")
                                                   : check.join(QStringLiteral("; ")).left(300)));
            } else if (!missing.isEmpty()) {
                out.result = DbResult::failure(
                    DbErrorKind::Other,
                    QStringLiteral("The file \"%1\" is not a Rastrel backup: the table %2 is "
                                   "missing.")
                        .arg(name, missing));
            } else if (version > Schema::kCurrentVersion) {
                out.result = DbResult::failure(
                    DbErrorKind::Other,
                    QStringLiteral("The backup \"%1\" was written by a newer version of Rastrel "
                                   "and cannot be restored by this one.")
                        .arg(name));
            } else if (q.exec(QStringLiteral("SELECT COUNT(*) FROM RSLVehicles")) && q.next()) {
                out.projects = q.value(0).toInt();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);

    static const QRegularExpression stamp(QStringLiteral("(\\d{8}-\\d{6})"));
    const QRegularExpressionMatch m = stamp.match(QFileInfo(file).fileName());
    if (m.hasMatch())
        out.date = QDateTime::fromString(m.captured(1), kStamp);
    if (!out.date.isValid())
        out.date = QFileInfo(file).lastModified();
    return out;
}

DbResult DatabaseBackup::replace(const QString& backup, const QString& databasePath,
                                 const QDateTime& now, QString* safetyCopy) {
    QFile source(backup);
    if (!source.open(QIODevice::ReadOnly))
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("The backup \"%1\" cannot be read: %2.")
                                     .arg(shown(backup), source.errorString()));
    if (QFileInfo::exists(databasePath)) {
        const QString safety =
            databasePath + QStringLiteral(".before-restore-") + now.toString(kStamp);
        QFile::remove(safety);
        if (!QFile::copy(databasePath, safety))
            return DbResult::failure(
                DbErrorKind::ReadOnly,
                QStringLiteral("No safety copy of \"%1\" could be made, so nothing was restored. "
                               "Check that its folder can be written to and has free space.")
                    .arg(shown(databasePath)));
        if (safetyCopy)
            *safetyCopy = safety;
    }
    // Written beside the file under a fixed name and renamed over it: a kill
    // at any moment leaves the old file or the new one whole, and the next
    // open removes a half-written copy rather than leaving it to be mistaken
    // for a database.
    const QString temp = DataStore::restoringPath(databasePath);
    QFile::remove(temp);
    QFile target(temp);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral("\"%1\" cannot be written: %2. Nothing was restored.")
                .arg(shown(databasePath), target.errorString()));
    bool written = true;
    while (written && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        written = !chunk.isEmpty() && target.write(chunk) == chunk.size();
    }
    written = written && target.flush() && ::fsync(target.handle()) == 0;
    const QString why = target.errorString();
    target.close();
    std::error_code renamed;
    if (written) {
        // An old journal beside the file belongs to the old contents.
        QFile::remove(databasePath + QStringLiteral("-journal"));
        std::filesystem::rename(QFile::encodeName(temp).toStdString(),
                                QFile::encodeName(databasePath).toStdString(), renamed);
    }
    if (!written || renamed) {
        QFile::remove(temp);
        return DbResult::failure(
            DbErrorKind::DiskFull,
            QStringLiteral("\"%1\" could not be written (%2). The database was left as it was.")
                .arg(shown(databasePath),
                     renamed ? QString::fromStdString(renamed.message()) : why));
    }
    syncFolder(databasePath);
    return DbResult::success();
}
