#include "fe/Rect2i.h"

#include <algorithm>
#include <limits>

Rect2i Rect2i::BoundsOfPoints(const std::vector<QPoint>& points)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    if (points.empty())
        return Rect2i(kMax, kMax, kMax, kMax);
    Rect2i box(points.front().x(), points.front().y(), points.front().x(), points.front().y());
    for (const QPoint& p : points) {
        box.x0 = std::min(box.x0, p.x());
        box.x1 = std::max(box.x1, p.x());
        box.y0 = std::min(box.y0, p.y());
        box.y1 = std::max(box.y1, p.y());
    }
    return box;
}

bool Rect2i::Contains(int x, int y) const
{
    return x >= std::min(x0, x1) && x <= std::max(x0, x1) && y >= std::min(y0, y1) && y <= std::max(y0, y1);
}
