#include "WindowId.h"

namespace Windows {

QString objectName(WindowId id) {
    switch (id) {
    case WindowId::Projects:
        return QStringLiteral("frmProjects");
    case WindowId::Worksheet:
        return QStringLiteral("frmNewmain");
    case WindowId::Maintenance:
        return QStringLiteral("frmNewother");
    case WindowId::ReportsGraphs:
        return QStringLiteral("frmReportsGraphs");
    case WindowId::Browser:
        return QStringLiteral("frmBrowser");
    case WindowId::Graph1:
        return QStringLiteral("frmShowgraph");
    case WindowId::Graph2:
        return QStringLiteral("frmShowgraph2");
    case WindowId::Graph3:
        return QStringLiteral("frmShowgraph3");
    case WindowId::Graph4:
        return QStringLiteral("frmShowgraph4");
    case WindowId::ReportActualCost:
        return QStringLiteral("actualcost");
    case WindowId::ReportCategoriesOverBudget:
        return QStringLiteral("categoriesoverbudget");
    case WindowId::ReportCategoryData:
        return QStringLiteral("categorydata");
    case WindowId::ReportForecastCost:
        return QStringLiteral("forecastcost");
    case WindowId::ReportManufacturerData:
        return QStringLiteral("manufacturerdata");
    case WindowId::ReportPartData:
        return QStringLiteral("partdata");
    case WindowId::ReportPartSearchList:
        return QStringLiteral("partsearchlist");
    case WindowId::ReportShoppingList:
        return QStringLiteral("shoppinglist");
    case WindowId::ReportVehicleData:
        return QStringLiteral("vehicledata");
    case WindowId::ReportVendorData:
        return QStringLiteral("vendordata");
    case WindowId::Help:
        return QStringLiteral("frmHelp");
    }
    return {};
}

QString marker(WindowId id) {
    switch (id) {
    case WindowId::Projects:
        return QStringLiteral("frmprojectsopen");
    case WindowId::Worksheet:
        return QStringLiteral("frmnewmainopen");
    case WindowId::Maintenance:
        return QStringLiteral("frmnewotheropen");
    case WindowId::ReportsGraphs:
        return QStringLiteral("frmreportsgraphsopen");
    case WindowId::Browser:
        return QStringLiteral("frmbrowseropen");
    case WindowId::Graph1:
        return QStringLiteral("showgraphopen");
    case WindowId::Graph2:
        return QStringLiteral("showgraph2open");
    case WindowId::Graph3:
        return QStringLiteral("showgraph3open");
    case WindowId::Graph4:
        return QStringLiteral("showgraph4open");
    case WindowId::Help:
        return QStringLiteral("frmhelpopen");
    default:
        return objectName(id) + QStringLiteral("open");
    }
}

} // namespace Windows
