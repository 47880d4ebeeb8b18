#pragma once

#include "Measure.h"
#include "ResultTable.h"

#include <QList>
#include <QString>

// CSV export and import timed as a user waits for them: the part lines of
// one large project written to a file, and a spreadsheet of part lines read,
// checked and stored into a project, each beside the bare SQL it needs.
namespace ExchangeCases {

using ResultTable::Row;

// `emptyFile` is a database with the reference lists and no project; the
// cases work on copies of it in `scratch`. The export writes `exportLines`
// lines, the import reads `importLines`.
QList<Row> run(const Measure& measure, const QString& emptyFile, const QString& scratch,
               int exportLines, int importLines);

} // namespace ExchangeCases
