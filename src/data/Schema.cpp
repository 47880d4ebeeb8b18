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

QString createTable(const TableDef& t, const QString& name) {
    QStringList cols;
    // A part line's key survives any copy of the file: attachments refer to it.
    if (t.name == u"RSLMaster")
        cols << QStringLiteral("\"Line_id\" INTEGER PRIMARY KEY AUTOINCREMENT");
    for (const ColumnDef& c : t.columns)
        cols << u'"' + c.name + u"\" " + sqlType(c.type);
    return QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(name, cols.join(QStringLiteral(", ")));
}

// The worksheet filters by project and finds lines by name and number;
// renames look lines up by name.
QStringList masterIndexes() {
    return {QStringLiteral("CREATE INDEX idx_master_project ON RSLMaster(Mas_vehicle_number)"),
            QStringLiteral("CREATE INDEX idx_master_part ON RSLMaster(Part_Name, Sequence_Number)"),
            QStringLiteral("CREATE INDEX idx_master_vendor ON RSLMaster(Vendor)"),
            QStringLiteral("CREATE INDEX idx_master_manufacturer ON RSLMaster(Manufacturer)")};
}

// Written so that running them again on a file that has them changes nothing.
QStringList attachmentStatements() {
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS \"RSLAttachments\" ("
                       "\"Attachment_id\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "\"Line_id\" INTEGER NOT NULL, "
                       "\"File_name\" TEXT NOT NULL, "
                       "\"Mime_type\" TEXT NOT NULL, "
                       "\"Size_bytes\" INTEGER NOT NULL, "
                       "\"Date_added\" TEXT NOT NULL, "
                       "\"Checksum\" TEXT NOT NULL, "
                       "\"Thumbnail\" BLOB)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS \"RSLAttachmentData\" ("
                       "\"Attachment_id\" INTEGER PRIMARY KEY, \"Data\" BLOB NOT NULL)"),
        QStringLiteral(
            "CREATE INDEX IF NOT EXISTS idx_attachments_line ON RSLAttachments(Line_id)"),
        // Whatever deletes a line (the worksheet, deleting a project, any
        // other statement) takes its attachments along in the same statement.
        QStringLiteral(
            "CREATE TRIGGER IF NOT EXISTS trg_master_attachments AFTER DELETE ON RSLMaster BEGIN "
            "DELETE FROM RSLAttachments WHERE Line_id = old.Line_id; END"),
        QStringLiteral(
            "CREATE TRIGGER IF NOT EXISTS trg_attachment_data AFTER DELETE ON RSLAttachments BEGIN "
            "DELETE FROM RSLAttachmentData WHERE Attachment_id = old.Attachment_id; "
            "END"),
    };
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

const QStringList& attachmentTables() {
    static const QStringList names = {QStringLiteral("RSLAttachments"),
                                      QStringLiteral("RSLAttachmentData")};
    return names;
}

QString createTemporaryTable(const QString& name) {
    const TableDef* t = table(name);
    if (!t)
        return {};
    QString sql = createTable(*t, t->name);
    return sql.replace(0, int(qstrlen("CREATE TABLE")),
                       QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS"));
}

QStringList createStatements() {
    QStringList out;
    for (const TableDef& t : tables())
        out << createTable(t, t.name);
    out << masterIndexes()
        << QStringLiteral(
               "CREATE INDEX idx_budget_project ON RSLCategorybudget(Cat_vehicle_number)")
        << QStringLiteral("CREATE INDEX idx_parts_name ON RSLParts(Part_Name)")
        << QStringLiteral(
               "CREATE INDEX idx_vehicles_description ON RSLVehicles(vehicle_description)");
    out << attachmentStatements();
    return out;
}

QStringList migrationStatements(int from) {
    switch (from) {
    case 0:
        // Files written before the schema carried a version number already
        // have the version-1 layout; stamping the version is all there is.
        return {};
    case 1: {
        // The part lines get their key as a real column, keeping each line's
        // rowid, so that attachments stay with their line even through a
        // copy that renumbers implicit rowids.
        const TableDef& master = *table(QStringLiteral("RSLMaster"));
        QStringList columns;
        for (const ColumnDef& c : master.columns)
            columns << u'"' + c.name + u'"';
        const QString list = columns.join(QStringLiteral(", "));
        QStringList out;
        out << createTable(master, QStringLiteral("RSLMaster_v2"))
            << QStringLiteral("INSERT INTO \"RSLMaster_v2\" (\"Line_id\", %1) SELECT rowid, %1 "
                              "FROM \"RSLMaster\" ORDER BY rowid")
                   .arg(list)
            << QStringLiteral("DROP TABLE \"RSLMaster\"")
            << QStringLiteral("ALTER TABLE \"RSLMaster_v2\" RENAME TO \"RSLMaster\"");
        out << masterIndexes() << attachmentStatements();
        return out;
    }
    default:
        return {};
    }
}

} // namespace Schema
