#pragma once

#include "BudgetSheet.h"

#include <QAbstractTableModel>

// The budget grid's rows: "Category" read-only, "Budget Amount" shown as
// "$"#,##0.00 and edited as a plain number. Rows are neither added nor
// removed here, so every project keeps one row per category.
class BudgetGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CategoryColumn, AmountColumn };

    explicit BudgetGridModel(BudgetSheet& sheet, QObject* parent = nullptr);

    // Reads the rows in scope again.
    void reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // An amount was changed by the user.
    void amountChanged();
    // A typed amount could not be taken (too large, or the write failed).
    void amountRefused(const QString& reason);

private:
    BudgetSheet& m_sheet;
    QList<BudgetSheet::Row> m_rows;
};
