#include "fe/gdi/LogFont.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace fe::gdi {

QFont ToQFont(const LogFont& logFont)
{
    QFont font(logFont.faceName);
    // In 64 bits: the height and width may come from a damaged settings file.
    const std::int64_t height = std::abs(std::int64_t{logFont.height});
    const int pixels =
        height == 0 ? 12 : int(std::min<std::int64_t>(height, std::numeric_limits<int>::max()));
    font.setPixelSize(std::max(1, pixels));
    const int weight = logFont.weight <= 0 ? 400 : std::clamp(int(logFont.weight), 1, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    if (logFont.width != 0) {
        const int nominal = std::max(1, pixels / 2);
        font.setStretch(
            int(std::clamp<std::int64_t>(std::abs(std::int64_t{logFont.width}) * 100 / nominal, 1, 4000)));
    }
    if (logFont.quality == kNonAntialiasedQuality)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace fe::gdi
