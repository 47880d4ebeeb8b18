#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Window and control sizes are given in twips, 1440 to the inch; they are
// turned into pixels at the screen's logical resolution.
namespace Twips {

constexpr int kPerInch = 1440;

int toPixelsX(int twips, const QWidget* widget = nullptr);
int toPixelsY(int twips, const QWidget* widget = nullptr);
int fromPixelsX(int pixels, const QWidget* widget = nullptr);
int fromPixelsY(int pixels, const QWidget* widget = nullptr);
QSize size(int widthTwips, int heightTwips, const QWidget* widget = nullptr);
QRect rect(int left, int top, int width, int height, const QWidget* widget = nullptr);

} // namespace Twips
