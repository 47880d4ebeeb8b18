#include "AppFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace AppFiles {

QString directory() {
    return QCoreApplication::applicationDirPath();
}

QString path(const QString& name, const QString& builtInFolder) {
    const QString beside = directory() + u'/' + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QStringLiteral(":/") + builtInFolder + u'/' + QFileInfo(name).fileName();
}

QIcon icon(const QString& fileName) {
    return QIcon(path(fileName, QStringLiteral("icons")));
}

QIcon themeIcon(const QString& baseName) {
    return QIcon(QStringLiteral(":/icons/") + baseName + QStringLiteral(".svg"));
}

} // namespace AppFiles
