#include "GraphGeometry.h"

#include <algorithm>

QRect GraphGeometry::chartRect(QSize window, QSize spare, QSize client) {
    const int width = std::clamp(window.width() - spare.width(), 0, std::max(0, client.width()));
    const int height =
        std::clamp(window.height() - spare.height(), 0, std::max(0, client.height()));
    const int left = std::max(0, (client.width() - width) / 2);
    const int top = std::max(0, (client.height() - height) / 2);
    return {left, top, width, height};
}
