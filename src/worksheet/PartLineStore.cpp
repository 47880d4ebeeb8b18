#include "PartLineStore.h"

#include "CostArithmetic.h"
#include "DataStore.h"
#include "Decimal.h"
#include "Money.h"
#include "Transaction.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QVariantList>

#include <optional>

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

// The reference lists a part line adds its names to.
enum List { Parts, Manufacturers, Vendors, Categories, ListCount };
struct ListTable {
    QString table;
    QString column;
    bool withCategory = false; // a part joins its list with the line's category
};
const ListTable kLists[ListCount] = {
    {QStringLiteral("RSLParts"), QStringLiteral("Part_Name"), true},
    {QStringLiteral("RSLManufacturer"), QStringLiteral("manufacturer")},
    {QStringLiteral("RSLVendor"), QStringLiteral("vendor_name")},
    {QStringLiteral("RSLCategories"), QStringLiteral("Category")},
};

// Names compare as the file's text columns do: ASCII letters without regard
// to case, every other character as it is.
QString folded(const QString& name) {
    QString out = name;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(char16_t(c.unicode() - (u'a' - u'A')));
    return out;
}

const QString kInsert = QStringLiteral("INSERT INTO RSLMaster (") + kColumns +
                        QStringLiteral(", Sequence_Number) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                       "?, ?, ?, ?, ?, ?, ?, ?)");

} // namespace

// What one add or one batch of adds has learnt about the file. A single add
// asks the file for each name; a batch reads the lists once and keeps them
// current itself, which is sound because the batch holds the write lock.
struct PartLineStore::Lookups {
    bool batch = false;
    QSet<QString> names[ListCount]; // folded
    QHash<QString, qint64> highest; // folded part name -> highest sequence number so far
    std::optional<QSqlQuery> insert;
};

PartLineStore::PartLineStore(DataStore& store)
    : m_store(store) {}

bool PartLineStore::amountsFit(const PartLine& line, const QString& taxPercentage) {
    const auto cost = CostArithmetic::calcamount(
        {line.quantity, line.price, line.shipping, taxPercentage, line.taxable});
    return cost.ok && Money::fromText(line.taxAmount) && Money::fromText(line.totalCost);
}

DbResult PartLineStore::known(Lookups& lookups, int list, const QString& value, bool& found) {
    if (lookups.batch) {
        found = lookups.names[list].contains(folded(value));
        return DbResult::success();
    }
    found = false;
    return m_store.query(QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"%2\" = ? LIMIT 1")
                             .arg(kLists[list].table, kLists[list].column),
                         {value}, [&](const QSqlQuery&) { found = true; });
}

void PartLineStore::addName(Lookups& lookups, int list, const QString& value,
                            const QString& category) {
    bool found = false;
    if (value.isEmpty() || !known(lookups, list, value, found) || found)
        return;
    const ListTable& t = kLists[list];
    const QString sql =
        t.withCategory
            ? QStringLiteral("INSERT INTO \"%1\" (\"%2\", Category) VALUES (?, ?)")
                  .arg(t.table, t.column)
            : QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (?)").arg(t.table, t.column);
    const QVariantList binds = t.withCategory ? QVariantList{value, category} : QVariantList{value};
    if (m_store.execute(t.table, sql, binds).ok() && lookups.batch)
        lookups.names[list].insert(folded(value));
}

void PartLineStore::addvalidationrecords(const PartLine& line) {
    Lookups lookups;
    addvalidationrecords(line, lookups);
}

void PartLineStore::addvalidationrecords(const PartLine& line, Lookups& lookups) {
    addName(lookups, Parts, line.partName, line.category);
    addName(lookups, Manufacturers, line.manufacturer);
    addName(lookups, Vendors, line.vendor);

    bool found = false;
    if (line.category.isEmpty() || !known(lookups, Categories, line.category, found) || found)
        return;
    // The category and its budget rows go in together or not at all, so no
    // project is ever without a row for a category.
    Transaction tx(m_store);
    if (!tx.status().ok())
        return;
    if (!m_store
             .execute(kLists[Categories].table,
                      QStringLiteral("INSERT INTO RSLCategories (Category) VALUES (?)"),
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
    if (tx.commit().ok() && lookups.batch)
        lookups.names[Categories].insert(folded(line.category));
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

PartLineStore::Result PartLineStore::store(const PartLine& line, int project, Lookups& lookups) {
    addvalidationrecords(line, lookups);
    // A name's number is read from the file once per batch (or single add),
    // then counted on.
    const QString key = folded(line.partName);
    auto it = lookups.highest.find(key);
    if (it == lookups.highest.end()) {
        DbResult error;
        const qint64 next = m_store.nextSequenceNumber(line.partName, &error);
        if (!error)
            return failed(error);
        it = lookups.highest.insert(key, next - 1);
    }
    const qint64 sequence = it.value() + 1;
    if (!lookups.insert) {
        lookups.insert.emplace();
        if (DbResult r = m_store.prepare(*lookups.insert, kInsert); !r) {
            lookups.insert.reset();
            return failed(r);
        }
    }
    QVariantList binds = values(line, project);
    binds << sequence;
    if (DbResult r = m_store.run(kMaster, *lookups.insert, binds); !r)
        return failed(r);
    lookups.highest[key] = sequence;
    return {Outcome::Stored, {}, sequence, lookups.insert->lastInsertId().toLongLong()};
}

PartLineStore::Result PartLineStore::add(const PartLine& line, int project) {
    Transaction tx(m_store);
    if (!tx.status())
        return failed(tx.status());
    Lookups lookups;
    const Result result = store(line, project, lookups);
    if (result.outcome != Outcome::Stored)
        return result;
    if (DbResult r = tx.commit(); !r)
        return failed(r);
    return result;
}

PartLineStore::Result PartLineStore::addAll(const QList<PartLine>& lines, int project,
                                            int* failedAt) {
    if (failedAt)
        *failedAt = -1;
    Transaction tx(m_store);
    if (!tx.status())
        return failed(tx.status());
    Lookups lookups;
    lookups.batch = true;
    for (int list = 0; list < ListCount; ++list) {
        QSet<QString>& names = lookups.names[list];
        if (DbResult r = m_store.query(
                QStringLiteral("SELECT \"%1\" FROM \"%2\"")
                    .arg(kLists[list].column, kLists[list].table),
                {}, [&](const QSqlQuery& q) { names.insert(folded(q.value(0).toString())); });
            !r)
            return failed(r);
    }
    Result result{Outcome::Stored, {}, 0};
    for (int i = 0; i < lines.size(); ++i) {
        result = store(lines[i], project, lookups);
        if (result.outcome != Outcome::Stored) {
            if (failedAt)
                *failedAt = i;
            return result;
        }
    }
    if (DbResult r = tx.commit(); !r)
        return failed(r);
    return result;
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

    Lookups lookups;
    addvalidationrecords(line, lookups);
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
    return {Outcome::Stored, {}, sequence, rowid};
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
    return {Outcome::Stored, {}, 0, rowid};
}
