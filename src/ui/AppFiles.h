#pragma once

#include <QIcon>
#include <QString>

// Data files that are installed beside the program (icons, the help book).
// A file missing there is taken from the copy built into the program, so a
// damaged installation still works.
namespace AppFiles {

QString directory();
// The path of `name` beside the program, or of the built-in copy kept under
// the resource folder `builtInFolder` (":/icons/tools.ico").
QString path(const QString& name, const QString& builtInFolder);
QIcon icon(const QString& fileName);
// A drawing of the program's own icon set, by its base name ("parts").
QIcon themeIcon(const QString& baseName);

} // namespace AppFiles
