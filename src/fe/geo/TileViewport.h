#pragma once

#include <QPoint>

#include "fe/geo/GeoPoint.h"
#include "fe/geo/TileIndex.h"

namespace fe::geo {

// The view geometry of the last tile drawing: zoom, centre, size in pixels, the centre's world
// pixel and the integer halves of the size.
struct TileViewport
{
    int zoom = 0;
    GeoPoint centre;
    int width = 0;
    int height = 0;
    double centreX = 0.0;
    double centreY = 0.0;
    int halfWidth = 0;
    int halfHeight = 0;

    void Set(int z, const GeoPoint& c, int w, int h);

    // The screen position of the tile's top-left corner; the index is used as given (not wrapped).
    QPoint TileOrigin(const TileIndex& tile) const;

    // k * half size + the point's offset from the centre in world pixels times scale, truncated;
    // clamped to the int range, so a point far away (or unset) lies far outside the view.
    QPoint ToScreen(const GeoPoint& point, int k, double scale) const;
};

}  // namespace fe::geo
