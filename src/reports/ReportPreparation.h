#pragma once

#include "DbResult.h"
#include "ReportCatalog.h"
#include "ReportData.h"
#include "ReportLayout.h"

#include <QHash>
#include <QString>

class AppState;
class DataStore;

// The data side of running a report, shared by the chooser and the command
// line: preparing the shared record sets, and what a report does when it is
// made (its own filter, the run-time captions, reading its rows).
class ReportPreparation {
public:
    // Refreshes, sorts and filters the report's record set for the open
    // project, or computes the over-budget table. Steps that fail are passed
    // over, except for the Project Report, whose first failure is returned,
    // and the over-budget computation, which returns its own result.
    static DbResult prepare(DataStore& store, const AppState& state, ReportKind kind);
    // Once the report has read its rows: the Project Report leaves the part
    // lines unsorted and reads them again.
    static void afterShown(DataStore& store, ReportKind kind);
    // The shopping list's rows: the vendor's selected, not yet purchased part
    // lines of every project.
    static DbResult selectVendor(DataStore& store, const QString& vendor);

    struct Report {
        ReportLayout layout;
        ReportData data;
        QHash<QString, QString> captions; // run-time label texts by name
        DbResult read;                    // how the rows were read: no report when it failed
    };
    // What a report does when it is created, up to reading its rows.
    // `vendor` is the shopping list's vendor.
    static Report create(DataStore& store, const AppState& state, ReportKind kind,
                         const QString& vendor = QString());
};
