#include "ReadOnlyFolder.h"

#include "ScratchMount.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : m_folder(folder) {
    if (geteuid() == 0) {
        QString error;
        m_mounted = ScratchMount::mount({QStringLiteral("--bind"), folder, folder}, &error);
        if (m_mounted)
            m_readOnly = ScratchMount::mount(
                {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), folder}, &error);
        if (!m_readOnly)
            m_reason = QStringLiteral("a read-only bind mount was refused: %1").arg(error);
    } else {
        m_readOnly = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (!m_readOnly)
            m_reason = QStringLiteral("the folder's permissions cannot be changed");
    }
    // A test must not go on believing in a folder that still takes writes.
    if (m_readOnly && QFileInfo(folder).isWritable()) {
        m_readOnly = false;
        m_reason = QStringLiteral("the folder can still be written to");
    }
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (m_mounted)
        ScratchMount::unmount(m_folder);
    else if (geteuid() != 0)
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
