#include <gtest/gtest.h>

#include "fe/geo/TileTextImage.h"

using namespace fe::geo;

TEST(PlaceholderTiles, CheckeredGreyWithTextAndAGridLine)
{
    const TileTextImage set;
    for (int i = 0; i < kPlaceholderCount; ++i) {
        const auto which = static_cast<TilePlaceholder>(i);
        const QImage& tile = set.Get(which);
        ASSERT_EQ(tile.size(), QSize(256, 256)) << i;
        EXPECT_EQ(tile.pixel(0, 100), qRgb(0, 0, 0));  // top and left edges are the grid
        EXPECT_EQ(tile.pixel(100, 0), qRgb(0, 0, 0));
        EXPECT_EQ(tile.pixel(5, 5), qRgb(120, 120, 120));  // the top-left cell is the lighter one
        EXPECT_EQ(tile.pixel(20, 5), qRgb(100, 100, 100));
        EXPECT_EQ(tile.pixel(255, 255), qRgb(120, 120, 120));
        EXPECT_EQ(tile.pixel(255, 230), qRgb(100, 100, 100));
        int white = 0;
        int halo = 0;
        for (int y = 110; y < 150; ++y)
            for (int x = 0; x < 256; ++x) {
                white += tile.pixel(x, y) == qRgb(255, 255, 255);
                halo += tile.pixel(x, y) == qRgb(60, 60, 60);
            }
        EXPECT_GT(white, 50) << i;
        EXPECT_GT(halo, 20) << i;
    }
    EXPECT_EQ(PlaceholderText(TilePlaceholder::Downloading), QString::fromUtf8("ダウンロード中"));
    EXPECT_EQ(PlaceholderText(TilePlaceholder::TileOutOfRange), QString::fromUtf8("タイル範囲外"));
}
