#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_depth = 0;
}

BusyCursor::BusyCursor() {
    if (g_depth++ == 0 && qGuiApp)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    if (--g_depth == 0 && qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

bool BusyCursor::isBusy() {
    return g_depth > 0;
}

BusyCursor::Suspend::Suspend()
    : m_saved(g_depth) {
    if (g_depth > 0 && qGuiApp)
        QGuiApplication::restoreOverrideCursor();
    g_depth = 0;
}

BusyCursor::Suspend::~Suspend() {
    if (m_saved > 0 && qGuiApp)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    g_depth = m_saved;
}
