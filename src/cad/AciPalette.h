#pragma once

#include <cstdint>
#include <optional>

#include "fe/gdi/Color.h"

namespace fe::cad {

// A colour packed as 0x00BBGGRR: red in the lowest byte, blue in the third.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue)
{
    return fe::gdi::MakeColorRef(red, green, blue);
}
constexpr int RedOf(Rgb rgb)
{
    return int(rgb & 0xFF);
}
constexpr int GreenOf(Rgb rgb)
{
    return int((rgb >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb rgb)
{
    return int((rgb >> 16) & 0xFF);
}

// The colour of a colour index as this program draws it: 0, 7 and 256 (BYBLOCK, white-on-black
// and BYLAYER) give black, as on paper; every index above 254 other than 256 gives white.
// A negative index means "no colour" and gives nothing.
std::optional<Rgb> AciToRgb(int index);

// The first index of 1..255 whose palette colour lies nearest to the given colour.
int NearestAci(int red, int green, int blue);

}  // namespace fe::cad
