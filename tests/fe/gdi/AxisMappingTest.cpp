#include <gtest/gtest.h>

#include <functional>

#include "fe/Failure.h"
#include "fe/gdi/MapFunc2.h"
#include "fe/gdi/MapLenear.h"
#include "fe/gdi/MapLog10.h"

using fe::gdi::MapFunc2;
using fe::gdi::MapLenear;
using fe::gdi::MapLog10;

namespace {

QString ThrownText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const fe::Failure& failure) {
        return failure.Text();
    }
    return {};
}

TEST(AxisMapping, NewMappingIsIdentityBothWays)
{
    const MapFunc2 map;
    for (const Point2 p : {Point2(0, 0), Point2(-12.5, 3e6), Point2(1e-9, -7)}) {
        EXPECT_EQ(map.Map(p), p);
        EXPECT_EQ(map.Rmap(p), p);
        EXPECT_EQ(map.RmapXY(p.x, p.y), p);
    }
    EXPECT_EQ(map.X().Kind(), 0);
    EXPECT_EQ(map.Y().Kind(), 0);
}

TEST(AxisMapping, LinearSetOntoDescendingPixels)
{
    MapLenear axis;
    axis.Set(Span(0, 100), Span(480, 0));
    EXPECT_DOUBLE_EQ(axis.Map(0), 480);
    EXPECT_DOUBLE_EQ(axis.Map(100), 0);
    EXPECT_DOUBLE_EQ(axis.Map(25), 360);
    EXPECT_DOUBLE_EQ(axis.Rmap(360), 25);
    EXPECT_DOUBLE_EQ(axis.MapLength(10), -48);
    EXPECT_DOUBLE_EQ(axis.RmapLength(-48), 10);

    // The three-value Set and ChangeRatio pin one value to one pixel.
    axis.Set(10, 200, 3);
    EXPECT_DOUBLE_EQ(axis.Map(10), 200);
    EXPECT_DOUBLE_EQ(axis.Map(11), 203);
    axis.ChangeRatio(230, 6);
    EXPECT_DOUBLE_EQ(axis.Map(20), 230);
    EXPECT_DOUBLE_EQ(axis.Ratio(), 6);
    axis.Move(5);
    EXPECT_DOUBLE_EQ(axis.Map(20), 235);
}

TEST(AxisMapping, LogarithmicSet)
{
    MapLog10 axis;
    axis.Set(Span(1, 1000), Span(0, 300));
    EXPECT_NEAR(axis.Map(10), 100, 1e-12);
    EXPECT_NEAR(axis.Map(100), 200, 1e-12);
    EXPECT_NEAR(axis.Rmap(200), 100, 1e-10);

    // A span of zeros is taken as (1, 2).
    axis.Set(Span(0, 0), Span(0, 300));
    EXPECT_NEAR(axis.Map(1), 0, 1e-12);
    EXPECT_NEAR(axis.Map(2), 300, 1e-12);

    // A descending span is used as given.
    axis.Set(Span(1000, 10), Span(0, 200));
    EXPECT_NEAR(axis.Map(1000), 0, 1e-12);
    EXPECT_NEAR(axis.Map(10), 200, 1e-12);
}

TEST(AxisMapping, LogarithmicAxisRefusesLengthOperations)
{
    MapLog10 axis;
    EXPECT_EQ(ThrownText([&] { axis.MapLength(1); }), "gdi::MapLog10.MapLength");
    EXPECT_EQ(ThrownText([&] { axis.RmapLength(1); }), "gdi::MapLog10.RmapLength");
    EXPECT_EQ(ThrownText([&] { axis.Set(1, 2, 3); }), "fe::gdi::MapLog10.Set");
    EXPECT_EQ(ThrownText([&] { axis.ChangeRatio(1, 2); }), "fe::gdi::MapLog10.ChangeRatio");
}

TEST(AxisMapping, FitRectWidensTheNarrowAxisAndKeepsDirections)
{
    MapFunc2 map;
    map.FitRect(Rect2(0, 0, 200, 100), Rect2(0, 100, 100, 0));
    EXPECT_DOUBLE_EQ(map.X().Ratio(), 0.5);
    EXPECT_DOUBLE_EQ(map.Y().Ratio(), -0.5);
    EXPECT_EQ(map.Map({0, -50}), Point2(0, 100));
    EXPECT_EQ(map.Map({200, 150}), Point2(100, 0));

    // A tall world in a wide screen widens x instead; a descending world x span stays descending.
    map.FitRect(Rect2(10, 0, 0, 100), Rect2(0, 0, 200, 100));
    EXPECT_DOUBLE_EQ(map.X().Ratio(), -1);
    EXPECT_DOUBLE_EQ(map.Y().Ratio(), 1);
    EXPECT_EQ(map.Map({105, 0}), Point2(0, 0));
    EXPECT_EQ(map.Map({-95, 100}), Point2(200, 100));
}

TEST(AxisMapping, FitRectGoesThroughEachAxissOwnSet)
{
    MapFunc2 map;
    map.SetKinds(0, 1);
    map.FitRect(Rect2(0, 1, 100, 1000), Rect2(0, 300, 100, 0));
    EXPECT_EQ(map.Y().Kind(), 1);
    EXPECT_NEAR(map.Map({0, 1000}).y, 0, 1e-9);
    EXPECT_NEAR(map.Map({0, 1}).y, 300, 1e-9);
}

TEST(AxisMapping, ZoomAboutKeepsTheWorldPointUnderTheCursor)
{
    MapFunc2 map;
    map.FitRect(Rect2(0, 0, 200, 100), Rect2(0, 100, 100, 0));
    const Point2 cursor = map.Map({10, 20});
    map.ZoomAbout(2, cursor);
    const Point2 back = map.Rmap(cursor);
    EXPECT_NEAR(back.x, 10, 1e-12);
    EXPECT_NEAR(back.y, 20, 1e-12);
    EXPECT_DOUBLE_EQ(map.X().MapLength(10), 10);
    EXPECT_DOUBLE_EQ(map.Y().MapLength(10), -10);
}

TEST(AxisMapping, SetKindsIgnoresUnknownKinds)
{
    MapFunc2 map;
    map.X().Move(7);
    map.SetKinds(5, 1);
    EXPECT_EQ(map.X().Kind(), 0);
    EXPECT_DOUBLE_EQ(map.X().Offset(), 7);
    EXPECT_EQ(map.Y().Kind(), 1);
    map.Reset();
    EXPECT_EQ(map.Y().Kind(), 0);
    EXPECT_DOUBLE_EQ(map.X().Offset(), 0);
}

TEST(AxisMapping, CopiesAreDeep)
{
    MapFunc2 original;
    original.SetKinds(1, 0);
    original.Y().Move(3);
    MapFunc2 copy(original);
    MapFunc2 assigned;
    assigned = original;
    original.Y().Move(100);
    original.Reset();
    for (const MapFunc2* m : {&copy, &assigned}) {
        EXPECT_EQ(m->X().Kind(), 1);
        EXPECT_DOUBLE_EQ(m->Y().Offset(), 3);
    }
}

}  // namespace
