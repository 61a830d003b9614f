#include "fe/SimpleDate.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <ctime>

#include "fe/Failure.h"
#include "fe/Textcsr.h"

namespace fe {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Leap years among the years 1 to n (extended to n <= 0 so that differences stay right).
std::int64_t LeapYearsUpTo(std::int64_t n)
{
    return FloorDiv(n, 4) - FloorDiv(n, 100) + FloorDiv(n, 400);
}

std::int64_t SecondsOfDay(const SimpleTime& t)
{
    return std::int64_t{t.hour} * 3600 + std::int64_t{t.minute} * 60 + t.second;
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool IsCalendarDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const int days = month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
    return day <= days;
}

int SimpleDate::DayOfYear() const
{
    // A bad month from a damaged EXIF or track date must not read outside the month table.
    int days = 0;
    if (month >= 2 && month <= 12) {
        for (int m = 1; m < month; ++m)
            days += kMonthDays[m - 1];
        if (month > 2 && IsLeapYear(year))
            ++days;
    }
    return day > INT_MAX - days ? INT_MAX : days + day;
}

std::int64_t SimpleDate::DaysSinceYear(int startYear) const
{
    if (year < startYear)
        return 0;
    const std::int64_t years = std::int64_t{year} - startYear;
    const std::int64_t leaps =
        LeapYearsUpTo(std::int64_t{year} - 1) - LeapYearsUpTo(std::int64_t{startYear} - 1);
    return years * 365 + leaps + DayOfYear();
}

void SimpleDate::SetToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &local))
        throw Failure(QStringLiteral("Invalid argument to _localtime64_s."));
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

bool SimpleDate::IsLaterThan(const SimpleDate& other) const
{
    if (year != other.year)
        return year > other.year;
    if (month != other.month)
        return month > other.month;
    return day > other.day;
}

std::uint32_t SecondsBetween(const SimpleDate& dateA, const SimpleTime& timeA, const SimpleDate& dateB,
                             const SimpleTime& timeB)
{
    // Both sides count from the day before 1 January of the earlier year.
    const bool aFirst = dateA.year <= dateB.year;
    const SimpleDate& early = aFirst ? dateA : dateB;
    const SimpleDate& late = aFirst ? dateB : dateA;
    const std::int64_t early_s =
        std::int64_t{early.DayOfYear()} * 86400 + SecondsOfDay(aFirst ? timeA : timeB);
    const std::int64_t late_s = late.DaysSinceYear(early.year) * 86400 + SecondsOfDay(aFirst ? timeB : timeA);
    const std::int64_t diff = early_s > late_s ? early_s - late_s : late_s - early_s;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(diff, UINT32_MAX));
}

namespace {

// Reads three runs of digits, each after the non-digits before it; false when a run is missing.
bool ReadThreeNumbers(const QString& text, int (&values)[3])
{
    Textcsr cursor(text);
    for (int& value : values) {
        while (!cursor.AtEnd() && !((*cursor).unicode() >= u'0' && (*cursor).unicode() <= u'9')) {
            ++cursor;
        }
        if (cursor.ReadUInt(value) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool SimpleDate::Parse(const QString& text)
{
    *this = SimpleDate();
    int values[3] = {};
    if (!ReadThreeNumbers(text, values) || !IsCalendarDate(values[0], values[1], values[2])) {
        return false;
    }
    year = values[0];
    month = values[1];
    day = values[2];
    return true;
}

bool SimpleTime::Parse(const QString& text)
{
    *this = SimpleTime();
    int values[3] = {};
    if (!ReadThreeNumbers(text, values)) {
        return false;
    }
    hour = values[0];
    minute = values[1];
    second = values[2];
    return true;
}

}  // namespace fe
