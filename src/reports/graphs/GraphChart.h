#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QStringList>

class GraphData;
class QChart;
class QPainter;

// Turns graph values into a bar chart: one group of bars per category, one
// bar per series, the value axis titled "Dollars", the graph's legend. The
// same drawing serves the window, printing and the PNG export.
class GraphChart {
public:
    // A new chart (the caller or its scene owns it). Category labels are laid
    // out for `width` pixels.
    static QChart* build(const GraphData& data, qreal width);
    // Turns the category labels when they would not fit side by side.
    static void fitLabels(QChart* chart, qreal width);
    // 0 when the labels fit side by side across `plotWidth`, otherwise -90.
    static int labelAngle(const QStringList& labels, const QFont& font, qreal plotWidth);

    // A picture of exactly `size` pixels.
    static QImage render(const GraphData& data, QSize size);
    // Draws the graph into `target`, laid out as it would be at `layoutSize`
    // pixels and scaled from there (printing).
    static void paint(const GraphData& data, QPainter& painter, const QRectF& target,
                      QSize layoutSize);

    // Liberation Sans has Arial's metrics; other fonts stand in where it is missing.
    static QFont font(qreal pointSize, bool bold = false);
};
