#pragma once

#include "DbResult.h"
#include "Money.h"
#include "ProjectRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

class DataStore;

// Numbering, adding and deleting projects, and the budget rows of the project
// being created (the rows numbered 0). No widgets: the catalogue shows and
// collects, this class reads and writes.
class ProjectStore {
public:
    static constexpr int kMaxProjects = 99;

    explicit ProjectStore(DataStore& store);

    // Year, make and model joined by single spaces, make and model upper-cased.
    static QString describe(const QString& year, const QString& make, const QString& model);

    // nextvehicle: the lowest number from 1 to 99 not in RSLVehiclesused;
    // kMaxProjects + 1 when every number is taken.
    std::optional<int> nextvehicle(DbResult* error = nullptr);

    // Every project description in the order RSLVehicles returns them.
    QStringList descriptions();
    bool hasProjects();
    // The reference lists: every make, and the models of one make (RSLModels
    // keeps that filter).
    QStringList makes();
    QStringList models(const QString& make);

    // Leaves RSLVehicles on the row found.
    std::optional<ProjectRecord> find(const QString& description);

    // Deletes the number-0 rows (held and stored alike) and stores that.
    DbResult clearcategorybudget();
    // Replaces the number-0 rows by one zero row per category, stored;
    // rows that are already just that are left as they are.
    DbResult refillNewBudget();
    // When the catalogue closes: the number-0 rows go unless they are
    // untouched zero rows (then they stay for the next opening).
    DbResult releaseNewBudget();
    // Gives the number-0 rows the project number; held until the batch is stored.
    DbResult copytable(int number);
    // Sum of the number-0 rows, held amounts included; empty when it does
    // not fit the money range.
    std::optional<Money> newBudgetTotal();

    enum class AddOutcome { Added, Duplicate, Full, Failed };
    struct AddResult {
        AddOutcome outcome = AddOutcome::Failed;
        int number = 0;
        QString description;
        DbResult error;
    };
    // Stores the budget rows under the next free number, the project row and
    // the used number, all or nothing. On failure the held budget amounts
    // stay as they were.
    AddResult addProject(const ProjectInput& input);

    // Removes the used number, the part lines, the budget rows and the
    // project row in one transaction. `found` is false when no project has
    // that description (nothing is changed then).
    DbResult deleteProject(const QString& description, bool* found = nullptr);

private:
    // Whether the number-0 rows are one zero row per category, in order,
    // with nothing held.
    DbResult newBudgetIsFresh(const QStringList& categories, bool& fresh);

    DataStore& m_store;
};
