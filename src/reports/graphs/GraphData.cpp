#include "GraphData.h"

#include "Criteria.h"
#include "DataStore.h"
#include "Formats.h"
#include "RecordSet.h"
#include "Schema.h"

#include <algorithm>

namespace {

DbResult overflow(const QString& category) {
    return DbResult::failure(
        DbErrorKind::Overflow,
        QStringLiteral("The cost of the part lines in category %1 is too large to add up.")
            .arg(category));
}

} // namespace

DbResult GraphData::load(DataStore& store, int project) {
    m_points.clear();
    const bool actual = GraphCatalog::countsActual(m_kind);
    const bool forecast = GraphCatalog::countsForecast(m_kind);

    RecordSet budgets(store, QStringLiteral("graph budget rows"),
                      *Schema::table(QStringLiteral("RSLCategorybudget")), LockMode::ReadOnly);
    const QString byProject = QStringLiteral("Cat_vehicle_number = %1").arg(project);
    if (DbResult r = budgets.setFilter(byProject); !r)
        return r;
    if (DbResult r = budgets.requery(); !r)
        return r;

    RecordSet lines(store, QStringLiteral("graph part lines"),
                    *Schema::table(QStringLiteral("RSLMaster")), LockMode::ReadOnly);

    for (budgets.moveFirst(); !budgets.isEof(); budgets.moveNext()) {
        GraphPoint point;
        point.label = budgets.text(QStringLiteral("Category"));
        point.values << budgets.money(QStringLiteral("Budget_amount"));
        if (actual || forecast) {
            Money actualSum, forecastSum;
            // The category goes into the criteria quoted, so names with an
            // apostrophe are found like any other.
            const QString criteria = QStringLiteral("Mas_vehicle_number = %1 and ").arg(project) +
                                     Criteria::equals(QStringLiteral("Category"), point.label);
            if (DbResult r = lines.setFilter(criteria); !r)
                return r;
            if (DbResult r = lines.requery(); !r)
                return r;
            for (lines.moveFirst(); !lines.isEof(); lines.moveNext()) {
                const Money cost = lines.money(QStringLiteral("Total_cost"));
                if (actual && lines.flag(QStringLiteral("Purchased"))) {
                    const auto sum = Money::checkedAdd(actualSum, cost);
                    if (!sum)
                        return overflow(point.label);
                    actualSum = *sum;
                }
                if (forecast && lines.flag(QStringLiteral("Forecast"))) {
                    const auto sum = Money::checkedAdd(forecastSum, cost);
                    if (!sum)
                        return overflow(point.label);
                    forecastSum = *sum;
                }
            }
            if (actual)
                point.values << actualSum;
            if (forecast)
                point.values << forecastSum;
        }
        m_points.append(point);
    }
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
