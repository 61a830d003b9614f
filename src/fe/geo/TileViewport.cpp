#include "fe/geo/TileViewport.h"

#include <algorithm>
#include <limits>

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
    // Summed in 64 bits and clamped: a point far away (or without a position) lands far outside
    // the view rather than overflowing.
    const auto place = [](std::int64_t base, double offset) {
        const std::int64_t sum = base + TruncToInt(offset);
        return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
    };
    const Point2 pixel = point.ToWorldPixel(zoom);
    return QPoint(place(std::int64_t{k} * halfWidth, (pixel.x - centreX) * scale),
                  place(std::int64_t{k} * halfHeight, (pixel.y - centreY) * scale));
}

}  // namespace fe::geo
