#include "app/photos/YearFirstDate.h"

namespace app {
namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x3000) || c == QLatin1Char('\t');
}

void SkipBlanks(const QString& text, qsizetype& at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

// Reads 1 to `most` ASCII digits at `at`; -1 when there are none or more than `most`.
int ReadNumber(const QString& text, qsizetype& at, int fewest, int most)
{
    int value = 0;
    int digits = 0;
    while (at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9')) {
        if (++digits > most)
            return -1;
        value = value * 10 + (text[at].unicode() - '0');
        ++at;
    }
    return digits >= fewest ? value : -1;
}

bool ReadSeparator(const QString& text, qsizetype& at, const QString& separators)
{
    SkipBlanks(text, at);
    if (at < text.size() && separators.contains(text[at])) {
        ++at;
        SkipBlanks(text, at);
        return true;
    }
    return false;
}

}  // namespace

std::optional<QDate> ParseYearFirstDate(const QString& text)
{
    const QString separators = QStringLiteral("/-.:");
    qsizetype at = 0;
    SkipBlanks(text, at);
    const int year = ReadNumber(text, at, 4, 4);
    if (year < 1 || !ReadSeparator(text, at, separators + QChar(0x5E74)))  // 年
        return std::nullopt;
    const int month = ReadNumber(text, at, 1, 2);
    if (month < 0 || !ReadSeparator(text, at, separators + QChar(0x6708)))  // 月
        return std::nullopt;
    const int day = ReadNumber(text, at, 1, 2);
    if (day < 0)
        return std::nullopt;
    SkipBlanks(text, at);
    if (at < text.size() && text[at] == QChar(0x65E5))  // 日
        ++at;
    SkipBlanks(text, at);
    if (at != text.size())
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> ParseShotTime(const QString& text)
{
    const QString colon = QStringLiteral(":");
    qsizetype at = 0;
    SkipBlanks(text, at);
    const int hour = ReadNumber(text, at, 1, 2);
    if (hour < 0 || !ReadSeparator(text, at, colon))
        return std::nullopt;
    const int minute = ReadNumber(text, at, 1, 2);
    if (minute < 0 || !ReadSeparator(text, at, colon))
        return std::nullopt;
    const int second = ReadNumber(text, at, 1, 2);
    if (second < 0)
        return std::nullopt;
    SkipBlanks(text, at);
    if (at != text.size() || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    return QTime(hour, minute, second);
}

QString YearFirstText(const QDate& date)
{
    return QString::asprintf("%04d/%02d/%02d", date.year(), date.month(), date.day());
}

QString KeptDateText(const QString& typed)
{
    return ParseYearFirstDate(typed) ? typed : QString();
}

}  // namespace app
