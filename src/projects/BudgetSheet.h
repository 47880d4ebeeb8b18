#pragma once

#include "DbResult.h"
#include "Money.h"

#include <QList>
#include <QString>

#include <optional>

class AppState;
class DataStore;
class RecordSet;

// The budget rows one budget window edits: those of the project being
// created (number 0) or, in the edit mode ("Y"), those of the project being
// edited. Changes stay held in RSLCategorybudget; storing them is the calling
// window's business.
class BudgetSheet {
public:
    struct Row {
        QString category;
        Money amount;
        bool operator==(const Row&) const = default;
    };
    enum class SetOutcome { Changed, Unchanged, Refused };

    BudgetSheet(DataStore& store, AppState& state);

    bool forExistingProject() const { return m_existing; }

    // Sorts by category, filters to the rows in scope and takes the snapshot.
    void load();
    const QList<Row>& snapshot() const { return m_snapshot; }
    // The rows in scope, held changes included, sorted by category.
    QList<Row> rows();

    // Reads the text by the leading-number rule (an empty text is 0). Refused
    // when the amount, or the total with it, leaves the money range.
    SetOutcome setAmount(int row, const QString& text, Money* stored = nullptr,
                         DbResult* error = nullptr);
    // The sum over the rows in scope, as Accept Budget computes it.
    std::optional<Money> total();
    // Puts the snapshot back as held changes: the rows in scope are deleted
    // and the saved categories and amounts added again.
    DbResult restoreSnapshot();

    // budget_amount added up from the first row to the end; empty on overflow.
    static std::optional<Money> sum(RecordSet& budget);

private:
    // The scope's criteria; in the edit mode the number text is taken afresh
    // from the number first.
    QString refreshedScope();
    DbResult useScope();
    int scopeNumber() const;

    DataStore& m_store;
    AppState& m_state;
    bool m_existing = false;
    QString m_scope;
    QList<Row> m_snapshot;
};
