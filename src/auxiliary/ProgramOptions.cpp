#include "ProgramOptions.h"

#include "Settings.h"

ProgramOptions ProgramOptions::load(const Settings& settings) {
    ProgramOptions o;
    o.openLastVehicle = settings.value(Settings::kOpenLastVehicle, QStringLiteral("N")) == u"Y";
    o.taxPercentage = settings.value(Settings::kTaxPercentage, QStringLiteral("0"));
    o.builtInBrowser = settings.value(Settings::kBrowser, QString()) == u"V";
    return o;
}

void ProgramOptions::store(Settings& settings) const {
    settings.setValue(Settings::kOpenLastVehicle,
                      openLastVehicle ? QStringLiteral("Y") : QStringLiteral("N"));
    settings.setValue(Settings::kTaxPercentage, taxPercentage);
    settings.setValue(Settings::kBrowser,
                      builtInBrowser ? QStringLiteral("V") : QStringLiteral("I"));
    settings.sync();
}
