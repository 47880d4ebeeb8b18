#pragma once

#include "DbResult.h"
#include "MaintenanceResult.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DataStore;
enum class Command;

// A vendor's or a manufacturer's row. The order-catalogue flag is the
// vendors' only.
struct Contact {
    QString name;
    QString address;
    QString phone;
    QString webSite;
    bool orderCatalog = false;
};

// The vendor list (RSLVendor) or the manufacturer list (RSLManufacturer):
// both work alike and differ in their columns and messages. A rename reaches
// the part lines of every project in the same transaction as the row.
class ContactBook {
public:
    enum class Kind { Vendors, Manufacturers };

    ContactBook(DataStore& store, Kind kind);

    Kind kind() const { return m_kind; }
    QStringList names();
    // The stored row; empty when there is no row of that name.
    std::optional<Contact> find(const QString& name);

    // Names and web sites arrive in upper case; empty address, phone and web
    // site are stored as a single space.
    MaintenanceResult add(const Contact& contact);
    // `beforeWrite` runs once the change has passed its checks and before
    // anything is written (the worksheet is closed there).
    MaintenanceResult change(const QString& remembered, const Contact& contact,
                             const std::function<void()>& beforeWrite);
    // `selectedEntry` is the list entry to delete ("" when none is selected).
    // Part lines that name it keep the name.
    MaintenanceResult remove(const QString& name, const QString& selectedEntry);

    // Rewrite the name on the lines of every project.
    static DbResult updatevendorchanges(DataStore& store, const QString& oldName,
                                        const QString& newName);
    static DbResult updatemanufacturerchanges(DataStore& store, const QString& oldName,
                                              const QString& newName);

    struct Texts;

private:
    DbResult writeDetails(const Contact& contact);
    DbResult renameOnLines(const QString& oldName, const QString& newName);

    DataStore& m_store;
    Kind m_kind;
    const Texts& m_texts;
};
