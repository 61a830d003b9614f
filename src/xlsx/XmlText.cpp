#include "xlsx/XmlText.h"

#include <charconv>
#include <cmath>

namespace xlsx {
namespace {

constexpr std::size_t kMaxCellUnits = 32767;

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool AllowedInXml(char32_t cp)
{
    if (cp < 0x20)
        return cp == '\t' || cp == '\n';
    return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

std::string CleanCellText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        std::size_t len = DecodeUtf8(text, i, cp);
        if (len == 0) {
            ++i;
            continue;
        }
        if (cp == '\r') {
            // "\r\n" and a lone "\r" both end a line.
            cp = '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            len = 1;
        }
        if (AllowedInXml(cp)) {
            units += cp >= 0x10000 ? 2 : 1;
            if (units > kMaxCellUnits)
                break;
            if (cp == '\n')
                out += '\n';
            else
                out.append(text.substr(i, len));
        }
        i += len;
    }
    return out;
}

void AppendEscaped(std::string& out, std::string_view text, bool attribute)
{
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += attribute ? "&quot;" : "\"";
                break;
            case '\n':
                out += attribute ? "&#10;" : "\n";
                break;
            case '\t':
                out += attribute ? "&#9;" : "\t";
                break;
            default:
                out += c;
        }
    }
}

std::string Escaped(std::string_view text, bool attribute)
{
    std::string out;
    AppendEscaped(out, text, attribute);
    return out;
}

bool NeedsPreserve(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

std::string NumberText(double value)
{
    if (!std::isfinite(value))
        return "0";
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ParseNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace xlsx
