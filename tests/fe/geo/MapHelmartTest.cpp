#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fe/Failure.h"
#include "fe/Unset.h"
#include "fe/geo/MapHelmart.h"

using fe::geo::MapHelmart;

namespace {

MapHelmart Similarity(double scale, double angle, double c, double d)
{
    MapHelmart h;
    h.a = scale * std::cos(angle);
    h.b = scale * std::sin(angle);
    h.c = c;
    h.d = d;
    return h;
}

void ExpectRelativelyNear(double actual, double expected, double relative)
{
    EXPECT_NEAR(actual, expected, relative * std::max(1.0, std::abs(expected)));
}

TEST(MapHelmart, QuarterTurnWithScaleAndShift)
{
    MapHelmart h;
    ASSERT_TRUE(h.Set({{0, 0}, {1, 0}}, {{10, 10}, {10, 12}}));
    EXPECT_NEAR(h.a, 0, 1e-15);
    EXPECT_NEAR(h.b, -2, 1e-15);
    EXPECT_NEAR(h.c, 10, 1e-15);
    EXPECT_NEAR(h.d, 10, 1e-15);
}

// Picture pixels of a large scanned map onto plane rectangular metres far from the zone origin.
TEST(MapHelmart, RecoversAKnownSimilarity)
{
    const MapHelmart truth = Similarity(0.2537, 0.3141, -35363.2377, 59721.8254);
    std::vector<Point2> pixels;
    std::vector<Point2> plane;
    for (double x : {0.0, 3187.0, 9921.0, 14033.0}) {
        for (double y : {0.0, 5210.0, 10017.0}) {
            pixels.emplace_back(x, y);
            plane.push_back(truth.Map({x, y}));
        }
    }
    MapHelmart fit;
    ASSERT_TRUE(fit.Set(pixels, plane));
    ExpectRelativelyNear(fit.a, truth.a, 1e-9);
    ExpectRelativelyNear(fit.b, truth.b, 1e-9);
    ExpectRelativelyNear(fit.c, truth.c, 1e-9);
    ExpectRelativelyNear(fit.d, truth.d, 1e-9);

    // The reverse fit undoes it.
    MapHelmart reverse;
    ASSERT_TRUE(reverse.Set(plane, pixels));
    const Point2 round = reverse.Map(fit.Map({1234.5, 6789.25}));
    EXPECT_NEAR(round.x, 1234.5, 1e-6);
    EXPECT_NEAR(round.y, 6789.25, 1e-6);
}

TEST(MapHelmart, ListsOfDifferentLengthThrowAndKeepTheOldFit)
{
    MapHelmart h;
    ASSERT_TRUE(h.Set({{0, 0}, {1, 0}}, {{10, 10}, {10, 12}}));
    const MapHelmart before = h;
    try {
        h.Set({{0, 0}, {1, 0}}, {{1, 1}});
        FAIL() << "no throw";
    } catch (const fe::Failure& failure) {
        EXPECT_EQ(failure.Text(), "MapHelmart.Set");
    }
    EXPECT_EQ(h.a, before.a);
    EXPECT_EQ(h.b, before.b);
    EXPECT_EQ(h.c, before.c);
    EXPECT_EQ(h.d, before.d);
}

// Without two distinct source points there is nothing to fit: the transform is the identity and
// the caller is told, instead of dividing by zero.
TEST(MapHelmart, DegenerateFitsAreRefusedAndLeaveTheIdentity)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* what;
        std::vector<Point2> source;
        std::vector<Point2> target;
    };
    const Case cases[] = {
        {"no points", {}, {}},
        {"one pair", {{5, 5}}, {{100, 200}}},
        {"coincident points", {{5, 5}, {5, 5}, {5, 5}}, {{1, 1}, {2, 2}, {3, 3}}},
        {"not a number", {{0, 0}, {nan, 1}}, {{0, 0}, {1, 1}}},
        {"unset coordinates", {{0, 0}, {kUnset, 0}}, {{0, 0}, {1, 1}}},
        {"infinite target", {{0, 0}, {1, 0}}, {{0, 0}, {std::numeric_limits<double>::infinity(), 0}}},
    };
    for (const Case& c : cases) {
        MapHelmart h;
        ASSERT_TRUE(h.Set({{0, 0}, {1, 0}}, {{10, 10}, {10, 12}}));
        EXPECT_FALSE(h.Set(c.source, c.target)) << c.what;
        EXPECT_TRUE(h.IsIdentity()) << c.what;
        const Point2 p = h.Map({3, 4});
        EXPECT_EQ(p, Point2(3, 4)) << c.what;
    }
}

}  // namespace
