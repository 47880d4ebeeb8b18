#include "ResultTable.h"

namespace ResultTable {

QString number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

QString table(const Section& s) {
    QString t =
        QStringLiteral("### %1\n\n| Action | Median ms | Floor ms | Ratio | Peak MB | Added "
                       "MB |\n|---|---:|---:|---:|---:|---:|\n")
            .arg(s.title);
    for (const Row& r : s.rows) {
        const QString floorMs = r.floor ? number(r.floor->medianMs, 2) : QStringLiteral("-");
        const QString ratio = r.floor && r.floor->medianMs > 0
                                  ? number(r.figure.medianMs / r.floor->medianMs, 2) + u'x'
                                  : QStringLiteral("-");
        t += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                 .arg(r.action, number(r.figure.medianMs), floorMs, ratio,
                      number(r.figure.peakMb, 0), number(r.figure.addedMb, 0));
    }
    return t + u'\n';
}

} // namespace ResultTable
