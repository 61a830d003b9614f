#include <gtest/gtest.h>

#include <climits>

#include "fe/Rect2i.h"
#include "fe/SegmentGeometry.h"

namespace {

TEST(SegmentGeometry, SignQuadrantGoesBySigns)
{
    const struct
    {
        Point2 p;
        int quadrant;
    } cases[] = {
        {{1, 0}, 1},
        {{0, 1}, 2},
        {{-1, 0}, 3},
        {{0, -1}, 4},
        {{0, 0}, 0},
        // The larger component does not decide, unlike Point2::Quadrant.
        {{1, 5}, 1},
        {{-5, 1}, 2},
        {{-1, -5}, 3},
        {{5, -1}, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SignQuadrant(c.p), c.quadrant) << c.p.x << "," << c.p.y;
}

TEST(SegmentGeometry, PointBeyondAndOffsetSegment)
{
    EXPECT_EQ(PointBeyond({0, 0}, {0, -10}, 32), Point2(0, -42));
    EXPECT_EQ(PointBeyond({3, 4}, {3, 4}, 32), Point2(3, 4));  // a zero segment gives its end

    // A positive distance moves a left-to-right segment up on screen, a negative one down.
    auto [a0, a1] = OffsetSegment({0, 0}, {10, 0}, 5);
    EXPECT_NEAR(a0.x, 0, 1e-12);
    EXPECT_NEAR(a0.y, -5, 1e-12);
    EXPECT_NEAR(a1.x, 10, 1e-12);
    EXPECT_NEAR(a1.y, -5, 1e-12);
    auto [b0, b1] = OffsetSegment({0, 0}, {10, 0}, -5);
    EXPECT_NEAR(b0.y, 5, 1e-12);
    EXPECT_NEAR(b1.y, 5, 1e-12);
    // A zero-length segment offsets along (0, −1) for a positive distance.
    auto [z0, z1] = OffsetSegment({2, 2}, {2, 2}, 3);
    EXPECT_NEAR(z0.x, 2, 1e-12);
    EXPECT_NEAR(z0.y, -1, 1e-12);
    EXPECT_NEAR(z1.y, -1, 1e-12);
    auto [n0, n1] = OffsetSegment({2, 2}, {7, 2}, 0);
    EXPECT_EQ(n0, Point2(2, 2));
    EXPECT_EQ(n1, Point2(7, 2));
}

TEST(SegmentGeometry, BoxesOverlapNeedsACrossingOrContainment)
{
    const Rect2 box(0, 0, 10, 10);
    const struct
    {
        const char* what;
        Rect2 other;
        bool overlap;
    } cases[] = {
        {"edges cross", Rect2(5, 5, 15, 15), true},
        {"inside", Rect2(2, 2, 3, 3), true},
        {"around", Rect2(-5, -5, 20, 20), true},
        {"same box", Rect2(0, 0, 10, 10), true},
        {"cross shape", Rect2(-5, 4, 15, 6), true},
        {"apart", Rect2(20, 20, 30, 30), false},
        {"touching at an edge", Rect2(10, 0, 20, 10), false},
        {"touching at a corner", Rect2(10, 10, 20, 20), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BoxesOverlap(box, c.other), c.overlap) << c.what;
        EXPECT_EQ(BoxesOverlap(c.other, box), c.overlap) << c.what << " (swapped)";
    }
    // Containment compares like with like: a box stored with a descending axis must be ordered first.
    const Rect2 descending(0, 10, 10, 0);
    EXPECT_FALSE(BoxesOverlap(descending, Rect2(2, 2, 3, 3)));
    EXPECT_TRUE(BoxesOverlap(OrderedBox(descending), Rect2(2, 2, 3, 3)));
}

TEST(SegmentGeometry, IntegerBoundsAndContains)
{
    EXPECT_EQ(Rect2i::BoundsOfPoints({}), Rect2i(INT_MAX, INT_MAX, INT_MAX, INT_MAX));
    const Rect2i box = Rect2i::BoundsOfPoints({QPoint(5, -2), QPoint(-3, 7), QPoint(1, 1)});
    EXPECT_EQ(box, Rect2i(-3, -2, 5, 7));

    const Rect2i reversed(10, 20, 0, 5);  // either order on each axis
    EXPECT_TRUE(reversed.Contains(0, 5));
    EXPECT_TRUE(reversed.Contains(10, 20));
    EXPECT_TRUE(reversed.Contains(4, 12));
    EXPECT_FALSE(reversed.Contains(11, 12));
    EXPECT_FALSE(reversed.Contains(4, 4));
}

}  // namespace
