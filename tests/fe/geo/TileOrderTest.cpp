#include <gtest/gtest.h>

#include "fe/geo/TileOrder.h"

using namespace fe::geo;

TEST(TileOrder, CentreOutOrderOfTheValuesBetweenTheEnds)
{
    struct Case
    {
        int a;
        int b;
        std::vector<int> order;
    };
    const Case cases[] = {
        {0, 4, {2, 1, 3}},
        {0, 3, {1, 2}},
        {0, 5, {2, 3, 1, 4}},
        {5, 0, {2, 3, 1, 4}},
        {-4, -1, {-2, -3}},
        {-5, 0, {-2, -3, -1, -4}},
        {0, 8, {4, 3, 5, 2, 6, 1, 7}},
        {7, 7, {}},
        {7, 8, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentreOutOrder(c.a, c.b), c.order) << c.a << ".." << c.b;
    EXPECT_EQ(RangeEnds(4, 1), (std::vector<int>{1, 4}));
    EXPECT_EQ(RangeEnds(3, 3), (std::vector<int>{3}));
}

TEST(TileOrder, WholeTilesFromTheMiddleThenEdgeRowsThenEdgeColumns)
{
    const std::vector<QPoint> expected = {
        {2, 1}, {2, 2}, {1, 1}, {1, 2}, {3, 1}, {3, 2}, {2, 0}, {2, 3}, {1, 0}, {1, 3},
        {3, 0}, {3, 3}, {0, 1}, {0, 2}, {0, 0}, {0, 3}, {4, 1}, {4, 2}, {4, 0}, {4, 3},
    };
    EXPECT_EQ(OrderTilesCentreOut(TileRange{0, 4, 0, 3}), expected);
    // One column: its rows from the middle out, then its two end rows.
    EXPECT_EQ(OrderTilesCentreOut(TileRange{6, 6, 0, 3}),
              (std::vector<QPoint>{{6, 1}, {6, 2}, {6, 0}, {6, 3}}));
}
