#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "fe/NumberText.h"

namespace {

std::string Fast(double value, int decimals)
{
    char buffer[400];
    const auto result = fe::ToCharsFixed(buffer, buffer + sizeof buffer, value, decimals);
    EXPECT_EQ(result.ec, std::errc());
    return std::string(buffer, result.ptr);
}

std::string Reference(double value, int decimals)
{
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

double FromBits(std::uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

TEST(FixedNotation, EdgeValuesMatchTheStandardConversion)
{
    const double values[] = {0.0,
                             -0.0,
                             2.5,
                             -0.25,
                             139.7,
                             1234.5678,
                             0.5,
                             1.5,
                             2.5e-7,   // rounds at the sixth decimal
                             -1e-9,    // a negative value that rounds to zero keeps its sign
                             0x1p-17,  // 0.00000762939453125: an exact tie at the 16th decimal
                             3 * 0x1p-17,
                             0.0000005,
                             0.0000015,
                             0.0000025,
                             0.125,
                             0.375,
                             999999.9999995,
                             0x1p53 - 1,
                             -(0x1p53 - 1),
                             0x1p53,  // the first value of the general path
                             1e300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (const double value : values) {
        for (const int decimals : {0, 1, 6, 12, 16, 17, 20}) {
            SCOPED_TRACE(testing::Message() << value << " with " << decimals << " decimals");
            EXPECT_EQ(Fast(value, decimals), Reference(value, decimals));
        }
    }
    EXPECT_EQ(Fast(139.7, 16), "139.6999999999999886");
    EXPECT_EQ(Fast(0x1p-17, 16), "0.0000076293945312");  // the tie goes to the even digit
    EXPECT_EQ(Fast(3 * 0x1p-17, 16), "0.0000228881835938");
}

TEST(FixedNotation, RandomValuesMatchTheStandardConversion)
{
    std::mt19937_64 random(20240509);
    std::uniform_real_distribution<double> coordinate(-1e7, 1e7);
    std::uniform_int_distribution<int> decimals(0, 17);
    for (int i = 0; i < 200000; ++i) {
        // Plain coordinates, short decimals (many ties and near-ties) and arbitrary bit patterns.
        double value = coordinate(random);
        if (i % 3 == 1)
            value = std::round(value * 1000.0) / 1e6;
        else if (i % 3 == 2)
            value = FromBits(random());
        const int d = decimals(random);
        ASSERT_EQ(Fast(value, d), Reference(value, d)) << value << " with " << d << " decimals";
    }
}

TEST(FixedNotation, ReportsAShortBuffer)
{
    char buffer[4];
    const auto result = fe::ToCharsFixed(buffer, buffer + sizeof buffer, 12.5, 6);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
    EXPECT_EQ(result.ptr, buffer + sizeof buffer);
}
