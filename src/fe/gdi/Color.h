#pragma once

#include <QColor>
#include <cstdint>

namespace fe::gdi {

// Colours given as 0x00BBGGRR words (red in the low byte). The top byte is ignored, so the pen
// colour 0xFFFFFFFF that some settings use comes out white.
QColor ColorRefToQColor(std::uint32_t colorRef);
std::uint32_t QColorToColorRef(const QColor& color);

// A 0x00BBGGRR word from its three channels.
constexpr std::uint32_t MakeColorRef(int red, int green, int blue)
{
    return std::uint32_t(red & 0xFF) | (std::uint32_t(green & 0xFF) << 8) |
           (std::uint32_t(blue & 0xFF) << 16);
}

}  // namespace fe::gdi
