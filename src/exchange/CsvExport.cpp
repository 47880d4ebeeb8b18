#include "CsvExport.h"

#include "CsvWriter.h"
#include "DataStore.h"
#include "Money.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>

#include <cmath>

namespace {

using T = ExchangeField::Type;

const QString kLineColumns = QStringLiteral(
    "m.Part_Name, m.Sequence_Number, m.Category, m.Part_Number, m.Manufacturer, m.Vendor, "
    "m.Quantity, m.Price, m.Tax_amount, m.Shipping_amount, m.Total_cost, m.Taxable, "
    "m.Selected, m.Forecast, m.Purchased, m.Purchase_date, m.Notes");

QString sqlFor(ExchangeKind kind) {
    switch (kind) {
    case ExchangeKind::ProjectLines:
        return QStringLiteral("SELECT ") + kLineColumns +
               QStringLiteral(" FROM RSLMaster m WHERE m.Mas_vehicle_number = ? "
                              "ORDER BY m.Part_Name, m.Sequence_Number, m.rowid");
    case ExchangeKind::AllLines:
        return QStringLiteral("SELECT v.vehicle_description, ") + kLineColumns +
               QStringLiteral(" FROM RSLMaster m LEFT JOIN RSLVehicles v ON v.vehicle_number = "
                              "m.Mas_vehicle_number ORDER BY m.Mas_vehicle_number, m.Part_Name, "
                              "m.Sequence_Number, m.rowid");
    case ExchangeKind::Budgets:
        return QStringLiteral(
            "SELECT v.vehicle_description, b.Category, b.Budget_amount FROM RSLCategorybudget b "
            "JOIN RSLVehicles v ON v.vehicle_number = b.Cat_vehicle_number "
            "ORDER BY b.Cat_vehicle_number, b.Category");
    case ExchangeKind::Parts:
        return QStringLiteral("SELECT Part_Name, Category FROM RSLParts ORDER BY Part_Name");
    case ExchangeKind::Vendors:
        return QStringLiteral("SELECT vendor_name, vendor_address, vendor_phone, "
                              "vendor_web_site, order_catalog FROM RSLVendor ORDER BY vendor_name");
    case ExchangeKind::Manufacturers:
        return QStringLiteral("SELECT manufacturer, manufacturer_address, manufacturer_phone, "
                              "manufacturer_web_site FROM RSLManufacturer ORDER BY manufacturer");
    case ExchangeKind::Categories:
        return QStringLiteral("SELECT Category FROM RSLCategories ORDER BY Category");
    case ExchangeKind::MakesModels:
        return QStringLiteral("SELECT k.make, m.Model FROM RSLMakes k LEFT JOIN RSLModels m ON "
                              "m.make = k.make ORDER BY k.make, m.Model");
    }
    return {};
}

bool isTrue(const QVariant& v) {
    const QString t = v.toString();
    return t == u"1" || t.compare(u"true", Qt::CaseInsensitive) == 0 || t == u"-1";
}

QString numberText(const QVariant& v) {
    if (v.isNull())
        return QString();
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return QString();
    // Quantities and sequence numbers are nearly always whole: the shortest
    // way to write those is the integer's own.
    if (std::abs(d) < 1e15 && d == std::trunc(d))
        return QString::number(qint64(d));
    return QString::number(d, 'g', 15);
}

QString cellFor(T type, const QVariant& v) {
    switch (type) {
    case T::Money:
        return v.isNull() ? QString()
                          : CsvWriter::number(Money::fromStoredDouble(v.toDouble()).toPlainText());
    case T::Number:
    case T::Whole:
        return CsvWriter::number(numberText(v));
    case T::YesNo:
        return isTrue(v) ? QStringLiteral("Yes") : QStringLiteral("No");
    case T::Text:
    case T::Name:
    case T::Date:
        break;
    }
    // The contact lists keep a single space for "nothing".
    QString text = v.toString();
    if (text.trimmed().isEmpty())
        text.clear();
    return CsvWriter::cell(text);
}

} // namespace

DbResult CsvExport::build(DataStore& store, ExchangeKind kind, int project, QByteArray* bytes,
                          int* rows) {
    const QList<ExchangeField> fields = ExchangeTables::fields(kind);
    CsvWriter writer;
    QStringList header;
    for (const ExchangeField& f : fields)
        header << f.header;
    writer.addRow(header);
    QVariantList binds;
    if (ExchangeTables::needsProject(kind))
        binds << project;
    QStringList cells;
    DbResult r = store.query(sqlFor(kind), binds, [&](const QSqlQuery& q) {
        cells.clear();
        for (int i = 0; i < fields.size(); ++i)
            cells << cellFor(fields[i].type, q.value(i));
        writer.addRawRow(cells);
    });
    if (!r)
        return r;
    *bytes = writer.bytes();
    if (rows)
        *rows = writer.rowCount() - 1;
    return r;
}

CsvExport::Outcome CsvExport::write(DataStore& store, ExchangeKind kind, int project,
                                    const QString& file) {
    Outcome out;
    QByteArray bytes;
    out.result = build(store, kind, project, &bytes, &out.rows);
    if (!out.result)
        return out;
    const QString shown = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    QSaveFile target(file);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() ||
        !target.commit()) {
        out.result = DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The file \"%1\" could not be written: %2. Nothing was exported.")
                .arg(shown, target.errorString()));
        out.rows = 0;
    }
    return out;
}

QString CsvExport::suggestedFileName(ExchangeKind kind, const QString& projectDescription) {
    QString name = ExchangeTables::caption(kind);
    if (kind == ExchangeKind::ProjectLines) {
        name = QStringLiteral("Part lines");
        if (!projectDescription.isEmpty())
            name += QStringLiteral(" - ") + projectDescription;
    }
    // Characters no file system takes.
    for (QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, u'_');
    return name + QStringLiteral(".csv");
}
