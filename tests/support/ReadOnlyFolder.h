#pragma once

#include <QString>

// Makes a folder read-only under a running program and writable again when
// it goes. Permissions do not stop the superuser, so as root a read-only bind
// mount is laid over the folder (files already open stay open, as they
// would on a disk remounted read-only); otherwise the folder loses its write
// permission. isReadOnly() says whether it worked, reason() why not.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool isReadOnly() const { return m_readOnly; }
    QString reason() const { return m_reason; }

private:
    QString m_folder;
    bool m_mounted = false;
    bool m_readOnly = false;
    QString m_reason;
};
