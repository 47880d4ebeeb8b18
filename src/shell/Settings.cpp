#include "Settings.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("1.0.1.0");
}

Settings::Settings(const QString& iniFile)
    : m_store(iniFile.isEmpty() ? std::make_unique<QSettings>(
                                      QSettings::IniFormat, QSettings::UserScope,
                                      QStringLiteral("Rastrel"), QStringLiteral("Rastrel"))
                                : std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

Settings::~Settings() = default;

QString Settings::qualified(const QString& key) const {
    return kSection + u'/' + key;
}

QString Settings::value(const QString& key, const QString& defaultValue) const {
    return m_store->value(qualified(key), defaultValue).toString();
}

bool Settings::contains(const QString& key) const {
    return m_store->contains(qualified(key));
}

void Settings::setValue(const QString& key, const QString& value) {
    m_store->setValue(qualified(key), value);
}

void Settings::remove(const QString& key) {
    m_store->remove(qualified(key));
}

bool Settings::sync() {
    m_store->sync();
    return m_store->status() == QSettings::NoError;
}

QString Settings::fileName() const {
    return m_store->fileName();
}
