#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

std::pair<double, double> dpi(const QWidget* widget) {
    if (widget)
        return {widget->logicalDpiX(), widget->logicalDpiY()};
    if (QScreen* s = QGuiApplication::primaryScreen())
        return {s->logicalDotsPerInchX(), s->logicalDotsPerInchY()};
    return {96.0, 96.0};
}

int scale(int value, double from, double to) {
    return int(std::lround(value * to / from));
}

} // namespace

namespace Twips {

int toPixelsX(int twips, const QWidget* w) {
    return scale(twips, kPerInch, dpi(w).first);
}
int toPixelsY(int twips, const QWidget* w) {
    return scale(twips, kPerInch, dpi(w).second);
}
int fromPixelsX(int pixels, const QWidget* w) {
    return scale(pixels, dpi(w).first, kPerInch);
}
int fromPixelsY(int pixels, const QWidget* w) {
    return scale(pixels, dpi(w).second, kPerInch);
}

QSize size(int widthTwips, int heightTwips, const QWidget* w) {
    return {toPixelsX(widthTwips, w), toPixelsY(heightTwips, w)};
}

QRect rect(int left, int top, int width, int height, const QWidget* w) {
    return {toPixelsX(left, w), toPixelsY(top, w), toPixelsX(width, w), toPixelsY(height, w)};
}

} // namespace Twips
