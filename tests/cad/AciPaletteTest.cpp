#include <gtest/gtest.h>

#include "cad/AciPalette.h"

using namespace fe::cad;

TEST(AciPalette, ColourOfIndex)
{
    struct Case
    {
        int index;
        int r, g, b;
    };
    const Case cases[] = {
        {0, 0, 0, 0},         {7, 0, 0, 0},         {256, 0, 0, 0},       {1, 255, 0, 0},
        {9, 192, 192, 192},   {10, 255, 0, 0},      {11, 255, 127, 127},  {14, 152, 0, 0},
        {20, 255, 63, 0},     {21, 255, 159, 127},  {62, 153, 204, 0},    {150, 0, 127, 255},
        {249, 76, 38, 47},    {208, 66, 38, 76},    {218, 76, 38, 76},    {228, 76, 38, 66},
        {236, 127, 0, 61},    {250, 51, 51, 51},    {254, 214, 214, 214}, {255, 255, 255, 255},
        {300, 255, 255, 255}, {257, 255, 255, 255},
    };
    for (const Case& c : cases) {
        const auto rgb = AciToRgb(c.index);
        ASSERT_TRUE(rgb.has_value()) << c.index;
        EXPECT_EQ(*rgb, MakeRgb(c.r, c.g, c.b)) << "index " << c.index;
    }
    EXPECT_FALSE(AciToRgb(-1).has_value());
}

TEST(AciPalette, NearestIndex)
{
    struct Case
    {
        int r, g, b;
        int expected;
    };
    const Case cases[] = {
        {0, 0, 0, 7},         {255, 255, 255, 255}, {128, 128, 128, 8}, {255, 128, 0, 30},
        {100, 100, 100, 251}, {255, 0, 0, 1},       {66, 38, 76, 208},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestAci(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
}
