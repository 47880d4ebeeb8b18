#pragma once

#include "DbResult.h"
#include "MaintenanceResult.h"

#include <QString>
#include <QStringList>

#include <functional>

class DataStore;

// The parts catalogue (RSLParts): part names with the category each belongs
// to. Names arrive in upper case; a rename reaches the part lines of every
// project in the same transaction as the catalogue row.
class PartCatalogue {
public:
    explicit PartCatalogue(DataStore& store);

    QStringList names();
    QStringList categories();
    // The part's category; "" when the part is not in the catalogue.
    QString categoryOf(const QString& part);

    MaintenanceResult add(const QString& name, const QString& category);
    // `beforeWrite` runs once the change has passed its checks and before
    // anything is written (the worksheet is closed there).
    MaintenanceResult change(const QString& remembered, const QString& name,
                             const QString& category, const std::function<void()>& beforeWrite);
    // `selectedEntry` is the list entry to delete ("" when none is selected).
    MaintenanceResult remove(const QString& name, const QString& selectedEntry);

    DbResult categoryExists(const QString& category, bool& exists);
    DbResult usedInAnyProject(const QString& part, bool& used);
    // Rewrites the part name on the lines of every project.
    DbResult updatepartchanges(const QString& oldName, const QString& newName);

private:
    MaintenanceResult checkCategory(const QString& category);

    DataStore& m_store;
};
