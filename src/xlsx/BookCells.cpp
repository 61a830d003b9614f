// Choosing cells, putting values and changing cell formats.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "xlsx/Book.h"
#include "xlsx/Geometry.h"
#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

// A choice larger than this changes only the cells that exist, so that a whole-sheet range cannot
// fill memory.
constexpr long long kMaxCreatedCells = 1'000'000;

const std::vector<const char*> kBorderOrder = {"start",  "left",     "end",      "right",     "top",
                                               "bottom", "diagonal", "vertical", "horizontal"};
const std::vector<const char*> kFillOrder = {"fgColor", "bgColor"};

// "FFRRGGBB" for a colour given as 0x00BBGGRR; an OLE system colour (high bit set) stands for the
// window-text colour, black.
std::string Argb(std::uint32_t colour)
{
    if (colour & 0x80000000u)
        return "FF000000";
    char text[16];
    std::snprintf(text, sizeof text, "FF%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

void SetColour(pugi::xml_node parent, const char* name, std::uint32_t colour)
{
    pugi::xml_node node = parent.child(name);
    if (node)
        parent.remove_child(node);
    node = parent.append_child(name);
    node.append_attribute("rgb") = Argb(colour).c_str();
}

void SetVal(pugi::xml_node parent, const char* name, const std::string& value)
{
    pugi::xml_node node = parent.child(name);
    if (!node)
        node = parent.append_child(name);
    if (!node.attribute("val"))
        node.append_attribute("val");
    node.attribute("val") = value.c_str();
}

void SetFlag(pugi::xml_node parent, const char* name, bool on)
{
    if (pugi::xml_node node = parent.child(name))
        parent.remove_child(node);
    if (on)
        parent.append_child(name);
}

void SetAttribute(pugi::xml_node node, const char* name, const std::string& value)
{
    if (value.empty()) {
        node.remove_attribute(name);
        return;
    }
    if (!node.attribute(name))
        node.append_attribute(name);
    node.attribute(name) = value.c_str();
}

const char* BorderStyle(std::uint32_t kind)
{
    switch (kind >> 24) {
        case 1:
            return "thin";
        case 2:
            return "medium";
        case 3:
            return "thick";
        case 4:
            return "dashed";
        case 5:
            return "dotted";
        case 6:
            return "double";
        default:
            return "";
    }
}

}  // namespace

const std::string& Book::CellText(const xlsx::Cell& cell) const
{
    static const std::string empty;
    if (cell.type == CellType::Shared)
        return m_strings.Text(cell.shared);
    if (cell.type == CellType::Text || cell.type == CellType::FormulaText)
        return cell.value;
    return empty;
}

bool Book::FindText(const std::string& text, CellRange& found) const
{
    const Sheet* sheet = CurrentSheet();
    int first = 1, last = kMaxRow;
    if (sheet->blockOpen) {
        first = sheet->blocks.back().start;
        if (sheet->blocks.back().height > 0)
            last = first + sheet->blocks.back().height - 1;
    }
    for (auto it = sheet->cells.lower_bound({first, 0}); it != sheet->cells.end() && it->first.first <= last;
         ++it) {
        if (CellText(it->second) == text) {
            found = CellRange{it->first.first, it->first.second, it->first.first, it->first.second, false};
            return true;
        }
    }
    return false;
}

void Book::Touch(const CellRange& range)
{
    Sheet* sheet = Current();
    if (sheet->blockOpen)
        sheet->blocks.back().touched =
            std::max(sheet->blocks.back().touched, range.r1 - sheet->blocks.back().start + 1);
}

int Book::Cell(const std::string& reference)
{
    m_selected = false;
    if (!Started(true))
        return 0;
    CellRange range;
    if (ParseReference(reference, range)) {
        range.r0 = Row(range.r0);
        range.r1 = Row(range.r1);
        if (range.r1 > kMaxRow)
            return Fail(40, "the cell lies below the sheet's last row: " + reference);
    } else if (reference.empty() || !FindText(reference, range)) {
        return Fail(kErrorNoCellHoldsText, "no cell holds " + reference);
    }
    Touch(range);
    m_selection = range;
    m_selected = true;
    return 1;
}

xlsx::Cell* Book::Target()
{
    if (!m_selected || !Current())
        return nullptr;
    return &Current()->cells[{m_selection.r0, m_selection.c0}];
}

int Book::PutValueString(const std::string& text)
{
    xlsx::Cell* cell = Target();
    if (!cell)
        return Fail(kErrorNoCellChosen, "no cell is chosen");
    const std::string clean = CleanCellText(text);
    cell->formula.clear();
    cell->value.clear();
    if (clean.empty()) {
        cell->type = CellType::Empty;
    } else {
        cell->type = CellType::Shared;
        cell->shared = m_strings.Add(clean);
    }
    cell->written = true;
    return 1;
}

int Book::PutValueDouble(double value)
{
    if (!std::isfinite(value))
        return Fail(43, "a number that is not finite cannot be stored");
    xlsx::Cell* cell = Target();
    if (!cell)
        return Fail(kErrorNoCellChosen, "no cell is chosen");
    cell->type = CellType::Number;
    cell->value = NumberText(value);
    cell->formula.clear();
    cell->written = true;
    return 1;
}

int Book::PutValueLong(std::int32_t value)
{
    return PutValueDouble(static_cast<double>(value));
}

int Book::PutColWidth(double characters)
{
    if (!m_selected || !Current() || m_selection.wholeRow)
        return Fail(kErrorNoCellChosen, "no column is chosen");
    if (!std::isfinite(characters) || characters < 0 || characters > 255)
        return Fail(44, "column width out of range");
    for (int c = m_selection.c0; c <= m_selection.c1; ++c) {
        ColProps& col = Current()->cols[c];
        col.width = StoredColumnWidth(characters);
        col.customWidth = true;
    }
    return 1;
}

int Book::PutRowHeight(double points)
{
    if (!m_selected || !Current())
        return Fail(kErrorNoCellChosen, "no row is chosen");
    if (!std::isfinite(points) || points < 0 || points > 409)
        return Fail(45, "row height out of range");
    for (int r = m_selection.r0; r <= m_selection.r1; ++r) {
        RowProps& row = Current()->rows[r];
        row.height = points;
        row.customHeight = true;
    }
    return 1;
}

int Book::PutBreak(int on)
{
    if (!m_selected || !Current())
        return Fail(kErrorNoCellChosen, "no row is chosen");
    // A break before the chosen row ends the page after the row above it.
    if (m_selection.r0 > 1) {
        if (on)
            Current()->rowBreaks.insert(m_selection.r0 - 1);
        else
            Current()->rowBreaks.erase(m_selection.r0 - 1);
    }
    return 1;
}

int Book::PutAttrNo(int xf)
{
    xlsx::Cell* cell = Target();
    if (!cell || !m_styles.ValidXf(xf))
        return Fail(kErrorNoCellChosen, "no cell is chosen or no such format");
    cell->style = xf;
    return 1;
}

int Book::GetAttrNo() const
{
    const Sheet* sheet = CurrentSheet();
    if (!m_selected || !sheet)
        return 0;
    const auto it = sheet->cells.find({m_selection.r0, m_selection.c0});
    return it == sheet->cells.end() ? 0 : it->second.style;
}

template <typename Change>
int Book::ForEachCell(Change change)
{
    if (!m_selected || !Current())
        return Fail(kErrorNoCellChosen, "no cell is chosen");
    Sheet& sheet = *Current();
    const CellRange& s = m_selection;
    const long long area = static_cast<long long>(s.r1 - s.r0 + 1) * (s.c1 - s.c0 + 1);
    if (s.wholeRow || area > kMaxCreatedCells) {
        for (auto it = sheet.cells.lower_bound({s.r0, 0}); it != sheet.cells.end() && it->first.first <= s.r1;
             ++it) {
            if (s.Contains(it->first.first, it->first.second))
                it->second.style = change(it->second.style, it->first.first, it->first.second);
        }
        return 1;
    }
    for (int r = s.r0; r <= s.r1; ++r) {
        for (int c = s.c0; c <= s.c1; ++c) {
            xlsx::Cell& cell = sheet.cells[{r, c}];
            cell.style = change(cell.style, r, c);
        }
    }
    return 1;
}

int Book::AttrPutFormat(const std::string& code)
{
    return ForEachCell([&](int xf, int, int) { return m_styles.WithNumberFormat(xf, code); });
}

int Book::AttrPutFontName(const std::string& name)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFont(xf, "name:" + name, [&](pugi::xml_node font) {
            SetVal(font, "name", name);
            // A theme font scheme would override the name.
            SetFlag(font, "scheme", false);
        });
    });
}

int Book::AttrPutFontPoint(double point)
{
    if (!std::isfinite(point) || point < 1 || point > 409)
        return Fail(46, "font size out of range");
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFont(xf, "sz:" + NumberText(point),
                                 [&](pugi::xml_node font) { SetVal(font, "sz", NumberText(point)); });
    });
}

int Book::AttrPutFontColor(std::uint32_t colour)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFont(xf, "color:" + Argb(colour),
                                 [&](pugi::xml_node font) { SetColour(font, "color", colour); });
    });
}

int Book::AttrPutFontStyle(int style)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFont(xf, "style:" + std::to_string(style), [&](pugi::xml_node font) {
            SetFlag(font, "b", style & 1);
            SetFlag(font, "i", style & 2);
        });
    });
}

int Book::AttrPutFontULine(int kind)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFont(xf, "u:" + std::to_string(kind), [&](pugi::xml_node font) {
            SetFlag(font, "u", false);
            if (kind == 1)
                font.append_child("u");
            else if (kind == 2)
                SetVal(font, "u", "double");
        });
    });
}

int Book::AttrPutPattern(int pattern)
{
    static const char* const kinds[] = {"none", "solid", "gray125", "darkGray", "mediumGray", "lightGray"};
    const char* kind = pattern >= 0 && pattern < 6 ? kinds[pattern] : "solid";
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFill(xf, std::string("pattern:") + kind, [&](pugi::xml_node fill) {
            pugi::xml_node p = OrderedChild(fill, "patternFill", {"patternFill"});
            SetAttribute(p, "patternType", kind);
        });
    });
}

int Book::AttrPutForeColor(std::uint32_t colour)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFill(xf, "fg:" + Argb(colour), [&](pugi::xml_node fill) {
            pugi::xml_node p = OrderedChild(fill, "patternFill", {"patternFill"});
            if (std::string(p.attribute("patternType").value()).empty() ||
                std::string(p.attribute("patternType").value()) == "none")
                SetAttribute(p, "patternType", "solid");
            if (pugi::xml_node old = p.child("fgColor"))
                p.remove_child(old);
            OrderedChild(p, "fgColor", kFillOrder).append_attribute("rgb") = Argb(colour).c_str();
        });
    });
}

int Book::AttrPutBackColor(std::uint32_t colour)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithFill(xf, "bg:" + Argb(colour), [&](pugi::xml_node fill) {
            pugi::xml_node p = OrderedChild(fill, "patternFill", {"patternFill"});
            if (pugi::xml_node old = p.child("bgColor"))
                p.remove_child(old);
            OrderedChild(p, "bgColor", kFillOrder).append_attribute("rgb") = Argb(colour).c_str();
        });
    });
}

int Book::AttrPutPosHorz(int code)
{
    static const char* const names[] = {"general", "left",    "center",          "right",
                                        "fill",    "justify", "centerContinuous"};
    if (code < 20 || code > 26)
        return Fail(47, "unknown horizontal position");
    const std::string name = names[code - 20];
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithAlignment(xf, "h:" + name, [&](pugi::xml_node a) {
            SetAttribute(a, "horizontal", name == "general" ? "" : name);
        });
    });
}

int Book::AttrPutPosVert(int code)
{
    static const char* const names[] = {"top", "center", "bottom", "justify"};
    if (code < 1 || code > 4)
        return Fail(47, "unknown vertical position");
    const std::string name = names[code - 1];
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithAlignment(xf, "v:" + name, [&](pugi::xml_node a) {
            SetAttribute(a, "vertical", name == "bottom" ? "" : name);
        });
    });
}

int Book::AttrPutPosTurn(int degrees)
{
    if (degrees < -90 || (degrees > 90 && degrees != 255))
        return Fail(47, "text rotation out of range");
    const int stored = degrees < 0 ? 90 - degrees : degrees;
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithAlignment(xf, "rot:" + std::to_string(stored), [&](pugi::xml_node a) {
            SetAttribute(a, "textRotation", stored ? std::to_string(stored) : "");
        });
    });
}

int Book::AttrPutOverReturn(int on)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithAlignment(xf, on ? "wrap" : "nowrap",
                                      [&](pugi::xml_node a) { SetAttribute(a, "wrapText", on ? "1" : ""); });
    });
}

int Book::AttrPutFit(int on)
{
    return ForEachCell([&](int xf, int, int) {
        return m_styles.WithAlignment(xf, on ? "shrink" : "noshrink", [&](pugi::xml_node a) {
            SetAttribute(a, "shrinkToFit", on ? "1" : "");
        });
    });
}

int Book::AttrPutJoint(int on)
{
    if (!m_selected || !Current() || m_selection.wholeRow)
        return Fail(kErrorNoCellChosen, "no cell range is chosen");
    const CellRange s = m_selection;
    auto& merges = Current()->merges;
    std::erase_if(merges, [&](const CellRange& m) {
        return m.r0 <= s.r1 && m.r1 >= s.r0 && m.c0 <= s.c1 && m.c1 >= s.c0;
    });
    if (on && (s.r0 != s.r1 || s.c0 != s.c1))
        merges.push_back(s);
    return 1;
}

int Book::AttrPutBox(std::uint32_t kind, int inner, std::uint32_t colour)
{
    const std::string style = BorderStyle(kind);
    const CellRange s = m_selection;
    return ForEachCell([&](int xf, int r, int c) {
        const bool edges[4] = {c == s.c0 || inner, c == s.c1 || inner, r == s.r0 || inner,
                               r == s.r1 || inner};
        std::string key = "box:" + style + ":" + Argb(colour) + ":";
        for (bool e : edges)
            key += e ? '1' : '0';
        return m_styles.WithBorder(xf, key, [&](pugi::xml_node border) {
            static const char* const sides[4] = {"left", "right", "top", "bottom"};
            for (int i = 0; i < 4; ++i) {
                if (!edges[i])
                    continue;
                pugi::xml_node side = OrderedChild(border, sides[i], kBorderOrder);
                while (side.first_child())
                    side.remove_child(side.first_child());
                SetAttribute(side, "style", style);
                if (!style.empty())
                    side.append_child("color").append_attribute("rgb") = Argb(colour).c_str();
            }
        });
    });
}

}  // namespace xlsx
