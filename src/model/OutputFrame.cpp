#include "model/OutputFrame.h"

#include <algorithm>
#include <cmath>

Point2 OutputFrame::RotatePoint(const Point2& point) const
{
    const Point2 centre = (flag != 0 ? rectB : rectA).Centre();
    const double c = std::cos(-angle);
    const double s = std::sin(-angle);
    const double dx = point.x - centre.x;
    const double dy = point.y - centre.y;
    return {centre.x + c * dx - s * dy, centre.y + c * dy + s * dx};
}

std::array<Point2, 4> OutputFrame::Corners() const
{
    const double minX = std::min(rectA.x0, rectA.x1);
    const double maxX = std::max(rectA.x0, rectA.x1);
    const double minY = std::min(rectA.y0, rectA.y1);
    const double maxY = std::max(rectA.y0, rectA.y1);
    return {RotatePoint({minX, minY}), RotatePoint({minX, maxY}), RotatePoint({maxX, maxY}),
            RotatePoint({maxX, minY})};
}
