#include "BudgetDialog.h"

#include "Accessibility.h"
#include "AppState.h"
#include "BusyCursor.h"
#include "Shell.h"
#include "Toolkit.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

BudgetDialog::BudgetDialog(Shell& shell, TotalWriter writeTotal, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell)
    , m_writeTotal(std::move(writeTotal))
    , m_sheet(shell.data(), shell.state())
    , m_model(m_sheet) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmBudget"));
    setWindowTitle(QStringLiteral("Enter Budget Amounts By Category"));
    setModal(true);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    m_grid = new QTableView(frame);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    Accessibility::name(m_grid, QStringLiteral("Budget Amounts By Category"));
    m_accept = new QPushButton(QStringLiteral("&Accept Budget"), frame);
    m_accept->setObjectName(QStringLiteral("cmdAcceptbudget"));
    m_accept->setAutoDefault(false);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    frameLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);

    m_sheet.load();
    m_model.reload();
    m_grid->setModel(&m_model);
    m_grid->verticalHeader()->hide();
    m_grid->setAlternatingRowColors(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->horizontalHeader()->setSectionResizeMode(BudgetGridModel::CategoryColumn,
                                                     QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(BudgetGridModel::AmountColumn,
                                                     QHeaderView::Interactive);
    m_grid->setColumnWidth(BudgetGridModel::AmountColumn, 140);
    if (m_model.rowCount() > 0)
        m_grid->setCurrentIndex(m_model.index(0, BudgetGridModel::AmountColumn));
    // Room for a dozen categories without scrolling.
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    const int rows = std::clamp(m_model.rowCount(), 6, 14);
    resize(460, sizeHint().height() - m_grid->sizeHint().height() +
                    m_grid->horizontalHeader()->sizeHint().height() +
                    rows * m_grid->verticalHeader()->defaultSectionSize() + 4);

    connect(&m_model, &BudgetGridModel::amountChanged, this, [this] { m_changed = true; });
    connect(&m_model, &BudgetGridModel::amountRefused, this, [this](const QString& reason) {
        if (reason.isEmpty())
            m_shell.toolkit().beep();
        else
            m_shell.toolkit().inform(reason);
    });
    connect(m_accept, &QPushButton::clicked, this, &BudgetDialog::acceptBudget);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}

void BudgetDialog::acceptBudget() {
    BusyCursor busy;
    // An amount still being typed (Alt+A keeps the focus in the cell) counts.
    const QModelIndex current = m_grid->currentIndex();
    for (QLineEdit* editor : m_grid->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible() && current.isValid())
            m_grid->itemDelegate()->setModelData(editor, &m_model, current);
    const std::optional<Money> total = m_sheet.total();
    if (!total) {
        m_shell.toolkit().inform(QStringLiteral(
            "The budget amounts add up to more than Rastrel can hold. Lower one of them and try again."));
        return;
    }
    if (m_writeTotal)
        m_writeTotal(total->toPlainText());
    m_changed = false;
    finish(QDialog::Accepted);
}

void BudgetDialog::reject() {
    if (m_finishing) {
        QDialog::reject();
        return;
    }
    BusyCursor busy;
    if (m_changed) {
        const auto answer = m_shell.toolkit().askYesNoHelp(
            QStringLiteral("Would you like to save your changes before leaving this form?"),
            QStringLiteral("Rastrel - Enter Budget Amounts By Category"));
        if (answer == Toolkit::Answer::Yes) {
            acceptBudget();
            return;
        }
        if (DbResult r = m_sheet.restoreSnapshot(); !r)
            m_shell.toolkit().inform(r.message());
        m_changed = false;
    }
    finish(QDialog::Rejected);
}

void BudgetDialog::finish(int result) {
    m_finishing = true;
    done(result);
}
