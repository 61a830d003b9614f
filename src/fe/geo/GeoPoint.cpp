#include "fe/geo/GeoPoint.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fe::geo {

double HalfWorldPixels(int zoom)
{
    // The exponent is summed in 64 bits: any zoom gives a number (0 or infinity far out) and the
    // sum never overflows.
    const long long exponent = std::clamp(static_cast<long long>(zoom) + 7, -4096LL, 4096LL);
    return std::ldexp(1.0, static_cast<int>(exponent));
}

std::int32_t TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

bool GeoPoint::HasPosition() const
{
    return longitude != kUnset && latitude != kUnset;
}

Point2 GeoPoint::ToWorldPixel(int zoom) const
{
    const double half = HalfWorldPixels(zoom);
    const double x = (longitude / 180.0 + 1.0) * half;
    const double y =
        (std::atanh(std::sin(refLatitude * kPi / 180.0)) - std::atanh(std::sin(latitude * kPi / 180.0))) *
        half / kPi;
    return Point2(x, y);
}

void GeoPoint::SetFromWorldPixel(double x, double y, int zoom)
{
    const double half = HalfWorldPixels(zoom);
    longitude = (x / half - 1.0) * 180.0;
    latitude =
        std::asin(std::tanh(std::atanh(std::sin(refLatitude * kPi / 180.0)) - kPi / half * y)) * 180.0 / kPi;
}

}  // namespace fe::geo
