#pragma once

#include <QString>
#include <cstdint>

namespace fe {

// A calendar date (month 1-12, day 1-31) as photos, tracks and dated folders carry it.
struct SimpleDate
{
    std::int32_t year = 0;
    std::int32_t month = 1;
    std::int32_t day = 1;

    // 1 for 1 January. A month outside 1-12 counts no preceding days (the day alone).
    int DayOfYear() const;
    // Days from the day before 1 January of startYear to this date (so 1 January of startYear
    // gives 1); 0 when the date's year is before startYear.
    std::int64_t DaysSinceYear(int startYear) const;
    // The local date now. Throws fe::Failure("Invalid argument to _localtime64_s.") when the
    // clock cannot be converted to local time.
    void SetToday();
    // True when this date is later than the other: years first, then months, then days.
    bool IsLaterThan(const SimpleDate& other) const;
    // Reads year, month and day as three runs of digits, skipping any other characters before each
    // ("2020/04/01", "2020-4-1", "2020年4月1日"). True only when all three were read and make a calendar
    // date (IsCalendarDate); otherwise the date is 0, 1, 1.
    bool Parse(const QString& text);
};

// A time of day.
struct SimpleTime
{
    std::int32_t hour = -1;
    std::int32_t minute = 0;
    std::int32_t second = 0;

    // Hour, minute and second read as SimpleDate::Parse reads a date; otherwise the time is -1, 0, 0.
    bool Parse(const QString& text);
};

// True for leap years of the Gregorian calendar.
bool IsLeapYear(int year);

// A real date of the Gregorian calendar in the years 1 to 9999 ("0000:00:00" and 30 February are not).
bool IsCalendarDate(int year, int month, int day);

// The absolute number of seconds between two date-times. Computed in 64 bits; a distance that
// does not fit in 32 bits gives UINT32_MAX.
std::uint32_t SecondsBetween(const SimpleDate& dateA, const SimpleTime& timeA, const SimpleDate& dateB,
                             const SimpleTime& timeB);

}  // namespace fe
