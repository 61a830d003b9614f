#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "xlsx/CellRef.h"

namespace pugi {
class xml_document;
}

namespace xlsx {

enum class CellType
{
    Empty,
    Number,
    Shared,
    Text,
    Bool,
    Error,
    FormulaText
};

struct Cell
{
    CellType type = CellType::Empty;
    std::string value;    // number text, text, or the raw value of booleans and errors
    int shared = -1;      // index into the book's string table for CellType::Shared
    std::string formula;  // kept as it stands in the template
    int style = 0;
    bool written = false;  // the program put a value here: never cleared as a leftover placeholder
};

struct RowProps
{
    double height = 0;  // points; 0 = default height
    bool customHeight = false;
    bool hidden = false;
    int style = -1;
};

struct ColProps
{
    double width = 0;  // stored width in characters; 0 = default width
    bool customWidth = false;
    bool hidden = false;
    int style = -1;
    bool operator==(const ColProps&) const = default;
};

// A defined name local to one sheet, such as the print area; ranges are kept without the sheet name
// so that they follow the sheet when it is renamed.
struct LocalName
{
    std::string name;
    std::vector<std::string> ranges;
};

// Position and size of a drawing object: the cell of its top-left corner (zero-based), the offset
// inside that cell and the extent, all in EMU.
struct Anchor
{
    int col = 0, row = 0;
    std::int64_t colOff = 0, rowOff = 0;
    std::int64_t cx = 0, cy = 0;
};

// Properties of the next text box; reset to these defaults after each one.
struct DrawingProps
{
    std::uint32_t lineColor = 0x000000;  // 0x00BBGGRR
    double lineWeight = 0.75;            // points
    int lineStyle = 1;                   // 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot
    int arrowStart = 0, arrowEnd = 0;    // 0 none, 1 arrow
    std::int64_t fillColor = 0xFFFFFF;   // 0x00BBGGRR, negative = no fill
    std::string fontName;                // empty = the workbook's default font
    double fontPoint = 11;
    std::uint32_t fontColor = 0x000000;
    int fontStyle = 0;  // bit 1 bold, bit 2 italic
    int fontUnderline = 0;
    int horizontal = 0;  // 0 left, 1 right, 2 centre
    int vertical = 0;    // 0 top, 1 middle, 2 bottom
    bool verticalText = false;
    double textMargin = -1;  // millimetres between the box's edges and its text; negative: the reader's own
};

struct DrawingObject
{
    Anchor anchor;
    int media = -1;    // picture: index into the book's media list
    std::string text;  // text box when media < 0
    DrawingProps props;
};

// A run of rows laid out as one printed page.
struct PageBlock
{
    int start = 1;  // first row
    int height = 0;
    int touched = 0;  // highest block-relative row selected while open
    bool breakAfter = true;
};

struct Sheet
{
    std::string name;
    std::map<std::pair<int, int>, Cell> cells;  // (row, column), 1-based; iterates row by row
    std::map<int, RowProps> rows;
    std::map<int, ColProps> cols;
    std::vector<CellRange> merges;
    std::set<int> rowBreaks;  // row after which a page ends
    std::vector<LocalName> names;
    std::vector<DrawingObject> drawings;
    std::vector<PageBlock> blocks;
    bool blockOpen = false;

    // Page setup.
    double defaultRowHeight = 15;  // points
    double defaultColWidth = 0;    // characters; 0 = from baseColWidth
    int baseColWidth = 8;
    bool hasMargins = false;
    double margins[6] = {0.7, 0.7, 0.75, 0.75, 0.3, 0.3};  // inches: left right top bottom header footer
    std::map<std::string, std::string> pageSetup;          // attributes of <pageSetup>
    int maxScale = 0;  // set by the page size call: the scale is then fitted at output
    std::string defaultCell;

    // Elements kept from the template as they stand, by element name.
    std::map<std::string, std::string> raw;
    // Namespace declarations of the template's root element (they may be used by raw elements).
    std::vector<std::pair<std::string, std::string>> rootNamespaces;

    int templateIndex = -1;  // the template sheet this one was copied from
    int LastRow() const { return cells.empty() ? 0 : cells.rbegin()->first.first; }
};

// The most cells a template holds, all its sheets together: far more than any report page needs,
// and few enough that reading a damaged or hostile template, and copying its sheets, cannot fill memory.
constexpr std::size_t kMaxTemplateCells = 100'000;

// Takes a worksheet part of a template; shared-string indices stay as they are in the template. Sizes,
// margins, breaks and page set-up are brought within the ranges the library writes. False when it
// holds no worksheet, its column ranges overlap or it has more than kMaxTemplateCells cells.
bool ReadSheet(pugi::xml_document& doc, Sheet& sheet, std::string& error);

}  // namespace xlsx
