#pragma once

#include "DbResult.h"
#include "Money.h"
#include "ProjectRecord.h"

#include <QString>

#include <optional>

class AppState;
class DataStore;

// Changing one stored project. Loading points the shared project number at
// it and copies its budget rows into RSLCategorybudget3, so that budget
// changes made in the budget window can be put back when the user abandons
// the edit.
class ProjectEditor {
public:
    ProjectEditor(DataStore& store, AppState& state);

    // Empty when no project has the description. `copyError` reports a
    // failure to take the copy (the edit can go on; see restoreBudgetFromCopy).
    std::optional<ProjectRecord> load(const QString& description, DbResult* copyError = nullptr);
    const QString& loadedDescription() const { return m_loaded; }
    int number() const { return m_number; }

    // The sum of the project's budget rows, held changes included.
    std::optional<Money> budgetTotal();

    enum class ChangeOutcome { Changed, Duplicate, Missing, Failed };
    struct ChangeResult {
        ChangeOutcome outcome = ChangeOutcome::Failed;
        QString previous;    // the description before the change
        QString description; // the new description
        DbResult error;
    };
    // Stores the project row and the held budget changes together, unless
    // another project already has the new description.
    ChangeResult change(const ProjectInput& input);

    // Puts the copied budget rows back in place of the project's rows, stored.
    DbResult restoreBudgetFromCopy();
    // Drops the budget changes still held.
    void cancelBudget();

private:
    QString scope() const;

    DataStore& m_store;
    AppState& m_state;
    QString m_loaded;
    int m_number = 0;
    bool m_copied = false;
};
