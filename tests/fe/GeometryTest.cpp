#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

#include "fe/PixelGeometry.h"
#include "fe/Point2.h"
#include "fe/RealNumbers.h"
#include "fe/Rect2.h"
#include "fe/Unset.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(Unset, IsTheLargestFiniteDouble)
{
    EXPECT_EQ(kUnset, 1.7976931348623157e308);
    EXPECT_TRUE(std::isfinite(kUnset));

    Point2 p(3, 4);
    p.SetUnset();
    EXPECT_TRUE(IsUnset(p.x));
    EXPECT_EQ(p.y, 0.0);
}

TEST(Point2, AngleLiesInZeroToTwoPi)
{
    struct Case
    {
        Point2 v;
        double angle;
    };
    const Case cases[] = {
        {{1, 0}, 0.0}, {{0, 1}, kPi / 2}, {{-1, 0}, kPi}, {{0, -1}, 3 * kPi / 2}, {{1, -1}, 7 * kPi / 4},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.v.Angle(), c.angle, 1e-15) << c.v.x << "," << c.v.y;
    }
    // A vanishing negative y must not round up to 2π.
    const double tiny = Point2(1, -1e-300).Angle();
    EXPECT_GE(tiny, 0.0);
    EXPECT_LT(tiny, 2 * kPi);
    // A negative zero y (a rotated or negated vector) pointing west is π, not −π.
    EXPECT_EQ(Point2(-1, -0.0).Angle(), kPi);
}

TEST(Point2, QuadrantGoesByDominantComponentTiesToY)
{
    struct Case
    {
        double x, y;
        int quadrant;
    };
    const Case cases[] = {
        {0, 0, 0}, {1, 1, 2}, {-1, -1, 4}, {2, -1, 1}, {-2, 1, 3}, {1, -1, 4}, {-1, 1, 2}, {0, -0.5, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Point2(c.x, c.y).Quadrant(), c.quadrant) << c.x << "," << c.y;
        EXPECT_EQ(Point2f(float(c.x), float(c.y)).Quadrant(), c.quadrant) << c.x << "," << c.y;
    }
}

TEST(Point2, RotateIsCounterClockwiseAndUnitHasAFallback)
{
    const Point2 r = Point2(1, 0).Rotate(kPi / 2);
    EXPECT_NEAR(r.x, 0.0, 1e-15);
    EXPECT_NEAR(r.y, 1.0, 1e-15);
    const Point2f rf = Point2f(0, 2).Rotate(kPi / 2);
    EXPECT_NEAR(rf.x, -2.0f, 1e-6f);
    EXPECT_NEAR(rf.y, 0.0f, 1e-6f);

    EXPECT_EQ(Point2(0, 0).Unit(), Point2(1, 0));
    EXPECT_EQ(Point2(1e-15, 0).Unit(), Point2(1, 0));
    const Point2 u = Point2(3, -4).Unit();
    EXPECT_DOUBLE_EQ(u.x, 0.6);
    EXPECT_DOUBLE_EQ(u.y, -0.8);
}

TEST(Point2, FitIntoKeepsAspect)
{
    const Point2 picture(400, 300);
    const Point2 square = picture.FitInto({200, 200});
    EXPECT_DOUBLE_EQ(square.x, 200);
    EXPECT_DOUBLE_EQ(square.y, 150);
    const Point2 wide = picture.FitInto({400, 100});
    EXPECT_DOUBLE_EQ(wide.x, 400.0 / 3.0);
    EXPECT_DOUBLE_EQ(wide.y, 100);
    EXPECT_EQ(Point2(400, 0).FitInto({200, 200}), Point2(0, 0));
    EXPECT_EQ(Point2(0, 0).FitInto({200, 200}), Point2(0, 0));
}

TEST(Rect2, ConstructorTakesCornersButStoresAxisByAxis)
{
    const Rect2 r(1, 2, 3, 4);
    EXPECT_EQ(r.x0, 1);
    EXPECT_EQ(r.x1, 3);
    EXPECT_EQ(r.y0, 2);
    EXPECT_EQ(r.y1, 4);
    EXPECT_EQ(r.FlippedY(), Rect2(1, 4, 3, 2));
    EXPECT_EQ(r.Centre(), Point2(2, 3));
    EXPECT_TRUE(Rect2(0, 0, 1e-15, 1).XSpan().IsNarrow(1e-14));
    EXPECT_DOUBLE_EQ(Rect2(0, 5, 1, -2).YSpan().Length(), 7);
}

TEST(Rect2, ExtendKeepsEachSpansOwnDirection)
{
    Rect2 r(10, 0, 0, 5);  // x span (10, 0), y span (0, 5)
    const Rect2 other(-5, -1, 20, 30);
    r.Extend(other);
    EXPECT_EQ(r.XSpan(), Span(20, -5));
    EXPECT_EQ(r.YSpan(), Span(-1, 30));

    // The other rectangle's direction does not matter.
    Rect2 a(0, 0, 1, 1);
    a.Extend(Rect2(5, 5, -5, -5));
    EXPECT_EQ(a, Rect2(-5, -5, 5, 5));
}

TEST(Rect2, BoundingBoxesOfPointLists)
{
    const Rect2 none = BoundingBoxOfPoints({});
    EXPECT_TRUE(none.IsUnset());

    EXPECT_EQ(BoundingBoxOfPoints({{2, 3}}), Rect2(2, 3, 2, 3));
    EXPECT_EQ(BoundingBoxOfPoints({{2, 3}, {-1, 7}, {4, 0}}), Rect2(-1, 0, 4, 7));

    Rect2 kept(1, 2, 3, 4);
    kept.SetFromPoints({});
    EXPECT_EQ(kept, Rect2(1, 2, 3, 4));
    kept.SetFromPoints({{9, 9}, {8, 10}});
    EXPECT_EQ(kept, Rect2(8, 9, 9, 10));
}

TEST(Rect2, ClosePolygonAddsTheFirstPointOnlyWhenOpen)
{
    std::vector<Point2> single{{1, 1}};
    ClosePolygon(single);
    EXPECT_EQ(single.size(), 1u);

    std::vector<Point2> closed{{0, 0}, {1, 0}, {0, 1}, {0, 0}};
    ClosePolygon(closed);
    EXPECT_EQ(closed.size(), 4u);

    std::vector<Point2> open{{0, 0}, {1, 0}, {0, 1}};
    ClosePolygon(open);
    ASSERT_EQ(open.size(), 4u);
    EXPECT_EQ(open.back(), Point2(0, 0));
}

TEST(PixelGeometry, ExtendSegmentTruncatesOffsetsTowardZero)
{
    EXPECT_EQ(ExtendSegmentEnd({0, 0}, {3, 4}, 10), QPoint(9, 12));
    EXPECT_EQ(ExtendSegmentEnd({0, 0}, {3, 4}, 1), QPoint(3, 4));
    EXPECT_EQ(ExtendSegmentEnd({0, 0}, {-3, -4}, 1), QPoint(-3, -4));
    EXPECT_EQ(ExtendSegmentStart({0, 0}, {3, 4}, 10), QPoint(-6, -8));
    EXPECT_EQ(ExtendSegmentEnd({5, 5}, {5, 5}, 10), QPoint(5, 5));
    EXPECT_EQ(ExtendSegmentStart({5, 5}, {5, 5}, 10), QPoint(5, 5));
}

TEST(PixelGeometry, PointDistanceDoesNotOverflowFarApart)
{
    EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
    // 32-bit sums of squares overflow beyond about 46341 px.
    EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {60000, 80000}), 100000.0);
    EXPECT_DOUBLE_EQ(PointDistance({-50000, 0}, {50000, 0}), 100000.0);
    EXPECT_NEAR(PointDistance({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}), std::sqrt(2.0) * 4294967295.0, 1e-3);
    EXPECT_EQ(IntPointToPoint2({-7, 9}), Point2(-7, 9));
}

TEST(RealNumbers, NormalNumbersAreZeroOrNormalFinite)
{
    EXPECT_TRUE(IsNormalNumber(0.0));
    EXPECT_TRUE(IsNormalNumber(-0.0));
    EXPECT_TRUE(IsNormalNumber(-1.5));
    EXPECT_TRUE(IsNormalNumber(DBL_MIN));
    EXPECT_TRUE(IsNormalNumber(kUnset));
    EXPECT_FALSE(IsNormalNumber(DBL_MIN / 2));
    EXPECT_FALSE(IsNormalNumber(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsNormalNumber(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsNormalNumber(-std::numeric_limits<double>::infinity()));

    EXPECT_EQ(AbsValue(-2.5), 2.5);
    EXPECT_FALSE(std::signbit(AbsValue(-0.0)));
    EXPECT_EQ(AbsFloat(-2.5f), 2.5f);
}

}  // namespace
