#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A small file system of its own for a test (tmpfs), so that a disk can fill
// up or turn read-only under the program. Mounting needs the superuser;
// available() says whether this run can, and the tests that need it skip
// with that reason otherwise.
class ScratchMount {
public:
    explicit ScratchMount(qint64 bytes);
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    static bool available();
    // Runs mount(8) or umount(8); false with its complaint in `error` when it fails.
    static bool mount(const QStringList& args, QString* error = nullptr);
    static void unmount(const QString& path);
    bool isMounted() const { return m_mounted; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    bool setReadOnly(bool readOnly);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
