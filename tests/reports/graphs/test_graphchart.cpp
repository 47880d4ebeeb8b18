#include "GraphChart.h"
#include "GraphData.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

GraphData made(GraphKind kind, const QList<std::pair<QString, QList<qint64>>>& points) {
    QList<GraphPoint> list;
    for (const auto& [label, dollars] : points) {
        GraphPoint p{label, {}};
        for (qint64 d : dollars)
            p.values << Money::fromUnits(d * Money::kUnitsPerDollar);
        list << p;
    }
    GraphData data(kind);
    data.setPoints(list);
    return data;
}

QBarSeries* barsOf(QChart* chart) {
    return chart->series().isEmpty() ? nullptr : qobject_cast<QBarSeries*>(chart->series().first());
}

template <typename Axis> Axis* axisOf(QChart* chart, Qt::Orientation o) {
    const auto axes = chart->axes(o);
    return axes.isEmpty() ? nullptr : qobject_cast<Axis*>(axes.first());
}

} // namespace

class TestGraphChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void legendsFollowTheDesignedTexts();
    void barsCarryEverySeriesAndCategory();
    void labelsTurnWhenTheyDoNotFit();
};

void TestGraphChart::legendsFollowTheDesignedTexts() {
    // The "~"-separated legends, the trailing separator giving no empty entry.
    const QList<QStringList> expected{
        {},
        {"Budget Amount", "Actual Amount"},
        {"Budget Amount", "Forecast Amount"},
        {"Budget Amount", "Actual Amount", "Forecast Amount"},
    };
    for (int i = 0; i < 4; ++i) {
        const GraphKind kind = GraphCatalog::all()[i];
        std::unique_ptr<QChart> chart(GraphChart::build(made(kind, {{"ENGINE", {1, 2, 3}}}), 600));
        QCOMPARE(chart->legend()->isVisible(), !expected[i].isEmpty());
        QStringList shown;
        for (QLegendMarker* m : chart->legend()->markers())
            shown << m->label();
        if (!expected[i].isEmpty())
            QCOMPARE(shown, expected[i]);
    }
}

void TestGraphChart::barsCarryEverySeriesAndCategory() {
    const GraphData data = made(GraphKind::BudgetVsActualVsForecast,
                                {{"BODY", {2500, 179, 280}}, {"DRIVER'S SIDE", {450, -40, 12}}});
    std::unique_ptr<QChart> chart(GraphChart::build(data, 600));
    QBarSeries* bars = barsOf(chart.get());
    QVERIFY(bars);
    QCOMPARE(bars->count(), 3);
    const QList<QBarSet*> sets = bars->barSets();
    QCOMPARE(sets[0]->count(), 2);
    QCOMPARE(sets[0]->at(0), 2500.0);
    QCOMPARE(sets[1]->at(1), -40.0);
    QCOMPARE(sets[2]->at(1), 12.0);

    auto* categories = axisOf<QBarCategoryAxis>(chart.get(), Qt::Horizontal);
    QVERIFY(categories);
    QCOMPARE(categories->categories(), (QStringList{"BODY", "DRIVER'S SIDE"}));
    auto* values = axisOf<QValueAxis>(chart.get(), Qt::Vertical);
    QVERIFY(values);
    QVERIFY(values->min() <= -40 && values->max() >= 2500);

    // Nothing to show still gives a scale that starts at 0 and goes up.
    for (const GraphData& none : {made(GraphKind::BudgetByCategory, {}),
                                  made(GraphKind::BudgetVsForecast, {{"EXHAUST", {0, 0}}})}) {
        std::unique_ptr<QChart> empty(GraphChart::build(none, 600));
        auto* axis = axisOf<QValueAxis>(empty.get(), Qt::Vertical);
        QCOMPARE(axis->min(), 0.0);
        QVERIFY(axis->max() > 0);
    }
}

void TestGraphChart::labelsTurnWhenTheyDoNotFit() {
    const QFont font = GraphChart::font(8);
    const QStringList few{"BODY", "PAINT", "ENGINE"};
    QCOMPARE(GraphChart::labelAngle(few, font, 600), 0);

    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("WHEELS AND TIRES %1").arg(i);
    QCOMPARE(GraphChart::labelAngle(many, font, 600), -90);
    QCOMPARE(GraphChart::labelAngle(many, font, -50), -90);
    // A chart made narrow turns them, and turns them back when widened.
    QList<std::pair<QString, QList<qint64>>> points;
    for (const QString& label : many.mid(0, 6))
        points.append({label, {1}});
    std::unique_ptr<QChart> chart(
        GraphChart::build(made(GraphKind::BudgetByCategory, points), 400));
    auto* axis = axisOf<QBarCategoryAxis>(chart.get(), Qt::Horizontal);
    QVERIFY(axis->labelsAngle() != 0);
    GraphChart::fitLabels(chart.get(), 2000);
    QCOMPARE(axis->labelsAngle(), 0);
}

QTEST_MAIN(TestGraphChart)
#include "test_graphchart.moc"
