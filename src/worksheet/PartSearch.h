#pragma once

#include <QList>
#include <QString>

class RecordSet;

// The part search: the lines whose part name contains a piece of text.
class PartSearch {
public:
    struct Match {
        QString partName;
        QString manufacturer;
        QString vendor;
        QString sequenceNumber;
    };

    // The search text as the worksheet compares it: upper-cased, since part
    // names are stored in upper case.
    static QString normalise(const QString& text);
    // Whether the (normalised) search text occurs anywhere in the name; the
    // empty text occurs in every name.
    static bool matches(const QString& partName, const QString& searchText);
    // Walks the record set from its first row in its order.
    static QList<Match> run(RecordSet& lines, const QString& searchText);
};
