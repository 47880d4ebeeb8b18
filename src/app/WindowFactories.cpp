#include "WindowFactories.h"

#include "MainWindow.h"

void installWindows(MainWindow& window) {
    Q_UNUSED(window);
}
