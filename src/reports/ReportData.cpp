#include "ReportData.h"

#include "RecordSet.h"

namespace {

std::shared_ptr<const ReportData::Columns> columnsOf(const QStringList& names) {
    auto columns = std::make_shared<ReportData::Columns>();
    for (int i = 0; i < names.size(); ++i) {
        columns->insert(names[i], i);
        columns->insert(names[i].toLower(), i);
    }
    return columns;
}

ReportData::Row readRow(RecordSet& records,
                        const std::shared_ptr<const ReportData::Columns>& columns) {
    ReportData::Row row;
    row.columns = columns;
    row.cells = records.values();
    return row;
}

} // namespace

ReportData::Row ReportData::Row::of(const QList<std::pair<QString, QVariant>>& values) {
    QStringList names;
    Row row;
    for (const auto& [name, value] : values) {
        names << name;
        row.cells << value;
    }
    row.columns = columnsOf(names);
    return row;
}

ReportData ReportData::read(RecordSet& records, DbResult* error) {
    ReportData out;
    DbResult result;
    const auto columns = columnsOf(records.columnNames());
    if (records.childName().isEmpty()) {
        // Rows straight from the database into the report, without the
        // record set keeping its own copy of them first.
        result = records.scan(records.columnNames(), [&](const QVector<QVariant>& cells) {
            out.rows.append({columns, cells, {}});
            return DbResult::success();
        });
    } else {
        QMultiHash<QString, int> parentsByKey;
        for (records.moveFirst(); !records.isEof(); records.moveNext()) {
            out.rows << readRow(records, columns);
            const QString key = records.parentKey();
            if (!key.isEmpty())
                parentsByKey.insert(key, int(out.rows.size()) - 1);
        }
        result = records.lastRead();
        // The children of every parent in one read, handed to their parents
        // in the order they were stored.
        if (std::unique_ptr<RecordSet> children = records.allChildren(); children && result) {
            const auto childColumns = columnsOf(children->columnNames());
            for (children->moveFirst(); !children->isEof(); children->moveNext()) {
                const QList<int> parents = parentsByKey.values(RecordSet::childKey(*children));
                if (parents.isEmpty())
                    continue;
                const Row child = readRow(*children, childColumns);
                for (int p : parents)
                    out.rows[p].children << child;
            }
            result = children->lastRead();
        }
    }
    if (!result)
        out.rows.clear();
    if (error)
        *error = result;
    return out;
}
