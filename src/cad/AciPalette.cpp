#include "cad/AciPalette.h"

#include <array>
#include <cfloat>
#include <cmath>

namespace fe::cad {
namespace {

// Weights of red, green and blue of the full-saturation hue 15°·h, in quarters.
std::array<int, 3> HueQuarters(int h)
{
    // The six 60° sectors of the colour wheel; each step of 15° moves one channel a quarter.
    const int sector = h / 4;
    const int step = h % 4;
    const int rising = step;
    const int falling = 4 - step;
    switch (sector) {
        case 0:
            return {4, rising, 0};
        case 1:
            return {falling, 4, 0};
        case 2:
            return {0, 4, rising};
        case 3:
            return {0, falling, 4};
        case 4:
            return {rising, 0, 4};
        default:
            return {4, 0, falling};
    }
}

Rgb RuleColour(int index)
{
    const int h = (index - 10) / 10;
    const int v = (index - 10) % 10;
    static constexpr int kLevels[] = {255, 204, 152, 127, 76};
    const int level = kLevels[v / 2];
    const std::array<int, 3> quarters = HueQuarters(h);
    std::array<int, 3> channel{};
    for (int i = 0; i < 3; ++i) {
        const double weight = quarters[i] / 4.0;
        if (v % 2 == 0) {
            channel[i] = int(std::floor(level * weight));
        } else {
            const int half = level / 2;
            channel[i] = int(std::floor(half + (level - half) * weight));
        }
    }
    return MakeRgb(channel[0], channel[1], channel[2]);
}

Rgb PaletteColour(int index)
{
    switch (index) {
        case 0:
        case 7:
        case 256:
            return MakeRgb(0, 0, 0);
        case 1:
            return MakeRgb(255, 0, 0);
        case 2:
            return MakeRgb(255, 255, 0);
        case 3:
            return MakeRgb(0, 255, 0);
        case 4:
            return MakeRgb(0, 255, 255);
        case 5:
            return MakeRgb(0, 0, 255);
        case 6:
            return MakeRgb(255, 0, 255);
        case 8:
            return MakeRgb(128, 128, 128);
        case 9:
            return MakeRgb(192, 192, 192);
        // Four dark entries of this palette differ from the hue rule.
        case 208:
            return MakeRgb(66, 38, 76);
        case 218:
            return MakeRgb(76, 38, 76);
        case 228:
            return MakeRgb(76, 38, 66);
        case 236:
            return MakeRgb(127, 0, 61);
        case 250:
            return MakeRgb(51, 51, 51);
        case 251:
            return MakeRgb(91, 91, 91);
        case 252:
            return MakeRgb(132, 132, 132);
        case 253:
            return MakeRgb(173, 173, 173);
        case 254:
            return MakeRgb(214, 214, 214);
        default:
            break;
    }
    if (index >= 10 && index <= 249)
        return RuleColour(index);
    return MakeRgb(255, 255, 255);
}

}  // namespace

std::optional<Rgb> AciToRgb(int index)
{
    if (index < 0)
        return std::nullopt;
    return PaletteColour(index);
}

int NearestAci(int red, int green, int blue)
{
    int best = 1;
    double bestDistance = DBL_MAX;
    for (int i = 1; i <= 255; ++i) {
        const Rgb entry = PaletteColour(i);
        const double dr = red - RedOf(entry);
        const double dg = green - GreenOf(entry);
        const double db = blue - BlueOf(entry);
        const double distance = dg * dg + dr * dr + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace fe::cad
