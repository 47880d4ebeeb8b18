#pragma once

#include "DbResult.h"
#include "MaintenanceResult.h"

#include <QString>
#include <QStringList>

#include <functional>

class DataStore;

// The part categories (RSLCategories) and what hangs on them: every project
// in use has one budget row per category, and every catalogue part belongs
// to one. Adding, renaming and deleting keep those in step, each in one
// transaction.
class CategoryList {
public:
    explicit CategoryList(DataStore& store);

    QStringList names();
    bool contains(const QString& category);

    MaintenanceResult add(const QString& name);
    // `beforeWrite` runs once the change has passed its checks and before
    // anything is written (the worksheet is closed there).
    MaintenanceResult change(const QString& remembered, const QString& name,
                             const std::function<void()>& beforeWrite);
    // `selectedEntry` is the list entry to delete ("" when none is selected).
    MaintenanceResult remove(const QString& name, const QString& selectedEntry);

    // A zero budget row for the category in every project in use, stored at
    // once.
    DbResult addcategorybudget(const QString& category);
    // Moves the catalogue parts of the old category to the new one.
    DbResult updatecategorychanges(const QString& oldName, const QString& newName);
    // Renames the category on every project's budget rows, with the changes
    // the budget record set holds.
    DbResult renameBudgetRows(const QString& oldName, const QString& newName);

private:
    DataStore& m_store;
};
