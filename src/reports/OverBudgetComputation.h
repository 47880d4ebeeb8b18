#pragma once

#include "DbResult.h"

#include <QString>

class DataStore;

// Refills the scratch table RSLCategoriesoverbudget with the open project's
// categories whose purchased part lines cost more than their budget.
class OverBudgetComputation {
public:
    // `project` is the project number as text. The table is emptied and
    // refilled in one transaction: on a failure it keeps its earlier rows.
    static DbResult run(DataStore& store, const QString& project);
};
