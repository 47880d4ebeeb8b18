#pragma once

#include "DbResult.h"
#include "Money.h"

#include <QList>
#include <QString>

class DataStore;

// Where one category of a project stands against its budget. Spent counts
// purchased lines, Committed forecast lines not yet purchased, Considered
// selected lines neither forecast nor purchased; a line counts once, at the
// highest step of its status.
struct BudgetFigures {
    QString category;
    Money budget;
    Money spent;
    Money committed;
    Money considered;
    Money projected; // spent + committed
    Money remaining; // budget - projected
    // Totals only: the part of Projected in categories without a budget
    // row. The cost reports list budget rows alone, so this is what their
    // totals leave out and the overview counts.
    Money unbudgeted;
    bool hasBudgetRow = true;

    bool overBudget() const { return projected > budget; }
    // Projected as a share of the budget, for the bar; 0 when nothing is
    // budgeted and nothing projected, 1 or more when over.
    double share() const;
};

// The budget overview of one project: one row per category, in name order,
// and the project's totals. All sums are taken in whole ten-thousandths in a
// single grouped query, so they agree to the cent with what the cost reports
// print.
class BudgetOverview {
public:
    // Reads the figures of the project. On failure (a sum beyond the money
    // range included) the overview is empty and the message says why.
    DbResult load(DataStore& store, int project);

    const QList<BudgetFigures>& rows() const { return m_rows; }
    const BudgetFigures& totals() const { return m_totals; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // "Projected $1,250.00 of $2,000.00 budget (63%)" and the like; says
    // "over budget" in words when it is, and how much of Projected lies in
    // categories without a budget.
    static QString summaryLine(const BudgetFigures& totals);

private:
    QList<BudgetFigures> m_rows;
    BudgetFigures m_totals;
};
