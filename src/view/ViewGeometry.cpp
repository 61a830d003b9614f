#include "view/ViewGeometry.h"

#include <cmath>

#include "fe/geo/PhotoFit.h"
#include "model/LocationMap.h"

namespace locmap {

fe::geo::GeoPoint WebViewGeometry::PixelToLatLong(double x, double y) const
{
    const Point2 world = centre.ToWorldPixel(zoom);
    fe::geo::GeoPoint point;
    point.SetFromWorldPixel(x - client.width() / 2.0 + world.x, y - client.height() / 2.0 + world.y, zoom);
    return point;
}

Point2 WebViewGeometry::LatLongToPixel(const fe::geo::GeoPoint& point) const
{
    const Point2 world = centre.ToWorldPixel(zoom);
    const Point2 pixel = point.ToWorldPixel(zoom);
    return Point2(pixel.x - world.x + client.width() / 2.0, pixel.y - world.y + client.height() / 2.0);
}

bool WebViewGeometry::OverviewExtent(Rect2& box) const
{
    const int right = std::abs(client.width()) - 25;
    const int bottom = std::abs(client.height()) - 25;
    if (right < 10 || bottom < 10)
        return false;
    const fe::geo::GeoPoint northWest = PixelToLatLong(25, 25);
    const fe::geo::GeoPoint southEast = PixelToLatLong(right, bottom);
    box = Rect2(northWest.longitude, southEast.latitude, southEast.longitude, northWest.latitude);
    return true;
}

bool WebViewGeometry::VisiblePixelBox(double aspect, Rect2& pixels) const
{
    const double right = std::abs(client.width()) - 25;
    const double bottom = std::abs(client.height()) - 25;
    if (right < 10 || bottom < 10)
        return false;
    const double w = std::abs(right - 25);
    const double h = std::abs(bottom - 25);
    const double q = h == 0 ? 0.0 : w / h;
    pixels = Rect2(25, bottom, right, 25);  // {left, right, bottom, top}
    if (std::abs(aspect) > 0.001) {
        if (aspect > q) {
            const double middle = (bottom + 25) / 2.0, half = w / aspect / 2.0;
            pixels.y0 = middle + half;
            pixels.y1 = middle - half;
        } else {
            const double middle = (right + 25) / 2.0, half = h * aspect / 2.0;
            pixels.x0 = middle - half;
            pixels.x1 = middle + half;
        }
    }
    return true;
}

bool WebViewGeometry::VisibleLatLongBox(double aspect, Rect2& box) const
{
    Rect2 pixels;
    if (!VisiblePixelBox(aspect, pixels))
        return false;
    const fe::geo::GeoPoint northWest = PixelToLatLong(pixels.x0, pixels.y1);
    const fe::geo::GeoPoint southEast = PixelToLatLong(pixels.x1, pixels.y0);
    box = Rect2(northWest.longitude, southEast.latitude, southEast.longitude, northWest.latitude);
    return true;
}

fe::geo::GeoPoint CentreKeepingPointer(const fe::geo::GeoPoint& centre, int zoom, int newZoom, QSize client,
                                       QPoint pointer)
{
    const int halfWidth = client.width() / 2, halfHeight = client.height() / 2;
    const Point2 world = centre.ToWorldPixel(zoom);
    fe::geo::GeoPoint under = centre;
    under.SetFromWorldPixel(std::trunc(world.x) + pointer.x() - halfWidth,
                            pointer.y() + std::trunc(world.y) - halfHeight, zoom);
    // Where that point lands at the new zoom around the same centre, in whole client pixels.
    const Point2 newWorld = centre.ToWorldPixel(newZoom);
    const Point2 underWorld = under.ToWorldPixel(newZoom);
    const double qx = halfWidth + std::trunc(underWorld.x - newWorld.x);
    const double qy = halfHeight + std::trunc(underWorld.y - newWorld.y);
    fe::geo::GeoPoint moved = centre;
    moved.SetFromWorldPixel(qx - pointer.x() + newWorld.x, qy - pointer.y() + newWorld.y, newZoom);
    return moved;
}

int ZoomToShowBox(const Rect2& box, QSize client, fe::geo::GeoPoint& centre)
{
    int zoom = 1;
    if (fe::geo::FitZoomToBox(box, centre, zoom, client.width(), client.height()))
        return zoom;
    const fe::geo::GeoPoint mid = fe::geo::MercatorCentre(box);
    centre.longitude = mid.longitude;
    centre.latitude = mid.latitude;
    return 1;
}

bool FitTransformToView(const LocationMap& map, LocationMapTransform& transform, int width, int height)
{
    const Rect2& a = map.frame.rectA;
    if (!map.IsPictureMap() || a.x0 == a.x1 || a.y0 == a.y1 || width <= 0 || height <= 0)
        return false;
    transform.Reset(map.kind == LocationMap::kPicture ? LocationMapTransform::kNone : LocationMapTransform::kPlane);
    if (map.kind == LocationMap::kRegisteredPicture) {
        (void)map.MakeHelmertPair(transform.forward, transform.inverse);
        transform.value = map.NorthAngle();
    }
    const double cx = (a.x0 + a.x1) / 2, cy = (a.y0 + a.y1) / 2;
    const double hx = (a.x1 - a.x0) * 1.05 / 2, hy = (a.y1 - a.y0) * 1.05 / 2;
    transform.mapping.FitRect(Rect2(cx - hx, cy - hy, cx + hx, cy + hy), Rect2(0, 0, width, height));
    return true;
}

QString OverviewTitle(const QString& siteTitle, int baseMapKind)
{
    if (siteTitle.size() >= 2)
        return QStringLiteral("地図 : ") + siteTitle.left(2);
    switch (baseMapKind) {
        case 2:
            return QStringLiteral("地図 : 標準");
        case 3:
            return QStringLiteral("地図 : 淡色");
        case 4:
            return QStringLiteral("地図 : 写真");
        default:
            return QString();
    }
}

bool StepZoomByKey(int& zoom, int step)
{
    if (step > 0) {
        if (zoom > 19) {
            zoom = 20;
            return false;
        }
        ++zoom;
        return true;
    }
    if (step < 0 && zoom > 0) {
        --zoom;
        return true;
    }
    return false;
}

}  // namespace locmap
