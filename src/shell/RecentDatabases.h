#pragma once

#include <QString>
#include <QStringList>

class Settings;

// The last database files opened, newest first, kept in the settings store.
class RecentDatabases {
public:
    static constexpr int kMax = 5;

    explicit RecentDatabases(Settings& settings);

    QStringList files() const;
    // Puts the file first (once), dropping the oldest beyond five.
    void add(const QString& file);
    void remove(const QString& file);

private:
    void store(const QStringList& files);
    Settings& m_settings;
};
