#include "LockKeys.h"

#include <QDir>
#include <QFile>

namespace {

std::optional<bool> led(const char* suffix) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names =
        leds.entryList({QStringLiteral("*::") + QLatin1String(suffix)}, QDir::Dirs | QDir::System);
    if (names.isEmpty())
        return std::nullopt;
    bool on = false;
    for (const QString& name : names) {
        QFile f(leds.filePath(name + QStringLiteral("/brightness")));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        on = on || f.readAll().trimmed().toInt() > 0;
    }
    return on;
}

} // namespace

namespace LockKeys {

std::optional<bool> capsLock() {
    return led("capslock");
}
std::optional<bool> numLock() {
    return led("numlock");
}
std::optional<bool> scrollLock() {
    return led("scrolllock");
}

} // namespace LockKeys
