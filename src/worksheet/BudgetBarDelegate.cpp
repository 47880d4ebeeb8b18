#include "BudgetBarDelegate.h"

#include "BudgetOverviewModel.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

void BudgetBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString text = plain.text;
    plain.text.clear();
    QWidget* widget = const_cast<QWidget*>(option.widget);
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);

    const double share =
        std::clamp(index.data(BudgetOverviewModel::ShareRole).toDouble(), 0.0, 1.0);
    const bool over = index.data(BudgetOverviewModel::OverBudgetRole).toBool();
    const QRect track = option.rect.adjusted(3, 3, -3, -3);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(track.adjusted(0, 0, -1, -1));
    QRect fill = track.adjusted(1, 1, -1, -1);
    fill.setWidth(int(fill.width() * share));
    if (fill.width() > 0)
        painter->fillRect(fill, over ? QColor(214, 72, 64) : QColor(92, 160, 92));
    painter->setPen(option.palette.color(QPalette::Text));
    QFont font = option.font;
    font.setBold(over);
    painter->setFont(font);
    painter->drawText(track, Qt::AlignCenter, text);
    painter->restore();
}
