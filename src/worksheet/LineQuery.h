#pragma once

#include <QList>
#include <QString>

#include <optional>

class DataStore;
class SummaryFilter;

// The part lines the grids list, read with one query of the four columns
// they show, in part-name order (lines of one name in the order stored).
class LineQuery {
public:
    struct Row {
        QString partName;
        QString manufacturer;
        QString vendor;
        QString sequenceNumber;
        qint64 line = 0; // the line's rowid
    };
    // A line's row and where it stands in the project's unfiltered grid.
    struct Placed {
        Row row;
        int position = 0;
    };

    // The lines of the project that pass the summary filter.
    static QList<Row> summary(DataStore& store, const SummaryFilter& filter, int project);
    // The lines of the project whose part name contains the text, compared
    // exactly; the empty text is in every name.
    static QList<Row> search(DataStore& store, int project, const QString& text);
    // The line (by rowid) among all lines of the project, in the grid's
    // order; nothing when it is not one of them or cannot be read.
    static std::optional<Placed> place(DataStore& store, int project, qint64 line);
    // How many lines the project has; nothing when that cannot be read.
    static std::optional<int> count(DataStore& store, int project);
};
