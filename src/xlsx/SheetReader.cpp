#include <algorithm>
#include <cstring>
#include <pugixml.hpp>

#include "xlsx/SharedStrings.h"
#include "xlsx/Sheet.h"
#include "xlsx/SheetSetup.h"
#include "xlsx/Styles.h"

namespace xlsx {
namespace {

// Elements kept as they stand; anything else (drawings, tables, hyperlinks with their relationships)
// is dropped because the parts it points to are not copied.
const char* const kKeptElements[] = {"sheetPr",         "sheetViews",   "sheetFormatPr",
                                     "sheetProtection", "phoneticPr",   "conditionalFormatting",
                                     "dataValidations", "printOptions", "headerFooter",
                                     "colBreaks",       "ignoredErrors"};

void ReadCell(pugi::xml_node c, int row, int& nextColumn, Sheet& sheet)
{
    CellRange ref;
    int column = nextColumn;
    if (const char* r = c.attribute("r").value(); *r) {
        if (!ParseReference(r, ref) || ref.wholeRow)
            return;
        column = ref.c0;
    }
    if (column < 1 || column > kMaxColumn)
        return;
    nextColumn = column + 1;
    Cell cell;
    cell.style = c.attribute("s").as_int(0);
    const std::string type = c.attribute("t").value();
    const pugi::xml_node v = c.child("v");
    if (pugi::xml_node f = c.child("f"); f && *f.child_value())
        cell.formula = f.child_value();
    if (type == "s") {
        cell.type = CellType::Shared;
        cell.shared = v.text().as_int(-1);
    } else if (type == "inlineStr") {
        cell.type = CellType::Text;
        cell.value = FlattenText(c.child("is"));
    } else if (type == "str" || type == "d") {
        cell.type = cell.formula.empty() ? CellType::Text : CellType::FormulaText;
        cell.value = v.child_value();
    } else if (type == "b") {
        cell.type = CellType::Bool;
        cell.value = v.child_value();
    } else if (type == "e") {
        cell.type = CellType::Error;
        cell.value = v.child_value();
    } else if (v || !cell.formula.empty()) {
        cell.type = CellType::Number;
        cell.value = v.child_value();
    }
    sheet.cells[{row, column}] = std::move(cell);
}

bool ReadSheetData(pugi::xml_node data, Sheet& sheet)
{
    int nextRow = 1;
    for (pugi::xml_node r : data.children("row")) {
        if (sheet.cells.size() > kMaxTemplateCells)
            return false;
        const int row = r.attribute("r").as_int(nextRow);
        if (row < 1 || row > kMaxRow)
            continue;
        nextRow = row + 1;
        RowProps props;
        props.height = ClampedValue(r.attribute("ht"), 0, kMaxRowHeight, 0);
        props.customHeight = r.attribute("customHeight").as_bool();
        props.hidden = r.attribute("hidden").as_bool();
        if (r.attribute("customFormat").as_bool())
            props.style = r.attribute("s").as_int(-1);
        if (props.height > 0 || props.hidden || props.style >= 0)
            sheet.rows[row] = props;
        int nextColumn = 1;
        for (pugi::xml_node c : r.children("c"))
            ReadCell(c, row, nextColumn, sheet);
    }
    return sheet.cells.size() <= kMaxTemplateCells;
}

// Column ranges of a sound sheet do not overlap, so together they span at most every column once;
// ranges repeated beyond that would make reading take without bound.
bool ReadCols(pugi::xml_node cols, Sheet& sheet, long long& spanned)
{
    for (pugi::xml_node col : cols.children("col")) {
        const int first = std::max(1, col.attribute("min").as_int(0));
        const int last = std::min(kMaxColumn, col.attribute("max").as_int(0));
        spanned += std::max(0, last - first + 1);
        if (spanned > kMaxColumn)
            return false;
        ColProps props;
        props.width = ClampedValue(col.attribute("width"), 0, kMaxColumnWidth, 0);
        props.customWidth = col.attribute("customWidth").as_bool();
        props.hidden = col.attribute("hidden").as_bool();
        props.style = col.attribute("style").as_int(-1);
        for (int c = first; c <= last; ++c)
            sheet.cols[c] = props;
    }
    return true;
}

}  // namespace

bool ReadSheet(pugi::xml_document& doc, Sheet& sheet, std::string& error)
{
    const pugi::xml_node root = doc.child("worksheet");
    if (!root) {
        error = "a worksheet part holds no worksheet";
        return false;
    }
    for (pugi::xml_attribute a : root.attributes()) {
        const std::string name = a.name();
        if (name.rfind("xmlns:", 0) == 0 || name == "mc:Ignorable")
            sheet.rootNamespaces.emplace_back(name, a.value());
    }
    const std::string ownNamespace = root.attribute("xmlns").value();
    long long columnsSpanned = 0;
    for (pugi::xml_node node : root.children()) {
        // An element that declares another namespace only shares its name with one of ours.
        if (const pugi::xml_attribute ns = node.attribute("xmlns"); ns && ownNamespace != ns.value())
            continue;
        const char* name = node.name();
        if (!std::strcmp(name, "sheetData")) {
            if (!ReadSheetData(node, sheet)) {
                error = "a worksheet has too many cells";
                return false;
            }
        } else if (!std::strcmp(name, "cols")) {
            if (!ReadCols(node, sheet, columnsSpanned)) {
                error = "the column widths of a worksheet overlap";
                return false;
            }
        } else if (!std::strcmp(name, "mergeCells")) {
            for (pugi::xml_node m : node.children("mergeCell")) {
                CellRange range;
                if (ParseReference(m.attribute("ref").value(), range) && !range.wholeRow)
                    sheet.merges.push_back(range);
            }
        } else if (!std::strcmp(name, "pageMargins")) {
            ReadPageMargins(node, sheet);
        } else if (!std::strcmp(name, "pageSetup")) {
            ReadPageSetup(node, sheet);
        } else if (!std::strcmp(name, "rowBreaks")) {
            ReadRowBreaks(node, sheet);
        } else if (std::find_if(std::begin(kKeptElements), std::end(kKeptElements), [&](const char* kept) {
                       return !std::strcmp(kept, name);
                   }) != std::end(kKeptElements)) {
            // Only conditional formats come in several elements; a second of any other is not copied.
            if (sheet.raw.count(name) && std::strcmp(name, "conditionalFormatting"))
                continue;
            if (!std::strcmp(name, "sheetFormatPr"))
                ReadSheetFormat(node, sheet);
            else if (!std::strcmp(name, "colBreaks"))
                TidyColumnBreaks(node);
            sheet.raw[name] += NodeText(node);
        }
    }
    return true;
}

}  // namespace xlsx
