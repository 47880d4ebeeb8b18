#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class DataStore;
class Settings;

// A private folder for one test: a fresh database file (created with the
// starter data on first open) and a settings file, so that no test touches
// the user's own data or settings.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString databasePath() const { return path(QStringLiteral("rsl.sqlite")); }
    QString settingsPath() const { return path(QStringLiteral("settings.ini")); }

    // Opens (creating when needed) the test database; fails the test on error.
    std::unique_ptr<DataStore> open();
    std::unique_ptr<Settings> settings();

    // Runs SQL on a connection of its own (for setting up and checking rows
    // behind the program's back).
    static bool exec(const QString& databasePath, const QString& sql);
    static QVariant scalar(const QString& databasePath, const QString& sql);

    // A whole file's bytes ("" when it cannot be read), and writing them back.
    static QByteArray readFile(const QString& path);
    static bool writeFile(const QString& path, const QByteArray& bytes);

private:
    QTemporaryDir m_dir;
};

// Called from each test's initTestCase: keeps Qt's standard locations and
// settings away from the user's own.
void isolateTestEnvironment();
