#include "Measure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <malloc.h>

namespace {

// The kernel's high-water mark of the resident size, in MB.
double statusMb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void resetPeak() {
    // Linux: "5" sets the high-water mark back to the current resident size.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace

double Measure::residentMb() {
    return statusMb("VmRSS:");
}

Measure::Figure Measure::run(const std::function<void()>& action,
                             const std::function<void()>& before) const {
    QList<double> times;
    double peak = 0;
    double added = 0;
    for (int i = 0; i < m_runs; ++i) {
        if (before)
            before();
        QCoreApplication::processEvents();
        // Memory freed earlier goes back to the system, so that the peak
        // is this action's.
        malloc_trim(0);
        const double base = residentMb();
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        action();
        times << double(timer.nsecsElapsed()) / 1e6;
        const double high = statusMb("VmHWM:");
        peak = std::max(peak, high);
        added = std::max(added, high - base);
    }
    std::sort(times.begin(), times.end());
    return {times.isEmpty() ? 0 : times[times.size() / 2], peak, added};
}
