#pragma once

#include "BudgetOverview.h"

#include <QAbstractTableModel>

// The rows of the budget overview grid: one per category and a totals row
// last. Amounts show as the reports print them; over-budget rows say so in
// words beside the bar and in colour.
class BudgetOverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        CategoryColumn,
        BudgetColumn,
        SpentColumn,
        CommittedColumn,
        ConsideredColumn,
        ProjectedColumn,
        RemainingColumn,
        BarColumn,
        ColumnCount
    };
    // The bar column's share (double) and whether the row is over budget.
    static constexpr int ShareRole = Qt::UserRole + 1;
    static constexpr int OverBudgetRole = Qt::UserRole + 2;

    static inline const QString kOverBudget = QStringLiteral("Over budget");

    using QAbstractTableModel::QAbstractTableModel;

    void setOverview(const BudgetOverview& overview);
    // The category of a row; "" for the totals row.
    QString category(int row) const;
    bool isTotalsRow(int row) const { return row == m_rows.size(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // What the bar says: the share in percent, and "Over budget" when over.
    static QString barText(const BudgetFigures& figures);

private:
    const BudgetFigures& figures(int row) const;

    QList<BudgetFigures> m_rows;
    BudgetFigures m_totals;
};
