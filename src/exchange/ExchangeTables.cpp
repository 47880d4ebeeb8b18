#include "ExchangeTables.h"

namespace ExchangeTables {

namespace {

using T = ExchangeField::Type;

QList<ExchangeField> lineFields() {
    return {
        {QStringLiteral("Part Name"), T::Name, {QStringLiteral("Part")}, true},
        {QStringLiteral("Sequence Number"), T::Whole, {}, false},
        {QStringLiteral("Category"), T::Name, {}, false},
        {QStringLiteral("Part Number"), T::Text, {}, false},
        {QStringLiteral("Manufacturer"), T::Name, {}, false},
        {QStringLiteral("Vendor"), T::Name, {}, false},
        {QStringLiteral("Quantity"), T::Number, {QStringLiteral("Qty")}, false},
        {QStringLiteral("Price"),
         T::Money,
         {QStringLiteral("Price (Each)"), QStringLiteral("Unit Price")},
         false},
        {QStringLiteral("Tax Amount"), T::Money, {QStringLiteral("Tax")}, false},
        {QStringLiteral("Shipping"),
         T::Money,
         {QStringLiteral("Shipping/Handling"), QStringLiteral("Shipping Amount")},
         false},
        {QStringLiteral("Total Cost"), T::Money, {QStringLiteral("Total")}, false},
        {QStringLiteral("Taxable"), T::YesNo, {}, false},
        {QStringLiteral("Selected"), T::YesNo, {QStringLiteral("Part Selected")}, false},
        {QStringLiteral("Forecast"), T::YesNo, {QStringLiteral("Forecast Part")}, false},
        {QStringLiteral("Purchased"), T::YesNo, {QStringLiteral("Part Purchased")}, false},
        {QStringLiteral("Purchase Date"), T::Date, {}, false},
        {QStringLiteral("Notes"), T::Text, {}, false},
    };
}

QList<ExchangeField> contactFields(const QString& name, bool catalog) {
    QList<ExchangeField> out = {
        {name, T::Name, {name + QStringLiteral(" Name")}, true},
        {QStringLiteral("Address"), T::Text, {}, false},
        {QStringLiteral("Phone"), T::Text, {}, false},
        {QStringLiteral("Web Site"), T::Name, {QStringLiteral("Website")}, false},
    };
    if (catalog)
        out.append({QStringLiteral("Order Catalog"), T::YesNo, {}, false});
    return out;
}

} // namespace

QList<ExchangeKind> all() {
    return {ExchangeKind::ProjectLines, ExchangeKind::AllLines,   ExchangeKind::Budgets,
            ExchangeKind::Parts,        ExchangeKind::Vendors,    ExchangeKind::Manufacturers,
            ExchangeKind::Categories,   ExchangeKind::MakesModels};
}

QString commandName(ExchangeKind kind) {
    switch (kind) {
    case ExchangeKind::ProjectLines:
        return QStringLiteral("lines");
    case ExchangeKind::AllLines:
        return QStringLiteral("all-lines");
    case ExchangeKind::Budgets:
        return QStringLiteral("budgets");
    case ExchangeKind::Parts:
        return QStringLiteral("parts");
    case ExchangeKind::Vendors:
        return QStringLiteral("vendors");
    case ExchangeKind::Manufacturers:
        return QStringLiteral("manufacturers");
    case ExchangeKind::Categories:
        return QStringLiteral("categories");
    case ExchangeKind::MakesModels:
        return QStringLiteral("makes-models");
    }
    return {};
}

std::optional<ExchangeKind> fromCommandName(const QString& name) {
    for (ExchangeKind k : all())
        if (commandName(k).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return k;
    return std::nullopt;
}

QString caption(ExchangeKind kind) {
    switch (kind) {
    case ExchangeKind::ProjectLines:
        return QStringLiteral("Part lines of the open project");
    case ExchangeKind::AllLines:
        return QStringLiteral("Part lines of every project");
    case ExchangeKind::Budgets:
        return QStringLiteral("Budgets of every project");
    case ExchangeKind::Parts:
        return QStringLiteral("Parts catalogue");
    case ExchangeKind::Vendors:
        return QStringLiteral("Vendors");
    case ExchangeKind::Manufacturers:
        return QStringLiteral("Manufacturers");
    case ExchangeKind::Categories:
        return QStringLiteral("Categories");
    case ExchangeKind::MakesModels:
        return QStringLiteral("Makes and models");
    }
    return {};
}

QList<ExchangeField> fields(ExchangeKind kind) {
    switch (kind) {
    case ExchangeKind::ProjectLines:
        return lineFields();
    case ExchangeKind::AllLines: {
        QList<ExchangeField> out = lineFields();
        out.prepend({QStringLiteral("Project"), T::Text, {QStringLiteral("Vehicle")}, true});
        return out;
    }
    case ExchangeKind::Budgets:
        return {{QStringLiteral("Project"), T::Text, {QStringLiteral("Vehicle")}, true},
                {QStringLiteral("Category"), T::Name, {}, true},
                {QStringLiteral("Budget Amount"), T::Money, {QStringLiteral("Budget")}, false}};
    case ExchangeKind::Parts:
        return {{QStringLiteral("Part Name"), T::Name, {QStringLiteral("Part")}, true},
                {QStringLiteral("Category"), T::Name, {}, true}};
    case ExchangeKind::Vendors:
        return contactFields(QStringLiteral("Vendor"), true);
    case ExchangeKind::Manufacturers:
        return contactFields(QStringLiteral("Manufacturer"), false);
    case ExchangeKind::Categories:
        return {{QStringLiteral("Category"), T::Name, {}, true}};
    case ExchangeKind::MakesModels:
        return {{QStringLiteral("Make"), T::Name, {}, true},
                {QStringLiteral("Model"), T::Name, {}, false}};
    }
    return {};
}

bool importable(ExchangeKind kind) {
    return kind != ExchangeKind::AllLines && kind != ExchangeKind::Budgets;
}

bool needsProject(ExchangeKind kind) {
    return kind == ExchangeKind::ProjectLines;
}

QString normalised(const QString& header) {
    QString out;
    for (QChar c : header)
        if (c.isLetterOrNumber())
            out += c.toLower();
    return out;
}

} // namespace ExchangeTables
