#include "RecentDatabases.h"

#include "Settings.h"

#include <QFileInfo>

namespace {

QString absolute(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

} // namespace

RecentDatabases::RecentDatabases(Settings& settings)
    : m_settings(settings) {}

QStringList RecentDatabases::files() const {
    QStringList out;
    for (int i = 1; i <= kMax; ++i) {
        const QString f = m_settings.value(Settings::kRecentDatabase.arg(i), QString());
        if (!f.isEmpty() && !out.contains(f))
            out << f;
    }
    return out;
}

void RecentDatabases::add(const QString& file) {
    QStringList list = files();
    list.removeAll(absolute(file));
    list.prepend(absolute(file));
    store(list);
}

void RecentDatabases::remove(const QString& file) {
    QStringList list = files();
    list.removeAll(file);
    list.removeAll(absolute(file));
    store(list);
}

void RecentDatabases::store(const QStringList& files) {
    for (int i = 1; i <= kMax; ++i) {
        if (i <= files.size())
            m_settings.setValue(Settings::kRecentDatabase.arg(i), files[i - 1]);
        else
            m_settings.remove(Settings::kRecentDatabase.arg(i));
    }
    m_settings.sync();
}
