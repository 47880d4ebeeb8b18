#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// Read-only data files of the program (the tab icons, the help book). They
// are found beside the program in a build tree, in the share folder of the
// prefix the program is installed in, or in the XDG data folders. A file
// found nowhere is taken from the copy built into the program, so a damaged
// installation still works.
namespace AppFiles {

// The folders searched, in order. `programDirectory` defaults to the
// running program's own folder.
QStringList dataDirectories(const QString& programDirectory = QString());
// The path of `relative` ("help/index.html") in the first folder that has
// it; empty when none has.
QString locate(const QString& relative, const QString& programDirectory = QString());
// The path of installed `name`, or of the built-in copy kept under the
// resource folder `builtInFolder` (":/icons/tools.ico").
QString path(const QString& name, const QString& builtInFolder);
QIcon icon(const QString& fileName);
// A drawing of the program's own icon set, by its base name ("parts").
QIcon themeIcon(const QString& baseName);

} // namespace AppFiles
