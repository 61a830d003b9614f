#include "fe/gdi/LogFont.h"

#include <algorithm>
#include <cstdlib>

namespace fe::gdi {

QFont ToQFont(const LogFont& logFont)
{
    QFont font(logFont.faceName);
    const int pixels = logFont.height == 0 ? 12 : std::abs(logFont.height);
    font.setPixelSize(std::max(1, pixels));
    const int weight = logFont.weight <= 0 ? 400 : std::clamp(int(logFont.weight), 1, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    if (logFont.width != 0) {
        const int nominal = std::max(1, pixels / 2);
        font.setStretch(std::clamp(std::abs(logFont.width) * 100 / nominal, 1, 4000));
    }
    if (logFont.quality == kNonAntialiasedQuality)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace fe::gdi
