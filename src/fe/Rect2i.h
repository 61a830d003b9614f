#pragma once

#include <QPoint>
#include <cstdint>
#include <vector>

// A pixel rectangle stored as x0, x1, y0, y1, each axis in either order (clip rectangles of the
// drawing contexts, frames of views and previews). Constructed from (x0, y0, x1, y1) like Rect2.
struct Rect2i
{
    int32_t x0 = 0;
    int32_t x1 = 0;
    int32_t y0 = 0;
    int32_t y1 = 0;

    constexpr Rect2i() = default;
    constexpr Rect2i(int32_t px0, int32_t py0, int32_t px1, int32_t py1) : x0(px0), x1(px1), y0(py0), y1(py1)
    {
    }

    // x0 = the smallest x, x1 = the largest, y0 = the smallest y, y1 = the largest; INT_MAX in all four
    // for no points.
    static Rect2i BoundsOfPoints(const std::vector<QPoint>& points);
    // The point lies between x0 and x1 and between y0 and y1, edges included, whichever way each axis runs.
    bool Contains(int x, int y) const;

    friend constexpr bool operator==(const Rect2i& a, const Rect2i& b) = default;
};
