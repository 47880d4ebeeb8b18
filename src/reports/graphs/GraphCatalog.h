#pragma once

#include "WindowId.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The four graphs: budget alone, budget against actual (purchased) cost,
// against forecast cost, and against both.
enum class GraphKind {
    BudgetByCategory,
    BudgetVsActual,
    BudgetVsForecast,
    BudgetVsActualVsForecast,
};

// What is fixed per graph: its title (also the window's caption and the
// chooser's entry), the legend, the window and which part lines it counts.
class GraphCatalog {
public:
    static QList<GraphKind> all();

    static QString title(GraphKind kind);
    // The legend as one "~"-separated string, as the graphs were designed.
    static QString legendText(GraphKind kind);
    // The legend's entries, empty ones dropped; empty for a graph without legend.
    static QStringList legendEntries(GraphKind kind);
    // One name per series, also for the graph that shows no legend.
    static QStringList seriesNames(GraphKind kind);
    static int seriesCount(GraphKind kind) { return int(seriesNames(kind).size()); }

    static bool countsActual(GraphKind kind);
    static bool countsForecast(GraphKind kind);

    static WindowId windowId(GraphKind kind);
    static std::optional<GraphKind> kindOf(WindowId id);
    // By title, case ignored (command line).
    static std::optional<GraphKind> kindOf(const QString& title);
};
