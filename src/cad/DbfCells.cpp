#include "cad/DbfCells.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace fe {
namespace {

// Lead bytes of the two-byte characters of code page 932.
bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

void Character(const std::string& value, std::size_t width, std::string& cell)
{
    cell.assign(value, 0, Cp932PrefixLength(value, width));
    cell.resize(width, ' ');
}

void Date(const std::string& value, std::size_t width, std::string& cell)
{
    cell.clear();
    for (char c : value) {
        if (c != '/' && c != '-' && cell.size() < width)
            cell.push_back(c);
    }
    cell.resize(width, '0');
}

bool Number(const std::string& value, const DbfFieldDescriptor& field, std::string& cell)
{
    const std::size_t width = field.width;
    std::string_view text(value);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) {
        cell.assign(width, ' ');
        return true;
    }
    if (text.front() == '+')
        text.remove_prefix(1);
    double number = 0.0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), number);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || !std::isfinite(number))
        return false;
    char buffer[400];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, int(field.decimals));
    const std::size_t length = std::size_t(printed.ptr - buffer);
    if (printed.ec != std::errc() || length > width) {
        // The dBase convention for a value that does not fit its field.
        cell.assign(width, '*');
        return true;
    }
    cell.assign(width - length, ' ');
    cell.append(buffer, length);
    return true;
}

}  // namespace

std::size_t Cp932PrefixLength(std::string_view bytes, std::size_t limit)
{
    std::size_t used = 0;
    while (used < bytes.size()) {
        const std::size_t size = IsCp932LeadByte(static_cast<unsigned char>(bytes[used])) ? 2 : 1;
        if (used + size > limit)
            break;
        used += size;
    }
    return std::min(used, bytes.size());
}

bool FormatDbfCell(const DbfFieldDescriptor& field, const std::string& value, std::string& cell)
{
    switch (field.type) {
        case 'D':
            Date(value, field.width, cell);
            return true;
        case 'F':
        case 'N':
            return Number(value, field, cell);
        case 'L': {
            const char c = value.empty() ? '?' : value.front();
            const bool known = std::string_view("FNTYfnty").find(c) != std::string_view::npos;
            cell.assign(1, known ? c : '?');
            return true;
        }
        default:
            Character(value, field.width, cell);
            return true;
    }
}

}  // namespace fe
