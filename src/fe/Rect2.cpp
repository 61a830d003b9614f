#include "fe/Rect2.h"

#include <algorithm>
#include <cmath>

#include "fe/Unset.h"

namespace {

// Covers the four values with a span that runs the way (lo, hi) ran.
void ExtendSpan(double& lo, double& hi, double otherLo, double otherHi)
{
    const double low = std::min({lo, hi, otherLo, otherHi});
    const double high = std::max({lo, hi, otherLo, otherHi});
    if (lo <= hi) {
        lo = low;
        hi = high;
    } else {
        lo = high;
        hi = low;
    }
}

}  // namespace

double Span::Length() const
{
    return std::abs(hi - lo);
}

void Rect2::Unset()
{
    x0 = x1 = y0 = y1 = kUnset;
}

bool Rect2::IsUnset() const
{
    return ::IsUnset(x0) && ::IsUnset(x1) && ::IsUnset(y0) && ::IsUnset(y1);
}

void Rect2::Extend(const Rect2& other)
{
    ExtendSpan(x0, x1, other.x0, other.x1);
    ExtendSpan(y0, y1, other.y0, other.y1);
}

void Rect2::SetFromPoints(const std::vector<Point2>& points)
{
    if (points.empty()) {
        return;
    }
    x0 = x1 = points.front().x;
    y0 = y1 = points.front().y;
    for (const Point2& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
}

Rect2 BoundingBoxOfPoints(const std::vector<Point2>& points)
{
    Rect2 box;
    box.Unset();
    box.SetFromPoints(points);
    return box;
}

void ClosePolygon(std::vector<Point2>& points)
{
    if (points.size() >= 2 && !(points.back() == points.front())) {
        const Point2 first = points.front();
        points.push_back(first);
    }
}
