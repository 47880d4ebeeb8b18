#include "PartCatalogue.h"

#include "Criteria.h"
#include "DataStore.h"
#include "ListRows.h"
#include "RecordSet.h"
#include "Transaction.h"

namespace {

const QString kName = QStringLiteral("Part_Name");
const QString kCategory = QStringLiteral("Category");

// Writes the name and category into the current (or new) row; a failed write
// leaves no half-edited row behind.
DbResult writeRow(RecordSet& parts, const QString& name, const QString& category) {
    DbResult r = parts.setValue(kName, name);
    if (r)
        r = parts.setValue(kCategory, category);
    if (r)
        r = parts.update();
    if (!r)
        parts.cancelUpdate();
    return r;
}

const QString kInvalidCategory =
    QStringLiteral("You must select a valid category from the category list to continue.");
const QString kDuplicate = QStringLiteral("Part already exists in part list.");
const QString kSelectToChange =
    QStringLiteral("You must select a part to change from the part list.");

} // namespace

PartCatalogue::PartCatalogue(DataStore& store)
    : m_store(store) {}

QStringList PartCatalogue::names() {
    return ListRows::names(m_store.recordSet(Command::RSLParts), kName);
}

QStringList PartCatalogue::categories() {
    return ListRows::names(m_store.recordSet(Command::RSLCategories), kCategory);
}

QString PartCatalogue::categoryOf(const QString& part) {
    RecordSet& parts = m_store.recordSet(Command::RSLParts);
    bool found = false;
    ignoreError(ListRows::locate(parts, kName, part, found));
    return found ? parts.text(kCategory) : QString();
}

DbResult PartCatalogue::categoryExists(const QString& category, bool& exists) {
    RecordSet& categories = m_store.recordSet(Command::RSLCategories);
    exists = false;
    if (DbResult r = categories.setFilter(Criteria::equals(kCategory, category)); !r)
        return r;
    categories.moveFirst();
    exists = !categories.isEof();
    // Nobody else should read the list narrowed to one category.
    return categories.setFilter(QString());
}

DbResult PartCatalogue::usedInAnyProject(const QString& part, bool& used) {
    return ListRows::anyRow(m_store,
                            QStringLiteral("SELECT 1 FROM RSLMaster WHERE Part_Name = ? LIMIT 1"),
                            {part}, used);
}

DbResult PartCatalogue::updatepartchanges(const QString& oldName, const QString& newName) {
    return m_store.execute(
        QStringLiteral("RSLMaster"),
        // Found through the name's index; only the exact name is rewritten.
        QStringLiteral("UPDATE RSLMaster SET Part_Name = ? WHERE Part_Name = ? AND "
                       "Part_Name = ? COLLATE BINARY"),
        {newName, oldName, oldName});
}

MaintenanceResult PartCatalogue::checkCategory(const QString& category) {
    if (category.isEmpty())
        return MaintenanceResult::refused(kInvalidCategory);
    bool exists = false;
    if (DbResult r = categoryExists(category, exists); !r)
        return MaintenanceResult::failed(r);
    if (!exists)
        return MaintenanceResult::refused(kInvalidCategory);
    return MaintenanceResult::done(QString());
}

MaintenanceResult PartCatalogue::add(const QString& name, const QString& category) {
    if (name.isEmpty())
        return MaintenanceResult::refused(
            QStringLiteral("You must enter a Part name to continue."));
    if (MaintenanceResult o = checkCategory(category); !o.isDone())
        return o;
    RecordSet& parts = m_store.recordSet(Command::RSLParts);
    bool exists = false;
    if (DbResult r = ListRows::locate(parts, kName, name, exists); !r)
        return MaintenanceResult::failed(r);
    if (exists)
        return MaintenanceResult::refused(kDuplicate);

    DbResult r = parts.addNew();
    if (r)
        r = writeRow(parts, name, category);
    if (!r)
        return MaintenanceResult::failed(r);
    return MaintenanceResult::done(QStringLiteral("Part has been added."));
}

MaintenanceResult PartCatalogue::change(const QString& remembered, const QString& name,
                                        const QString& category,
                                        const std::function<void()>& beforeWrite) {
    if (name.isEmpty())
        return MaintenanceResult::refused(kSelectToChange);
    if (MaintenanceResult o = checkCategory(category); !o.isDone())
        return o;
    RecordSet& parts = m_store.recordSet(Command::RSLParts);
    bool found = false;
    if (name != remembered) {
        if (DbResult r = ListRows::locate(parts, kName, name, found); !r)
            return MaintenanceResult::failed(r);
        if (found)
            return MaintenanceResult::refused(kDuplicate);
    }
    // Without the old row a rename would only relabel lines of some other
    // name (an empty remembered name would take every line without one).
    if (DbResult r = ListRows::locate(parts, kName, remembered, found); !r)
        return MaintenanceResult::failed(r);
    if (remembered.isEmpty() || !found)
        return MaintenanceResult::refused(kSelectToChange);

    if (beforeWrite)
        beforeWrite();
    Transaction tx(m_store);
    if (!tx.status())
        return MaintenanceResult::failed(tx.status());
    DbResult r = ListRows::locate(parts, kName, remembered, found);
    if (r && !found)
        return MaintenanceResult::refused(kSelectToChange);
    if (r)
        r = writeRow(parts, name, category);
    if (!r)
        return MaintenanceResult::failed(r);
    if (name != remembered)
        if (r = updatepartchanges(remembered, name); !r)
            return MaintenanceResult::failed(r);
    if (r = tx.commit(); !r)
        return MaintenanceResult::failed(r);
    return MaintenanceResult::done(QStringLiteral("Part has been changed."));
}

MaintenanceResult PartCatalogue::remove(const QString& name, const QString& selectedEntry) {
    if (name.isEmpty() || selectedEntry.isEmpty())
        return MaintenanceResult::refused(
            QStringLiteral("You must select a Part to delete from the part list."));
    // The entry about to go is the one to check, even when the name field
    // was edited after the click.
    bool used = false;
    if (DbResult r = usedInAnyProject(selectedEntry, used); !r)
        return MaintenanceResult::failed(r);
    if (used)
        return MaintenanceResult::refused(
            QStringLiteral("You cannot delete this part. It has been used in a project."));
    RecordSet& parts = m_store.recordSet(Command::RSLParts);
    bool found = false;
    if (DbResult r = ListRows::locate(parts, kName, selectedEntry, found); !r)
        return MaintenanceResult::failed(r);
    if (found)
        if (DbResult r = parts.deleteCurrent(); !r)
            return MaintenanceResult::failed(r);
    return MaintenanceResult::done(QStringLiteral("Part has been deleted."));
}
