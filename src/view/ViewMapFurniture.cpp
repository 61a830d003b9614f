// Output frame, north arrow and scale bar over a background picture.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/PixelGeometry.h"
#include "model/LocationMap.h"
#include "view/ScaleBar.h"
#include "view/ViewMap.h"

namespace locmap {

double ViewMap::XRatio() const
{
    return transform != nullptr ? transform->mapping.X().Ratio() : 1.0;
}

Rect2 ViewMap::FrameOnScreen(const LocationMap& map) const
{
    const Rect2& a = map.frame.rectA;
    const fe::gdi::MapFunc2& m = transform->mapping;
    return Rect2(m.X().Map(std::min(a.x0, a.x1)), m.Y().Map(std::min(a.y0, a.y1)),
                 m.X().Map(std::max(a.x0, a.x1)), m.Y().Map(std::max(a.y0, a.y1)));
}

void ViewMap::DrawOutputFrame(const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr)
        return;
    const auto turned = map.frame.Corners();
    QPoint corners[4];
    for (size_t k = 0; k < 4; ++k)
        corners[k] = ScreenPoint(turned[k].x, turned[k].y);
    const Rect2& a = map.frame.rectA;
    const Point2 top = map.frame.RotatePoint(Point2((a.x0 + a.x1) / 2, std::min(a.y0, a.y1)));
    const Point2 centre = a.Centre();
    const QPoint topMiddle = ScreenPoint(top.x, top.y);
    const QPoint handle = ExtendSegmentEnd(ScreenPoint(centre.x, centre.y), topMiddle, 32);
    DrawFrameShape(corners, map.name, true, topMiddle, handle);
}

void ViewMap::DrawScreenNorthArrow(const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr || !map.overlay.showNorthArrow)
        return;
    const MapOverlayLayout& o = map.overlay;
    if (clientWidth >= 1) {
        DrawNorthArrowAt(1.0, o.northArrowAngle,
                         QPoint(int(clientWidth - o.northArrowX), int(o.northArrowY)));
        return;
    }
    const double k = 1.5 * XRatio();
    const Rect2 f = FrameOnScreen(map);
    DrawNorthArrowAt(k, o.northArrowAngle,
                     QPoint(int(f.x1 - o.northArrowX * k), int(f.y0 + o.northArrowY * k)));
}

namespace {

// The metres that `pixels` picture pixels along x cover through the registration (pixels themselves for a
// picture without one).
double MetresAlongX(const LocationMapTransform& t, int pixels)
{
    const Point2 a = t.forward.Map({0, 0});
    const Point2 b = t.forward.Map({double(pixels), 0});
    return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace

void ViewMap::DrawScreenScaleBar(const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr || !map.overlay.showScaleBar)
        return;
    const double ratio = XRatio();
    const int g = clientWidth >= 1 ? int(clientWidth * 0.25 / ratio)
                                   : int(std::abs(map.frame.rectA.x1 - map.frame.rectA.x0) * 0.25);
    const ScaleBarChoice bar = ChooseScaleBar(g, 4 * MetresAlongX(*transform, g));
    if (!bar.IsValid())
        return;
    double b = clientWidth, f = clientHeight;
    if (clientWidth < 1 || clientHeight < 1) {
        const Rect2 frame = FrameOnScreen(map);
        b = frame.x1;
        f = frame.y1;
    }
    UseScaleBarFont(std::max(4, int(scaleTextSize * 0.5)));
    DrawScaleBarAt(bar.row, int(b - int(map.overlay.scaleBarX * 1.5) * 0.5),
                   int(f - map.overlay.scaleBarY * 0.5), int(bar.pixels * ratio), int(scaleTextSize * 0.5));
}

void ViewMap::DrawNorthArrow(double scale, const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr || !map.overlay.showNorthArrow)
        return;
    const Rect2 f = FrameOnScreen(map);
    const double r = std::abs(f.x1 - f.x0) / style.northRadiusDivisor / scale;
    const double m = style.northMarginFactor;
    DrawNorthSymbol(r, map.overlay.northArrowAngle, QPoint(int(f.x1 - m * r), int(f.y0 + m * r)));
}

void ViewMap::DrawScaleBar(double scale, const LocationMap& map)
{
    if (m_dc == nullptr || transform == nullptr || !map.overlay.showScaleBar)
        return;
    const int g = int(std::abs(map.frame.rectA.x1 - map.frame.rectA.x0) * 0.25);
    const ScaleBarChoice bar = ChooseScaleBar(g, 4 * MetresAlongX(*transform, g));
    if (!bar.IsValid())
        return;
    const Rect2 f = FrameOnScreen(map);
    double q = std::abs(f.y1 - f.y0) / style.scaleTextDivisor / scale;
    if (int(q) < 4)
        q = 4;
    // These corners hold because off-screen renders fit the frame from x = 0 at scale 2.
    const double right = (2 * f.x1 - f.x0 - int(1.5 * q) * scale) / scale;
    const double baseline = (2 * f.y1 - f.y0 - (q + 7) * scale) / scale;
    UseScaleBarFont(int(q));
    DrawScaleBarAt(bar.row, int(right), int(baseline), int(bar.pixels * XRatio()), int(q));
}

}  // namespace locmap
