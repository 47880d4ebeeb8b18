#include "GraphCatalog.h"

QList<GraphKind> GraphCatalog::all() {
    return {GraphKind::BudgetByCategory, GraphKind::BudgetVsActual, GraphKind::BudgetVsForecast,
            GraphKind::BudgetVsActualVsForecast};
}

QString GraphCatalog::title(GraphKind kind) {
    switch (kind) {
    case GraphKind::BudgetByCategory:
        return QStringLiteral("Budget Amount By Category");
    case GraphKind::BudgetVsActual:
        return QStringLiteral("Budget Amount Vs. Actual Amount");
    case GraphKind::BudgetVsForecast:
        return QStringLiteral("Budget Amount Vs. Forecast Amount");
    case GraphKind::BudgetVsActualVsForecast:
        return QStringLiteral("Budget Amount Vs. Actual Amount Vs. Forecast Amount");
    }
    return {};
}

QString GraphCatalog::legendText(GraphKind kind) {
    switch (kind) {
    case GraphKind::BudgetByCategory:
        return {};
    case GraphKind::BudgetVsActual:
        return QStringLiteral("Budget Amount~Actual Amount");
    case GraphKind::BudgetVsForecast:
        return QStringLiteral("Budget Amount~Forecast Amount");
    case GraphKind::BudgetVsActualVsForecast:
        return QStringLiteral("Budget Amount~Actual Amount~Forecast Amount~");
    }
    return {};
}

QStringList GraphCatalog::legendEntries(GraphKind kind) {
    return legendText(kind).split(u'~', Qt::SkipEmptyParts);
}

QStringList GraphCatalog::seriesNames(GraphKind kind) {
    const QStringList legend = legendEntries(kind);
    return legend.isEmpty() ? QStringList{QStringLiteral("Budget Amount")} : legend;
}

bool GraphCatalog::countsActual(GraphKind kind) {
    return kind == GraphKind::BudgetVsActual || kind == GraphKind::BudgetVsActualVsForecast;
}

bool GraphCatalog::countsForecast(GraphKind kind) {
    return kind == GraphKind::BudgetVsForecast || kind == GraphKind::BudgetVsActualVsForecast;
}

WindowId GraphCatalog::windowId(GraphKind kind) {
    switch (kind) {
    case GraphKind::BudgetByCategory:
        return WindowId::Graph1;
    case GraphKind::BudgetVsActual:
        return WindowId::Graph2;
    case GraphKind::BudgetVsForecast:
        return WindowId::Graph3;
    case GraphKind::BudgetVsActualVsForecast:
        return WindowId::Graph4;
    }
    return WindowId::Graph1;
}

std::optional<GraphKind> GraphCatalog::kindOf(WindowId id) {
    for (GraphKind kind : all())
        if (windowId(kind) == id)
            return kind;
    return std::nullopt;
}

std::optional<GraphKind> GraphCatalog::kindOf(const QString& title) {
    const QString wanted = title.trimmed();
    for (GraphKind kind : all())
        if (GraphCatalog::title(kind).compare(wanted, Qt::CaseInsensitive) == 0)
            return kind;
    return std::nullopt;
}
