#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace {

QString accessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

bool takesInput(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QGraphicsView*>(w);
}

// Parts of a compound control (a combo box's edit line, a table's headers, a
// tab bar's scroll arrows, a search field's clear button) are announced as
// parts of it.
bool partOfAnother(QWidget* w, QWidget* root) {
    // Qt's own helpers, such as a toolbar's overflow arrow.
    if (w->objectName().startsWith(QStringLiteral("qt_")))
        return true;
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QLineEdit*>(p) || qobject_cast<QAbstractItemView*>(p) ||
            qobject_cast<QTabBar*>(p) || qobject_cast<QCalendarWidget*>(p))
            return true;
    return false;
}

} // namespace

namespace AccessibleNames {

QStringList missing(QWidget* root) {
    QStringList out;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!takesInput(w) || partOfAnother(w, root))
            continue;
        const QString name = accessibleName(w);
        const QString where = root->objectName() + u'/' + w->objectName() + u'(' +
                              QString::fromLatin1(w->metaObject()->className()) + u')';
        if (name.trimmed().isEmpty())
            out << where;
        else if (qobject_cast<QComboBox*>(w) && name != w->accessibleName())
            out << where + QStringLiteral(" named \"%1\"").arg(name);
    }
    return out;
}

} // namespace AccessibleNames
