#pragma once

#include "DbResult.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>

class RecordSet;

// The rows a report prints, copied out of its record set when the report is
// made: the preview repaints, prints and exports the same rows however the
// shared record set is filtered or sorted afterwards.
class ReportData {
public:
    // Where each column sits in a row's cells, by its name as the table
    // spells it and in lower case; shared by every row of one record set.
    using Columns = QHash<QString, int>;

    struct Row {
        std::shared_ptr<const Columns> columns;
        QList<QVariant> cells; // money as Money
        QList<Row> children;

        // By column name, in any case; no value for a column the row lacks.
        QVariant value(const QString& column) const { return cells.value(indexOf(column)); }
        // Where the named column sits in cells; -1 when the row lacks it.
        int indexOf(const QString& column) const {
            if (!columns)
                return -1;
            auto it = columns->constFind(column);
            if (it == columns->cend())
                it = columns->constFind(column.toLower());
            return it == columns->cend() ? -1 : *it;
        }

        // A row of the named values in that order (built by hand rather than read).
        static Row of(const QList<std::pair<QString, QVariant>>& values);
    };

    QList<Row> rows;

    // Every row from the first to the end, in the record set's order, each
    // with its child rows when the command is hierarchical. A read that
    // fails (a damaged page part way) is returned in `error`: the rows
    // before it are not the report.
    static ReportData read(RecordSet& records, DbResult* error = nullptr);
};
