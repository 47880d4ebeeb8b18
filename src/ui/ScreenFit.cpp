#include "ScreenFit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ScreenFit {

QRect fitted(const QRect& frame, const QRect& available) {
    if (available.isEmpty())
        return frame;
    const QSize size = frame.size().boundedTo(available.size());
    const int x = std::clamp(frame.x(), available.left(), available.right() + 1 - size.width());
    const int y = std::clamp(frame.y(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

void keepOnScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect frame = window->frameGeometry();
    const QRect target = fitted(frame, screen->availableGeometry());
    if (target == frame)
        return;
    // The frame adds the same margins at any size.
    const QSize decorations = frame.size() - window->size();
    window->resize(target.size() - decorations);
    window->move(target.topLeft());
}

} // namespace ScreenFit
