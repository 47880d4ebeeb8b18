#pragma once

#include <QList>
#include <QString>

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
    };

    // The lines of the project that pass the summary filter.
    static QList<Row> summary(DataStore& store, const SummaryFilter& filter, int project);
    // The lines of the project whose part name contains the text, compared
    // exactly; the empty text is in every name.
    static QList<Row> search(DataStore& store, int project, const QString& text);
};
