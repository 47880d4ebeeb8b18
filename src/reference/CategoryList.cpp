#include "CategoryList.h"

#include "Criteria.h"
#include "DataStore.h"
#include "ListRows.h"
#include "RecordSet.h"
#include "Transaction.h"

namespace {

const QString kCategory = QStringLiteral("Category");
const QString kDuplicate = QStringLiteral("Category already exists in category list.");
const QString kSelectToChange =
    QStringLiteral("You must select a category to change from the category list.");

// Record-set writes refresh only their own record set; the other views of
// these tables read again.
void rereadAfterChange(DataStore& store) {
    for (const char* table : {"RSLCategories", "RSLCategorybudget", "RSLParts"})
        store.invalidateTable(QString::fromLatin1(table));
}

} // namespace

CategoryList::CategoryList(DataStore& store)
    : m_store(store) {}

QStringList CategoryList::names() {
    return ListRows::names(m_store.recordSet(Command::RSLCategories), kCategory);
}

bool CategoryList::contains(const QString& category) {
    bool found = false;
    ignoreError(
        ListRows::locate(m_store.recordSet(Command::RSLCategories), kCategory, category, found));
    return found;
}

DbResult CategoryList::addcategorybudget(const QString& category) {
    // Whatever filter another window left on RSLVehiclesused, every project
    // in use gets its row.
    return m_store.execute(
        QStringLiteral("RSLCategorybudget"),
        QStringLiteral(
            "INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, Budget_amount) "
            "SELECT DISTINCT ?, used_vehicle_number, 0 FROM RSLVehiclesused "
            "WHERE used_vehicle_number IS NOT NULL ORDER BY used_vehicle_number"),
        {category});
}

DbResult CategoryList::updatecategorychanges(const QString& oldName, const QString& newName) {
    return m_store.execute(
        QStringLiteral("RSLParts"),
        QStringLiteral("UPDATE RSLParts SET Category = ? WHERE Category = ? COLLATE BINARY"),
        {newName, oldName});
}

DbResult CategoryList::renameBudgetRows(const QString& oldName, const QString& newName) {
    // Through the record set, so that budget rows held there unsaved (a
    // project being created) are renamed too.
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    DbResult r = budget.setFilter(Criteria::equals(kCategory, oldName));
    for (budget.moveFirst(); r && !budget.isEof(); budget.moveNext())
        r = budget.setValue(kCategory, newName);
    if (r)
        r = budget.updateBatch();
    ignoreError(budget.setFilter(QString()));
    return r;
}

MaintenanceResult CategoryList::add(const QString& name) {
    if (name.isEmpty())
        return MaintenanceResult::refused(
            QStringLiteral("You must enter a category name to continue."));
    RecordSet& categories = m_store.recordSet(Command::RSLCategories);
    bool exists = false;
    if (DbResult r = ListRows::locate(categories, kCategory, name, exists); !r)
        return MaintenanceResult::failed(r);
    if (exists)
        return MaintenanceResult::refused(kDuplicate);

    Transaction tx(m_store);
    DbResult r = tx.status();
    if (r)
        r = categories.addNew();
    if (r)
        r = categories.setValue(kCategory, name);
    if (r)
        r = categories.update();
    if (!r)
        categories.cancelUpdate();
    if (r)
        r = addcategorybudget(name);
    if (r)
        r = tx.commit();
    if (!r)
        return MaintenanceResult::failed(r);
    rereadAfterChange(m_store);
    return MaintenanceResult::done(QStringLiteral("Category has been added."));
}

MaintenanceResult CategoryList::change(const QString& remembered, const QString& name,
                                       const std::function<void()>& beforeWrite) {
    if (name.isEmpty())
        return MaintenanceResult::refused(kSelectToChange);
    RecordSet& categories = m_store.recordSet(Command::RSLCategories);
    bool found = false;
    if (name != remembered) {
        if (DbResult r = ListRows::locate(categories, kCategory, name, found); !r)
            return MaintenanceResult::failed(r);
        if (found)
            return MaintenanceResult::refused(kDuplicate);
    }
    if (DbResult r = ListRows::locate(categories, kCategory, remembered, found); !r)
        return MaintenanceResult::failed(r);
    if (remembered.isEmpty() || !found)
        return MaintenanceResult::refused(kSelectToChange);

    if (beforeWrite)
        beforeWrite();
    if (name == remembered)
        return MaintenanceResult::done(QStringLiteral("Category has been changed."));

    Transaction tx(m_store);
    DbResult r = tx.status();
    if (r)
        r = ListRows::locate(categories, kCategory, remembered, found);
    if (r && !found)
        return MaintenanceResult::refused(kSelectToChange);
    if (r)
        r = categories.setValue(kCategory, name);
    if (r)
        r = categories.update();
    if (!r)
        categories.cancelUpdate();
    if (r)
        r = updatecategorychanges(remembered, name);
    if (r)
        r = renameBudgetRows(remembered, name);
    if (r)
        r = tx.commit();
    if (!r)
        return MaintenanceResult::failed(r);
    rereadAfterChange(m_store);
    return MaintenanceResult::done(QStringLiteral("Category has been changed."));
}

MaintenanceResult CategoryList::remove(const QString& name, const QString& selectedEntry) {
    if (name.isEmpty() || selectedEntry.isEmpty())
        return MaintenanceResult::refused(
            QStringLiteral("You must select a category to delete from the category list."));

    // The entry about to go is the one checked, even when the name field was
    // edited after the click. Budgets first: held (unsaved) amounts count.
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (DbResult r = budget.setFilter(Criteria::equals(kCategory, selectedEntry)); !r)
        return MaintenanceResult::failed(r);
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        if (budget.money(QStringLiteral("Budget_amount")) > Money()) {
            ignoreError(budget.setFilter(QString()));
            return MaintenanceResult::refused(QStringLiteral(
                "You cannot delete this category. There are projects with budget amounts assigned to this category."));
        }
    bool used = false;
    if (DbResult r = ListRows::anyRow(
            m_store, QStringLiteral("SELECT 1 FROM RSLParts WHERE Category = ? LIMIT 1"),
            {selectedEntry}, used);
        !r)
        return MaintenanceResult::failed(r);
    if (used) {
        ignoreError(budget.setFilter(QString()));
        return MaintenanceResult::refused(QStringLiteral(
            "You cannot delete this category. There are parts that have been assigned to this category."));
    }

    RecordSet& categories = m_store.recordSet(Command::RSLCategories);
    Transaction tx(m_store);
    DbResult r = tx.status();
    bool found = false;
    if (r)
        r = ListRows::locate(categories, kCategory, selectedEntry, found);
    if (r && found)
        r = categories.deleteCurrent();
    // The remaining rows hold no amount above 0.
    if (r)
        r = budget.setFilter(Criteria::equals(kCategory, selectedEntry));
    for (budget.moveFirst(); r && !budget.isEof(); budget.moveNext())
        r = budget.deleteCurrent();
    if (r)
        r = budget.updateBatch();
    if (r)
        r = budget.setFilter(QString());
    if (r)
        r = tx.commit();
    if (!r) {
        ignoreError(budget.setFilter(QString()));
        return MaintenanceResult::failed(r);
    }
    rereadAfterChange(m_store);
    return MaintenanceResult::done(QStringLiteral("Category has been deleted."));
}
