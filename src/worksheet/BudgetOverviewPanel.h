#pragma once

#include "BudgetOverview.h"

#include <QWidget>

#include <memory>

class BudgetOverviewModel;
class DataStore;
class QLabel;
class QTableView;

// The "Budget Overview" tab of the worksheet: the category grid with its
// totals row and the project's projected-against-budget line. It reads its
// figures again after every change stored in the database (at once while it
// is showing, otherwise the next time it shows), so adds, accepts, deletes
// and budget changes from any window are reflected.
class BudgetOverviewPanel : public QWidget {
    Q_OBJECT
public:
    BudgetOverviewPanel(DataStore& store, int project, QWidget* parent = nullptr);

    void refresh();
    const BudgetOverview& overview() const { return m_overview; }
    QString summaryText() const;

Q_SIGNALS:
    // A category row was double-clicked.
    void categoryChosen(const QString& category);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void dataChanged();
    void openRow(const QModelIndex& index);

    DataStore& m_store;
    int m_project;
    std::shared_ptr<void> m_subscription;
    bool m_stale = true;
    BudgetOverview m_overview;
    BudgetOverviewModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_summary = nullptr;
};
