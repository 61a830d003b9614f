#include "fe/gdi/Resource.h"

#include <algorithm>
#include <limits>

#include "fe/gdi/Color.h"
#include "fe/gdi/Draw.h"
#include "fe/gdi/Pen.h"

namespace fe::gdi {
namespace {

float ChannelToFloat(std::uint32_t channel)
{
    return std::clamp(float(channel) / 256.0f + 1.0f / 512.0f, 0.0f, 1.0f);
}

std::uint32_t FloatToChannel(float value)
{
    const double scaled = double(value) * 256.0 - 0.5;
    if (scaled <= 0.0)
        return 0;
    return std::min<std::uint32_t>(std::uint32_t(scaled), 255);
}

// The integer part of a font size times the DPI scale, kept within the 32-bit range.
std::int32_t ScaledFontSize(std::int32_t size, double scale)
{
    const double scaled = std::clamp(size * scale, double(std::numeric_limits<std::int32_t>::min()),
                                     double(std::numeric_limits<std::int32_t>::max()));
    return std::int32_t(scaled);
}

}  // namespace

ColorEntry::ColorEntry(std::uint32_t colorRef, std::int32_t width)
    : red(ChannelToFloat(colorRef & 0xFF)),
      green(ChannelToFloat((colorRef >> 8) & 0xFF)),
      blue(ChannelToFloat((colorRef >> 16) & 0xFF)),
      penWidth(width)
{
}

std::uint32_t ColorEntry::ToColorRef() const
{
    return FloatToChannel(red) | (FloatToChannel(green) << 8) | (FloatToChannel(blue) << 16);
}

QColor ColorEntry::ToQColor() const
{
    return ColorRefToQColor(ToColorRef());
}

LogFont& LogFontAry::Add(const QString& faceName, std::int32_t height, std::int32_t escapement)
{
    LogFont font;
    font.height = height;
    font.escapement = escapement;
    font.weight = 400;
    font.charSet = kShiftJisCharSet;
    font.quality = 2;  // proof
    font.pitchAndFamily = 0x31;
    font.faceName = faceName.left(kMaxFaceName);
    push_back(font);
    return back();
}

int Resource::Realize(const DpiInfo& dpi)
{
    m_pens.clear();
    m_brushes.clear();
    for (const ColorEntry& entry : m_colors) {
        const QColor color = entry.ToQColor();
        m_pens.push_back(MakePen(entry.penStyle, entry.penWidth, color));
        m_brushes.push_back(MakeSolidBrush(color));
    }
    m_fonts.clear();
    for (const LogFont& logFont : m_logFonts) {
        LogFont scaled = logFont;
        scaled.height = ScaledFontSize(logFont.height, dpi.scaleY);
        scaled.width = ScaledFontSize(logFont.width, dpi.scaleX);
        m_fonts.push_back(ToQFont(scaled));
    }
    return int(m_logFonts.size());
}

}  // namespace fe::gdi
