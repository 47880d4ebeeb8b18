#include "ChildWindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

ChildWindow::ChildWindow(QWidget* parent)
    : QWidget(parent) {}

bool ChildWindow::tryClose() {
    if (m_unloaded)
        return true;
    if (m_closing)
        return false;
    m_closing = true;
    const bool accepted = queryClose();
    m_closing = false;
    if (!accepted)
        return false;
    m_unloaded = true;
    unload();
    return true;
}

bool ChildWindow::closeWindow() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return frame->close();
    return close();
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    // Inside a frame the frame has asked already (MdiHost); on its own the
    // window asks here.
    if (qobject_cast<QMdiSubWindow*>(parentWidget()) || tryClose())
        event->accept();
    else
        event->ignore();
}
