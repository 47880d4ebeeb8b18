#pragma once

#include <QString>

class Settings;

// The three settings the options dialog edits, as the dialog shows them.
struct ProgramOptions {
    bool openLastVehicle = false;
    QString taxPercentage = QStringLiteral("0");
    bool builtInBrowser = false; // "V"; anything else, an absent key included, is "I"

    static ProgramOptions load(const Settings& settings);
    // Stores all three keys; the tax percentage exactly as typed.
    void store(Settings& settings) const;
};
