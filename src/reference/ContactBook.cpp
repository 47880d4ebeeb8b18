#include "ContactBook.h"

#include "DataStore.h"
#include "ListRows.h"
#include "RecordSet.h"
#include "Transaction.h"

struct ContactBook::Texts {
    Command command;
    QString nameColumn, addressColumn, phoneColumn, webSiteColumn;
    QString emptyName, duplicate, added, selectToChange, changed, selectToDelete, deleted;
};

namespace {

const ContactBook::Texts& textsOf(ContactBook::Kind kind) {
    static const ContactBook::Texts vendors{
        Command::RSLVendor,
        QStringLiteral("vendor_name"),
        QStringLiteral("vendor_address"),
        QStringLiteral("vendor_phone"),
        QStringLiteral("vendor_web_site"),
        QStringLiteral("You must enter a vendor name to continue."),
        QStringLiteral("Vendor already exists in vendor list."),
        QStringLiteral("Vendor has been added."),
        QStringLiteral("You must select a vendor to change from the vendor list."),
        QStringLiteral("Vendor has been changed."),
        QStringLiteral("You must select a vendor to delete from the vendor list."),
        QStringLiteral("Vendor has been deleted."),
    };
    static const ContactBook::Texts manufacturers{
        Command::RSLManufacturer,
        QStringLiteral("manufacturer"),
        QStringLiteral("manufacturer_address"),
        QStringLiteral("manufacturer_phone"),
        QStringLiteral("manufacturer_web_site"),
        QStringLiteral("You must enter a manufacturer name to continue."),
        QStringLiteral("Manufacturer already exists in manufacturer list."),
        QStringLiteral("Manufacturer has been added."),
        QStringLiteral("You must select a manufacturer to change from the manufacturer list."),
        QStringLiteral("Manufacturer has been changed."),
        QStringLiteral("You must select a manufacturer to delete from the manufacturer list."),
        QStringLiteral("Manufacturer has been deleted."),
    };
    return kind == ContactBook::Kind::Vendors ? vendors : manufacturers;
}

// An empty text would read back as no value at all; the lists keep a space.
QString orSpace(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

DbResult renameColumn(DataStore& store, const QString& column, const QString& oldName,
                      const QString& newName) {
    return store.execute(
        QStringLiteral("RSLMaster"),
        // The case-blind comparison finds the lines through the column's index;
        // the exact one keeps names that differ only in case as they are.
        QStringLiteral("UPDATE RSLMaster SET %1 = ? WHERE %1 = ? AND %1 = ? COLLATE BINARY")
            .arg(column),
        {newName, oldName, oldName});
}

} // namespace

ContactBook::ContactBook(DataStore& store, Kind kind)
    : m_store(store)
    , m_kind(kind)
    , m_texts(textsOf(kind)) {}

QStringList ContactBook::names() {
    return ListRows::names(m_store.recordSet(m_texts.command), m_texts.nameColumn);
}

std::optional<Contact> ContactBook::find(const QString& name) {
    RecordSet& rs = m_store.recordSet(m_texts.command);
    bool found = false;
    ignoreError(ListRows::locate(rs, m_texts.nameColumn, name, found));
    if (!found)
        return std::nullopt;
    Contact c;
    c.name = rs.text(m_texts.nameColumn);
    c.address = rs.text(m_texts.addressColumn);
    c.phone = rs.text(m_texts.phoneColumn);
    c.webSite = rs.text(m_texts.webSiteColumn);
    if (m_kind == Kind::Vendors)
        c.orderCatalog = rs.text(QStringLiteral("order_catalog")) == u"True";
    return c;
}

DbResult ContactBook::updatevendorchanges(DataStore& store, const QString& oldName,
                                          const QString& newName) {
    return renameColumn(store, QStringLiteral("Vendor"), oldName, newName);
}

DbResult ContactBook::updatemanufacturerchanges(DataStore& store, const QString& oldName,
                                                const QString& newName) {
    return renameColumn(store, QStringLiteral("Manufacturer"), oldName, newName);
}

DbResult ContactBook::renameOnLines(const QString& oldName, const QString& newName) {
    return m_kind == Kind::Vendors ? updatevendorchanges(m_store, oldName, newName)
                                   : updatemanufacturerchanges(m_store, oldName, newName);
}

DbResult ContactBook::writeDetails(const Contact& contact) {
    RecordSet& rs = m_store.recordSet(m_texts.command);
    DbResult r = rs.setValue(m_texts.nameColumn, contact.name);
    if (r)
        r = rs.setValue(m_texts.addressColumn, orSpace(contact.address));
    if (r)
        r = rs.setValue(m_texts.phoneColumn, orSpace(contact.phone));
    if (r)
        r = rs.setValue(m_texts.webSiteColumn, orSpace(contact.webSite));
    if (r && m_kind == Kind::Vendors)
        r = rs.setValue(QStringLiteral("order_catalog"), contact.orderCatalog ? 1 : 0);
    if (r)
        r = rs.update();
    if (!r)
        rs.cancelUpdate();
    return r;
}

MaintenanceResult ContactBook::add(const Contact& contact) {
    if (contact.name.isEmpty())
        return MaintenanceResult::refused(m_texts.emptyName);
    RecordSet& rs = m_store.recordSet(m_texts.command);
    bool exists = false;
    if (DbResult r = ListRows::locate(rs, m_texts.nameColumn, contact.name, exists); !r)
        return MaintenanceResult::failed(r);
    if (exists)
        return MaintenanceResult::refused(m_texts.duplicate);
    DbResult r = rs.addNew();
    if (r)
        r = writeDetails(contact);
    if (!r)
        return MaintenanceResult::failed(r);
    return MaintenanceResult::done(m_texts.added);
}

MaintenanceResult ContactBook::change(const QString& remembered, const Contact& contact,
                                      const std::function<void()>& beforeWrite) {
    if (contact.name.isEmpty())
        return MaintenanceResult::refused(m_texts.selectToChange);
    RecordSet& rs = m_store.recordSet(m_texts.command);
    bool found = false;
    if (contact.name != remembered) {
        if (DbResult r = ListRows::locate(rs, m_texts.nameColumn, contact.name, found); !r)
            return MaintenanceResult::failed(r);
        if (found)
            return MaintenanceResult::refused(m_texts.duplicate);
    }
    // Without the old row a rename would only relabel lines of some other
    // name (an empty remembered name would take every line without one).
    if (DbResult r = ListRows::locate(rs, m_texts.nameColumn, remembered, found); !r)
        return MaintenanceResult::failed(r);
    if (remembered.isEmpty() || !found)
        return MaintenanceResult::refused(m_texts.selectToChange);

    if (beforeWrite)
        beforeWrite();
    Transaction tx(m_store);
    if (!tx.status())
        return MaintenanceResult::failed(tx.status());
    DbResult r = ListRows::locate(rs, m_texts.nameColumn, remembered, found);
    if (r && !found)
        return MaintenanceResult::refused(m_texts.selectToChange);
    if (r)
        r = writeDetails(contact);
    if (r && contact.name != remembered)
        r = renameOnLines(remembered, contact.name);
    if (r)
        r = tx.commit();
    if (!r)
        return MaintenanceResult::failed(r);
    return MaintenanceResult::done(m_texts.changed);
}

MaintenanceResult ContactBook::remove(const QString& name, const QString& selectedEntry) {
    if (name.isEmpty() || selectedEntry.isEmpty())
        return MaintenanceResult::refused(m_texts.selectToDelete);
    RecordSet& rs = m_store.recordSet(m_texts.command);
    bool found = false;
    if (DbResult r = ListRows::locate(rs, m_texts.nameColumn, selectedEntry, found); !r)
        return MaintenanceResult::failed(r);
    if (found)
        if (DbResult r = rs.deleteCurrent(); !r)
            return MaintenanceResult::failed(r);
    return MaintenanceResult::done(m_texts.deleted);
}
