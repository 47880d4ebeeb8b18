#pragma once

#include <QStyledItemDelegate>

// Draws the budget overview's bar: projected cost as a share of the budget,
// full and in the warning colour when over, with the model's text on top.
class BudgetBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
