#include "ReportPreparation.h"

#include "AppState.h"
#include "Criteria.h"
#include "DataStore.h"
#include "OverBudgetComputation.h"
#include "ReportLayouts.h"

namespace {

QString projectNumber(const AppState& state) {
    return state.openvehiclenumber.isEmpty() ? QStringLiteral("0") : state.openvehiclenumber;
}

// The shopping list's header: the vendor's name, address and phone.
QHash<QString, QString> vendorCaptions(DataStore& store, const QString& vendor) {
    RecordSet& vendors = store.recordSet(Command::RSLVendor);
    ignoreError(vendors.setFilter(QString()));
    vendors.moveFirst();
    bool found = false;
    ignoreError(vendors.find(Criteria::equals(QStringLiteral("Vendor_name"), vendor), &found));
    if (!found)
        return {{QStringLiteral("Label3"), QString()},
                {QStringLiteral("Label4"), QString()},
                {QStringLiteral("Label9"), QString()}};
    return {{QStringLiteral("Label3"), vendors.text(QStringLiteral("vendor_name"))},
            {QStringLiteral("Label4"), vendors.text(QStringLiteral("vendor_address"))},
            {QStringLiteral("Label9"), vendors.text(QStringLiteral("vendor_phone"))}};
}

} // namespace

// Every preparation sets the filter and the sort before the record set reads
// again, so that only the rows the report prints are read, in the order it
// prints them, by the database.
DbResult ReportPreparation::prepare(DataStore& store, const AppState& state, ReportKind kind) {
    const QString n = projectNumber(state);
    switch (kind) {
    case ReportKind::PartData: {
        RecordSet& parts = store.recordSet(Command::RSLParts);
        ignoreError(parts.setSort(QStringLiteral("Part_name")));
        ignoreError(parts.requery());
        break;
    }
    case ReportKind::VendorData:
    case ReportKind::ShoppingList:
        ignoreError(store.recordSet(Command::RSLVendor).requery());
        break;
    case ReportKind::ManufacturerData:
        ignoreError(store.recordSet(Command::RSLManufacturer).requery());
        break;
    case ReportKind::CategoryData: {
        RecordSet& categories = store.recordSet(Command::RSLCategories);
        ignoreError(categories.setSort(QStringLiteral("Category")));
        ignoreError(categories.requery());
        break;
    }
    case ReportKind::VehicleData: {
        RecordSet& master = store.recordSet(Command::RSLMaster);
        if (DbResult r = master.setFilter(QStringLiteral("Mas_vehicle_number = ") + n); !r)
            return r;
        if (DbResult r = master.setSort(QStringLiteral("Part_name")); !r)
            return r;
        return master.requery();
    }
    case ReportKind::PartSearchList:
        // The report sets its own filter when it is made; the rows are read
        // then, fresh.
        store.recordSet(Command::RSLMaster).invalidate();
        break;
    case ReportKind::ActualCost:
    case ReportKind::ForecastCost: {
        RecordSet& budget =
            store.recordSet(kind == ReportKind::ActualCost ? Command::RSLCategorybudget
                                                           : Command::RSLCategoryBudget2);
        ignoreError(budget.setSort(QStringLiteral("Category")));
        ignoreError(budget.setFilter(QStringLiteral("Cat_vehicle_number = ") + n));
        ignoreError(budget.requery());
        break;
    }
    case ReportKind::CategoriesOverBudget:
        return OverBudgetComputation::run(store, n);
    }
    return DbResult::success();
}

void ReportPreparation::afterShown(DataStore& store, ReportKind kind) {
    if (kind != ReportKind::VehicleData)
        return;
    // Unsorted from now on, and read again when it is next used.
    RecordSet& master = store.recordSet(Command::RSLMaster);
    ignoreError(master.setSort(QString()));
    master.invalidate();
}

DbResult ReportPreparation::selectVendor(DataStore& store, const QString& vendor) {
    return store.recordSet(Command::RSLMaster)
        .setFilter(Criteria::equals(QStringLiteral("Vendor"), vendor) +
                   QStringLiteral(" and selected = 'True' and purchased = 'false'"));
}

ReportPreparation::Report ReportPreparation::create(DataStore& store, const AppState& state,
                                                    ReportKind kind, const QString& vendor) {
    Report report;
    report.layout = ReportLayouts::build(kind);
    switch (kind) {
    case ReportKind::PartSearchList:
        ignoreError(store.recordSet(Command::RSLMaster)
                        .setFilter(QStringLiteral("selected = 0 and Mas_vehicle_number = ") +
                                   projectNumber(state)));
        report.captions.insert(QStringLiteral("Label4"), state.vehicledescription);
        break;
    case ReportKind::ShoppingList:
        report.captions = vendorCaptions(store, vendor);
        break;
    case ReportKind::VehicleData:
    case ReportKind::ActualCost:
    case ReportKind::ForecastCost:
    case ReportKind::CategoriesOverBudget:
        report.captions.insert(QStringLiteral("Label4"), state.vehicledescription);
        break;
    default:
        break;
    }
    report.data = ReportData::read(store.recordSet(ReportCatalog::of(kind).command), &report.read);
    return report;
}
