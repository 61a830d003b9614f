#include "view/MouseEditing.h"

#include <algorithm>
#include <cmath>

#include "fe/Unset.h"
#include "fe/geo/GeoPoint.h"

namespace locmap {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDirectionLineTolerance = 7.0;

}  // namespace

double DirectionTowards(const Point2& mark, const Point2& pointer, double rotation)
{
    const double degrees = ((pointer - mark).Angle() + kPi / 2) * 180.0 / kPi + rotation;
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

double WrapRadians(double angle)
{
    const double wrapped = std::fmod(angle, 2 * kPi);
    return wrapped < 0 ? wrapped + 2 * kPi : wrapped;
}

bool HitsDirectionHandle(const Point2& mark, double direction, double reach, const Point2& pointer)
{
    if (IsUnset(direction))
        return true;
    const Point2 handle = Point2(0, -reach).Rotate(direction * kPi / 180.0);
    const Point2 toPointer = pointer - mark;
    const double length = std::hypot(handle.x, handle.y);
    if (length <= 0)
        return false;
    const double cross = std::abs(handle.x * toPointer.y - handle.y * toPointer.x);
    // In front of the mark along the arrow. (Comparing the sign quadrants of the two vectors instead
    // refuses half of the band around an arrow that points exactly along an axis, where rounding decides
    // the handle's quadrant.)
    const double along = handle.x * toPointer.x + handle.y * toPointer.y;
    return cross / length < kDirectionLineTolerance && along > 0;
}

bool InLabelBox(const Rect2i& box, int x, int y)
{
    return box.x0 != box.x1 && x >= std::min(box.x0, box.x1) && x <= std::max(box.x0, box.x1) &&
           y >= std::min(box.y0, box.y1) && y <= std::max(box.y0, box.y1);
}

bool WebBoxWithinLimits(const Rect2& box, int tileZoom)
{
    const double width = std::abs(box.x1 - box.x0) * 256.0 * std::ldexp(1.0, tileZoom) / 360.0;
    const double top = fe::geo::GeoPoint(box.x0, box.y1).ToWorldPixel(tileZoom).y;
    const double bottom = fe::geo::GeoPoint(box.x0, box.y0).ToWorldPixel(tileZoom).y;
    const double height = std::abs(bottom - top);
    if (!std::isfinite(width) || !std::isfinite(height))
        return false;
    return width > 128 && height > 128 && std::trunc(width * height) < 9000000.0;
}

int MirrorDragKind(int kind, bool horizontal, bool vertical)
{
    if (horizontal) {
        switch (kind) {
            case 6: kind = 7; break;
            case 7: kind = 6; break;
            case 8: kind = 9; break;
            case 9: kind = 8; break;
            case 10: kind = 11; break;
            case 11: kind = 10; break;
            default: break;
        }
    }
    if (vertical) {
        switch (kind) {
            case 6: kind = 8; break;
            case 8: kind = 6; break;
            case 7: kind = 9; break;
            case 9: kind = 7; break;
            case 12: kind = 13; break;
            case 13: kind = 12; break;
            default: break;
        }
    }
    return kind;
}

}  // namespace locmap
