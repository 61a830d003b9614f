#pragma once

#include <array>
#include <cstdint>

#include "fe/Point2.h"
#include "fe/Rect2.h"

// The rotatable frame of a location map's printed area: rectangle A turned by `angle` (radians) about the
// centre of the active rectangle, which is rectangle B while `flag` is set (during a drag) and A otherwise.
// All zeros for a new map. Its editing operations belong to the view.
struct OutputFrame
{
    Rect2 rectA;
    Rect2 rectB;
    std::uint8_t flag = 0;
    double angle = 0.0;

    // The point turned by minus the angle about the centre of the active rectangle.
    Point2 RotatePoint(const Point2& point) const;
    // Rectangle A's (min x, min y), (min x, max y), (max x, max y), (max x, min y), each through RotatePoint.
    std::array<Point2, 4> Corners() const;

    friend bool operator==(const OutputFrame&, const OutputFrame&) = default;
};
