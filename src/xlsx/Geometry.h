#pragma once

#include <cstdint>
#include <vector>

#include "xlsx/Sheet.h"

namespace xlsx {

// Sheet measures as a spreadsheet program lays them out at 96 dots per inch, with a maximum digit
// width of 8 pixels (the default 11-point Japanese font):
// - a column of stored width w characters is round(8·w) pixels; the default column is
//   baseColWidth·8 + 5 pixels rounded up to a multiple of 8 (72 pixels);
// - a row is its height in points (the sheet's default height when none is set).
constexpr int kDigitWidth = 8;
constexpr std::int64_t kEmuPerPixel = 9525;
constexpr std::int64_t kEmuPerPoint = 12700;
constexpr std::int64_t kEmuPerMm = 36000;

// The stored width for a width as the user sees it in characters: trunc((w·8 + 5) / 8 · 256) / 256.
double StoredColumnWidth(double characters);
int ColumnPixels(const Sheet& sheet, int column);
double RowPoints(const Sheet& sheet, int row);

// The anchor of an object whose top-left corner lies x, y EMU right of and below the top-left corner
// of the cell (row, column), 1-based. Offsets walk through the real widths and heights; negative
// offsets walk back and stop at A1.
Anchor AnchorAt(const Sheet& sheet, int row, int column, std::int64_t x, std::int64_t y, std::int64_t cx,
                std::int64_t cy);

// The print area of the sheet (its Print_Area name, else the used cells), 1-based.
CellRange PrintRange(const Sheet& sheet);

// The largest whole percent, at most maxScale, at which the print area's width and each run of rows
// between page breaks fit the printable part of the paper. breaks: rows after which a page ends.
// Widths are measured with a fifth of room for viewers that substitute a wider face.
int FitScale(const Sheet& sheet, int maxScale, const std::vector<int>& breaks);

}  // namespace xlsx
