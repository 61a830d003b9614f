#include <gtest/gtest.h>

#include <random>

#include "report/ReportGeometry.h"

TEST(ReportGeometry, FitSizeInBoxTruncatesAndClamps)
{
    struct Case
    {
        int w, h, boxW, boxH;
        QSize fit;
    };
    const Case cases[] = {
        {691, 600, 4000, 2050, {2360, 2050}},
        {1080, 548, 4000, 2050, {4000, 2029}},
        {700, 1000, 4000, 2050, {1435, 2050}},
        {100, 100, 50, 200, {50, 50}},
        {0, 100, 50, 50, {0, 0}},
        {100, 100, 0, 50, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitSizeInBox(c.w, c.h, c.boxW, c.boxH), c.fit) << c.w << "x" << c.h;
}

TEST(ReportGeometry, DegreesMinutesSecondsCarryRoundedSeconds)
{
    struct Case
    {
        double degrees;
        const char* text;
    };
    const Case cases[] = {
        {35.5, "35°30′0.00″"},   {139.7, "139°42′0.00″"},  // (139.7 − 139) · 60 is 41.99999999999932
        {-35.5, "-35°30′0.00″"}, {35.999999999, "36°0′0.00″"}, {35.0001, "35°0′0.36″"}, {0, "0°0′0.00″"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDms(c.degrees), QString::fromUtf8(c.text)) << c.degrees;

    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> latitude(20, 46);
    for (int i = 0; i < 100000; ++i) {
        const QString text = FormatDms(latitude(random));
        ASSERT_FALSE(text.contains(QString::fromUtf8("60′")) || text.contains(QString::fromUtf8("60.00″")) ||
                     text.contains(QString::fromUtf8("′60.")))
            << text.toStdString();
    }
}

TEST(ReportGeometry, OutputPathAddsXlsxUnlessTheExtensionIsExactlyXlsx)
{
    struct Case
    {
        const char* folder;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"/out", "book", "/out/book.xlsx"},
        {"/out/", "book.xlsx", "/out/book.xlsx"},
        {"/out", "book.xls", "/out/book.xls.xlsx"},
        {"/out", "book.XLSX", "/out/book.XLSX.xlsx"},
        {"", "book", "book.xlsx"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportOutputPath(c.folder, c.name), c.path) << c.name;
}
