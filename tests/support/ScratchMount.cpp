#include "ScratchMount.h"

#include <QProcess>

#include <unistd.h>

bool ScratchMount::mount(const QStringList& args, QString* error) {
    QProcess p;
    p.start(QStringLiteral("mount"), args);
    const bool ok =
        p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && error)
        *error = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return ok;
}

void ScratchMount::unmount(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("umount"), {path});
    p.waitForFinished(10000);
}

ScratchMount::ScratchMount(qint64 bytes) {
    if (geteuid() != 0 || !m_dir.isValid())
        return;
    m_mounted =
        mount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
               QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), m_dir.path()});
}

ScratchMount::~ScratchMount() {
    if (m_mounted)
        unmount(m_dir.path());
}

bool ScratchMount::available() {
    static const bool can = [] {
        ScratchMount probe(64 * 1024);
        return probe.isMounted();
    }();
    return can;
}

bool ScratchMount::setReadOnly(bool readOnly) {
    return m_mounted &&
           mount({QStringLiteral("-o"),
                  readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"),
                  m_dir.path()});
}
