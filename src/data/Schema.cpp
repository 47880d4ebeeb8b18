#include "Schema.h"

namespace {

ColumnDef text(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Text};
}
ColumnDef integer(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Integer};
}
ColumnDef real(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Real};
}
ColumnDef money(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Money};
}
ColumnDef flag(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Boolean};
}
ColumnDef date(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Date};
}

QList<TableDef> buildTables() {
    return {
        {"RSLVehicles",
         {integer("vehicle_number"), text("vehicle_description"), text("vehicle_year"),
          text("vehicle_make"), text("vehicle_model"), text("graphic_path"),
          money("budget_amount")}},
        {"RSLVehiclesused", {integer("used_vehicle_number")}},
        {"RSLCategorybudget",
         {text("Category"), integer("Cat_vehicle_number"), money("Budget_amount")}},
        {"RSLCategorybudget3",
         {text("Category"), integer("cat_vehicle_number"), money("budget_amount")}},
        {"RSLCategories", {text("Category")}},
        {"RSLMakes", {text("make")}},
        {"RSLModels", {text("make"), text("Model")}},
        {"RSLParts", {text("Part_Name"), text("Category")}},
        {"RSLVendor",
         {text("vendor_name"), text("vendor_address"), text("vendor_phone"),
          text("vendor_web_site"), flag("order_catalog")}},
        {"RSLManufacturer",
         {text("manufacturer"), text("manufacturer_address"), text("manufacturer_phone"),
          text("manufacturer_web_site")}},
        {"RSLMaster",
         {text("Part_Name"), text("Part_Number"), text("Manufacturer"), text("Vendor"),
          real("Quantity"), money("Price"), money("Tax_amount"), money("Shipping_amount"),
          money("Total_cost"), text("Notes"), text("Category"), integer("Mas_vehicle_number"),
          flag("Taxable"), flag("Purchased"), flag("Selected"), flag("Forecast"),
          date("Purchase_date"), integer("Sequence_Number")}},
        {"RSLCategoriesoverbudget",
         {text("Category"), money("Budget_amount"), money("Actual_amount"), money("Difference")}},
    };
}

QString sqlType(ColumnType t) {
    switch (t) {
    case ColumnType::Text:
    case ColumnType::Date:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case ColumnType::Integer:
    case ColumnType::Boolean:
        return QStringLiteral("INTEGER");
    case ColumnType::Real:
        return QStringLiteral("REAL");
    case ColumnType::Money:
        return QStringLiteral("NUMERIC");
    }
    return QStringLiteral("TEXT");
}

} // namespace

namespace Schema {

const QList<TableDef>& tables() {
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef* table(const QString& name) {
    for (const TableDef& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList createStatements() {
    QStringList out;
    for (const TableDef& t : tables()) {
        QStringList cols;
        for (const ColumnDef& c : t.columns)
            cols << u'"' + c.name + u"\" " + sqlType(c.type);
        out << QStringLiteral("CREATE TABLE \"%1\" (%2)")
                   .arg(t.name, cols.join(QStringLiteral(", ")));
    }
    // The worksheet filters by project and finds lines by name and number;
    // budgets are read per project; renames look lines up by name.
    out << QStringLiteral("CREATE INDEX idx_master_project ON RSLMaster(Mas_vehicle_number)")
        << QStringLiteral("CREATE INDEX idx_master_part ON RSLMaster(Part_Name, Sequence_Number)")
        << QStringLiteral("CREATE INDEX idx_master_vendor ON RSLMaster(Vendor)")
        << QStringLiteral("CREATE INDEX idx_master_manufacturer ON RSLMaster(Manufacturer)")
        << QStringLiteral(
               "CREATE INDEX idx_budget_project ON RSLCategorybudget(Cat_vehicle_number)")
        << QStringLiteral("CREATE INDEX idx_parts_name ON RSLParts(Part_Name)")
        << QStringLiteral(
               "CREATE INDEX idx_vehicles_description ON RSLVehicles(vehicle_description)");
    return out;
}

QStringList migrationStatements(int from) {
    switch (from) {
    case 0:
        // Files written before the schema carried a version number already
        // have the version-1 layout; stamping the version is all there is.
        return {};
    default:
        return {};
    }
}

} // namespace Schema
