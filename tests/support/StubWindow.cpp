#include "StubWindow.h"

#include "AppState.h"
#include "Shell.h"

StubWindow::StubWindow(Shell& shell, WindowId id)
    : m_shell(shell)
    , m_id(id) {
    setObjectName(Windows::objectName(id));
    setWindowTitle(Windows::objectName(id));
    m_shell.state().setMarker(Windows::marker(id), QStringLiteral("Y"));
}

void StubWindow::unload() {
    m_shell.state().setMarker(Windows::marker(m_id), QString());
}
