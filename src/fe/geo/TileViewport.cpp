#include "fe/geo/TileViewport.h"

namespace fe::geo {

void TileViewport::Set(int z, const GeoPoint& c, int w, int h)
{
    zoom = z;
    centre = c;
    width = w;
    height = h;
    const Point2 pixel = centre.ToWorldPixel(zoom);
    centreX = pixel.x;
    centreY = pixel.y;
    halfWidth = width / 2;
    halfHeight = height / 2;
}

QPoint TileViewport::TileOrigin(const TileIndex& tile) const
{
    const std::int64_t x = std::int64_t{tile.x} * kTileSize + halfWidth - TruncToInt(centreX);
    const std::int64_t y = std::int64_t{tile.y} * kTileSize + halfHeight - TruncToInt(centreY);
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

QPoint TileViewport::ToScreen(const GeoPoint& point, int k, double scale) const
{
    const Point2 pixel = point.ToWorldPixel(zoom);
    return QPoint(k * halfWidth + TruncToInt((pixel.x - centreX) * scale),
                  k * halfHeight + TruncToInt((pixel.y - centreY) * scale));
}

}  // namespace fe::geo
