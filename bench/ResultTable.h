#pragma once

#include "Measure.h"

#include <QList>
#include <QString>

#include <optional>

// The benchmark's results as Markdown: one table a group of figures, each
// action beside its floor (the bare SQL the same output needs).
namespace ResultTable {

struct Row {
    QString action;
    Measure::Figure figure;
    std::optional<Measure::Figure> floor;
};

struct Section {
    QString title;
    QList<Row> rows;
};

QString number(double v, int decimals = 1);
// The section's heading and table, with a blank line after it.
QString table(const Section& s);

} // namespace ResultTable
