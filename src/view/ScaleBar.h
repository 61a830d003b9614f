#pragma once

#include <vector>

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

// Which labels of a bar are written, so that no two touch: label i (of widths.size(), each given in
// pixels) is centred i × cellPixels from the bar's left end. From the left, a label is written when at
// least `gap` pixels lie between it and the last one written; the first label (0) and the last (the
// bar's length) are always written, and the one before the last gives way when the two would be closer.
// Returns the indices written, in order.
std::vector<int> ShownScaleLabels(const std::vector<int>& widths, int cellPixels, int gap);

}  // namespace locmap
