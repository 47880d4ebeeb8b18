#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One running copy per user. The lock file holds the owner's process id, so
// the lock of a copy that crashed is recognised as stale and taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockFilePath = defaultPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another running copy holds the lock.
    bool acquire();
    bool isOwner() const { return m_owner; }

    static QString defaultPath();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_owner = false;
};
