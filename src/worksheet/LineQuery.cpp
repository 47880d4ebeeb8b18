#include "LineQuery.h"

#include "DataStore.h"
#include "SummaryFilter.h"

#include <QSqlQuery>

namespace {

QList<LineQuery::Row> read(DataStore& store, const QString& condition, const QVariantList& binds) {
    QList<LineQuery::Row> rows;
    // A grid that cannot be read shows no lines; the next command that
    // writes reports the store's trouble.
    ignoreError(store.query(
        QStringLiteral("SELECT Part_Name, Manufacturer, Vendor, Sequence_Number FROM RSLMaster "
                       "WHERE ") +
            condition + QStringLiteral(" ORDER BY Part_Name, rowid"),
        binds, [&](const QSqlQuery& q) {
            const QVariant sequence = q.value(3);
            rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                         sequence.isNull() ? QString() : QString::number(sequence.toLongLong())});
        }));
    return rows;
}

} // namespace

QList<LineQuery::Row> LineQuery::summary(DataStore& store, const SummaryFilter& filter,
                                         int project) {
    QVariantList binds;
    const QString condition = filter.sqlCondition(project, &binds);
    return read(store, condition, binds);
}

QList<LineQuery::Row> LineQuery::search(DataStore& store, int project, const QString& text) {
    return read(store,
                QStringLiteral("Mas_vehicle_number = ? AND instr(ifnull(Part_Name, ''), ?) > 0"),
                {project, text});
}
