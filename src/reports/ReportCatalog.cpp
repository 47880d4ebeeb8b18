#include "ReportCatalog.h"

namespace {

QList<ReportCatalog::Entry> buildEntries() {
    using K = ReportKind;
    using W = WindowId;
    using C = Command;
    const QString byCategory = QStringLiteral("Total Cost Of Project By Category");
    return {
        {K::PartData, "Part Report", "Part Report", "Part Report", W::ReportPartData, C::RSLParts,
         false},
        {K::VendorData, "Vendor Report", "Vendor Report", "Vendor Report", W::ReportVendorData,
         C::RSLVendor, false},
        {K::ManufacturerData, "Manufacturer Report", "Manufacturer Report", "Manufacturer Report",
         W::ReportManufacturerData, C::RSLManufacturer, false},
        {K::CategoryData, "Category Report", "Category Report", "Category Report",
         W::ReportCategoryData, C::RSLCategories, false},
        {K::VehicleData, "Project Report", "Project Report", "Project Report", W::ReportVehicleData,
         C::RSLMaster, true},
        {K::ShoppingList, "Vendor Shopping List Report", "Vendor Shopping List Report",
         "Vendor Shopping List Report", W::ReportShoppingList, C::RSLMaster, true},
        {K::PartSearchList, "Part Search Report", "Part Search Report", "Part Search Report",
         W::ReportPartSearchList, C::RSLMaster, true},
        {K::ActualCost, "Total Cost Of Project (Actual)", byCategory,
         "Total Cost Of Project By Category (Actual)", W::ReportActualCost, C::RSLCategorybudget,
         true},
        {K::ForecastCost, "Total Cost Of Project (Forecast)", byCategory,
         "Total Cost Of Project By Category (Forecast)", W::ReportForecastCost,
         C::RSLCategoryBudget2, true},
        {K::CategoriesOverBudget, "Categories Over Budget", "Categories Over Budget",
         "Categories Over Budget", W::ReportCategoriesOverBudget, C::RSLCategoriesoverbudget, true},
    };
}

const QList<std::pair<QString, WindowId>>& graphs() {
    static const QList<std::pair<QString, WindowId>> all = {
        {QStringLiteral("Budget Amount By Category"), WindowId::Graph1},
        {QStringLiteral("Budget Amount Vs. Actual Amount"), WindowId::Graph2},
        {QStringLiteral("Budget Amount Vs. Forecast Amount"), WindowId::Graph3},
        {QStringLiteral("Budget Amount Vs. Actual Amount Vs. Forecast Amount"), WindowId::Graph4},
    };
    return all;
}

} // namespace

const QList<ReportCatalog::Entry>& ReportCatalog::entries() {
    static const QList<Entry> all = buildEntries();
    return all;
}

const ReportCatalog::Entry& ReportCatalog::of(ReportKind kind) {
    for (const Entry& e : entries())
        if (e.kind == kind)
            return e;
    Q_UNREACHABLE();
}

const ReportCatalog::Entry* ReportCatalog::find(const QString& entryText) {
    const QString wanted = entryText.trimmed();
    for (const Entry& e : entries())
        if (e.entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString ReportCatalog::name(ReportKind kind) {
    return Windows::objectName(of(kind).window);
}

QString ReportCatalog::marker(ReportKind kind) {
    return Windows::marker(of(kind).window);
}

QString ReportCatalog::documentName(ReportKind kind, const QString& projectDescription) {
    const Entry& e = of(kind);
    // The shopping list covers every project, whichever is open.
    const bool ofProject = e.needsProject && kind != ReportKind::ShoppingList;
    QString name = e.title;
    if (ofProject && !projectDescription.trimmed().isEmpty())
        name += QStringLiteral(" - ") + projectDescription.simplified();
    for (QChar& c : name)
        if (QStringView(u"/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = u'-';
    return name;
}

QStringList ReportCatalog::referenceEntries() {
    QStringList out;
    for (const Entry& e : entries())
        if (!e.needsProject)
            out << e.entry;
    return out;
}

QStringList ReportCatalog::projectEntries() {
    QStringList out;
    for (const Entry& e : entries())
        if (e.needsProject)
            out << e.entry;
    return out;
}

QStringList ReportCatalog::graphEntries() {
    QStringList out;
    for (const auto& g : graphs())
        out << g.first;
    return out;
}

std::optional<WindowId> ReportCatalog::graphWindow(const QString& entryText) {
    for (const auto& g : graphs())
        if (g.first == entryText)
            return g.second;
    return std::nullopt;
}
