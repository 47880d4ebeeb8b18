#include "ReferenceLists.h"

#include "DataStore.h"

#include <QSqlQuery>

#include <algorithm>

QStringList ReferenceLists::column(const QString& table, const QString& column) const {
    QStringList out;
    ignoreError(m_store.query(
        QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"%1\" IS NOT NULL AND \"%1\" <> ''")
            .arg(column, table),
        {}, [&](const QSqlQuery& q) { out << q.value(0).toString(); }));
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return out;
}

QStringList ReferenceLists::partNames() const {
    return column(QStringLiteral("RSLParts"), QStringLiteral("Part_Name"));
}

QStringList ReferenceLists::manufacturers() const {
    return column(QStringLiteral("RSLManufacturer"), QStringLiteral("manufacturer"));
}

QStringList ReferenceLists::vendors() const {
    return column(QStringLiteral("RSLVendor"), QStringLiteral("vendor_name"));
}

QStringList ReferenceLists::categories() const {
    return column(QStringLiteral("RSLCategories"), QStringLiteral("Category"));
}

QString ReferenceLists::categoryOf(const QString& partName, DbResult* error) const {
    QString category;
    bool found = false;
    const DbResult r = (m_store.query(
        QStringLiteral("SELECT Category FROM RSLParts WHERE Part_Name = ? ORDER BY rowid LIMIT 1"),
        {partName.toUpper()}, [&](const QSqlQuery& q) {
            category = q.value(0).toString();
            found = true;
        }));
    if (error)
        *error = r;
    return found ? category : QString();
}
