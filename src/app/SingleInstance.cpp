#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& lockFilePath)
    : m_lock(std::make_unique<QLockFile>(lockFilePath)) {
    QDir().mkpath(QFileInfo(lockFilePath).absolutePath());
    // Never stale by age: a copy may run for days. A dead owner's lock is
    // still recognised by its process id.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (!m_owner)
        m_owner = m_lock->tryLock(0);
    return m_owner;
}

QString SingleInstance::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/rastrel.lock");
}
