#include "BudgetOverviewModel.h"

#include "Formats.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <cmath>

namespace {

const QColor kOverColour(176, 32, 32);

Money amount(const BudgetFigures& f, int column) {
    switch (column) {
    case BudgetOverviewModel::BudgetColumn:
        return f.budget;
    case BudgetOverviewModel::SpentColumn:
        return f.spent;
    case BudgetOverviewModel::CommittedColumn:
        return f.committed;
    case BudgetOverviewModel::ConsideredColumn:
        return f.considered;
    case BudgetOverviewModel::ProjectedColumn:
        return f.projected;
    case BudgetOverviewModel::RemainingColumn:
        return f.remaining;
    default:
        return {};
    }
}

} // namespace

void BudgetOverviewModel::setOverview(const BudgetOverview& overview) {
    beginResetModel();
    m_rows = overview.rows();
    m_totals = overview.totals();
    endResetModel();
}

const BudgetFigures& BudgetOverviewModel::figures(int row) const {
    return isTotalsRow(row) ? m_totals : m_rows[row];
}

QString BudgetOverviewModel::category(int row) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows[row].category;
}

int BudgetOverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size()) + 1;
}

int BudgetOverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString BudgetOverviewModel::barText(const BudgetFigures& f) {
    QString text;
    // A tiny budget gives a share too wide for the bar to say.
    if (f.budget.units() > 0)
        text = f.share() >= 10 ? QStringLiteral(">999%")
                               : QStringLiteral("%1%").arg(std::lround(f.share() * 100));
    if (f.overBudget())
        text = text.isEmpty() ? kOverBudget : text + u' ' + kOverBudget;
    // Says why a category shows a budget of nothing: the project has no
    // budget row for it, not a budget of $0.00.
    if (!f.hasBudgetRow)
        text = text.isEmpty() ? QStringLiteral("No budget set")
                              : text + QStringLiteral(" (no budget set)");
    return text;
}

QVariant BudgetOverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() > m_rows.size())
        return {};
    const BudgetFigures& f = figures(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == CategoryColumn)
            return f.category;
        if (column == BarColumn)
            return barText(f);
        return Formats::reportCurrency(amount(f, column));
    case Qt::TextAlignmentRole:
        if (column == CategoryColumn)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (column == BarColumn)
            return int(Qt::AlignCenter);
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (f.overBudget() && (column == RemainingColumn || column == CategoryColumn))
            return QBrush(kOverColour);
        return {};
    case Qt::FontRole:
        if (isTotalsRow(index.row()) || (f.overBudget() && column == CategoryColumn)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        if (isTotalsRow(index.row()) && f.unbudgeted.units() != 0)
            return QStringLiteral("Includes %1 projected in categories without a budget, which "
                                  "the cost reports do not list.")
                .arg(Formats::reportCurrency(f.unbudgeted));
        if (!f.hasBudgetRow)
            return QStringLiteral("This category has part lines but no budget in this project.");
        if (column == BarColumn)
            return QStringLiteral("Projected %1 of %2")
                .arg(Formats::reportCurrency(f.projected), Formats::reportCurrency(f.budget));
        return {};
    case ShareRole:
        return f.share();
    case OverBudgetRole:
        return f.overBudget();
    default:
        return {};
    }
}

QVariant BudgetOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {
        "Category",   "Budget",    "Spent",     "Committed",
        "Considered", "Projected", "Remaining", "Projected vs. Budget"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(captions[section]);
}
