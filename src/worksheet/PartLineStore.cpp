#include "PartLineStore.h"

#include "CostArithmetic.h"
#include "DataStore.h"
#include "Decimal.h"
#include "Money.h"
#include "Transaction.h"

#include <QSqlQuery>
#include <QVariantList>

namespace {

const QString kMaster = QStringLiteral("RSLMaster");

QVariant moneyValue(const QString& text) {
    // Bound as the record sets bind money, so the stored value reads back exactly.
    return Money::fromText(text).value_or(Money()).toPlainText().toDouble();
}

QVariant textOrNull(const QString& text) {
    if (text.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    return text;
}

// Every column but the sequence number, in this order.
const QString kColumns = QStringLiteral(
    "Part_Name, Part_Number, Manufacturer, Vendor, Quantity, Price, Tax_amount, Shipping_amount, "
    "Total_cost, Notes, Category, Mas_vehicle_number, Taxable, Purchased, Selected, Forecast, "
    "Purchase_date");

QVariantList values(const PartLine& line, int project) {
    return {line.partName,
            line.partNumber,
            line.manufacturer,
            line.vendor,
            Decimal::leading(line.quantity).toDouble(),
            moneyValue(line.price),
            moneyValue(line.taxAmount),
            moneyValue(line.shipping),
            moneyValue(line.totalCost),
            textOrNull(line.notes),
            line.category,
            project,
            int(line.taxable),
            int(line.purchased),
            int(line.selected),
            int(line.forecast),
            line.purchaseDate};
}

PartLineStore::Result failed(const DbResult& r) {
    return {PartLineStore::Outcome::Failed, r.message(), 0};
}

} // namespace

PartLineStore::PartLineStore(DataStore& store)
    : m_store(store) {}

bool PartLineStore::amountsFit(const PartLine& line, const QString& taxPercentage) {
    const auto cost = CostArithmetic::calcamount(
        {line.quantity, line.price, line.shipping, taxPercentage, line.taxable});
    return cost.ok && Money::fromText(line.taxAmount) && Money::fromText(line.totalCost);
}

DbResult PartLineStore::exists(const QString& table, const QString& column, const QString& value,
                               bool& found) {
    found = false;
    return m_store.query(
        QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"%2\" = ? LIMIT 1").arg(table, column), {value},
        [&](const QSqlQuery&) { found = true; });
}

void PartLineStore::addName(const QString& table, const QString& column, const QString& value) {
    bool found = false;
    if (value.isEmpty() || !exists(table, column, value, found) || found)
        return;
    ignoreError(m_store.execute(
        table, QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (?)").arg(table, column),
        {value}));
}

void PartLineStore::addvalidationrecords(const PartLine& line) {
    bool found = false;
    if (!line.partName.isEmpty() &&
        exists(QStringLiteral("RSLParts"), QStringLiteral("Part_Name"), line.partName, found) &&
        !found)
        ignoreError(m_store.execute(
            QStringLiteral("RSLParts"),
            QStringLiteral("INSERT INTO RSLParts (Part_Name, Category) VALUES (?, ?)"),
            {line.partName, line.category}));
    addName(QStringLiteral("RSLManufacturer"), QStringLiteral("manufacturer"), line.manufacturer);
    addName(QStringLiteral("RSLVendor"), QStringLiteral("vendor_name"), line.vendor);

    const QString categories = QStringLiteral("RSLCategories");
    if (line.category.isEmpty() ||
        !exists(categories, QStringLiteral("Category"), line.category, found) || found)
        return;
    // The category and its budget rows go in together or not at all, so no
    // project is ever without a row for a category.
    Transaction tx(m_store);
    if (!tx.status().ok())
        return;
    if (!m_store
             .execute(categories, QStringLiteral("INSERT INTO RSLCategories (Category) VALUES (?)"),
                      {line.category})
             .ok())
        return;
    if (!m_store
             .execute(QStringLiteral("RSLCategorybudget"),
                      QStringLiteral("INSERT INTO RSLCategorybudget (Category, Cat_vehicle_number, "
                                     "Budget_amount) SELECT ?, used_vehicle_number, 0 FROM "
                                     "RSLVehiclesused ORDER BY rowid"),
                      {line.category})
             .ok())
        return;
    ignoreError(tx.commit());
}

qint64 PartLineStore::locate(const QString& partName, const QString& sequence, DbResult* error) {
    bool ok = false;
    const qint64 number = sequence.trimmed().toLongLong(&ok);
    if (!ok)
        return 0;
    qint64 rowid = 0;
    *error = m_store.query(QStringLiteral("SELECT rowid FROM RSLMaster WHERE Part_Name = ? AND "
                                          "Sequence_Number = ? ORDER BY rowid LIMIT 1"),
                           {partName, number},
                           [&](const QSqlQuery& q) { rowid = q.value(0).toLongLong(); });
    return rowid;
}

PartLineStore::Result PartLineStore::add(const PartLine& line, int project) {
    Transaction tx(m_store);
    if (!tx.status())
        return failed(tx.status());
    addvalidationrecords(line);
    DbResult error;
    const qint64 sequence = m_store.nextSequenceNumber(line.partName, &error);
    if (!error)
        return failed(error);
    QVariantList binds = values(line, project);
    binds << sequence;
    if (DbResult r = m_store.execute(kMaster,
                                     QStringLiteral("INSERT INTO RSLMaster (") + kColumns +
                                         QStringLiteral(", Sequence_Number) VALUES (?, ?, ?, ?, ?, "
                                                        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                     binds);
        !r)
        return failed(r);
    if (DbResult r = tx.commit(); !r)
        return failed(r);
    return {Outcome::Stored, {}, sequence};
}

PartLineStore::Result PartLineStore::accept(const PartLine& line, int project,
                                            const QString& loadedName,
                                            const QString& loadedSequence) {
    Transaction tx(m_store);
    if (!tx.status())
        return failed(tx.status());
    DbResult error;
    const qint64 rowid = locate(loadedName, loadedSequence, &error);
    if (!error)
        return failed(error);
    if (rowid == 0)
        return {Outcome::Missing, {}, 0};

    addvalidationrecords(line);
    // A renamed line joins the numbering of its new name.
    qint64 sequence = loadedSequence.trimmed().toLongLong();
    const bool renamed = line.partName != loadedName;
    if (renamed) {
        sequence = m_store.nextSequenceNumber(line.partName, &error);
        if (!error)
            return failed(error);
    }

    QString assignments = kColumns;
    assignments.replace(QStringLiteral(", "), QStringLiteral(" = ?, "));
    assignments += QStringLiteral(" = ?");
    QVariantList binds = values(line, project);
    if (renamed) {
        assignments += QStringLiteral(", Sequence_Number = ?");
        binds << sequence;
    }
    binds << rowid;
    if (DbResult r = m_store.execute(kMaster,
                                     QStringLiteral("UPDATE RSLMaster SET ") + assignments +
                                         QStringLiteral(" WHERE rowid = ?"),
                                     binds);
        !r)
        return failed(r);
    if (DbResult r = tx.commit(); !r)
        return failed(r);
    return {Outcome::Stored, {}, sequence};
}

PartLineStore::Result PartLineStore::remove(const QString& loadedName,
                                            const QString& loadedSequence) {
    DbResult error;
    const qint64 rowid = locate(loadedName, loadedSequence, &error);
    if (!error)
        return failed(error);
    if (rowid == 0)
        return {Outcome::Missing, {}, 0};
    if (DbResult r = m_store.execute(
            kMaster, QStringLiteral("DELETE FROM RSLMaster WHERE rowid = ?"), {rowid});
        !r)
        return failed(r);
    return {Outcome::Stored, {}, 0};
}
