#include "BudgetOverview.h"

#include "DataStore.h"
#include "Formats.h"

#include <QSqlQuery>

#include <cmath>
#include <limits>
#include <optional>

namespace {

// Each stored amount becomes whole ten-thousandths before it is added, so
// the sums are exact; SQLite reports an integer overflow instead of losing
// digits.
const QString kQuery = QStringLiteral(R"(
WITH line_sums AS (
    SELECT Category AS category,
           SUM(CASE WHEN purchased = 1 THEN cost ELSE 0 END) AS spent,
           SUM(CASE WHEN purchased = 0 AND forecast = 1 THEN cost ELSE 0 END) AS committed,
           SUM(CASE WHEN purchased = 0 AND forecast = 0 AND selected = 1 THEN cost ELSE 0 END)
               AS considered
    FROM (SELECT Category,
                 IFNULL(Purchased, 0) AS purchased,
                 IFNULL(Forecast, 0) AS forecast,
                 IFNULL(Selected, 0) AS selected,
                 CAST(ROUND(IFNULL(Total_cost, 0) * 10000) AS INTEGER) AS cost
          FROM RSLMaster WHERE Mas_vehicle_number = ?)
    GROUP BY Category
),
budget_sums AS (
    SELECT Category AS category,
           SUM(CAST(ROUND(IFNULL(Budget_amount, 0) * 10000) AS INTEGER)) AS budget
    FROM RSLCategorybudget WHERE Cat_vehicle_number = ?
    GROUP BY Category
)
SELECT b.category, b.budget, IFNULL(l.spent, 0), IFNULL(l.committed, 0),
       IFNULL(l.considered, 0), 1
FROM budget_sums b LEFT JOIN line_sums l ON l.category = b.category COLLATE NOCASE
UNION ALL
SELECT l.category, 0, l.spent, l.committed, l.considered, 0
FROM line_sums l
WHERE NOT EXISTS (SELECT 1 FROM budget_sums b WHERE b.category = l.category COLLATE NOCASE)
ORDER BY 1 COLLATE NOCASE
)");

DbResult tooLarge(const QString& category) {
    return DbResult::failure(
        DbErrorKind::Overflow,
        QStringLiteral("The amounts of category %1 are too large to add up.").arg(category));
}

// Projected and remaining; false when either leaves the money range.
bool complete(BudgetFigures& f) {
    const auto projected = Money::checkedAdd(f.spent, f.committed);
    if (!projected)
        return false;
    f.projected = *projected;
    if (f.projected.units() == std::numeric_limits<qint64>::min())
        return false;
    const auto remaining = Money::checkedAdd(f.budget, Money::fromUnits(-f.projected.units()));
    if (!remaining || remaining->units() == std::numeric_limits<qint64>::min())
        return false;
    f.remaining = *remaining;
    return true;
}

bool addTo(Money& sum, Money amount) {
    const auto total = Money::checkedAdd(sum, amount);
    if (!total)
        return false;
    sum = *total;
    return true;
}

} // namespace

double BudgetFigures::share() const {
    if (budget.units() <= 0)
        return projected.units() > 0 ? 1.0 : 0.0;
    return std::max(0.0, double(projected.units()) / double(budget.units()));
}

DbResult BudgetOverview::load(DataStore& store, int project) {
    m_rows.clear();
    m_totals = BudgetFigures();
    m_totals.category = QStringLiteral("Total");

    QList<BudgetFigures> rows;
    DbResult r = store.query(kQuery, {project, project}, [&](const QSqlQuery& q) {
        BudgetFigures f;
        f.category = q.value(0).toString();
        f.budget = Money::fromUnits(q.value(1).toLongLong());
        f.spent = Money::fromUnits(q.value(2).toLongLong());
        f.committed = Money::fromUnits(q.value(3).toLongLong());
        f.considered = Money::fromUnits(q.value(4).toLongLong());
        f.hasBudgetRow = q.value(5).toInt() == 1;
        rows.append(f);
    });
    if (!r) {
        if (r.message().contains(QStringLiteral("integer overflow"), Qt::CaseInsensitive))
            return tooLarge(QStringLiteral("of this project"));
        return r;
    }

    BudgetFigures totals = m_totals;
    for (BudgetFigures& f : rows) {
        if (!complete(f))
            return tooLarge(f.category);
        if (!addTo(totals.budget, f.budget) || !addTo(totals.spent, f.spent) ||
            !addTo(totals.committed, f.committed) || !addTo(totals.considered, f.considered) ||
            (!f.hasBudgetRow && !addTo(totals.unbudgeted, f.projected)))
            return tooLarge(QStringLiteral("of this project"));
    }
    if (!complete(totals))
        return tooLarge(QStringLiteral("of this project"));
    m_rows = std::move(rows);
    m_totals = totals;
    return DbResult::success();
}

QString BudgetOverview::summaryLine(const BudgetFigures& totals) {
    QString line =
        QStringLiteral("Projected %1 of %2 budget")
            .arg(Formats::reportCurrency(totals.projected), Formats::reportCurrency(totals.budget));
    if (totals.budget.units() > 0)
        line += QStringLiteral(" (%1%)").arg(std::lround(totals.share() * 100));
    if (totals.overBudget())
        line += QStringLiteral(": over budget by %1")
                    .arg(Formats::reportCurrency(Money::fromUnits(-totals.remaining.units())));
    if (totals.unbudgeted.units() != 0)
        line += QStringLiteral("; %1 projected in categories without a budget")
                    .arg(Formats::reportCurrency(totals.unbudgeted));
    return line;
}
