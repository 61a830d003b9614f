#pragma once

#include <cstdint>

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

    friend constexpr bool operator==(const Rect2i& a, const Rect2i& b) = default;
};
