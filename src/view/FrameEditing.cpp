#include "view/FrameEditing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fe/SegmentGeometry.h"

namespace locmap {
namespace {

Point2 ActiveCentre(const OutputFrame& frame)
{
    return (frame.flag != 0 ? frame.rectB : frame.rectA).Centre();
}

// The point turned by +angle about the active centre: the frame's own coordinates of a screen point.
Point2 Unturned(const OutputFrame& frame, const Point2& point)
{
    const Point2 centre = ActiveCentre(frame);
    return (point - centre).Rotate(frame.angle) + centre;
}

}  // namespace

int HitTestRectHandles(const Rect2& rect, double t, const Point2& p)
{
    const double left = std::min(rect.x0, rect.x1);
    const double right = std::max(rect.x0, rect.x1);
    const double top = std::min(rect.y0, rect.y1);
    const double bottom = std::max(rect.y0, rect.y1);
    if (p.x < left - t || p.x > right + t || p.y < top - t || p.y > bottom + t)
        return kHandleOutside;
    const bool l = std::abs(left - p.x) < t;
    const bool r = std::abs(right - p.x) < t;
    const bool tp = std::abs(top - p.y) < t;
    const bool b = std::abs(bottom - p.y) < t;
    const double middleX = left + (right - left) / 2;
    const double middleY = top + (bottom - top) / 2;
    const int bits = (l ? 1 : 0) | (r ? 2 : 0) | (tp ? 4 : 0) | (b ? 8 : 0);
    switch (bits) {
        case 1 | 4:
            return kHandleTopLeft;
        case 2 | 4:
            return kHandleTopRight;
        case 1 | 8:
            return kHandleBottomLeft;
        case 2 | 8:
            return kHandleBottomRight;
        case 1:
            return std::abs(middleY - p.y) < t ? kHandleLeftMiddle : kHandleLeft;
        case 2:
            return std::abs(middleY - p.y) < t ? kHandleRightMiddle : kHandleRight;
        case 4:
            return std::abs(middleX - p.x) < t ? kHandleTopMiddle : kHandleTop;
        case 8:
            return std::abs(middleX - p.x) < t ? kHandleBottomMiddle : kHandleBottom;
        default:
            return kHandleInside;
    }
}

bool ResizeRectKeepAspect(Rect2& out, int kind, double x, double y, const Rect2& s, double r)
{
    out = s;
    const double left = std::min(s.x0, s.x1);
    const double right = std::max(s.x0, s.x1);
    const double top = std::min(s.y0, s.y1);
    const double bottom = std::max(s.y0, s.y1);
    const double middleX = (left + right) / 2;
    const double middleY = (top + bottom) / 2;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    switch (kind) {
        case kHandleTopLeft:
            if (!(bottom - y > 0))
                return false;
            x0 = right - (bottom - y) * r, x1 = right, y0 = y, y1 = bottom;
            break;
        case kHandleTopRight:
            if (!(bottom - y > 0))
                return false;
            x0 = left, x1 = left + (bottom - y) * r, y0 = y, y1 = bottom;
            break;
        case kHandleBottomLeft:
            if (!(y - top > 0))
                return false;
            x0 = right - (y - top) * r, x1 = right, y0 = top, y1 = y;
            break;
        case kHandleBottomRight:
            if (!(y - top > 0))
                return false;
            x0 = left, x1 = left + (y - top) * r, y0 = top, y1 = y;
            break;
        case kHandleLeftMiddle:
            if (!(right - x > 0))
                return false;
            x0 = x, x1 = right, y0 = middleY - (right - x) / r / 2, y1 = middleY + (right - x) / r / 2;
            break;
        case kHandleRightMiddle:
            if (!(x - left > 0))
                return false;
            x0 = left, x1 = x, y0 = middleY - (x - left) / r / 2, y1 = middleY + (x - left) / r / 2;
            break;
        case kHandleTopMiddle:
            if (!(bottom - y > 0))
                return false;
            x0 = middleX - (bottom - y) * r / 2, x1 = middleX + (bottom - y) * r / 2, y0 = y, y1 = bottom;
            break;
        case kHandleBottomMiddle:
            if (!(y - top > 0))
                return false;
            x0 = middleX - (y - top) * r / 2, x1 = middleX + (y - top) * r / 2, y0 = top, y1 = y;
            break;
        default:
            return false;
    }
    out = Rect2(x0, y0, x1, y1);
    return true;
}

namespace frame {

void Set(OutputFrame& frame, double x0, double x1, double y0, double y1)
{
    frame.rectA = Rect2(x0, y0, x1, y1);
    frame.rectB = Rect2();
    frame.flag = 0;
    frame.angle = 0.0;
}

int HitTest(const OutputFrame& frame, double tolerance, double handleDistance, const Point2& point)
{
    const Rect2& a = frame.rectA;
    const Point2 centre = a.Centre();
    const Point2 p = (point - centre).Rotate(frame.angle) + centre;
    const Point2 topMiddle((a.x0 + a.x1) / 2, std::min(a.y0, a.y1));
    const Point2 handle = PointBeyond(centre, topMiddle, handleDistance);
    if (std::abs(p.x - handle.x) < tolerance && std::abs(p.y - handle.y) < tolerance)
        return kHandleRotate;
    return HitTestRectHandles(a, tolerance, p);
}

void Settle(OutputFrame& frame)
{
    Rect2& a = frame.rectA;
    const Point2 c0 = frame.RotatePoint({a.x0, a.y0});
    const Point2 c2 = frame.RotatePoint({a.x1, a.y1});
    const Point2 m((c0.x + c2.x) / 2, (c0.y + c2.y) / 2);
    const Point2 p0 = (c0 - m).Rotate(frame.angle) + m;
    const Point2 p2 = (c2 - m).Rotate(frame.angle) + m;
    a = Rect2(p0.x, p0.y, p2.x, p2.y);
    frame.flag = 0;
}

void MoveTopLeft(OutputFrame& frame, const Point2& point)
{
    const Point2 q = Unturned(frame, point);
    frame.rectA.x0 = q.x;
    frame.rectA.y0 = q.y;
}

void MoveTopRight(OutputFrame& frame, const Point2& point)
{
    const Point2 q = Unturned(frame, point);
    frame.rectA.x1 = q.x;
    frame.rectA.y0 = q.y;
}

void MoveBottomLeft(OutputFrame& frame, const Point2& point)
{
    const Point2 q = Unturned(frame, point);
    frame.rectA.x0 = q.x;
    frame.rectA.y1 = q.y;
}

void MoveBottomRight(OutputFrame& frame, const Point2& point)
{
    const Point2 q = Unturned(frame, point);
    frame.rectA.x1 = q.x;
    frame.rectA.y1 = q.y;
}

void MoveLeft(OutputFrame& frame, const Point2& point)
{
    frame.rectA.x0 = Unturned(frame, point).x;
}

void MoveRight(OutputFrame& frame, const Point2& point)
{
    frame.rectA.x1 = Unturned(frame, point).x;
}

void MoveTop(OutputFrame& frame, const Point2& point)
{
    frame.rectA.y0 = Unturned(frame, point).y;
}

void MoveBottom(OutputFrame& frame, const Point2& point)
{
    frame.rectA.y1 = Unturned(frame, point).y;
}

bool MoveHandle(OutputFrame& frame, int kind, const Point2& point)
{
    using Resizer = void (*)(OutputFrame&, const Point2&);
    static constexpr Resizer kResizers[] = {MoveTopLeft, MoveTopRight, MoveBottomLeft, MoveBottomRight,
                                            MoveLeft,    MoveRight,    MoveTop,        MoveBottom};
    if (kind < kHandleTopLeft || kind > kHandleBottomMiddle)
        return false;
    kResizers[kind - kHandleTopLeft](frame, point);
    return true;
}

void AimAt(OutputFrame& frame, bool snap, const Point2& point)
{
    const Point2 v = point - frame.rectA.Centre();
    if (std::abs(v.x) <= 1e-14 && std::abs(v.y) <= 1e-14)
        return;
    const double a = Point2(v.x, -v.y).Angle();
    const bool rightOrBelow = v.x > 0 || (v.x == 0 && v.y > 0);
    double angle = rightOrBelow ? a + 3 * std::numbers::pi / 2 : a - std::numbers::pi / 2;
    if (snap)
        angle = std::trunc(angle * 180 / std::numbers::pi / 5) * 5 * std::numbers::pi / 180;
    frame.angle = angle;
}

}  // namespace frame
}  // namespace locmap
