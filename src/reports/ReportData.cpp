#include "ReportData.h"

#include "RecordSet.h"

namespace {

ReportData::Row readRow(RecordSet& records, const QStringList& columns) {
    ReportData::Row row;
    for (const QString& c : columns)
        row.values.insert(c.toLower(), records.value(c));
    return row;
}

} // namespace

ReportData ReportData::read(RecordSet& records) {
    ReportData out;
    const QStringList columns = records.columnNames();
    QMultiHash<QString, int> parentsByKey;
    for (records.moveFirst(); !records.isEof(); records.moveNext()) {
        out.rows << readRow(records, columns);
        const QString key = records.parentKey();
        if (!key.isEmpty())
            parentsByKey.insert(key, int(out.rows.size()) - 1);
    }
    // The children of every parent in one read, handed to their parents in
    // the order they were stored.
    if (std::unique_ptr<RecordSet> children = records.allChildren()) {
        const QStringList childColumns = children->columnNames();
        for (children->moveFirst(); !children->isEof(); children->moveNext()) {
            const QList<int> parents = parentsByKey.values(RecordSet::childKey(*children));
            if (parents.isEmpty())
                continue;
            const Row child = readRow(*children, childColumns);
            for (int p : parents)
                out.rows[p].children << child;
        }
    }
    return out;
}
