#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "fe/NumberText.h"
#include "fe/TextFormat.h"

TEST(TextFormat, FormatsTable)
{
    struct Case
    {
        QString got, expected;
    };
    const Case cases[] = {
        {fe::IntToText(-42), "-42"},
        {fe::IntToText(7, "p%06d.jpg"), "p000007.jpg"},
        {fe::IntToText(2024, "%04d"), "2024"},
        {fe::IntToText(3, "%02d"), "03"},
        {fe::IntToText(5, "%ld%%"), "5%"},
        {fe::UIntToText(4294967295u), "4294967295"},
        {fe::UIntToText(255, "%X"), "FF"},
        {fe::DoubleToText(1.5), "1.500000"},
        {fe::DoubleToText(-0.125, "%.2f m"), "-0.12 m"},
        {fe::DoubleToText(35.658, "%8.3lf"), "  35.658"},
        {fe::FormatText(QStringLiteral("写真")), QStringLiteral("写真")},
        {fe::FormatText(QStringLiteral("写真"), "[%-4s]"), QStringLiteral("[写真  ]")},
        {fe::FormatText(QStringLiteral("写真台帳"), "%.2s"), QStringLiteral("写真")},
        // Formats that do not suit the value, or hold more than one conversion, give nothing.
        {fe::IntToText(1, "%s"), ""},
        {fe::IntToText(1, "%d %d"), ""},
        {fe::IntToText(1, "%*d"), ""},
        {fe::DoubleToText(1, "%d"), ""},
        {fe::FormatText("x", "%n"), ""},
        {fe::FormatText("x", "no conversion"), ""},
        {fe::IntToText(1, "%99999d"), ""},
        // Widths and precisions up to 4095 are written, larger ones refused.
        {fe::IntToText(1, "%4095d"), QString(4094, u' ') + u'1'},
        {fe::IntToText(1, "%4096d"), ""},
        {fe::DoubleToText(0.5, "%.4095f"), "0.5" + QString(4094, u'0')},
        {fe::DoubleToText(0.5, "%.4096f"), ""},
        {fe::FormatText("ab", "%-4095s"), "ab" + QString(4093, u' ')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(TextFormat, NumbersIgnoreADecimalCommaLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "de_DE.UTF-8 is not generated";
    char plain[16];
    std::snprintf(plain, sizeof plain, "%.1f", 1.5);  // the C library itself now writes a comma
    const QString fixed = fe::DoubleToText(35.2);
    const QString precise = fe::DoubleToText(1234567.5, "%.1f");
    const QString six = fe::DoubleToFixed6(-0.5);
    double scanned = 0;
    const bool ok = fe::ScanDouble(QStringLiteral("139.75"), scanned);
    std::setlocale(LC_ALL, saved.c_str());

    EXPECT_STREQ(plain, "1,5");
    EXPECT_EQ(fixed, "35.200000");
    EXPECT_EQ(precise, "1234567.5");
    EXPECT_EQ(six, "-0.500000");
    EXPECT_TRUE(ok);
    EXPECT_EQ(scanned, 139.75);
}
