#pragma once

#include "DbResult.h"

#include <QString>
#include <QStringList>

class DataStore;
class RecordSet;

// Reading the reference lists through their shared record sets. Other windows
// leave filters on these record sets, so every read here starts from an
// unfiltered one.
namespace ListRows {

// Every value of the column, in alphabetical order; empty when the table
// cannot be read.
QStringList names(RecordSet& rs, const QString& column);
// Makes the first row whose column equals the value the current row.
DbResult locate(RecordSet& rs, const QString& column, const QString& value, bool& found);
// Whether `sql` (with its binds) yields at least one row.
DbResult anyRow(DataStore& store, const QString& sql, const QVariantList& binds, bool& found);
// Case-insensitive alphabetical order, as the lists show their entries.
void sortNames(QStringList& names);

} // namespace ListRows
