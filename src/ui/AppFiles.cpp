#include "AppFiles.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFiles {

QStringList dataDirectories(const QString& programDirectory) {
    const QString program =
        programDirectory.isEmpty() ? QCoreApplication::applicationDirPath() : programDirectory;
    QStringList out;
    auto add = [&out](const QString& dir) {
        const QString clean = QDir::cleanPath(dir);
        if (!clean.isEmpty() && !out.contains(clean))
            out << clean;
    };
    // A build tree keeps the data beside the program; so may a copy unpacked
    // into one folder.
    add(program);
    // Relative to the program, so an installed tree works wherever its
    // prefix is (/usr, /opt/rastrel, a staging folder).
    add(program + u'/' + QString::fromLatin1(BuildInfo::kDataFromProgram));
    const QString folder = QString::fromLatin1(BuildInfo::kDataFolder);
    const QStringList xdg = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& dir : xdg)
        add(dir + u'/' + folder);
    return out;
}

QString locate(const QString& relative, const QString& programDirectory) {
    const QStringList dirs = dataDirectories(programDirectory);
    for (const QString& dir : dirs) {
        const QString candidate = dir + u'/' + relative;
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

QString path(const QString& name, const QString& builtInFolder) {
    const QString installed = locate(name);
    if (!installed.isEmpty())
        return installed;
    return QStringLiteral(":/") + builtInFolder + u'/' + QFileInfo(name).fileName();
}

QIcon icon(const QString& fileName) {
    return QIcon(path(fileName, QStringLiteral("icons")));
}

QIcon themeIcon(const QString& baseName) {
    return QIcon(QStringLiteral(":/icons/") + baseName + QStringLiteral(".svg"));
}

} // namespace AppFiles
