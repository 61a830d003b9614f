#pragma once

#include <cmath>

#include "fe/RealNumbers.h"
#include "fe/Unset.h"

namespace fe::cad {

// A mark size that draws something: finite, normal and not zero.
inline bool IsDrawableUnit(double unit)
{
    return ::IsNormalNumber(unit) && unit != 0.0;
}

// A coordinate or direction that holds a usable value: neither unset nor NaN nor infinite.
inline bool IsSetValue(double value)
{
    return !IsUnset(value) && std::isfinite(value);
}

}  // namespace fe::cad
