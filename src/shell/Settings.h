#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store: application "Rastrel", section "1.0.1.0".
// Every read names its default, as each caller's default differs.
class Settings {
public:
    static inline const QString kOpenLastVehicle = QStringLiteral("Open Last Vehicle");
    static inline const QString kVehicleLastOpened = QStringLiteral("Vehicle Last Opened");
    static inline const QString kTaxPercentage = QStringLiteral("Tax Percentage");
    static inline const QString kShowReminder = QStringLiteral("Show Reminder");
    static inline const QString kBrowser = QStringLiteral("Browser");
    static inline const QString kVersion = QStringLiteral("Version");
    static inline const QString kAutomaticBackup = QStringLiteral("Automatic Backup");
    static inline const QString kBackupsKept = QStringLiteral("Backups Kept");
    // "Recent Database 1" (the newest) to "Recent Database 5".
    static inline const QString kRecentDatabase = QStringLiteral("Recent Database %1");
    void remove(const QString& key);

    // With an empty path the user's own store; otherwise an INI file (tests).
    explicit Settings(const QString& iniFile = {});
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QString value(const QString& key, const QString& defaultValue) const;
    bool contains(const QString& key) const;
    void setValue(const QString& key, const QString& value);
    // Writes the store out; false when it could not be written (its folder
    // is read-only or cannot be made).
    bool sync();
    QString fileName() const;

private:
    QString qualified(const QString& key) const;
    std::unique_ptr<QSettings> m_store;
};
