#pragma once

#include <pugixml.hpp>

#include "xlsx/Sheet.h"

namespace xlsx {

// The measures and page set-up of a template sheet, taken within the ranges the library writes
// itself, so that a template cannot carry into a workbook a number or a setting that no spreadsheet
// program opens. Values out of range are clamped; settings that cannot be clamped are left out.
constexpr double kMaxColumnWidth = 255;    // characters
constexpr double kMaxRowHeight = 409;      // points
constexpr double kMaxMargin = 500 / 25.4;  // inches, as for margins set through the library

// A value read from the template, clamped to [low, high]; fallback when it is not a number.
double ClampedValue(pugi::xml_attribute value, double low, double high, double fallback);

// The number of the element's attribute clamped to [0, high] (rounded when whole) and written back;
// an attribute that is not a finite number is removed. fallback when there is none.
double ClampInPlace(pugi::xml_node node, const char* name, double high, bool whole, double fallback);

void ReadPageMargins(pugi::xml_node margins, Sheet& sheet);
// Only the settings of the file format's own page set-up, each with a valid value.
void ReadPageSetup(pugi::xml_node setup, Sheet& sheet);
void ReadRowBreaks(pugi::xml_node breaks, Sheet& sheet);
// The sheet's default sizes, clamped in the element as well, since it is copied as it stands.
void ReadSheetFormat(pugi::xml_node format, Sheet& sheet);
// Column breaks are copied as they stand: those outside the sheet are removed from the element.
void TidyColumnBreaks(pugi::xml_node breaks);

}  // namespace xlsx
