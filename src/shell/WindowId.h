#pragma once

#include <QString>

// The child windows of the main window that other windows open, close or ask
// about. Each has an open marker in AppState.
enum class WindowId {
    Projects,                   // frmProjects
    Worksheet,                  // frmNewmain
    Maintenance,                // frmNewother
    ReportsGraphs,              // frmReportsGraphs
    Browser,                    // frmBrowser
    Graph1,                     // frmShowgraph
    Graph2,                     // frmShowgraph2
    Graph3,                     // frmShowgraph3
    Graph4,                     // frmShowgraph4
    ReportActualCost,           // actualcost
    ReportCategoriesOverBudget, // categoriesoverbudget
    ReportCategoryData,         // categorydata
    ReportForecastCost,         // forecastcost
    ReportManufacturerData,     // manufacturerdata
    ReportPartData,             // partdata
    ReportPartSearchList,       // partsearchlist
    ReportShoppingList,         // shoppinglist
    ReportVehicleData,          // vehicledata
    ReportVendorData,           // vendordata
    Help,                       // the help book
};

namespace Windows {

// The window's object name ("frmNewmain", "partdata").
QString objectName(WindowId id);
// Its open marker in AppState ("frmnewmainopen", "partdataopen").
QString marker(WindowId id);

} // namespace Windows
