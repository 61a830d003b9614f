#pragma once

#include <limits>

// A coordinate, a direction or a box edge equal to this value means "not set": the largest finite
// double, 1.7976931348623157e308. Records start their optional values with it.
inline constexpr double kUnset = std::numeric_limits<double>::max();

inline constexpr bool IsUnset(double value)
{
    return value == kUnset;
}
