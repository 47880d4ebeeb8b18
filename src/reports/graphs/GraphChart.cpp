#include "GraphChart.h"

#include "GraphData.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLocale>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>

namespace {

// The room the value axis and the chart's margins take beside the bars.
constexpr qreal kSideRoom = 110;

QColor seriesColour(const QString& name) {
    if (name.startsWith(u"Actual"))
        return QColor(0x3f, 0x8f, 0x3a);
    if (name.startsWith(u"Forecast"))
        return QColor(0xe0, 0x8a, 0x1e);
    return QColor(0x2f, 0x5f, 0x9e);
}

} // namespace

QFont GraphChart::font(qreal pointSize, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QChart* GraphChart::build(const GraphData& data, qreal width) {
    auto* chart = new QChart;
    chart->setTitle(data.title());
    chart->setTitleFont(font(12, true));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(8, 8, 8, 8));
    // No band of window colour between the chart's edge and its background.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setDropShadowEnabled(false);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    auto* series = new QBarSeries;
    const QStringList names = data.seriesNames();
    for (int s = 0; s < names.size(); ++s) {
        auto* set = new QBarSet(names[s]);
        set->setColor(seriesColour(names[s]));
        set->setBorderColor(seriesColour(names[s]).darker(130));
        for (Money v : data.series(s))
            set->append(v.toDouble());
        series->append(set);
    }
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(data.labels());
    categories->setLabelsFont(font(8));
    categories->setTruncateLabels(false);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    auto* values = new QValueAxis;
    values->setTitleText(QStringLiteral("Dollars"));
    values->setTitleFont(font(9, true));
    values->setLabelsFont(font(8));
    values->setLabelFormat(QStringLiteral("$%.0f"));
    double low = data.lowest().toDouble();
    double high = data.highest().toDouble();
    if (low == high)
        high = low + 1000; // an empty or all-zero graph still gets a readable scale
    values->setRange(low, high);
    values->setTickCount(6);
    values->applyNiceNumbers();
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    QLegend* legend = chart->legend();
    legend->setFont(font(9));
    legend->setAlignment(Qt::AlignBottom);
    legend->setVisible(!GraphCatalog::legendEntries(data.kind()).isEmpty());

    fitLabels(chart, width);
    return chart;
}

int GraphChart::labelAngle(const QStringList& labels, const QFont& font, qreal plotWidth) {
    if (labels.isEmpty())
        return 0;
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const qreal slot = std::max<qreal>(0, plotWidth) / qreal(labels.size());
    if (widest + metrics.averageCharWidth() * 2 <= slot)
        return 0;
    // Upright rather than slanted: the chart hides slanted labels that run
    // past the end of the axis, which loses the last category.
    return -90;
}

void GraphChart::fitLabels(QChart* chart, qreal width) {
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal))
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
            categories->setLabelsAngle(
                labelAngle(categories->categories(), categories->labelsFont(), width - kSideRoom));
}

void GraphChart::paint(const GraphData& data, QPainter& painter, const QRectF& target,
                       QSize layoutSize) {
    QGraphicsScene scene;
    QChart* chart = build(data, layoutSize.width());
    scene.addItem(chart);
    const QRectF area(QPointF(0, 0), QSizeF(layoutSize));
    chart->setGeometry(area);
    scene.setSceneRect(area);
    // Without a view nobody lays the chart out before it is drawn.
    if (QGraphicsLayout* layout = chart->layout())
        layout->activate();
    scene.render(&painter, target, area, Qt::KeepAspectRatio);
}

QImage GraphChart::render(const GraphData& data, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(data, painter, QRectF(QPointF(0, 0), QSizeF(size)), size);
    return image;
}
