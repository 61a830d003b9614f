#include <gtest/gtest.h>

#include "fe/geo/TileMemCache.h"

using namespace fe::geo;

namespace {

QImage Solid(QRgb colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

TEST(TileMemoryCache, KeysWithEqualHashesStayApart)
{
    TileMemCache cache;
    const TileIndex a(18, 264, 258851);
    const TileIndex b(18, 289, 100);
    ASSERT_EQ(a.Hash(), b.Hash());
    cache.Insert(a, Solid(qRgb(255, 0, 0)));
    EXPECT_EQ(cache.Find(b), nullptr);
    cache.Insert(b, Solid(qRgb(0, 0, 255)));
    EXPECT_EQ(cache.Find(a)->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(cache.Find(b)->pixel(0, 0), qRgb(0, 0, 255));
}

TEST(TileMemoryCache, GenerationSwapKeepsTheFullGenerationSearchable)
{
    TileMemCache cache;
    cache.Reset(3);
    for (int x = 0; x < 3; ++x)
        cache.Insert(TileIndex(5, x, 0), Solid(qRgb(x, 0, 0)));
    EXPECT_EQ(cache.Size(0), 3);  // reaching the capacity swaps nothing by itself
    cache.SwapWhenFull();
    EXPECT_EQ(cache.CurrentGeneration(), 1);
    cache.Insert(TileIndex(5, 9, 0), Solid(qRgb(9, 0, 0)));
    // A hit in the older generation is returned where it is, not moved.
    ASSERT_NE(cache.Find(TileIndex(5, 1, 0)), nullptr);
    EXPECT_EQ(cache.Size(0), 3);
    EXPECT_EQ(cache.Size(1), 1);
    cache.SwapWhenFull();  // not full: nothing happens
    EXPECT_EQ(cache.CurrentGeneration(), 1);
    cache.Insert(TileIndex(5, 10, 0), Solid(0));
    cache.Insert(TileIndex(5, 11, 0), Solid(0));
    cache.SwapWhenFull();  // generation 0 is dropped and becomes current
    EXPECT_EQ(cache.CurrentGeneration(), 0);
    EXPECT_EQ(cache.Size(0), 0);
    EXPECT_EQ(cache.Find(TileIndex(5, 1, 0)), nullptr);
    EXPECT_NE(cache.Find(TileIndex(5, 9, 0)), nullptr);
    cache.Reset(100);
    EXPECT_EQ(cache.Size(1), 0);
    EXPECT_EQ(cache.Capacity(), 100);
}
