#include "Accessibility.h"

#include <QLabel>
#include <QString>
#include <QWidget>

namespace {
QString withoutAccelerator(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text.trimmed();
}
} // namespace

namespace Accessibility {

void label(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    field->setAccessibleName(withoutAccelerator(label->text()));
}

void name(QWidget* field, const QString& text) {
    field->setAccessibleName(withoutAccelerator(text));
}

} // namespace Accessibility
