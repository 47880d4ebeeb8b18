#include "ProgramPaths.h"

#include "HelpBook.h"
#include "Settings.h"

#include <QDir>

QString ProgramPaths::describe(const QString& databasePath, const QString& programDirectory) {
    const HelpBook help = HelpBook::installed(programDirectory);
    const QString helpPlace = help.isBuiltIn()
                                  ? QStringLiteral("built into the program (no installed copy)")
                                  : QDir::toNativeSeparators(help.root());
    return QStringLiteral("Database:  ") + QDir::toNativeSeparators(databasePath) +
           QStringLiteral("\nSettings:  ") + QDir::toNativeSeparators(Settings().fileName()) +
           QStringLiteral("\nHelp book: ") + helpPlace + u'\n';
}
