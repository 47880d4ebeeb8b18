#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace {

QString withoutAccelerator(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text.trimmed();
}

// Qt's own combo box interface names the box after its current text on this
// platform, so a screen reader announced "GEARHEAD DIRECT" where the field is
// "Vendor". This one keeps the given name and reports the text as the value.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return box()->currentText();
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return box()->currentText();
        return own;
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (box()->view()->isVisible())
                box()->hidePopup();
            else
                box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == u"QComboBox" && object && object->isWidgetType())
        return new NamedComboBox(static_cast<QComboBox*>(object));
    return nullptr;
}

void setName(QWidget* field, const QString& text) {
    Accessibility::install();
    field->setAccessibleName(text);
    // The edit part of a combo box is a field of its own to a screen reader.
    if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(text);
}

} // namespace

namespace Accessibility {

void install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // Factories installed later are asked first, so this one wins over Qt's.
    QAccessible::installFactory(factory);
}

void label(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    setName(field, withoutAccelerator(label->text()));
}

void name(QWidget* field, const QString& text) {
    setName(field, withoutAccelerator(text));
}

void currentFollowsSelection(QAbstractItemView* view) {
    QItemSelectionModel* selection = view->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, view,
                     [selection](const QItemSelection& selected) {
                         if (selected.isEmpty())
                             return;
                         const QModelIndex first = selected.indexes().constFirst();
                         if (!selection->isSelected(selection->currentIndex()))
                             selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
                     });
}

} // namespace Accessibility
