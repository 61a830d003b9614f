#include "fe/SegmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Cross(const Point2& o, const Point2& a, const Point2& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// The two segments cross with every end point strictly on the other side of the other segment's line.
bool SegmentsCrossStrictly(const Point2& p1, const Point2& p2, const Point2& q1, const Point2& q2)
{
    return Cross(p1, p2, q1) * Cross(p1, p2, q2) < 0 && Cross(q1, q2, p1) * Cross(q1, q2, p2) < 0;
}

// A horizontal edge of `h` crosses a vertical edge of `v`.
bool EdgesCross(const Rect2& h, const Rect2& v)
{
    for (const double y : {h.y0, h.y1}) {
        for (const double x : {v.x0, v.x1}) {
            if (SegmentsCrossStrictly({h.x0, y}, {h.x1, y}, {x, v.y0}, {x, v.y1}))
                return true;
        }
    }
    return false;
}

bool Inside(const Rect2& a, const Rect2& b)
{
    return a.x0 >= b.x0 && a.x1 <= b.x1 && a.y0 >= b.y0 && a.y1 <= b.y1;
}

}  // namespace

std::pair<Point2, Point2> OffsetSegment(const Point2& p0, const Point2& p1, double distance)
{
    const Point2 u = (p1 - p0).Unit();
    Point2 n = u;
    if (distance > 0)
        n = u.Rotate(-std::numbers::pi / 2);
    else if (distance < 0)
        n = u.Rotate(std::numbers::pi / 2);
    const Point2 shift = n.Scale(std::abs(distance));
    return {p0 + shift, p1 + shift};
}

Point2 PointBeyond(const Point2& p0, const Point2& p1, double distance)
{
    const Point2 d = p1 - p0;
    const double length = std::hypot(d.x, d.y);
    if (length <= 1e-14)
        return p1;
    return p1 + d.Scale(distance / length);
}

int SignQuadrant(const Point2& p)
{
    if (p.x > 0 && p.y >= 0)
        return 1;
    if (p.x <= 0 && p.y > 0)
        return 2;
    if (p.x < 0 && p.y <= 0)
        return 3;
    if (p.x >= 0 && p.y < 0)
        return 4;
    return 0;
}

bool BoxesOverlap(const Rect2& a, const Rect2& b)
{
    return EdgesCross(a, b) || EdgesCross(b, a) || Inside(a, b) || Inside(b, a);
}

Rect2 OrderedBox(const Rect2& box)
{
    return Rect2(std::min(box.x0, box.x1), std::min(box.y0, box.y1), std::max(box.x0, box.x1),
                 std::max(box.y0, box.y1));
}
