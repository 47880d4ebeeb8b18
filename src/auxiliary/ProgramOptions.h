#pragma once

#include <QString>

class Settings;

// The settings the options dialog edits, as the dialog shows them.
struct ProgramOptions {
    bool openLastVehicle = false;
    QString taxPercentage = QStringLiteral("0");
    bool builtInBrowser = false; // "V"; anything else, an absent key included, is "I"
    // A copy into the backups folder at the end of a run that changed the data.
    bool automaticBackup = true;
    int backupsKept = 10;

    static ProgramOptions load(const Settings& settings);
    // Stores every key; the tax percentage exactly as typed.
    void store(Settings& settings) const;
};
