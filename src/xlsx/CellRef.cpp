#include "xlsx/CellRef.h"

#include <algorithm>

namespace xlsx {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool ParseNumberPart(std::string_view& text, int limit, int& value)
{
    std::size_t i = 0;
    long long v = 0;
    while (i < text.size() && IsDigit(text[i])) {
        v = v * 10 + (text[i] - '0');
        if (v > limit)
            return false;
        ++i;
    }
    if (i == 0 || v < 1)
        return false;
    value = static_cast<int>(v);
    text.remove_prefix(i);
    return true;
}

bool ParseCell(std::string_view text, int& row, int& column)
{
    if (!text.empty() && text.front() == '$')
        text.remove_prefix(1);
    std::size_t i = 0;
    long long c = 0;
    while (i < text.size() && IsLetter(text[i])) {
        c = c * 26 + ((text[i] | 0x20) - 'a' + 1);
        if (c > kMaxColumn)
            return false;
        ++i;
    }
    if (i == 0)
        return false;
    text.remove_prefix(i);
    if (!text.empty() && text.front() == '$')
        text.remove_prefix(1);
    column = static_cast<int>(c);
    return ParseNumberPart(text, kMaxRow, row) && text.empty();
}

}  // namespace

std::string ColumnName(int column)
{
    std::string name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

std::string CellName(int row, int column)
{
    return ColumnName(column) + std::to_string(row);
}

std::string AbsoluteCellName(int row, int column)
{
    std::string name(1, '$');
    name += ColumnName(column);
    name += '$';
    name += std::to_string(row);
    return name;
}

std::string RangeName(const CellRange& range)
{
    const std::string first = CellName(range.r0, range.c0);
    if (range.r0 == range.r1 && range.c0 == range.c1)
        return first;
    return first + ":" + CellName(range.r1, range.c1);
}

bool ParseReference(std::string_view text, CellRange& range)
{
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsDigit)) {
        int row = 0;
        if (!ParseNumberPart(text, kMaxRow, row))
            return false;
        range = CellRange{row, 1, row, kMaxColumn, true};
        return true;
    }
    const std::size_t colon = text.find(':');
    int r0 = 0, c0 = 0, r1 = 0, c1 = 0;
    if (colon == std::string_view::npos) {
        if (!ParseCell(text, r0, c0))
            return false;
        r1 = r0, c1 = c0;
    } else if (!ParseCell(text.substr(0, colon), r0, c0) || !ParseCell(text.substr(colon + 1), r1, c1)) {
        return false;
    }
    range = CellRange{std::min(r0, r1), std::min(c0, c1), std::max(r0, r1), std::max(c0, c1), false};
    return true;
}

}  // namespace xlsx
