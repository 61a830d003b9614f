#include "fe/TextFormat.h"

#include <locale.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <type_traits>

namespace fe {
namespace {

enum class Kind
{
    Int,
    UInt,
    Double,
    Text
};

// One parsed conversion: the format around it and the pieces of the conversion itself.
struct Conversion
{
    QString before, after;
    std::string flags;
    int width = -1;
    int precision = -1;
    char type = 0;
};

constexpr int kMaxField = 4095;

// Reads a run of digits (possibly none, which gives 0); false when the number is too large.
bool ReadNumber(const QString& format, qsizetype& i, int& out)
{
    out = 0;
    while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
        out = out * 10 + (format[i].unicode() - u'0');
        if (out > kMaxField)
            return false;
        ++i;
    }
    return true;
}

bool Suits(Kind kind, char type)
{
    const std::string integers = "diuxXo", doubles = "fFeEgGaA", texts = "sS";
    switch (kind) {
        case Kind::Int:
        case Kind::UInt:
            return integers.find(type) != std::string::npos;
        case Kind::Double:
            return doubles.find(type) != std::string::npos;
        case Kind::Text:
            return texts.find(type) != std::string::npos;
    }
    return false;
}

// Splits the format at its one conversion; false when the format does not hold exactly one
// conversion that suits the kind of value.
bool Parse(const QString& format, Kind kind, Conversion& c)
{
    QString* literal = &c.before;
    bool found = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            literal->append(format[i]);
            continue;
        }
        if (++i >= format.size())
            return false;
        if (format[i] == u'%') {
            literal->append(u'%');
            continue;
        }
        if (found)
            return false;
        found = true;
        while (i < format.size() && QStringLiteral("-+ #0").contains(format[i]))
            c.flags.push_back(static_cast<char>(format[i++].unicode()));
        if (i < format.size() && format[i] >= u'1' && format[i] <= u'9' && !ReadNumber(format, i, c.width))
            return false;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            if (!ReadNumber(format, i, c.precision))
                return false;
        }
        while (i < format.size() && QStringLiteral("hlLqjzt").contains(format[i]))
            ++i;
        if (i >= format.size() || format[i].unicode() > 0x7F)
            return false;
        c.type = static_cast<char>(format[i].unicode());
        if (!Suits(kind, c.type))
            return false;
        literal = &c.after;
    }
    return found;
}

std::string Spec(const Conversion& c)
{
    std::string spec = "%" + c.flags;
    if (c.width >= 0)
        spec += std::to_string(c.width);
    if (c.precision >= 0)
        spec += "." + std::to_string(c.precision);
    spec.push_back(c.type);
    return spec;
}

// printf in the C locale for this thread only, so other threads keep theirs.
template <typename T>
QString CFormat(const std::string& spec, T value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    char buffer[2 * kMaxField + 400];
    const int n = std::snprintf(buffer, sizeof buffer, spec.c_str(), value);
    uselocale(previous);
    if (n < 0)
        return QString();
    return QString::fromLatin1(buffer, std::min<int>(n, sizeof buffer - 1));
}

QString Padded(const Conversion& c, QString text)
{
    if (c.precision >= 0 && text.size() > c.precision)
        text.truncate(c.precision);
    if (c.width > text.size()) {
        const QString pad(c.width - text.size(), u' ');
        text = c.flags.find('-') != std::string::npos ? text + pad : pad + text;
    }
    return text;
}

template <typename T>
QString FormatNumber(Kind kind, T value, const QString& format)
{
    Conversion c;
    if (!Parse(format, kind, c))
        return QString();
    QString body;
    if constexpr (std::is_same_v<T, double>)
        body = CFormat(Spec(c), value);
    else if (c.type == 'd' || c.type == 'i')
        body = CFormat(Spec(c), static_cast<int>(value));
    else
        body = CFormat(Spec(c), static_cast<unsigned>(value));
    return c.before + body + c.after;
}

}  // namespace

QString IntToText(int value, const QString& format)
{
    return FormatNumber(Kind::Int, value, format);
}

QString UIntToText(unsigned value, const QString& format)
{
    return FormatNumber(Kind::UInt, value, format);
}

QString DoubleToText(double value, const QString& format)
{
    return FormatNumber(Kind::Double, value, format);
}

QString FormatText(const QString& text, const QString& format)
{
    Conversion c;
    if (!Parse(format, Kind::Text, c))
        return QString();
    return c.before + Padded(c, text) + c.after;
}

}  // namespace fe
