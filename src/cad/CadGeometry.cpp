#include "cad/CadGeometry.h"

#include <cmath>

namespace fe::cad {
namespace {

constexpr double kTolerance = 1e-14;
constexpr double kArbitraryAxisLimit = 1.0 / 64.0;

Point3 Cross(const Point3& a, const Point3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Point3 Normalized(const Point3& v)
{
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0)
        return v;
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

Point2 RotatePoint(double cx, double cy, double x, double y, double angle)
{
    if (angle == 0.0)
        return {x, y};
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dx = x - cx;
    const double dy = y - cy;
    return {c * dx - s * dy + cx, c * dy + s * dx + cy};
}

bool IsDefaultExtrusion(const Point3& n)
{
    return std::fabs(n.x) <= kTolerance && std::fabs(n.y) <= kTolerance && std::fabs(n.z - 1.0) <= kTolerance;
}

Point3 OcsToWcs(const Point3& p, const Point3& n)
{
    if (IsDefaultExtrusion(n))
        return p;
    Point3 ax;
    if (std::fabs(n.x) < kArbitraryAxisLimit && std::fabs(n.y) < kArbitraryAxisLimit)
        ax = Cross(Point3(0, 1, 0), n);
    else
        ax = Cross(Point3(0, 0, 1), n);
    ax = Normalized(ax);
    const Point3 ay = Normalized(Cross(n, ax));
    return {p.x * ax.x + p.y * ay.x + p.z * n.x, p.x * ax.y + p.y * ay.y + p.z * n.y,
            p.x * ax.z + p.y * ay.z + p.z * n.z};
}

Point3 OcsToWcs(double x, double y, double z, double nx, double ny, double nz)
{
    return OcsToWcs(Point3(x, y, z), Point3(nx, ny, nz));
}

Point2 OcsToWcs2(const Point2& point, const Point3& normal)
{
    if (IsDefaultExtrusion(normal))
        return point;
    const Point3 world = OcsToWcs(Point3(point.x, point.y, 0.0), normal);
    return {world.x, world.y};
}

}  // namespace fe::cad
