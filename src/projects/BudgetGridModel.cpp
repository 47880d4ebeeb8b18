#include "BudgetGridModel.h"

#include "Formats.h"

BudgetGridModel::BudgetGridModel(BudgetSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet) {}

void BudgetGridModel::reload() {
    beginResetModel();
    m_rows = m_sheet.rows();
    endResetModel();
}

int BudgetGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BudgetGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant BudgetGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const BudgetSheet::Row& row = m_rows[index.row()];
    if (index.column() == CategoryColumn) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return row.category;
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return Formats::reportCurrency(row.amount);
    case Qt::EditRole:
        return row.amount.toPlainText();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant BudgetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == CategoryColumn ? QStringLiteral("Category") : QStringLiteral("Budget Amount");
}

Qt::ItemFlags BudgetGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == AmountColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool BudgetGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != AmountColumn ||
        index.row() >= m_rows.size())
        return false;
    Money stored;
    DbResult error;
    const auto outcome = m_sheet.setAmount(index.row(), value.toString(), &stored, &error);
    if (outcome == BudgetSheet::SetOutcome::Refused) {
        Q_EMIT amountRefused(error.ok() ? QString() : error.message());
        return false;
    }
    // A cleared cell shows 0 even when the amount was 0 already.
    m_rows[index.row()].amount = stored;
    Q_EMIT dataChanged(index, index);
    if (outcome == BudgetSheet::SetOutcome::Changed)
        Q_EMIT amountChanged();
    return true;
}
