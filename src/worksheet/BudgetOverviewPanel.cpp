#include "BudgetOverviewPanel.h"

#include "Accessibility.h"
#include "BudgetBarDelegate.h"
#include "BudgetOverviewModel.h"
#include "DataStore.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

BudgetOverviewPanel::BudgetOverviewPanel(DataStore& store, int project, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_project(project) {
    setObjectName(QStringLiteral("BudgetOverview"));
    m_model = new BudgetOverviewModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdBudgetOverview"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegateForColumn(BudgetOverviewModel::BarColumn, new BudgetBarDelegate(this));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    Accessibility::name(m_grid, QStringLiteral("Budget Overview"));
    Accessibility::currentFollowsSelection(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, &BudgetOverviewPanel::openRow);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblBudgetSummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_summary);

    // Read when first shown: opening the worksheet need not wait for it.
    m_subscription = m_store.subscribe([this] { dataChanged(); });
}

QString BudgetOverviewPanel::summaryText() const {
    return m_summary->text();
}

void BudgetOverviewPanel::refresh() {
    m_stale = false;
    const DbResult r = m_overview.load(m_store, m_project);
    m_model->setOverview(m_overview);
    // Said in the tab rather than in a box: the overview may be reading
    // while another window is in the middle of its own work.
    m_summary->setText(r ? BudgetOverview::summaryLine(m_overview.totals()) : r.message());
    m_grid->resizeColumnsToContents();
    m_grid->setColumnWidth(BudgetOverviewModel::CategoryColumn,
                           std::max(m_grid->columnWidth(BudgetOverviewModel::CategoryColumn), 140));
}

void BudgetOverviewPanel::dataChanged() {
    m_stale = true;
    if (isVisible())
        refresh();
}

void BudgetOverviewPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void BudgetOverviewPanel::openRow(const QModelIndex& index) {
    if (!index.isValid() || m_model->isTotalsRow(index.row()))
        return;
    Q_EMIT categoryChosen(m_model->category(index.row()));
}
