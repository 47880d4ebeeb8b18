#include "ListRows.h"

#include "Criteria.h"
#include "DataStore.h"
#include "RecordSet.h"

#include <QSqlQuery>

#include <algorithm>

namespace ListRows {

QStringList names(RecordSet& rs, const QString& column) {
    QStringList out;
    ignoreError(rs.setFilter(QString()));
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        out << rs.text(column);
    sortNames(out);
    return out;
}

DbResult locate(RecordSet& rs, const QString& column, const QString& value, bool& found) {
    found = false;
    if (DbResult r = rs.setFilter(QString()); !r)
        return r;
    rs.moveFirst();
    return rs.find(Criteria::equals(column, value), &found);
}

DbResult anyRow(DataStore& store, const QString& sql, const QVariantList& binds, bool& found) {
    found = false;
    return store.query(sql, binds, [&](const QSqlQuery&) { found = true; });
}

void sortNames(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

} // namespace ListRows
