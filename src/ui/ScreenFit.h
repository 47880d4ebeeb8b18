#pragma once

#include <QRect>

class QWidget;

// Keeps top-level windows within the part of the screen that panels and
// docks leave free, so that no title bar, button or status bar ends up out of
// reach on a small screen.
namespace ScreenFit {

// Where a window frame goes: no larger than the free area, and moved as
// little as possible to lie wholly inside it.
QRect fitted(const QRect& frame, const QRect& available);

// Shrinks and moves a top-level window (its frame, where the window system
// has drawn one) into the free area of its screen.
void keepOnScreen(QWidget* window);

} // namespace ScreenFit
