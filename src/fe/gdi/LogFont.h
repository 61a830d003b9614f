#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

namespace fe::gdi {

// A logical font as the drawers and the stored mark settings describe it. Heights are in pixels:
// a negative height is the character height (without internal leading), a positive height the cell
// height; both become the font's pixel size (see ToQFont). Escapement is in tenths of a degree,
// counter-clockwise; it is not part of QFont and is applied when text is drawn (DrawTextAt).
struct LogFont
{
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    QString faceName;  // at most kMaxFaceName characters
};

inline constexpr int kMaxFaceName = 31;
inline constexpr std::uint8_t kShiftJisCharSet = 128;
inline constexpr std::uint8_t kNonAntialiasedQuality = 3;

// The QFont for a logical font. Rule for heights, used everywhere: |height| is the pixel size (0 gives
// 12 pixels). A non-zero width stretches the glyphs against a nominal width of half the height. The
// pitch is never forced fixed: the substituted IPA faces carry their own pitch.
QFont ToQFont(const LogFont& logFont);

}  // namespace fe::gdi
