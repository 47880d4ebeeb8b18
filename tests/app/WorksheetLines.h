#pragma once

#include <QTabWidget>
#include <QTableView>
#include <QTest>

// Opens the worksheet's first line in the edit panel, as a double click does;
// the panel, or null when there is no line or the panel did not open.
inline QWidget* editFirstLine(QWidget* worksheet) {
    auto* grid = worksheet->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
    if (grid->model()->rowCount() == 0)
        return nullptr;
    const QPoint at = grid->visualRect(grid->model()->index(0, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    if (worksheet->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->currentIndex() != 1)
        return nullptr;
    return worksheet->findChild<QWidget*>(QStringLiteral("panel0"));
}
