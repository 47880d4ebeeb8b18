#pragma once

#include <QString>

// The benchmark's databases, built with the program's own stores (projects
// through the project store, part lines through the worksheet's store, as a
// user adds them) and kept in a folder between runs: building the larger
// ones takes minutes.
class BenchDatabase {
public:
    explicit BenchDatabase(QString folder);

    // A file of `projects` projects of `lines` part lines each; built when
    // it is not there yet.
    QString ensure(int projects, int lines);
    // A file with the reference lists and no project.
    QString ensureEmpty() { return ensure(0, 0); }

    QString folder() const { return m_folder; }
    // Private settings and lock files for the windows the benchmark starts.
    QString settingsFile() const;
    QString lockFile() const;

    // The descriptions the built projects get, by number (1-based).
    static QString description(int project);
    // The vendor whose shopping list the benchmark prints.
    static QString vendor();

private:
    bool build(const QString& path, int projects, int lines);

    QString m_folder;
};
