#include "DamagedFiles.h"

#include "Schema.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QVariant>

namespace {

// Where the b-tree of a table with rows starts in the file.
qint64 rootPageOffset(const QString& sound, const char* table) {
    const qint64 pageSize =
        TestDatabase::scalar(sound, QStringLiteral("PRAGMA page_size")).toLongLong();
    const qint64 root =
        TestDatabase::scalar(sound,
                             QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '%1'")
                                 .arg(QLatin1String(table)))
            .toLongLong();
    return root > 1 ? (root - 1) * pageSize : -1;
}

// The same table without its last column, rows kept.
QString dropLastColumn(const TableDef& t) {
    QStringList kept;
    for (qsizetype i = 0; i + 1 < t.columns.size(); ++i)
        kept << QStringLiteral("\"%1\"").arg(t.columns[i].name);
    return QStringLiteral("CREATE TABLE cut AS SELECT %1 FROM \"%2\"; DROP TABLE \"%2\"; "
                          "ALTER TABLE cut RENAME TO \"%2\";")
        .arg(kept.join(QStringLiteral(", ")), t.name);
}

bool execAll(const QString& path, const QString& script) {
    for (const QString& statement : script.split(u';', Qt::SkipEmptyParts))
        if (!statement.trimmed().isEmpty() && !TestDatabase::exec(path, statement))
            return false;
    return true;
}

} // namespace

QList<DamagedFiles::Kind> DamagedFiles::kinds() {
    return {
        {QStringLiteral("zero bytes"), QStringLiteral("empty")},
        {QStringLiteral("random bytes"), QStringLiteral("not an SQLite database")},
        {QStringLiteral("text"), QStringLiteral("not an SQLite database")},
        {QStringLiteral("cut in half"), QStringLiteral("cut short")},
        {QStringLiteral("flipped byte in a b-tree page"), QStringLiteral("damaged")},
        {QStringLiteral("page of zeros"), QStringLiteral("damaged")},
        {QStringLiteral("wrong page size"), QStringLiteral("damaged")},
        {QStringLiteral("newer schema version"), QStringLiteral("newer version")},
        {QStringLiteral("newer version in WAL mode"), QStringLiteral("newer version")},
        {QStringLiteral("table missing"), QStringLiteral("is missing")},
        {QStringLiteral("column missing"), QStringLiteral("has no column")},
        {QStringLiteral("foreign SQLite file"), QStringLiteral("not a Rastrel database")},
    };
}

bool DamagedFiles::make(const QString& kind, const QString& sound, const QString& target) {
    QFile::remove(target);
    const QByteArray good = TestDatabase::readFile(sound);
    if (good.isEmpty())
        return false;
    if (kind == u"zero bytes")
        return TestDatabase::writeFile(target, {});
    if (kind == u"random bytes") {
        QByteArray bytes(8192, '\0');
        QRandomGenerator random(1986);
        for (char& c : bytes)
            c = char(random.bounded(256));
        return TestDatabase::writeFile(target, bytes);
    }
    if (kind == u"text")
        return TestDatabase::writeFile(target, "Year,Make,Model\n1986,FORD,MUSTANG\n");
    if (kind == u"cut in half")
        return TestDatabase::writeFile(target, good.left(good.size() / 2));
    if (kind == u"flipped byte in a b-tree page" || kind == u"page of zeros") {
        const qint64 at = rootPageOffset(sound, "RSLCategories");
        if (at < 0)
            return false;
        QByteArray bad = good;
        if (kind == u"page of zeros") {
            const qint64 pageSize =
                TestDatabase::scalar(sound, QStringLiteral("PRAGMA page_size")).toLongLong();
            bad.replace(at, pageSize, QByteArray(pageSize, '\0'));
        } else {
            bad[at] = char(bad[at] ^ 0xFF); // the page type: no b-tree page has this one
        }
        return TestDatabase::writeFile(target, bad);
    }
    if (kind == u"wrong page size") {
        QByteArray bad = good;
        bad[16] = char(0x03); // 1000 bytes: not a power of two
        bad[17] = char(0xE8);
        return TestDatabase::writeFile(target, bad);
    }
    if (!TestDatabase::writeFile(target, good))
        return false;
    if (kind == u"newer schema version")
        return TestDatabase::exec(target, QStringLiteral("PRAGMA user_version = 99"));
    if (kind == u"newer version in WAL mode")
        return TestDatabase::exec(target, QStringLiteral("PRAGMA journal_mode = WAL")) &&
               TestDatabase::exec(target, QStringLiteral("PRAGMA user_version = 99"));
    if (kind == u"table missing")
        return TestDatabase::exec(target, QStringLiteral("DROP TABLE RSLModels"));
    if (kind == u"column missing")
        return execAll(target, dropLastColumn(*Schema::table(QStringLiteral("RSLVendor"))));
    if (kind == u"foreign SQLite file") {
        QFile::remove(target);
        return TestDatabase::exec(target, QStringLiteral("CREATE TABLE recipes (name TEXT)"));
    }
    return false;
}

bool DamagedFiles::damageInside(const QString& path, const QString& table) {
    const qint64 pageSize =
        TestDatabase::scalar(path, QStringLiteral("PRAGMA page_size")).toLongLong();
    const qint64 page =
        TestDatabase::scalar(path,
                             QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND "
                                            "pagetype = 'leaf' ORDER BY path LIMIT 1 OFFSET 10")
                                 .arg(table))
            .toLongLong();
    if (page < 2)
        return false;
    const QDateTime time = QFileInfo(path).lastModified();
    QByteArray bytes = TestDatabase::readFile(path);
    bytes[(page - 1) * pageSize] = char(0xFF); // no b-tree page has this type
    QFile f(path);
    return TestDatabase::writeFile(path, bytes) && f.open(QIODevice::ReadWrite) &&
           f.setFileTime(time, QFileDevice::FileModificationTime);
}
