#pragma once

#include <cstdint>
#include <functional>

namespace fe::geo {

struct GeoPoint;

// The address of one 256-pixel tile: zoom, column (west to east) and row (north to south).
struct TileIndex
{
    std::int32_t zoom = 5;
    std::int32_t x = 25;
    std::int32_t y = 10;

    TileIndex() = default;
    TileIndex(std::int32_t z, std::int32_t column, std::int32_t row) : zoom(z), x(column), y(row) {}

    // The tile holding the point at this index's own zoom (columns and rows truncated toward zero).
    void SetFromGeoPoint(const GeoPoint& point);

    // The key form used by every cache and the download queue: the zoom capped at 18 (a zoom that is
    // negative also becomes 18), column and row wrapped into 0 ... 2^zoom - 1.
    TileIndex Normalized() const;

    // 32-bit FNV-1 over the 12 little-endian bytes of zoom, x and y. Used to spread keys; identity is
    // always decided by comparing the whole key.
    std::uint32_t Hash() const;

    bool operator==(const TileIndex&) const = default;
};

inline constexpr int kMaxKeyZoom = 18;

// The tile column of a longitude and the tile row of a latitude, not truncated, for a world of
// `tiles` tiles across (2^zoom). The row formula does not use the reference latitude.
double TileColumnOf(double longitude, double tiles);
double TileRowOf(double latitude, double tiles);

struct TileIndexHasher
{
    std::size_t operator()(const TileIndex& key) const { return key.Hash(); }
};

// The tiles a view touches: first and last column, first and last row, all inclusive.
struct TileRange
{
    std::int32_t x0 = 0;
    std::int32_t x1 = 0;
    std::int32_t y0 = 0;
    std::int32_t y1 = 0;

    bool operator==(const TileRange&) const = default;
};

// The tiles a view of width x height pixels centred on the point touches at the zoom. The right and
// bottom edges are taken one pixel beyond the view, and a negative pixel edge maps one tile further
// west or north (-256 gives tile -2), so the range may hold one tile more than strictly needed.
TileRange TileRangeAround(int zoom, const GeoPoint& centre, int width, int height);

}  // namespace fe::geo
