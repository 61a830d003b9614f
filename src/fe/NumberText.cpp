#include "fe/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace fe {
namespace {

bool IsCSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// The ASCII text after the leading white space, up to the first character that cannot be part
// of a number (anything outside ASCII ends it).
std::string NumberPrefix(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i].unicode()))
        ++i;
    std::string out;
    for (; i < text.size() && out.size() < 400; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80 || IsCSpace(c) || c == 0)
            break;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

template <typename T>
bool ScanInteger(QStringView text, T& value, bool allowMinus)
{
    std::string s = NumberPrefix(text);
    size_t start = 0;
    if (!s.empty() && s[0] == '+')
        start = 1;
    else if (!s.empty() && s[0] == '-' && !allowMinus)
        return false;
    T result{};
    const auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + s.size(), result);
    if (ec != std::errc() || ptr == s.data() + start)
        return false;
    value = result;
    return true;
}

}  // namespace

bool ScanInt(QStringView text, int& value)
{
    return ScanInteger(text, value, true);
}

bool ScanUInt(QStringView text, unsigned& value)
{
    return ScanInteger(text, value, false);
}

bool ScanDouble(QStringView text, double& value)
{
    std::string s = NumberPrefix(text);
    size_t start = 0;
    if (!s.empty() && s[0] == '+')
        start = 1;
    if (start < s.size() && s[start] == '-' && start == 1)
        return false;
    double result = 0;
    const auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + s.size(), result);
    if (ec != std::errc() || ptr == s.data() + start)
        return false;
    value = result;
    return true;
}

QString DoubleToFixed6(double value)
{
    char buffer[400];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, ptr - buffer);
}

}  // namespace fe
