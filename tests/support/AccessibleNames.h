#pragma once

#include <QStringList>

class QWidget;

namespace AccessibleNames {

// Every control of the window that a screen reader would announce without a
// name, and every combo box whose name is not the one its label gave it (it
// must not turn into what the box holds), as "window/object(class)".
QStringList missing(QWidget* root);

} // namespace AccessibleNames
