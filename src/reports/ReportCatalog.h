#pragma once

#include "DataStore.h"
#include "WindowId.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

enum class ReportKind {
    PartData,
    VendorData,
    ManufacturerData,
    CategoryData,
    VehicleData,
    ShoppingList,
    PartSearchList,
    ActualCost,
    ForecastCost,
    CategoriesOverBudget,
};

// The ten reports as the chooser lists them, with the window each opens in,
// and the four graphs of the chooser's second tab.
class ReportCatalog {
public:
    struct Entry {
        ReportKind kind;
        QString entry;   // text in the chooser's list
        QString caption; // window caption
        QString title;   // printed title
        WindowId window;
        Command command;   // the record set the report reads
        bool needsProject; // listed only while a project is open
    };

    static const QList<Entry>& entries();
    static const Entry& of(ReportKind kind);
    // By the chooser's text; case does not matter (command lines are typed).
    static const Entry* find(const QString& entryText);
    // The window's object name ("vehicledata") and its open marker.
    static QString name(ReportKind kind);
    static QString marker(ReportKind kind);

    // The name a printed or exported copy is proposed under: the title, and
    // for a report of one project " - " and the project's description.
    // Characters that no file name may hold become "-".
    static QString documentName(ReportKind kind, const QString& projectDescription);

    static QStringList referenceEntries();
    static QStringList projectEntries();

    static QStringList graphEntries();
    static std::optional<WindowId> graphWindow(const QString& entryText);
};
