#include "fe/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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

// Exactly eight decimal digits of the value (below 10^8), with leading zeros.
void PutEightDigits(char* out, std::uint32_t value)
{
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    std::memcpy(out, kPairs + 2 * (high / 100), 2);
    std::memcpy(out + 2, kPairs + 2 * (high % 100), 2);
    std::memcpy(out + 4, kPairs + 2 * (low / 100), 2);
    std::memcpy(out + 6, kPairs + 2 * (low % 100), 2);
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

std::to_chars_result ToCharsFixed(char* first, char* last, double value, int decimals)
{
    constexpr int kMaxDecimals = 17;
    if (decimals < 0 || decimals > kMaxDecimals || !(std::fabs(value) < 0x1p53))
        return std::to_chars(first, last, value, std::chars_format::fixed, decimals);
    static constexpr auto kPowersOf10 = [] {
        std::array<std::uint64_t, kMaxDecimals + 1> powers{};
        powers[0] = 1;
        for (int i = 1; i <= kMaxDecimals; ++i)
            powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    // The value is mantissa / 2^shift exactly; below 2^53 the shift is never negative.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int exponent = int(bits >> 52) & 0x7FF;
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    int shift = 1074;
    if (exponent != 0) {
        mantissa |= std::uint64_t(1) << 52;
        shift = 1075 - exponent;
    }
    // Whole units and the fraction's bits; the fraction times 10^decimals, rounded half to even,
    // gives the decimals (a carry moves into the units).
    using Wide = unsigned __int128;
    const std::uint64_t scale = kPowersOf10[decimals];
    std::uint64_t whole = shift < 64 ? mantissa >> shift : 0;
    std::uint64_t fraction = 0;
    if (shift > 0 && shift < 128) {
        const Wide fractionBits = shift < 64 ? mantissa & ((std::uint64_t(1) << shift) - 1) : mantissa;
        const Wide scaled = fractionBits * scale;  // below 2^shift * 10^17
        fraction = std::uint64_t(scaled >> shift);
        const Wide rest = scaled & ((Wide(1) << shift) - 1);
        const Wide half = Wide(1) << (shift - 1);
        const bool odd = decimals > 0 ? (fraction & 1) != 0 : (whole & 1) != 0;
        if (rest > half || (rest == half && odd)) {
            if (++fraction == scale) {
                fraction = 0;
                ++whole;
            }
        }
    }  // a shift of 128 or more leaves less than 2^-18 of a unit: it rounds to zero

    // Sign, up to 16 integer digits, point and decimals.
    constexpr std::ptrdiff_t kLongest = 1 + 16 + 1 + kMaxDecimals;
    char spare[kLongest];
    char* const out = last - first >= kLongest ? first : spare;
    char* end = out;
    if (negative)
        *end++ = '-';
    end = std::to_chars(end, out + kLongest, whole).ptr;
    if (decimals > 0) {
        *end++ = '.';
        // All 17 places of the fraction, in three independent parts; the last ones are kept.
        char places[kMaxDecimals];
        const std::uint64_t rest = fraction % kPowersOf10[16];
        places[0] = char('0' + fraction / kPowersOf10[16]);
        PutEightDigits(places + 1, std::uint32_t(rest / kPowersOf10[8]));
        PutEightDigits(places + 9, std::uint32_t(rest % kPowersOf10[8]));
        std::memcpy(end, places + kMaxDecimals - decimals, std::size_t(decimals));
        end += decimals;
    }
    if (out == first)
        return {end, std::errc()};
    const std::size_t size = std::size_t(end - out);
    if (std::size_t(last - first) < size)
        return {last, std::errc::value_too_large};
    std::memcpy(first, out, size);
    return {first + size, std::errc()};
}

QString DoubleToFixed6(double value)
{
    char buffer[400];
    const auto [ptr, ec] = ToCharsFixed(buffer, buffer + sizeof buffer, value, 6);
    if (ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, ptr - buffer);
}

}  // namespace fe
