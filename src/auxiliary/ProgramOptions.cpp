#include "ProgramOptions.h"

#include "Settings.h"

ProgramOptions ProgramOptions::load(const Settings& settings) {
    ProgramOptions o;
    o.openLastVehicle = settings.value(Settings::kOpenLastVehicle, QStringLiteral("N")) == u"Y";
    o.taxPercentage = settings.value(Settings::kTaxPercentage, QStringLiteral("0"));
    o.builtInBrowser = settings.value(Settings::kBrowser, QString()) == u"V";
    o.automaticBackup = settings.value(Settings::kAutomaticBackup, QStringLiteral("Y")) != u"N";
    bool ok = false;
    const int kept = settings.value(Settings::kBackupsKept, QStringLiteral("10")).toInt(&ok);
    o.backupsKept = ok && kept >= 1 ? kept : 10;
    return o;
}

void ProgramOptions::store(Settings& settings) const {
    settings.setValue(Settings::kOpenLastVehicle,
                      openLastVehicle ? QStringLiteral("Y") : QStringLiteral("N"));
    settings.setValue(Settings::kTaxPercentage, taxPercentage);
    settings.setValue(Settings::kBrowser,
                      builtInBrowser ? QStringLiteral("V") : QStringLiteral("I"));
    settings.setValue(Settings::kAutomaticBackup,
                      automaticBackup ? QStringLiteral("Y") : QStringLiteral("N"));
    settings.setValue(Settings::kBackupsKept, QString::number(backupsKept));
    settings.sync();
}
