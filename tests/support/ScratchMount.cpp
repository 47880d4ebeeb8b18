#include "ScratchMount.h"

#include <QProcess>

#include <unistd.h>

namespace {

bool run(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("mount"), args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

ScratchMount::ScratchMount(qint64 bytes) {
    if (geteuid() != 0 || !m_dir.isValid())
        return;
    m_mounted = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), m_dir.path()});
}

ScratchMount::~ScratchMount() {
    if (m_mounted) {
        QProcess p;
        p.start(QStringLiteral("umount"), {m_dir.path()});
        p.waitForFinished(10000);
    }
}

bool ScratchMount::available() {
    static const bool can = [] {
        ScratchMount probe(64 * 1024);
        return probe.isMounted();
    }();
    return can;
}

bool ScratchMount::setReadOnly(bool readOnly) {
    return m_mounted && run({QStringLiteral("-o"),
                             readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"),
                             m_dir.path()});
}
