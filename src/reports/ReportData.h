#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

class RecordSet;

// The rows a report prints, copied out of its record set when the report is
// made: the preview repaints, prints and exports the same rows however the
// shared record set is filtered or sorted afterwards.
class ReportData {
public:
    struct Row {
        QHash<QString, QVariant> values; // by lower-case column name; money as Money
        QList<Row> children;

        QVariant value(const QString& column) const { return values.value(column.toLower()); }
    };

    QList<Row> rows;

    // Every row from the first to the end, in the record set's order, each
    // with its child rows when the command is hierarchical.
    static ReportData read(RecordSet& records);
};
