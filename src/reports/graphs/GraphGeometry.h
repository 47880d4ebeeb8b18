#pragma once

#include <QRect>
#include <QSize>

// Where a graph window stands and how its graph follows the window's size.
// All in twips except where pixels are given.
class GraphGeometry {
public:
    static constexpr int kLeft = 335;
    static constexpr int kTop = 285;
    static constexpr int kWidth = 9450;
    static constexpr int kHeight = 6225;
    // The graph is the window less this much in each direction.
    static constexpr int kSpareWidth = 270;
    static constexpr int kSpareHeight = 525;

    // The graph's place inside the window's client area (pixels): the
    // window's outer size less `spare`, never below zero and never larger
    // than the client area, centred in it.
    static QRect chartRect(QSize window, QSize spare, QSize client);
};
