#include <gtest/gtest.h>

#include <cmath>

#include "cad/CadGeometry.h"
#include "cad/CadText.h"

using namespace fe::cad;

TEST(CadGeometry, RotatePointTurnsCounterClockwise)
{
    const Point2 p = RotatePoint(1, 1, 2, 1, M_PI / 2);
    EXPECT_NEAR(p.x, 1.0, 1e-12);
    EXPECT_NEAR(p.y, 2.0, 1e-12);
    const Point2 same = RotatePoint(5, 5, 0.1, 0.2, 0.0);
    EXPECT_EQ(same, Point2(0.1, 0.2));
}

TEST(CadGeometry, OcsToWcs)
{
    // The default normal returns the point bit for bit.
    const Point3 p(0.1, 1e300, -3.3);
    EXPECT_EQ(OcsToWcs(p, Point3(0, 0, 1)), p);
    // The mirrored normal turns x and z over.
    const Point3 q = OcsToWcs(1.5, 2.5, 3.5, 0, 0, -1);
    EXPECT_DOUBLE_EQ(q.x, -1.5);
    EXPECT_DOUBLE_EQ(q.y, 2.5);
    EXPECT_DOUBLE_EQ(q.z, -3.5);
    // A normal along x: the OCS x axis is world y (Wz × N), the OCS y axis world z.
    const Point3 r = OcsToWcs(1, 2, 3, 1, 0, 0);
    EXPECT_NEAR(r.x, 3, 1e-12);
    EXPECT_NEAR(r.y, 1, 1e-12);
    EXPECT_NEAR(r.z, 2, 1e-12);
}

TEST(CadText, HandlesAndCaseFolding)
{
    EXPECT_EQ(HandleText(0), "0");
    EXPECT_EQ(HandleText(11), "B");
    EXPECT_EQ(HandleText(255), "FF");
    EXPECT_EQ(HandleText(0x1A2B), "1A2B");

    EXPECT_TRUE(EqualsIgnoreCase("DefPoints", "defpoints"));
    EXPECT_FALSE(EqualsIgnoreCase("defpoint", "defpoints"));
    // Only A-Z fold: accented capitals and full-width letters stay as they are.
    EXPECT_FALSE(EqualsIgnoreCase(QString::fromUtf8("É"), QString::fromUtf8("é")));
    EXPECT_FALSE(EqualsIgnoreCase(QString::fromUtf8("Ａ"), QString::fromUtf8("ａ")));
    EXPECT_FALSE(EqualsIgnoreCase("I", QString::fromUtf8("ı")));
}

TEST(CadText, Cp932ToWide)
{
    // 写真 ① in code page 932; ① exists only in the Windows variant of Shift_JIS.
    const char bytes[] = "\x8E\xCA\x90\x5E\x20\x87\x40";
    EXPECT_EQ(Cp932ToWide(std::string_view(bytes, 7)), QString::fromUtf8("写真 ①"));
    EXPECT_EQ(Cp932ToWide("ABC"), "ABC");
}
