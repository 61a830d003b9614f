#include "fe/PixelGeometry.h"

#include <cmath>
#include <cstdint>

namespace {

// from + (from − toward) × distance / |toward − from|, each offset truncated toward zero.
QPoint ExtendAway(const QPoint& from, const QPoint& toward, double distance)
{
    const double dx = static_cast<double>(from.x()) - toward.x();
    const double dy = static_cast<double>(from.y()) - toward.y();
    const double length = std::hypot(dx, dy);
    if (length <= 1e-14) {
        return from;
    }
    const double k = distance / length;
    return {from.x() + static_cast<int>(std::trunc(dx * k)), from.y() + static_cast<int>(std::trunc(dy * k))};
}

}  // namespace

QPoint ExtendSegmentEnd(const QPoint& p0, const QPoint& p1, double distance)
{
    return ExtendAway(p1, p0, distance);
}

QPoint ExtendSegmentStart(const QPoint& p0, const QPoint& p1, double distance)
{
    return ExtendAway(p0, p1, distance);
}

double PointDistance(const QPoint& p, const QPoint& q)
{
    // Differences in 64 bits (exact), squares in double: 32-bit squares overflow from about 46341 px
    // apart, and even 64-bit squares overflow for points near opposite ends of the 32-bit range.
    const int64_t dx = static_cast<int64_t>(q.x()) - p.x();
    const int64_t dy = static_cast<int64_t>(q.y()) - p.y();
    return std::hypot(static_cast<double>(dx), static_cast<double>(dy));
}

Point2 IntPointToPoint2(const QPoint& p)
{
    return {static_cast<double>(p.x()), static_cast<double>(p.y())};
}
