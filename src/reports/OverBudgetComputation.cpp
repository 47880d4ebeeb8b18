#include "OverBudgetComputation.h"

#include "Criteria.h"
#include "DataStore.h"
#include "Transaction.h"

#include <optional>

namespace {

// Appends the category when its purchased total is above its budget. A
// category without a budget row for the project has a budget of 0.
DbResult closeCategory(RecordSet& budget, RecordSet& scratch, const QString& category,
                       Money total) {
    budget.moveFirst();
    bool found = false;
    if (DbResult r = budget.find(Criteria::equals(QStringLiteral("Category"), category), &found);
        !r)
        return r;
    const Money budgeted = found ? budget.money(QStringLiteral("Budget_amount")) : Money();
    if (!(budgeted < total))
        return DbResult::success();
    if (DbResult r = scratch.addNew(); !r)
        return r;
    DbResult r = scratch.setValue(QStringLiteral("Category"), category);
    if (r)
        r = scratch.setValue(QStringLiteral("Actual_amount"), QVariant::fromValue(total));
    if (r)
        r = scratch.setValue(QStringLiteral("Budget_amount"), QVariant::fromValue(budgeted));
    if (r)
        r = scratch.setValue(QStringLiteral("Difference"), QVariant::fromValue(Money::fromUnits(
                                                               total.units() - budgeted.units())));
    if (r)
        r = scratch.update();
    if (!r)
        scratch.cancelUpdate();
    return r;
}

DbResult overflow() {
    return DbResult::failure(DbErrorKind::Overflow,
                             QStringLiteral("The purchased total of a category is too large."));
}

} // namespace

DbResult OverBudgetComputation::run(DataStore& store, const QString& project) {
    RecordSet& master = store.recordSet(Command::RSLMaster);
    RecordSet& budget = store.recordSet(Command::RSLCategorybudget);
    RecordSet& scratch = store.recordSet(Command::RSLCategoriesoverbudget);

    // Counting the lines of another project, or of every project, would be
    // worse than no list at all: a filter that fails stops the computation.
    // The filters are set before anything is read, so that only the
    // project's purchased lines are read, sorted by the database.
    const QString number = project.trimmed();
    // A file open for reading only still gives the report: the list is
    // refilled in a table of this run's own.
    if (DbResult r = store.shadowScratchTable(QStringLiteral("RSLCategoriesoverbudget")); !r)
        return r;
    ignoreError(master.setSort(QStringLiteral("category")));
    if (DbResult r = master.setFilter(QStringLiteral("Mas_vehicle_number = ") + number +
                                      QStringLiteral(" and purchased = 1"));
        !r)
        return r;
    if (DbResult r = budget.setFilter(QStringLiteral("Cat_vehicle_number = ") + number); !r)
        return r;
    ignoreError(budget.requery());
    ignoreError(scratch.requery());

    Transaction tx(store);
    if (!tx.status())
        return tx.status();
    if (DbResult r = scratch.setFilter(QString()); !r)
        return r;
    for (scratch.moveFirst(); !scratch.isEof(); scratch.moveNext())
        if (DbResult r = scratch.deleteCurrent(); !r)
            return r;

    // Only the two columns the totals need are read; the lines themselves
    // are read again when a window next uses the list.
    std::optional<QString> current;
    Money total;
    DbResult walked = master.scan(
        {QStringLiteral("Category"), QStringLiteral("Total_cost")},
        [&](const QVector<QVariant>& line) {
            const QString category = line[0].toString();
            const Money cost = line[1].value<Money>();
            if (!current || category.compare(*current, Qt::CaseInsensitive) != 0) {
                if (current)
                    if (DbResult r = closeCategory(budget, scratch, *current, total); !r)
                        return r;
                current = category;
                total = cost;
            } else if (const auto added = Money::checkedAdd(total, cost)) {
                total = *added;
            } else {
                return overflow();
            }
            return DbResult::success();
        });
    if (!walked)
        return walked;
    if (current)
        if (DbResult r = closeCategory(budget, scratch, *current, total); !r)
            return r;
    return tx.commit();
}
