#pragma once

#include "DbResult.h"
#include "GraphCatalog.h"
#include "Money.h"

#include <QList>
#include <QString>
#include <QStringList>

class DataStore;

// One group of bars: a budget row's category and one amount per series
// (budget first, then actual and/or forecast cost).
struct GraphPoint {
    QString label;
    QList<Money> values;
};

// The values of one graph for one project, read without widgets: one point
// per budget row of the project, in the order the rows are stored.
class GraphData {
public:
    explicit GraphData(GraphKind kind = GraphKind::BudgetByCategory)
        : m_kind(kind) {}

    // Reads the project's budget rows and adds up the cost of its part lines
    // per category (only lines whose category has a budget row show), in one
    // query of its own, so whatever filter or order another window left on
    // the shared record sets does not matter. On failure there are no points.
    DbResult load(DataStore& store, int project);

    GraphKind kind() const { return m_kind; }
    QString title() const { return GraphCatalog::title(m_kind); }
    QStringList seriesNames() const { return GraphCatalog::seriesNames(m_kind); }
    int seriesCount() const { return GraphCatalog::seriesCount(m_kind); }

    const QList<GraphPoint>& points() const { return m_points; }
    bool isEmpty() const { return m_points.isEmpty(); }
    QStringList labels() const;
    // All values of one series, point by point.
    QList<Money> series(int index) const;
    // The range the value axis must cover: it always includes 0.
    Money lowest() const;
    Money highest() const;

    // What a bar tells when the pointer rests on it: category, series and
    // amount.
    QString toolTip(int seriesIndex, int pointIndex) const;

    // The graph in words, for those who cannot see it: every category with
    // each series' amount ("BRAKES: Budget Amount $500.00, Actual Amount
    // $363.75; ...").
    QString description() const;

    void setPoints(QList<GraphPoint> points) { m_points = std::move(points); }

private:
    GraphKind m_kind;
    QList<GraphPoint> m_points;
};
