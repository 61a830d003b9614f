#pragma once

#include <cstdint>

#include "fe/Point2.h"
#include "fe/Unset.h"

namespace fe::geo {

// The Web-Mercator limit latitude in degrees (the double 0x40554345B1A57F00) and in radians.
inline constexpr double kLimitLatitude = 85.05112878;
inline constexpr double kLimitLatitudeRad = 1.484422229748708;
inline constexpr double kPi = 3.141592653589793;
inline constexpr int kTileSize = 256;

// Half the world's size in pixels at the zoom: 2^(zoom + 7).
double HalfWorldPixels(int zoom);

// Truncates toward zero into a 32-bit integer; NaN gives 0 and values beyond the range are clamped,
// so an unset or absurd coordinate cannot make the conversion undefined.
std::int32_t TruncToInt(double value);

// A longitude/latitude point in degrees. The first field is always the limit latitude; the
// world-pixel formulas read it from the point.
struct GeoPoint
{
    double refLatitude = kLimitLatitude;
    double longitude = 0.0;
    double latitude = 0.0;

    GeoPoint() = default;
    GeoPoint(double lon, double lat) : longitude(lon), latitude(lat) {}

    // Both coordinates set (neither is the unset value).
    bool HasPosition() const;

    // The world pixel at the zoom: x grows east from longitude -180, y grows south from the limit
    // latitude.
    Point2 ToWorldPixel(int zoom) const;
    // The inverse of ToWorldPixel; only longitude and latitude change.
    void SetFromWorldPixel(double x, double y, int zoom);
};

}  // namespace fe::geo
