#include "xlsx/SheetSetup.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

enum class Kind
{
    Count,    // a whole number in [low, high]
    Flag,     // a boolean
    Choice,   // one of the listed words
    Measure,  // a length with its unit, such as "297mm"
};

struct Setting
{
    const char* name;
    Kind kind;
    long long low = 0, high = 0;
    const char* const* words = nullptr;
};

constexpr const char* kOrientations[] = {"default", "portrait", "landscape", nullptr};
constexpr const char* kPageOrders[] = {"downThenOver", "overThenDown", nullptr};
constexpr const char* kCellComments[] = {"none", "asDisplayed", "atEnd", nullptr};
constexpr const char* kErrors[] = {"displayed", "blank", "dash", "NA", nullptr};

constexpr Setting kSettings[] = {
    {"paperSize", Kind::Count, 0, 32767},
    {"paperHeight", Kind::Measure},
    {"paperWidth", Kind::Measure},
    {"scale", Kind::Count, 10, 400},
    {"firstPageNumber", Kind::Count, 0, 32767},
    {"fitToWidth", Kind::Count, 0, 32767},
    {"fitToHeight", Kind::Count, 0, 32767},
    {"pageOrder", Kind::Choice, 0, 0, kPageOrders},
    {"orientation", Kind::Choice, 0, 0, kOrientations},
    {"usePrinterDefaults", Kind::Flag},
    {"blackAndWhite", Kind::Flag},
    {"draft", Kind::Flag},
    {"cellComments", Kind::Choice, 0, 0, kCellComments},
    {"useFirstPageNumber", Kind::Flag},
    {"errors", Kind::Choice, 0, 0, kErrors},
    {"horizontalDpi", Kind::Count, 1, 4800},
    {"verticalDpi", Kind::Count, 1, 4800},
    {"copies", Kind::Count, 1, 999},
};

bool WholeNumber(const char* text, long long low, long long high)
{
    if (!*text || std::strlen(text) > 12)
        return false;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    return *end == '\0' && std::isdigit(static_cast<unsigned char>(*text)) && value >= low && value <= high;
}

bool Valid(const Setting& setting, const char* value)
{
    switch (setting.kind) {
        case Kind::Count:
            return WholeNumber(value, setting.low, setting.high);
        case Kind::Flag:
            return !std::strcmp(value, "0") || !std::strcmp(value, "1") || !std::strcmp(value, "true") ||
                   !std::strcmp(value, "false");
        case Kind::Choice:
            for (const char* const* word = setting.words; *word; ++word) {
                if (!std::strcmp(*word, value))
                    return true;
            }
            return false;
        case Kind::Measure: {
            static const char* const units[] = {"mm", "cm", "in", "pt", "pc", "pi"};
            const std::string text = value;
            if (text.size() < 3 || text.size() > 16)
                return false;
            double number = 0;
            const std::string unit = text.substr(text.size() - 2);
            return std::find(std::begin(units), std::end(units), unit) != std::end(units) &&
                   ParseNumber(text.substr(0, text.size() - 2), number) && std::isfinite(number) &&
                   number > 0;
        }
    }
    return false;
}

}  // namespace

double ClampedValue(pugi::xml_attribute value, double low, double high, double fallback)
{
    double number = 0;
    if (!value || !ParseNumber(value.value(), number) || std::isnan(number))
        return fallback;
    return std::clamp(number, low, high);
}

double ClampInPlace(pugi::xml_node node, const char* name, double high, bool whole, double fallback)
{
    pugi::xml_attribute value = node.attribute(name);
    double number = 0;
    if (!value)
        return fallback;
    if (!ParseNumber(value.value(), number) || !std::isfinite(number)) {
        node.remove_attribute(value);
        return fallback;
    }
    number = std::clamp(whole ? std::round(number) : number, 0.0, high);
    value = NumberText(number).c_str();
    return number;
}

void ReadPageMargins(pugi::xml_node margins, Sheet& sheet)
{
    static const char* const sides[] = {"left", "right", "top", "bottom", "header", "footer"};
    sheet.hasMargins = true;
    for (int i = 0; i < 6; ++i)
        sheet.margins[i] = ClampedValue(margins.attribute(sides[i]), 0, kMaxMargin, sheet.margins[i]);
}

void ReadPageSetup(pugi::xml_node setup, Sheet& sheet)
{
    for (const Setting& setting : kSettings) {
        const pugi::xml_attribute value = setup.attribute(setting.name);
        if (value && Valid(setting, value.value()))
            sheet.pageSetup[setting.name] = value.value();
    }
}

void ReadRowBreaks(pugi::xml_node breaks, Sheet& sheet)
{
    for (pugi::xml_node b : breaks.children("brk")) {
        const int row = b.attribute("id").as_int(0);
        if (row >= 1 && row < kMaxRow)
            sheet.rowBreaks.insert(row);
    }
}

void ReadSheetFormat(pugi::xml_node format, Sheet& sheet)
{
    sheet.defaultRowHeight = ClampInPlace(format, "defaultRowHeight", kMaxRowHeight, false, 15);
    if (!format.attribute("defaultRowHeight"))
        format.append_attribute("defaultRowHeight") = NumberText(sheet.defaultRowHeight).c_str();
    sheet.defaultColWidth = ClampInPlace(format, "defaultColWidth", kMaxColumnWidth, false, 0);
    sheet.baseColWidth = static_cast<int>(ClampInPlace(format, "baseColWidth", kMaxColumnWidth, true, 8));
    ClampInPlace(format, "outlineLevelRow", 7, true, 0);
    ClampInPlace(format, "outlineLevelCol", 7, true, 0);
}

void TidyColumnBreaks(pugi::xml_node breaks)
{
    unsigned count = 0;
    for (pugi::xml_node b = breaks.child("brk"); b;) {
        const pugi::xml_node next = b.next_sibling("brk");
        const int column = b.attribute("id").as_int(0);
        if (column < 1 || column >= kMaxColumn) {
            breaks.remove_child(b);
        } else {
            ++count;
            ClampInPlace(b, "min", kMaxRow - 1, true, 0);
            ClampInPlace(b, "max", kMaxRow - 1, true, 0);
        }
        b = next;
    }
    for (const char* name : {"count", "manualBreakCount"}) {
        if (pugi::xml_attribute a = breaks.attribute(name))
            a = count;
    }
}

}  // namespace xlsx
