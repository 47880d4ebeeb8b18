#include "SummaryFilter.h"

#include "Criteria.h"

#include <QStringList>

bool SummaryFilter::isDefault() const {
    return category == kAllCategories && vendor == kAllVendors &&
           manufacturer == kAllManufacturers && status == Status::All;
}

QString SummaryFilter::criteria(const QString& vehiclenumbera) const {
    QString out;
    switch (status) {
    case Status::Purchased:
        out = QStringLiteral("purchased = 'true' and Mas_vehicle_number = ") + vehiclenumbera;
        break;
    case Status::Forecasted:
        out =
            QStringLiteral("purchased = 'false' and forecast = 'true' and mas_vehicle_number = ") +
            vehiclenumbera;
        break;
    case Status::Selected:
        out =
            QStringLiteral(
                "purchased = 'false' and forecast = 'false' and selected = 'true' and mas_vehicle_number = ") +
            vehiclenumbera;
        break;
    case Status::All:
        out = QStringLiteral("mas_vehicle_number = ") + vehiclenumbera;
        break;
    }
    if (category != kAllCategories)
        out += QStringLiteral(" and Category = ") + Criteria::quoted(category);
    if (manufacturer != kAllManufacturers)
        out += QStringLiteral(" and manufacturer = ") + Criteria::quoted(manufacturer);
    if (vendor != kAllVendors)
        out += QStringLiteral(" and vendor = ") + Criteria::quoted(vendor);
    return out;
}

QString SummaryFilter::sqlCondition(int project, QVariantList* binds) const {
    // A project holds a thousand lines at most while a vendor may hold
    // tens of thousands across all projects: the unary plus keeps SQLite on
    // the project's index (and keeps each column's own collation).
    QString out = QStringLiteral("Mas_vehicle_number = ?");
    binds->append(project);
    switch (status) {
    case Status::Purchased:
        out += QStringLiteral(" AND +Purchased = 1");
        break;
    case Status::Forecasted:
        out += QStringLiteral(" AND +Purchased = 0 AND +Forecast = 1");
        break;
    case Status::Selected:
        out += QStringLiteral(" AND +Purchased = 0 AND +Forecast = 0 AND +Selected = 1");
        break;
    case Status::All:
        break;
    }
    auto add = [&](const QString& value, const QString& all, const char* column) {
        if (value == all)
            return;
        out += QStringLiteral(" AND +") + QLatin1String(column) + QStringLiteral(" = ?");
        binds->append(value);
    };
    add(category, kAllCategories, "Category");
    add(manufacturer, kAllManufacturers, "Manufacturer");
    add(vendor, kAllVendors, "Vendor");
    return out;
}

QString SummaryFilter::description() const {
    if (isDefault())
        return QStringLiteral("All Parts For Project");
    QStringList pieces;
    pieces << (manufacturer == kAllManufacturers ? QStringLiteral("All Manufacturers")
                                                 : QStringLiteral("Manufacturer: ") + manufacturer);
    pieces << (vendor == kAllVendors ? QStringLiteral("All Vendors")
                                     : QStringLiteral("Vendor: ") + vendor);
    pieces << (category == kAllCategories ? QStringLiteral("All Categories")
                                          : QStringLiteral("Category: ") + category);
    switch (status) {
    case Status::All:
        pieces << QStringLiteral("All Statuses");
        break;
    case Status::Selected:
        pieces << QStringLiteral("Selected Parts Only");
        break;
    case Status::Forecasted:
        pieces << QStringLiteral("Forecasted Parts Only");
        break;
    case Status::Purchased:
        pieces << QStringLiteral("Purchased Parts Only");
        break;
    }
    return pieces.join(QStringLiteral(" , "));
}

QString SummaryFilter::lineCriteria(const QString& partName, const QString& sequenceNumber) {
    // A line without a number (written by another program) is never found
    // rather than making the criteria unreadable.
    const QString number =
        sequenceNumber.trimmed().isEmpty() ? QStringLiteral("-1") : sequenceNumber;
    return Criteria::equals(QStringLiteral("part_name"), partName) +
           QStringLiteral(" and sequence_number = ") + number;
}
