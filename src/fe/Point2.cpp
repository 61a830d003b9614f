#include "fe/Point2.h"

#include <cmath>
#include <numbers>

#include "fe/Unset.h"

namespace {

template <typename T>
int QuadrantOf(T x, T y)
{
    if (x == 0 && y == 0) {
        return 0;
    }
    if (std::abs(x) > std::abs(y)) {
        return x > 0 ? 1 : 3;
    }
    return y > 0 ? 2 : 4;
}

}  // namespace

void Point2::SetUnset()
{
    x = kUnset;
    y = 0.0;
}

Point2 Point2::Rotate(double angle) const
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {x * c - y * s, y * c + x * s};
}

Point2 Point2::Unit() const
{
    const double length = std::hypot(x, y);
    if (length <= 1e-14) {
        return {1.0, 0.0};
    }
    return {x / length, y / length};
}

double Point2::Angle() const
{
    // The sign of the result decides, not that of y: atan2(−0, −1) is −π.
    const double a = std::atan2(y, x);
    if (a >= 0) {
        return a;
    }
    // A tiny negative y would round up to exactly 2π; keep the result inside [0, 2π).
    const double turned = a + 2.0 * std::numbers::pi;
    return turned < 2.0 * std::numbers::pi ? turned : 0.0;
}

int Point2::Quadrant() const
{
    return QuadrantOf(x, y);
}

Point2 Point2::FitInto(const Point2& box) const
{
    // A picture without height (one that failed to load) has no size to scale: an empty size
    // rather than a division by zero.
    if (!(y > 0)) {
        return {0.0, 0.0};
    }
    const double boxAspect = box.y > 0 ? box.x / box.y : 0.0;
    const double ownAspect = x / y;
    if (boxAspect < ownAspect) {
        return {box.x, y * box.x / x};
    }
    return {x * box.y / y, box.y};
}

Point2f Point2f::Rotate(double angle) const
{
    const Point2 turned = Point2(x, y).Rotate(angle);
    return {static_cast<float>(turned.x), static_cast<float>(turned.y)};
}

int Point2f::Quadrant() const
{
    return QuadrantOf(x, y);
}
