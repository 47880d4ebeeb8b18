#include "LineQuery.h"

#include "DataStore.h"
#include "SummaryFilter.h"

#include <QSqlQuery>

namespace {

const QString kColumns =
    QStringLiteral("Part_Name, Manufacturer, Vendor, Sequence_Number, rowid FROM RSLMaster");

LineQuery::Row rowOf(const QSqlQuery& q) {
    const QVariant sequence = q.value(3);
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
            sequence.isNull() ? QString() : QString::number(sequence.toLongLong()),
            q.value(4).toLongLong()};
}

QList<LineQuery::Row> read(DataStore& store, const QString& condition, const QVariantList& binds) {
    QList<LineQuery::Row> rows;
    // A grid that cannot be read shows no lines; the next command that
    // writes reports the store's trouble.
    ignoreError(store.query(QStringLiteral("SELECT ") + kColumns + QStringLiteral(" WHERE ") +
                                condition + QStringLiteral(" ORDER BY Part_Name, rowid"),
                            binds, [&](const QSqlQuery& q) { rows.append(rowOf(q)); }));
    return rows;
}

} // namespace

QList<LineQuery::Row> LineQuery::summary(DataStore& store, const SummaryFilter& filter,
                                         int project) {
    QVariantList binds;
    const QString condition = filter.sqlCondition(project, &binds);
    return read(store, condition, binds);
}

std::optional<LineQuery::Placed> LineQuery::place(DataStore& store, int project, qint64 line) {
    std::optional<Row> row;
    if (!store.query(QStringLiteral("SELECT ") + kColumns +
                         QStringLiteral(" WHERE rowid = ? AND Mas_vehicle_number = ?"),
                     {line, project}, [&](const QSqlQuery& q) { row = rowOf(q); }) ||
        !row)
        return std::nullopt;
    // The lines the grid's order puts before it: smaller names in the
    // column's own collation (no name first), then equal names stored earlier.
    std::optional<int> before;
    if (!store.query(
            QStringLiteral(
                "SELECT count(*) FROM RSLMaster o, RSLMaster m WHERE m.rowid = ? AND "
                "o.Mas_vehicle_number = ? AND (o.Part_Name < m.Part_Name OR (o.Part_Name = "
                "m.Part_Name AND o.rowid < m.rowid) OR (o.Part_Name IS NULL AND (m.Part_Name IS "
                "NOT NULL OR o.rowid < m.rowid)))"),
            {line, project}, [&](const QSqlQuery& q) { before = q.value(0).toInt(); }) ||
        !before)
        return std::nullopt;
    return Placed{*row, *before};
}

std::optional<int> LineQuery::count(DataStore& store, int project) {
    std::optional<int> n;
    if (!store.query(QStringLiteral("SELECT count(*) FROM RSLMaster WHERE Mas_vehicle_number = ?"),
                     {project}, [&](const QSqlQuery& q) { n = q.value(0).toInt(); }))
        return std::nullopt;
    return n;
}

QList<LineQuery::Row> LineQuery::search(DataStore& store, int project, const QString& text) {
    return read(store,
                QStringLiteral("Mas_vehicle_number = ? AND instr(ifnull(Part_Name, ''), ?) > 0"),
                {project, text});
}
