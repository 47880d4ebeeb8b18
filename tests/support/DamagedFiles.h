#pragma once

#include <QList>
#include <QString>

// Makes the unusable database files the refusal tests open, each from a
// sound file the program itself created, so that no fixture is a stored blob
// without its maker.
class DamagedFiles {
public:
    struct Kind {
        QString name;
        QString reason; // a phrase the refusal must contain
    };
    static QList<Kind> kinds();

    // Writes the fixture `kind` to `target`, starting from `sound` (a Rastrel
    // database that is closed). False when it could not be made.
    static bool make(const QString& kind, const QString& sound, const QString& target);

    // Damages a page in the middle of `table`'s rows in place, keeping the
    // file's time as a failing disk would: opening the closed file does not
    // notice, reading those rows does. The table must span a dozen pages.
    static bool damageInside(const QString& path, const QString& table);
};
