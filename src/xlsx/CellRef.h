#pragma once

#include <string>
#include <string_view>

namespace xlsx {

constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

// A rectangle of cells, 1-based and inclusive. A whole row has c0 = 1, c1 = kMaxColumn and wholeRow set.
struct CellRange
{
    int r0 = 0, c0 = 0, r1 = 0, c1 = 0;
    bool wholeRow = false;
    bool Contains(int r, int c) const { return r >= r0 && r <= r1 && c >= c0 && c <= c1; }
    bool operator==(const CellRange&) const = default;
};

// "A" for 1, "Z" for 26, "AA" for 27.
std::string ColumnName(int column);
// "B3" for (3, 2).
std::string CellName(int row, int column);
// "$B$3".
std::string AbsoluteCellName(int row, int column);
// "A1:C4", or "A1" for a single cell.
std::string RangeName(const CellRange& range);

// Reads "B3", "$B$3", "A1:K1" (corners in either order) or a bare row number "96". Letters may be
// of either case. False for anything else, or outside the sheet's bounds.
bool ParseReference(std::string_view text, CellRange& range);

}  // namespace xlsx
