// Output frame, site-map box, north arrow and scale bar over web tiles.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/SegmentGeometry.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"
#include "view/FrameEditing.h"
#include "view/ScaleBar.h"
#include "view/ViewGsi.h"

namespace locmap {
namespace {

bool InSpan(double value, double a, double b)
{
    return value >= std::min(a, b) && value <= std::max(a, b);
}

// One of the box's corner x values lies in the view's x span, or one of its y values in the y span. A frame
// enclosing the whole view fails this test; that is how the frame has always been culled.
bool BoxShown(const QPoint& a, const QPoint& b, const Rect2& view)
{
    return InSpan(a.x(), view.x0, view.x1) || InSpan(b.x(), view.x0, view.x1) ||
           InSpan(a.y(), view.y0, view.y1) || InSpan(b.y(), view.y0, view.y1);
}

// The plane distance in the zone between two longitudes along one latitude, in metres.
double PlaneDistance(int zone, double west, double east, double latitude)
{
    fe::geo::PlaneRectConverter converter;
    if (!converter.SetZone(zone))
        return 0.0;
    const Point2 a = converter.ToPlaneXY(fe::geo::GeoPoint(west, latitude));
    const Point2 b = converter.ToPlaneXY(fe::geo::GeoPoint(east, latitude));
    return std::hypot(b.x - a.x, b.y - a.y);
}

int QuarterWidth(double west, double east, int zoom)
{
    const double w = fe::geo::GeoPoint(west, 0).ToWorldPixel(zoom).x;
    const double e = fe::geo::GeoPoint(east, 0).ToWorldPixel(zoom).x;
    return fe::geo::TruncToInt(std::abs(e - w) / 4);
}

}  // namespace

void ViewGsi::DrawOutputFrame(const LocationMap& map, const Rect2& view, int zoom)
{
    if (m_dc == nullptr)
        return;
    const QPoint southEast = ScreenPoint(fe::geo::GeoPoint(map.box.x1, map.box.y0));
    const QPoint northWest = ScreenPoint(fe::geo::GeoPoint(map.box.x0, map.box.y1));
    if (!BoxShown(southEast, northWest, view))
        return;
    OutputFrame shown;
    frame::Set(shown, southEast.x(), northWest.x(), southEast.y(), northWest.y());
    shown.angle = map.frame.angle;
    const auto turned = shown.Corners();
    QPoint corners[4];
    Point2 centre;
    for (size_t k = 0; k < 4; ++k) {
        corners[k] = QPoint(fe::geo::TruncToInt(turned[k].x), fe::geo::TruncToInt(turned[k].y));
        centre = centre + Point2(corners[k].x(), corners[k].y());
    }
    centre = centre.Scale(0.25);
    const QPoint topMiddle((corners[0].x() + corners[3].x()) / 2, (corners[0].y() + corners[3].y()) / 2);
    const Point2 handle = PointBeyond(centre, Point2(topMiddle.x(), topMiddle.y()), 32);
    DrawFrameShape(corners, map.name, zoom >= 14, topMiddle,
                   QPoint(fe::geo::TruncToInt(handle.x), fe::geo::TruncToInt(handle.y)));
}

void ViewGsi::DrawSiteMapBox(const LocationMap& siteMap, const Rect2& view, int zoom)
{
    if (m_dc == nullptr)
        return;
    const QPoint a = ScreenPoint(fe::geo::GeoPoint(siteMap.box.x1, siteMap.box.y0));
    const QPoint b = ScreenPoint(fe::geo::GeoPoint(siteMap.box.x0, siteMap.box.y1));
    if (!BoxShown(a, b, view))
        return;
    const int left = std::min(a.x(), b.x());
    const int right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int bottom = std::max(a.y(), b.y());
    SelectNullBrush();
    UseOverlayPen(15);
    fe::gdi::DrawRectangle(*m_dc, left, top, right + 1, bottom + 1);
    UseOverlayPen(11);
    fe::gdi::DrawRectangle(*m_dc, left, top, right + 1, bottom + 1);
    if (zoom >= 14 && !siteMap.name.isEmpty()) {
        UseOverlayFont(1);
        QSize size;
        if (!MeasureText(siteMap.name, size))
            return;  // not even the handles
        const int w = size.width() + 6;
        const int h = size.height() + 4;
        SelectNullPen();
        UseOverlayBrush(12);
        fe::gdi::DrawPolygon(*m_dc, QPolygon({QPoint(right, top), QPoint(right - w, top),
                                              QPoint(right - w, top - h), QPoint(right, top - h)}));
        SetTextColor(palette.light);
        SetTransparentBackground();
        WriteText(right - 3, top - size.height() - 2, siteMap.name, fe::gdi::TA_RIGHT | fe::gdi::TA_TOP);
    }
    UseOverlayPen(12);
    UseOverlayBrush(0);
    const int xs[3] = {left, (left + right) / 2, right};
    const int ys[3] = {top, (top + bottom) / 2, bottom};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (i == 1 && j == 1)
                continue;
            fe::gdi::DrawRectangle(*m_dc, xs[i] - 6, ys[j] - 6, xs[i] + 7, ys[j] + 7);
        }
    }
    SelectNullPen();
    SelectNullBrush();
}

void ViewGsi::DrawScreenNorthArrow(const LocationMap& map)
{
    if (m_dc == nullptr || !map.overlay.showNorthArrow)
        return;
    const QPoint centre(int(viewport.width - 30 - map.overlay.northArrowX), int(map.overlay.northArrowY + 2));
    DrawNorthArrowAt(1.0, map.overlay.northArrowAngle, centre);
}

void ViewGsi::DrawScreenScaleBar(const LocationMap& map, int zoom, double west, double east)
{
    if (m_dc == nullptr || !map.overlay.showScaleBar || !map.HasPlaneZone())
        return;
    const double metres = PlaneDistance(map.zone, west, east, map.box.y0);
    const ScaleBarChoice bar = ChooseScaleBar(QuarterWidth(west, east, zoom), metres);
    if (!bar.IsValid())
        return;
    const int width = std::max(0, viewport.width);
    const int height = std::max(0, viewport.height);
    UseScaleBarFont(std::max(4, int(scaleTextSize * 0.5)));
    DrawScaleBarAt(bar.row, int(width - map.overlay.scaleBarX * 0.75),
                   int(height - map.overlay.scaleBarY * 0.5), bar.pixels, int(scaleTextSize * 0.5));
}

void ViewGsi::DrawNorthArrow(double scale, LocationMap& map)
{
    if (m_dc == nullptr || !map.overlay.showNorthArrow)
        return;
    const QPoint a = viewport.ToScreen(fe::geo::GeoPoint(map.box.x0, map.box.y1), 2, scale);
    const QPoint b = viewport.ToScreen(fe::geo::GeoPoint(map.box.x1, map.box.y0), 2, scale);
    const double left = std::min(a.x(), b.x());
    const double right = std::max(a.x(), b.x());
    const double height = std::abs(b.y() - a.y());
    double r = (right - left) / style.northRadiusDivisor / 2;
    if (2 * r > 0.8 * height)
        r = 0.3 * height;
    const QPoint centre(int(right + left - style.northMarginFactor * r), int(style.northMarginFactor * r));
    // A turned picture turns its north with it.
    const double angle = map.overlay.northArrowAngle + (rotated ? targetAngle : 0.0);
    DrawNorthSymbol(r, angle, centre);
}

void ViewGsi::DrawScaleBar(double scale, const LocationMap& map, int drawingZoom)
{
    if (m_dc == nullptr || !map.overlay.showScaleBar || !map.HasPlaneZone())
        return;
    const double metres = PlaneDistance(map.zone, map.box.x0, map.box.x1, map.box.y0);
    const ScaleBarChoice bar = ChooseScaleBar(QuarterWidth(map.box.x0, map.box.x1, map.tileZoom), metres);
    if (!bar.IsValid())
        return;
    const int pixels = fe::geo::TruncToInt(bar.pixels * std::pow(2.0, drawingZoom - map.tileZoom) * scale);
    const QPoint a = viewport.ToScreen(fe::geo::GeoPoint(map.box.x0, map.box.y1), 2, scale);
    const QPoint b = viewport.ToScreen(fe::geo::GeoPoint(map.box.x1, map.box.y0), 2, scale);
    const double left = std::min(a.x(), b.x());
    const double right = std::max(a.x(), b.x());
    const double top = std::min(a.y(), b.y());
    const double bottom = std::max(a.y(), b.y());
    double q = (right - left) / style.scaleTextDivisor / 2;
    if (2 * q >= 0.8 * (bottom - top))
        q /= 2;
    q = std::max(q, 4.0);
    UseScaleBarFont(int(q));
    DrawScaleBarAt(bar.row, int(right - 3 * q), int(bottom - 2 * q), pixels, int(q));
}

}  // namespace locmap
