#include <gtest/gtest.h>

#include <random>

#include "xlsx/Geometry.h"
#include "xlsx/XmlText.h"

namespace xlsx {

TEST(CellText, IsCleanedForXml)
{
    struct Case
    {
        std::string in, out;
    };
    const Case cases[] = {
        {"a\r\nb\rc\nd", "a\nb\nc\nd"},
        {std::string("x\x01y\x1F\tz", 6), "xy\tz"},
        {"\xEF\xBF\xBE\xEF\xBF\xBF!", "!"},              // U+FFFE, U+FFFF
        {"\xED\xA0\x80lone", "lone"},                    // an encoded surrogate
        {"\xC3(\xF0\x9F\x98\x80", "(\xF0\x9F\x98\x80"},  // a broken sequence; a valid emoji stays
        {"写真 <&>", "写真 <&>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanCellText(c.in), c.out) << c.in;
    EXPECT_EQ(CleanCellText(std::string(40000, 'a')).size(), 32767u);
    EXPECT_EQ(Escaped("a<&>\"b", true), "a&lt;&amp;&gt;&quot;b");
}

TEST(CellText, NumbersReadBackExactly)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> degrees(-180, 180);
    for (int i = 0; i < 10000; ++i) {
        const double value = degrees(random);
        double back = 0;
        ASSERT_TRUE(ParseNumber(NumberText(value), back));
        ASSERT_EQ(back, value);
    }
    EXPECT_EQ(NumberText(139), "139");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(1e300), "1e+300");
}

TEST(Geometry, AnchorsWalkRealColumnWidthsAndRowHeights)
{
    Sheet sheet;
    sheet.defaultRowHeight = 13.5;
    sheet.cols[2].width = 10;  // 80 px
    sheet.rows[3].height = 30;
    const std::int64_t px = kEmuPerPixel, pt = kEmuPerPoint;
    // From B3: 100 px right crosses B (80 px) into C; 35 pt down crosses row 3 (30 pt) into row 4.
    Anchor a = AnchorAt(sheet, 3, 2, 100 * px, 35 * pt, 10, 20);
    EXPECT_EQ(a.col, 2);
    EXPECT_EQ(a.colOff, 20 * px);
    EXPECT_EQ(a.row, 3);
    EXPECT_EQ(a.rowOff, 5 * pt);
    EXPECT_EQ(a.cx, 10);
    // Negative offsets walk back: 10 px left of B is 62 px into A (72 px); far left stops at A1.
    a = AnchorAt(sheet, 3, 2, -10 * px, -40 * pt, 1, 1);
    EXPECT_EQ(a.col, 0);
    EXPECT_EQ(a.colOff, 62 * px);
    EXPECT_EQ(a.row, 0);
    EXPECT_EQ(a.rowOff, 0);
    EXPECT_DOUBLE_EQ(StoredColumnWidth(14), 14.625);
}

}  // namespace xlsx
