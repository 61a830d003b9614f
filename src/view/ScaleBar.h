#pragma once

namespace locmap {

// One row of the scale-bar table: the bar's length in metres, its segment count and the label step.
struct ScaleBarRow
{
    int length;
    int segments;
    int step;
};

inline constexpr int kScaleBarRowCount = 23;
extern const ScaleBarRow kScaleBarSteps[kScaleBarRowCount];

// The bar for a reference width: with g a quarter of the width in pixels and metres the metres the whole
// width covers, the first row whose length in pixels (trunc(length × 4g / metres)) reaches g, else the last
// row at its own length. Invalid (row −1) when the metres are not a positive finite number, so that a
// degenerate registration or a zero-width box draws no bar instead of dividing by zero.
struct ScaleBarChoice
{
    int row = -1;
    int pixels = 0;

    bool IsValid() const { return row >= 0; }
};
ScaleBarChoice ChooseScaleBar(int quarterPixels, double metres);

}  // namespace locmap
