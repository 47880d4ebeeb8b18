#pragma once

#include <QString>
#include <QStringList>

class AppState;
class DataStore;

// Prints a report straight to a PDF file, without a window, for the command
// line: the same preparation and the same layout as the preview.
class ReportExport {
public:
    // `report` is a name from the chooser's list ("Project Report"), case
    // ignored. `project` is a project's description (or its number); it is
    // opened in `state` first. The shopping list needs `vendor`. Returns 0 on
    // success, otherwise non-zero with the reason in *error. `withReceipts`
    // prints the Project Report's purchased lines with their receipts.
    static int run(DataStore& store, AppState& state, const QString& report, const QString& project,
                   const QString& vendor, const QString& pdfPath, QString* error,
                   bool withReceipts = false);

    static QStringList reportNames();
};
