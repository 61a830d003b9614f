#include "fe/geo/TileIndex.h"

#include <cmath>

#include "fe/geo/GeoPoint.h"

namespace fe::geo {

namespace {

// The tile column or row holding a pixel edge: one further west or north for every negative
// value, so -1 gives -1 and -256 gives -2.
std::int32_t TileOfPixel(std::int64_t pixel)
{
    const std::int64_t tile = pixel / 256;
    return static_cast<std::int32_t>(pixel < 0 ? tile - 1 : tile);
}

std::int32_t Wrap(std::int32_t value, std::int64_t count)
{
    std::int64_t wrapped = value % count;
    if (wrapped < 0)
        wrapped += count;
    return static_cast<std::int32_t>(wrapped);
}

}  // namespace

double TileColumnOf(double longitude, double tiles)
{
    return (longitude / 180.0 + 1.0) * tiles * 0.5;
}

double TileRowOf(double latitude, double tiles)
{
    return (kPi - std::log(std::tan((latitude * 0.5 + 45.0) * kPi / 180.0))) * tiles / (2.0 * kPi);
}

void TileIndex::SetFromGeoPoint(const GeoPoint& point)
{
    const double tiles = std::ldexp(1.0, zoom);
    x = TruncToInt(TileColumnOf(point.longitude, tiles));
    y = TruncToInt(TileRowOf(point.latitude, tiles));
}

TileIndex TileIndex::Normalized() const
{
    TileIndex key;
    key.zoom = static_cast<std::uint32_t>(zoom) > kMaxKeyZoom ? kMaxKeyZoom : zoom;
    const std::int64_t count = std::int64_t{1} << key.zoom;
    key.x = Wrap(x, count);
    key.y = Wrap(y, count);
    return key;
}

std::uint32_t TileIndex::Hash() const
{
    std::uint32_t hash = 2166136261u;
    for (const std::int32_t field : {zoom, x, y}) {
        const auto bits = static_cast<std::uint32_t>(field);
        for (int byte = 0; byte < 4; ++byte) {
            hash *= 16777619u;
            hash ^= (bits >> (8 * byte)) & 0xFFu;
        }
    }
    return hash;
}

TileRange TileRangeAround(int zoom, const GeoPoint& centre, int width, int height)
{
    const Point2 pixel = centre.ToWorldPixel(zoom);
    const std::int64_t left = std::int64_t{TruncToInt(pixel.x)} - width / 2;
    const std::int64_t top = std::int64_t{TruncToInt(pixel.y)} - height / 2;
    TileRange range;
    range.x0 = TileOfPixel(left);
    range.x1 = TileOfPixel(left + width);
    range.y0 = TileOfPixel(top);
    range.y1 = TileOfPixel(top + height);
    return range;
}

}  // namespace fe::geo
