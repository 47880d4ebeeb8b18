#include "ReportExport.h"

#include "AppState.h"
#include "Criteria.h"
#include "DataStore.h"
#include "ReceiptInserts.h"
#include "ReportCatalog.h"
#include "ReportPreparation.h"
#include "ReportRenderer.h"

namespace {

constexpr int kUsage = 2;  // something named on the command line does not exist
constexpr int kFailed = 1; // the data or the file could not be read or written

// Opens the project the way the catalogue does: number, text forms, description.
bool openProject(DataStore& store, AppState& state, const QString& project) {
    RecordSet& vehicles = store.recordSet(Command::RSLVehicles);
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    bool found = false;
    ignoreError(vehicles.find(
        Criteria::equals(QStringLiteral("vehicle_description"), project.trimmed()), &found));
    bool isNumber = false;
    const int number = project.trimmed().toInt(&isNumber);
    if (!found && isNumber) {
        vehicles.moveFirst();
        ignoreError(vehicles.find(QStringLiteral("vehicle_number = %1").arg(number), &found));
    }
    if (!found)
        return false;
    state.vehiclenumber = int(vehicles.integer(QStringLiteral("vehicle_number")));
    state.vehiclenumbera = QString::number(state.vehiclenumber);
    state.openvehiclenumber = state.vehiclenumbera;
    state.vehicledescription = vehicles.text(QStringLiteral("vehicle_description"));
    state.graphic = vehicles.text(QStringLiteral("graphic_path"));
    return true;
}

// The vendor's name as stored, or "" when there is no such vendor.
QString storedVendor(DataStore& store, const QString& vendor) {
    RecordSet& vendors = store.recordSet(Command::RSLVendor);
    ignoreError(vendors.setFilter(QString()));
    vendors.moveFirst();
    bool found = false;
    ignoreError(
        vendors.find(Criteria::equals(QStringLiteral("vendor_name"), vendor.trimmed()), &found));
    return found ? vendors.text(QStringLiteral("vendor_name")) : QString();
}

} // namespace

QStringList ReportExport::reportNames() {
    QStringList out;
    for (const ReportCatalog::Entry& e : ReportCatalog::entries())
        out << e.entry;
    return out;
}

int ReportExport::run(DataStore& store, AppState& state, const QString& report,
                      const QString& project, const QString& vendor, const QString& pdfPath,
                      QString* error, bool withReceipts) {
    const auto fail = [&](int code, const QString& why) {
        if (error)
            *error = why;
        return code;
    };
    const ReportCatalog::Entry* entry = ReportCatalog::find(report);
    if (!entry)
        return fail(kUsage, QStringLiteral("There is no report called \"%1\". The reports are: %2.")
                                .arg(report, reportNames().join(QStringLiteral(", "))));
    if (pdfPath.trimmed().isEmpty())
        return fail(kUsage, QStringLiteral("Name the PDF file to write with --pdf."));
    if (!project.trimmed().isEmpty()) {
        if (!openProject(store, state, project))
            return fail(kUsage, QStringLiteral("There is no project called \"%1\".").arg(project));
    } else if (entry->needsProject && entry->kind != ReportKind::ShoppingList) {
        // The shopping list covers every project, so it needs none named.
        return fail(
            kUsage,
            QStringLiteral("The report \"%1\" is printed for a project: name it with --project.")
                .arg(entry->entry));
    }

    QString vendorName;
    if (entry->kind == ReportKind::ShoppingList) {
        if (vendor.trimmed().isEmpty())
            return fail(
                kUsage,
                QStringLiteral("The report \"%1\" is printed for a vendor: name it with --vendor.")
                    .arg(entry->entry));
        vendorName = storedVendor(store, vendor);
        if (vendorName.isEmpty())
            return fail(kUsage, QStringLiteral("There is no vendor called \"%1\".").arg(vendor));
    }

    if (DbResult r = ReportPreparation::prepare(store, state, entry->kind); !r)
        return fail(kFailed, r.message());
    if (entry->kind == ReportKind::ShoppingList)
        if (DbResult r = ReportPreparation::selectVendor(store, vendorName); !r)
            return fail(kFailed, r.message());
    ReportPreparation::Report prepared =
        ReportPreparation::create(store, state, entry->kind, vendorName);
    if (!prepared.read)
        return fail(kFailed, prepared.read.message());
    ReportRenderer renderer(std::move(prepared.layout), std::move(prepared.data),
                            std::move(prepared.captions));
    if (withReceipts && entry->kind == ReportKind::VehicleData)
        renderer.setInserts(ReceiptInserts::build(store, renderer.data()));
    ReportPreparation::afterShown(store, entry->kind);
    QString why;
    if (!renderer.writePdf(pdfPath, &why))
        return fail(kFailed, why);
    return 0;
}
