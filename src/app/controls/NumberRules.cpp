#include "app/controls/NumberRules.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "fe/Cp932.h"
#include "fe/NumberText.h"

namespace app {
namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Room left for new text when the selection is replaced.
int Room(const NumberRules& rules, const QString& text, int selStart, int selLength)
{
    return rules.byteLimit + AnsiByteCount(text.mid(selStart, selLength)) - AnsiByteCount(text);
}

// A bound of -9e32 means "no bound"; in integer mode INT_MIN and 2^31 mean it too.
bool IsNoBound(const NumberRules& rules, double bound)
{
    if (bound == kBlankReal)
        return true;
    return rules.mode == NumberRules::Integer && (bound == double(INT_MIN) || bound == 2147483648.0);
}

// The effective bounds; an integer field never takes a value outside the int range.
void Bounds(const NumberRules& rules, double* low, double* high)
{
    const bool integer = rules.mode == NumberRules::Integer;
    *low = IsNoBound(rules, rules.minimum) ? (integer ? double(INT_MIN) : -1e300) : rules.minimum;
    *high = IsNoBound(rules, rules.maximum) ? (integer ? double(INT_MAX) : 1e300) : rules.maximum;
}

}  // namespace

QString FixedText(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 30));
    if (result.ec != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

int AnsiByteCount(const QString& text)
{
    return fe::Cp932ByteCount(text);
}

bool AcceptsTyping(const NumberRules& rules, const QString& text, int selStart, int selLength,
                   const QString& typed)
{
    if (rules.byteLimit > 0 && AnsiByteCount(typed) > Room(rules, text, selStart, selLength))
        return false;
    if (rules.mode == NumberRules::FreeText)
        return true;
    if (rules.mode == NumberRules::Real && text.mid(selStart, selLength).contains(QLatin1Char('.')))
        return true;
    if (typed.size() != 1)
        return false;
    const QChar c = typed.front();
    if (IsDigit(c))
        return true;
    if (c == QLatin1Char('-'))
        return !text.contains(QLatin1Char('-')) && selStart == 0;
    if (c == QLatin1Char('.') && rules.mode == NumberRules::Real)
        return !text.contains(QLatin1Char('.'));
    return false;
}

bool AcceptsPaste(const NumberRules& rules, const QString& text, int selStart, int selLength,
                  const QString& pasted)
{
    return rules.byteLimit <= 0 || AnsiByteCount(pasted) <= Room(rules, text, selStart, selLength);
}

int CheckNumberText(const NumberRules& rules, const QString& text)
{
    if (text.isEmpty() || rules.mode == NumberRules::FreeText)
        return 0;
    // Characters: digits, "-" only first, and in real mode one ".". A text without any digit
    // ("-", ".") is not a number either.
    int digits = 0, points = 0, point = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsDigit(c))
            ++digits;
        else if (c == QLatin1Char('-') && i == 0)
            continue;
        else if (c == QLatin1Char('.') && rules.mode == NumberRules::Real && points++ == 0)
            point = i;
        else
            return 1;
    }
    if (digits == 0)
        return 1;
    double value = 0.0;
    if (!fe::ScanDouble(text, value))
        return 1;
    double low = 0.0, high = 0.0;
    Bounds(rules, &low, &high);
    if (value < low || value > high)
        return 2;
    if (rules.mode == NumberRules::Real && point >= 0) {
        for (int i = point + 1 + rules.decimals; i < text.size(); ++i) {
            if (text[i] != QLatin1Char('0'))
                return 3;
        }
    }
    return 0;
}

QString NumberCheckMessage(const NumberRules& rules, int result)
{
    switch (result) {
        case 1:
            return QStringLiteral("値が正しくありません。\n\n（数値を入力してください。）");
        case 2: {
            // Integer fields name the int range for a side without a bound; real fields their bounds.
            double low = rules.minimum, high = rules.maximum;
            if (rules.mode == NumberRules::Integer)
                Bounds(rules, &low, &high);
            const int places = rules.decimals > 0 ? rules.decimals : 0;
            return QStringLiteral("数値が範囲外です。\n\n（%1 ～ %2 までの範囲で入力してください。）")
                .arg(FixedText(low, places), FixedText(high, places));
        }
        case 3:
            return QStringLiteral("小数桁がオーバーしています。\n\n（少数 %1桁 以内で入力してください。）")
                .arg(rules.decimals);
        default:
            return {};
    }
}

}  // namespace app
