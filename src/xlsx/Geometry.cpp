#include "xlsx/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace xlsx {
namespace {

struct PaperMm
{
    int code;
    double width, height;
};

// Paper sizes by their page-setup code, portrait, in millimetres.
constexpr PaperMm kPapers[] = {{1, 215.9, 279.4}, {5, 215.9, 355.6}, {8, 297, 420}, {9, 210, 297},
                               {11, 148, 210},    {12, 257, 364},    {13, 182, 257}};

double PixelsToMm(double px)
{
    return px / 96.0 * 25.4;
}

// A viewer that lacks the workbook's Japanese face measures column widths with a substitute whose
// digits are up to a fifth wider; the fitted scale leaves that room so that no page is split across
// two sheets of paper there.
constexpr double kFitWidthRoom = 1.2;

}  // namespace

double StoredColumnWidth(double characters)
{
    if (characters <= 0)
        return 0;
    return std::trunc((characters * kDigitWidth + 5) / kDigitWidth * 256) / 256;
}

int ColumnPixels(const Sheet& sheet, int column)
{
    const auto it = sheet.cols.find(column);
    if (it != sheet.cols.end() && it->second.hidden)
        return 0;
    if (it != sheet.cols.end() && it->second.width > 0)
        return static_cast<int>(std::lround(it->second.width * kDigitWidth));
    if (sheet.defaultColWidth > 0)
        return static_cast<int>(std::lround(sheet.defaultColWidth * kDigitWidth));
    const int raw = sheet.baseColWidth * kDigitWidth + 5;
    return (raw + 7) / 8 * 8;
}

double RowPoints(const Sheet& sheet, int row)
{
    const auto it = sheet.rows.find(row);
    if (it != sheet.rows.end()) {
        if (it->second.hidden)
            return 0;
        if (it->second.height > 0)
            return it->second.height;
    }
    return sheet.defaultRowHeight > 0 ? sheet.defaultRowHeight : 15;
}

Anchor AnchorAt(const Sheet& sheet, int row, int column, std::int64_t x, std::int64_t y, std::int64_t cx,
                std::int64_t cy)
{
    const auto colEmu = [&](int c) { return ColumnPixels(sheet, c) * kEmuPerPixel; };
    const auto rowEmu = [&](int r) {
        return static_cast<std::int64_t>(std::llround(RowPoints(sheet, r) * kEmuPerPoint));
    };
    const auto walk = [](int& index, std::int64_t& offset, int limit, const auto& size) {
        while (offset < 0) {
            if (index == 1) {
                offset = 0;
                break;
            }
            --index;
            offset += size(index);
        }
        while (index < limit) {
            const std::int64_t s = size(index);
            if (offset < s || s < 0)
                break;
            offset -= s;
            ++index;
        }
    };
    walk(column, x, kMaxColumn, colEmu);
    walk(row, y, kMaxRow, rowEmu);
    return Anchor{column - 1, row - 1, x, y, std::max<std::int64_t>(cx, 0), std::max<std::int64_t>(cy, 0)};
}

CellRange PrintRange(const Sheet& sheet)
{
    for (const LocalName& name : sheet.names) {
        CellRange range;
        if (name.name == "_xlnm.Print_Area" && !name.ranges.empty()) {
            std::string text = name.ranges.front();
            text.erase(std::remove(text.begin(), text.end(), '$'), text.end());
            if (ParseReference(text, range) && !range.wholeRow)
                return range;
        }
    }
    CellRange used{1, 1, 1, 1, false};
    for (const auto& [key, cell] : sheet.cells) {
        used.r1 = std::max(used.r1, key.first);
        used.c1 = std::max(used.c1, key.second);
    }
    for (const CellRange& m : sheet.merges) {
        used.r1 = std::max(used.r1, m.r1);
        used.c1 = std::max(used.c1, m.c1);
    }
    if (!sheet.rows.empty())
        used.r1 = std::max(used.r1, sheet.rows.rbegin()->first);
    for (const DrawingObject& d : sheet.drawings) {
        used.r1 = std::max(used.r1, d.anchor.row + 1);
        used.c1 = std::max(used.c1, d.anchor.col + 1);
    }
    return used;
}

int FitScale(const Sheet& sheet, int maxScale, const std::vector<int>& breaks)
{
    const auto get = [&](const char* key, int fallback) {
        const auto it = sheet.pageSetup.find(key);
        return it == sheet.pageSetup.end() ? fallback : std::atoi(it->second.c_str());
    };
    const int code = get("paperSize", 9);
    PaperMm paper = kPapers[3];
    for (const PaperMm& p : kPapers) {
        if (p.code == code)
            paper = p;
    }
    const auto orientation = sheet.pageSetup.find("orientation");
    if (orientation != sheet.pageSetup.end() && orientation->second == "landscape")
        std::swap(paper.width, paper.height);
    const double printWidth = paper.width - (sheet.margins[0] + sheet.margins[1]) * 25.4;
    const double printHeight = paper.height - (sheet.margins[2] + sheet.margins[3]) * 25.4;

    const CellRange area = PrintRange(sheet);
    double widthPx = 0;
    for (int c = area.c0; c <= area.c1; ++c)
        widthPx += ColumnPixels(sheet, c);
    double scale = maxScale;
    if (widthPx > 0)
        scale = std::min(scale, 100 * printWidth / PixelsToMm(widthPx * kFitWidthRoom));
    double segment = 0;
    auto nextBreak = std::lower_bound(breaks.begin(), breaks.end(), area.r0);
    for (int r = area.r0; r <= area.r1; ++r) {
        segment += RowPoints(sheet, r) / 72.0 * 25.4;
        if (r == area.r1 || (nextBreak != breaks.end() && *nextBreak == r)) {
            if (segment > 0)
                scale = std::min(scale, 100 * printHeight / segment);
            segment = 0;
            if (nextBreak != breaks.end() && *nextBreak == r)
                ++nextBreak;
        }
    }
    // Clamped while still a double: margins wider than the paper give a negative scale, and a sheet
    // without height none at all.
    const double fitted = std::floor(scale + 1e-9);
    return fitted >= 10 ? static_cast<int>(std::min(fitted, 400.0)) : 10;
}

}  // namespace xlsx
