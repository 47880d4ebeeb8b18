#include "SessionMarker.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

QHash<QString, QString> readFields(const QString& file) {
    QHash<QString, QString> fields;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return fields;
    // A marker is a few short lines; anything longer is not ours.
    const QByteArray bytes = f.read(4096);
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            fields.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return fields;
}

QString stamp(const QString& database) {
    const QFileInfo info(database);
    return QStringLiteral("%1/%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

SessionMarker::SessionMarker(const QString& databasePath)
    : m_database(databasePath)
    , m_file(fileFor(databasePath)) {}

QString SessionMarker::fileFor(const QString& databasePath) {
    return databasePath + QStringLiteral(".session");
}

bool SessionMarker::needsFullCheck(const QString& programVersion) const {
    const QHash<QString, QString> fields = readFields(m_file);
    return fields.value(QStringLiteral("state")) != u"clean" ||
           !fields.contains(QStringLiteral("version")) ||
           fields.value(QStringLiteral("version")) != programVersion ||
           fields.value(QStringLiteral("file")) != stamp(m_database);
}

bool SessionMarker::begin(const QString& programVersion) {
    return write(programVersion, false);
}

bool SessionMarker::end(const QString& programVersion) {
    return write(programVersion, true);
}

void SessionMarker::remove() {
    QFile::remove(m_file);
}

bool SessionMarker::write(const QString& programVersion, bool clean) {
    QSaveFile f(m_file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString text = QStringLiteral("state=%1\nversion=%2\nfile=%3\n")
                             .arg(clean ? QStringLiteral("clean") : QStringLiteral("running"),
                                  programVersion, stamp(m_database));
    f.write(text.toUtf8());
    return f.commit();
}
