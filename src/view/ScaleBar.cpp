#include "view/ScaleBar.h"

#include <cmath>
#include <limits>

namespace locmap {

const ScaleBarRow kScaleBarSteps[kScaleBarRowCount] = {
    {10, 5, 2},     {20, 4, 5},      {30, 3, 10},      {40, 4, 10},       {50, 5, 10},       {60, 3, 20},
    {80, 4, 20},    {100, 5, 20},    {120, 3, 40},     {150, 3, 50},      {200, 4, 50},      {300, 3, 100},
    {400, 4, 100},  {500, 5, 100},   {600, 3, 200},    {800, 4, 200},     {1000, 5, 200},    {1500, 3, 500},
    {2000, 4, 500}, {5000, 5, 1000}, {10000, 5, 2000}, {30000, 3, 10000}, {90000, 3, 30000},
};

ScaleBarChoice ChooseScaleBar(int quarterPixels, double metres)
{
    ScaleBarChoice choice;
    if (!(metres > 0) || !std::isfinite(metres))
        return choice;
    const double perMetre = quarterPixels / (metres / 4);
    const auto pixelsOf = [perMetre](int length) {
        const double pixels = length * perMetre;
        return pixels >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                 : int(pixels);
    };
    for (int row = 0; row < kScaleBarRowCount; ++row) {
        const int pixels = pixelsOf(kScaleBarSteps[row].length);
        if (pixels >= quarterPixels) {
            choice.row = row;
            choice.pixels = pixels;
            return choice;
        }
    }
    choice.row = kScaleBarRowCount - 1;
    choice.pixels = pixelsOf(kScaleBarSteps[choice.row].length);
    return choice;
}

std::vector<int> ShownScaleLabels(const std::vector<int>& widths, int cellPixels, int gap)
{
    std::vector<int> shown;
    const int count = static_cast<int>(widths.size());
    if (count == 0)
        return shown;
    // Twice the positions and widths, so that halves of odd widths stay whole numbers.
    const auto apart = [&](int left, int right) {
        const long long space = 2LL * (right - left) * cellPixels - widths[size_t(left)] - widths[size_t(right)];
        return space >= 2LL * gap;
    };
    shown.push_back(0);
    for (int i = 1; i < count - 1; ++i)
        if (apart(shown.back(), i))
            shown.push_back(i);
    if (count > 1) {
        while (shown.size() > 1 && !apart(shown.back(), count - 1))
            shown.pop_back();
        shown.push_back(count - 1);
    }
    return shown;
}

}  // namespace locmap
