#pragma once

#include <QString>

// The answer to --paths: where this run's database, the settings and the help
// book are, one per line, so a user (or an installation check) can see which
// files the program uses.
class ProgramPaths {
public:
    // `programDirectory` defaults to the running program's folder.
    static QString describe(const QString& databasePath,
                            const QString& programDirectory = QString());
};
