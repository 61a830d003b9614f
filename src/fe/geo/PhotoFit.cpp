#include "fe/geo/PhotoFit.h"

#include <algorithm>
#include <cmath>

#include "fe/geo/TileIndex.h"

namespace fe::geo {

GeoPoint MercatorCentre(const Rect2& box)
{
    const double tiles = 1024.0;    // zoom 10
    const double world = 131072.0;  // 2^17, half the world's pixels at zoom 10
    GeoPoint centre;
    centre.longitude =
        ((TileColumnOf(box.x1, tiles) + TileColumnOf(box.x0, tiles)) * 0.5 * 256.0 / world - 1.0) * 180.0;
    const double y = (TileRowOf(box.y1, tiles) + TileRowOf(box.y0, tiles)) * 0.5 * 256.0;
    centre.latitude =
        std::asin(std::tanh(std::atanh(std::sin(kLimitLatitudeRad)) - y * kPi / world)) * 180.0 / kPi;
    return centre;
}

Point2 MercatorPixelSize(const Rect2& box, int zoom)
{
    const double tiles = std::ldexp(1.0, zoom);
    return Point2(std::fabs(TileColumnOf(box.x1, tiles) - TileColumnOf(box.x0, tiles)) * 256.0,
                  std::fabs(TileRowOf(box.y0, tiles) - TileRowOf(box.y1, tiles)) * 256.0);
}

bool AnyPhotoHasPosition(const PhotoPositions& photos)
{
    return std::any_of(photos.begin(), photos.end(), [](const GeoPoint& p) { return p.HasPosition(); });
}

Rect2 PhotoPositionBounds(const PhotoPositions& photos, unsigned first, unsigned last)
{
    Rect2 box;
    box.Unset();
    if (photos.empty())
        return box;
    last = std::min<unsigned>(last, static_cast<unsigned>(photos.size() - 1));
    bool any = false;
    for (unsigned i = first; i <= last && i >= first; ++i) {
        const GeoPoint& p = photos[i];
        if (!p.HasPosition())
            continue;
        if (!any) {
            box = Rect2(p.longitude, p.latitude, p.longitude, p.latitude);
            any = true;
            continue;
        }
        box.x0 = std::min(box.x0, p.longitude);
        box.x1 = std::max(box.x1, p.longitude);
        box.y0 = std::min(box.y0, p.latitude);
        box.y1 = std::max(box.y1, p.latitude);
    }
    return box;
}

bool FitZoomToBox(const Rect2& box, GeoPoint& centre, int& zoom, int viewWidth, int viewHeight)
{
    if (box.x0 == kUnset || box.x1 == kUnset || box.y0 == kUnset || box.y1 == kUnset)
        return false;
    const GeoPoint mid = MercatorCentre(box);
    const GeoPoint at(mid.longitude, mid.latitude);
    for (int z = 18; z >= 2; --z) {
        const TileRange view = TileRangeAround(z, at, viewWidth, viewHeight);
        TileIndex westNorth(z, 0, 0);
        TileIndex eastSouth(z, 0, 0);
        westNorth.SetFromGeoPoint(GeoPoint(box.x0, box.y1));
        eastSouth.SetFromGeoPoint(GeoPoint(box.x1, box.y0));
        const auto [c0, c1] = std::minmax(westNorth.x, eastSouth.x);
        const auto [r0, r1] = std::minmax(westNorth.y, eastSouth.y);
        if (c0 >= view.x0 && c1 <= view.x1 && r0 >= view.y0 && r1 <= view.y1) {
            centre.longitude = mid.longitude;
            centre.latitude = mid.latitude;
            zoom = z > 2 ? z - 1 : 2;
            return true;
        }
    }
    return false;
}

bool FitZoomToPhotos(const PhotoPositions& photos, GeoPoint& centre, int& zoom, int viewWidth, int viewHeight,
                     unsigned first, unsigned last)
{
    if (!AnyPhotoHasPosition(photos))
        return false;
    const Rect2 box = PhotoPositionBounds(photos, first, last);
    if (box.x0 == kUnset || box.x1 == kUnset || box.y0 == kUnset || box.y1 == kUnset)
        return false;
    if (FitZoomToBox(box, centre, zoom, viewWidth, viewHeight))
        return true;
    // Nothing fits: the centre still moves to the photos, and the zoom says so.
    const GeoPoint mid = MercatorCentre(box);
    centre.longitude = mid.longitude;
    centre.latitude = mid.latitude;
    zoom = 1;
    return false;
}

}  // namespace fe::geo
