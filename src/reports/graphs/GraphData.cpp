#include "GraphData.h"

#include "Criteria.h"
#include "DataStore.h"
#include "Formats.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

// A flag column is true for a non-zero number or the text "True", as the
// record sets read it.
QString truth(const QString& column) {
    return QStringLiteral("(CASE WHEN typeof(%1) = 'text' THEN lower(trim(%1)) = 'true' OR "
                          "CAST(%1 AS REAL) <> 0 ELSE coalesce(%1 <> 0, 0) END)")
        .arg(column);
}

// The stored amount in whole ten-thousandths, so that the database adds
// exactly.
const QString kUnits = QStringLiteral("CAST(round(Total_cost * 10000) AS INTEGER)");

} // namespace

DbResult GraphData::load(DataStore& store, int project) {
    m_points.clear();
    const bool actual = GraphCatalog::countsActual(m_kind);
    const bool forecast = GraphCatalog::countsForecast(m_kind);

    // One read: the project's budget rows in their stored order, each with
    // the sums of its category's part lines (the category compared without
    // regard to case, as everywhere). Lines of a category without a budget
    // row are in no point.
    const QString sql =
        !actual && !forecast
            ? QStringLiteral("SELECT Category, Budget_amount, 0, 0 FROM RSLCategorybudget "
                             "WHERE Cat_vehicle_number = ? ORDER BY rowid")
            : QStringLiteral(
                  "SELECT b.Category, b.Budget_amount, coalesce(s.actual, 0), coalesce(s.forecast, 0) "
                  "FROM RSLCategorybudget b LEFT JOIN ("
                  "SELECT Category, "
                  "sum(CASE WHEN %1 THEN %3 ELSE 0 END) AS actual, "
                  "sum(CASE WHEN %2 THEN %3 ELSE 0 END) AS forecast "
                  "FROM RSLMaster WHERE Mas_vehicle_number = ? GROUP BY Category) s "
                  "ON s.Category = b.Category "
                  "WHERE b.Cat_vehicle_number = ? ORDER BY b.rowid")
                  .arg(truth(QStringLiteral("Purchased")), truth(QStringLiteral("Forecast")),
                       kUnits);
    QList<GraphPoint> points;
    const QVariantList binds =
        actual || forecast ? QVariantList{project, project} : QVariantList{project};
    DbResult r = store.query(sql, binds, [&](const QSqlQuery& q) {
        GraphPoint point;
        point.label = q.value(0).isNull() ? QString() : q.value(0).toString();
        point.values << (q.value(1).isNull() ? Money()
                                             : Money::fromStoredDouble(q.value(1).toDouble()));
        if (actual)
            point.values << Money::fromUnits(q.value(2).toLongLong());
        if (forecast)
            point.values << Money::fromUnits(q.value(3).toLongLong());
        points.append(point);
    });
    if (!r) {
        if (r.message().contains(QStringLiteral("overflow"), Qt::CaseInsensitive))
            return DbResult::failure(
                DbErrorKind::Overflow,
                QStringLiteral("The cost of the part lines of a category is too large to add up."));
        return r;
    }
    m_points = std::move(points);
    return DbResult::success();
}

QStringList GraphData::labels() const {
    QStringList out;
    for (const GraphPoint& p : m_points)
        out << p.label;
    return out;
}

QList<Money> GraphData::series(int index) const {
    QList<Money> out;
    for (const GraphPoint& p : m_points)
        out << p.values.value(index);
    return out;
}

Money GraphData::lowest() const {
    Money low;
    for (const GraphPoint& p : m_points)
        for (Money v : p.values)
            low = std::min(low, v);
    return low;
}

Money GraphData::highest() const {
    Money high;
    for (const GraphPoint& p : m_points)
        for (Money v : p.values)
            high = std::max(high, v);
    return high;
}

QString GraphData::toolTip(int seriesIndex, int pointIndex) const {
    if (pointIndex < 0 || pointIndex >= m_points.size())
        return {};
    const GraphPoint& p = m_points[pointIndex];
    if (seriesIndex < 0 || seriesIndex >= p.values.size())
        return {};
    return p.label + u'\n' + seriesNames().value(seriesIndex) + QStringLiteral(": ") +
           Formats::reportCurrency(p.values[seriesIndex]);
}

QString GraphData::description() const {
    if (m_points.isEmpty())
        return QStringLiteral("No categories to show.");
    const QStringList names = seriesNames();
    QStringList parts;
    for (const GraphPoint& p : m_points) {
        QStringList amounts;
        for (int i = 0; i < p.values.size(); ++i)
            amounts << names.value(i) + u' ' + Formats::reportCurrency(p.values[i]);
        parts << p.label + QStringLiteral(": ") + amounts.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral("; ")) + u'.';
}
