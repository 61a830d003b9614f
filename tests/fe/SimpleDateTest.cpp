#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "fe/SimpleDate.h"

namespace {

fe::SimpleDate D(int y, int m, int d)
{
    return fe::SimpleDate{y, m, d};
}

fe::SimpleTime T(int h, int m, int s)
{
    return fe::SimpleTime{h, m, s};
}

}  // namespace

TEST(SimpleDate, SecondsBetweenTable)
{
    struct Case
    {
        fe::SimpleDate da;
        fe::SimpleTime ta;
        fe::SimpleDate db;
        fe::SimpleTime tb;
        std::uint32_t seconds;
    };
    const Case cases[] = {
        {D(2023, 12, 31), T(23, 59, 59), D(2024, 1, 1), T(0, 0, 0), 1},
        {D(2000, 2, 28), T(0, 0, 0), D(2000, 3, 1), T(0, 0, 0), 172800},
        {D(1900, 2, 28), T(0, 0, 0), D(1900, 3, 1), T(0, 0, 0), 86400},
        {D(2021, 6, 1), T(8, 0, 0), D(2021, 6, 1), T(9, 30, 15), 5415},
        {D(2000, 1, 1), T(0, 0, 0), D(2001, 1, 1), T(0, 0, 0), 366 * 86400},
        // 100 years (36524 days) do not fit in 31 bits; they still fit in 32.
        {D(1900, 1, 1), T(0, 0, 0), D(2000, 1, 1), T(0, 0, 0), 36524u * 86400u},
        // Beyond 32 bits the result saturates instead of wrapping.
        {D(1800, 1, 1), T(0, 0, 0), D(2000, 1, 1), T(0, 0, 0), UINT32_MAX},
        {D(0, 1, 1), T(0, 0, 0), D(INT_MAX, 12, 31), T(23, 59, 59), UINT32_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fe::SecondsBetween(c.da, c.ta, c.db, c.tb), c.seconds) << c.da.year << "/" << c.db.year;
        EXPECT_EQ(fe::SecondsBetween(c.db, c.tb, c.da, c.ta), c.seconds) << "swapped";
    }
}

TEST(SimpleDate, DayCountsAndBadMonths)
{
    EXPECT_EQ(D(2023, 1, 5).DayOfYear(), 5);
    EXPECT_EQ(D(2023, 3, 1).DayOfYear(), 60);
    EXPECT_EQ(D(2024, 3, 1).DayOfYear(), 61);
    EXPECT_EQ(D(2024, 12, 31).DayOfYear(), 366);
    // A month out of range (a damaged EXIF date) counts no preceding days.
    EXPECT_EQ(D(2024, 0, 7).DayOfYear(), 7);
    EXPECT_EQ(D(2024, 13, 7).DayOfYear(), 7);
    EXPECT_EQ(D(2024, -1000, 7).DayOfYear(), 7);

    EXPECT_EQ(D(2000, 1, 1).DaysSinceYear(2000), 1);
    EXPECT_EQ(D(2001, 1, 1).DaysSinceYear(2000), 367);
    EXPECT_EQ(D(2101, 1, 1).DaysSinceYear(2100), 366);  // 2100 is not a leap year
    EXPECT_EQ(D(1999, 12, 31).DaysSinceYear(2000), 0);
    EXPECT_EQ(D(2000, 1, 1).DaysSinceYear(1600), 146097 + 1);

    EXPECT_TRUE(fe::IsLeapYear(2000));
    EXPECT_FALSE(fe::IsLeapYear(1900));
    EXPECT_TRUE(fe::IsLeapYear(2024));
    EXPECT_FALSE(fe::IsLeapYear(2023));
}

TEST(SimpleDate, LaterAndToday)
{
    EXPECT_TRUE(D(2024, 1, 1).IsLaterThan(D(2023, 12, 31)));
    EXPECT_TRUE(D(2024, 2, 1).IsLaterThan(D(2024, 1, 31)));
    EXPECT_TRUE(D(2024, 2, 2).IsLaterThan(D(2024, 2, 1)));
    EXPECT_FALSE(D(2024, 2, 2).IsLaterThan(D(2024, 2, 2)));
    EXPECT_FALSE(D(2023, 12, 31).IsLaterThan(D(2024, 1, 1)));

    fe::SimpleDate today;
    today.SetToday();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // The date may have turned between the two readings only at midnight.
    EXPECT_EQ(today.year, local.tm_year + 1900);
    EXPECT_GE(today.month, 1);
    EXPECT_LE(today.month, 12);
    EXPECT_GE(today.day, 1);
    EXPECT_LE(today.day, 31);
}
