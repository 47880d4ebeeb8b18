#pragma once

#include "DbResult.h"
#include "ExchangeTables.h"

#include <QByteArray>
#include <QString>

class DataStore;

// Writes one kind of data to a CSV file: a header row of readable names,
// money as plain decimals with a point, dates as stored, flags as Yes/No.
class CsvExport {
public:
    struct Outcome {
        DbResult result;
        int rows = 0; // data rows written
    };

    // The file's contents; `project` is the project number for ProjectLines.
    static DbResult build(DataStore& store, ExchangeKind kind, int project, QByteArray* bytes,
                          int* rows);
    // Writes beside the target first and puts it in place whole, so a failed
    // export never leaves half a file.
    static Outcome write(DataStore& store, ExchangeKind kind, int project, const QString& file);
    // "Part lines - 1986 FORD MUSTANG.csv" and the like.
    static QString suggestedFileName(ExchangeKind kind, const QString& projectDescription);
};
