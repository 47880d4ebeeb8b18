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
    const bool hierarchical = !records.childName().isEmpty();
    for (records.moveFirst(); !records.isEof(); records.moveNext()) {
        Row row = readRow(records, columns);
        if (hierarchical) {
            if (std::unique_ptr<RecordSet> children = records.children()) {
                const QStringList childColumns = children->columnNames();
                for (children->moveFirst(); !children->isEof(); children->moveNext())
                    row.children << readRow(*children, childColumns);
            }
        }
        out.rows << std::move(row);
    }
    return out;
}
