#include "PartSearch.h"

#include "RecordSet.h"

QString PartSearch::normalise(const QString& text) {
    return text.toUpper();
}

bool PartSearch::matches(const QString& partName, const QString& searchText) {
    return partName.contains(searchText, Qt::CaseSensitive);
}

QList<PartSearch::Match> PartSearch::run(RecordSet& lines, const QString& searchText) {
    QList<Match> out;
    const QString name = QStringLiteral("Part_Name");
    for (lines.moveFirst(); !lines.isEof(); lines.moveNext()) {
        const QString partName = lines.text(name);
        if (!matches(partName, searchText))
            continue;
        out.append({partName, lines.text(QStringLiteral("Manufacturer")),
                    lines.text(QStringLiteral("Vendor")),
                    lines.text(QStringLiteral("Sequence_Number"))});
    }
    return out;
}
