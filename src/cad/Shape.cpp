#include "cad/Shape.h"

#include <algorithm>
#include <cmath>

#include "fe/Rect2.h"
#include "fe/Unset.h"

namespace fe {
namespace {

constexpr double kNarrow = 1e-14;

bool IsPoint(const std::vector<Point2>& points, std::size_t first, std::size_t last)
{
    double x0 = points[first].x, x1 = x0, y0 = points[first].y, y1 = y0;
    for (std::size_t i = first + 1; i < last; ++i) {
        x0 = std::min(x0, points[i].x);
        x1 = std::max(x1, points[i].x);
        y0 = std::min(y0, points[i].y);
        y1 = std::max(y1, points[i].y);
    }
    return x1 - x0 <= kNarrow && y1 - y0 <= kNarrow;
}

}  // namespace

void ShapePolyLine::UpdateBounds()
{
    const Rect2 box = BoundingBoxOfPoints(points);
    xmin = box.x0;
    xmax = box.x1;
    ymin = box.y0;
    ymax = box.y1;
    partCount = int(parts.size());
    pointCount = int(points.size());
}

bool ShapePolyLine::Normalize()
{
    UpdateBounds();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool inRange = parts[i] >= 0 && std::size_t(parts[i]) <= points.size();
        if (!inRange || (i > 0 && parts[i] < parts[i - 1]))
            return false;
    }
    for (std::size_t part = parts.size(); part-- > 0;) {
        const std::size_t first = std::size_t(parts[part]);
        const std::size_t last = part + 1 < parts.size() ? std::size_t(parts[part + 1]) : points.size();
        const std::size_t count = last - first;
        if (count >= 2 && !IsPoint(points, first, last))
            continue;
        points.erase(points.begin() + std::ptrdiff_t(first), points.begin() + std::ptrdiff_t(last));
        parts.erase(parts.begin() + std::ptrdiff_t(part));
        for (std::size_t later = part; later < parts.size(); ++later)
            parts[later] -= std::int32_t(count);
    }
    UpdateBounds();
    return !parts.empty() && !points.empty();
}

}  // namespace fe
