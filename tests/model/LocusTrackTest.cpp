// GNSS tracks: bounds, plane coordinates by zone and the position at a moment.
#include <gtest/gtest.h>

#include "model/LocusTrack.h"

namespace {

LocusPoint Point(double lon, double lat, int year, int month, int day, int hour, int minute, int second)
{
    LocusPoint point;
    point.position = fe::geo::GeoPoint(lon, lat);
    point.date = {year, month, day};
    point.time = {hour, minute, second};
    return point;
}

}  // namespace

TEST(LocusTrack, ResetKeepsTheTerminalIdAndUnsetsTheBoxes)
{
    LocusTrack track;
    EXPECT_EQ(track.currentPoint, -1);
    EXPECT_TRUE(track.box.IsUnset());
    track.UpdateBounds();
    EXPECT_TRUE(track.box.IsUnset());

    track.terminalId = "T-01";
    track.points = {Point(139.0, 35.0, 2023, 1, 1, 0, 0, 0), Point(139.5, 35.5, 2023, 1, 1, 0, 0, 1)};
    track.currentPoint = 1;
    track.UpdateBounds();
    EXPECT_EQ(track.box, Rect2(139.0, 35.0, 139.5, 35.5));
    track.BuildZoneXY(9);
    EXPECT_TRUE(track.HasZoneXY(9));

    track.Reset();
    EXPECT_EQ(track.terminalId, QStringLiteral("T-01"));
    EXPECT_TRUE(track.points.empty());
    EXPECT_EQ(track.currentPoint, -1);
    EXPECT_TRUE(track.box.IsUnset());
    EXPECT_FALSE(track.HasZoneXY(9));
    EXPECT_TRUE(track.ZoneBox(9).IsUnset());
}

TEST(LocusTrack, ZoneCoordinatesAreBuiltOnDemand)
{
    LocusTrack track;
    EXPECT_FALSE(track.HasZoneXY(0));
    EXPECT_FALSE(track.HasZoneXY(20));
    EXPECT_FALSE(track.HasZoneXY(9));  // empty track

    track.points = {Point(139.83333333333334, 36.0, 2023, 1, 1, 0, 0, 0),
                    Point(139.9, 36.1, 2023, 1, 1, 0, 1, 0)};
    EXPECT_FALSE(track.HasZoneXY(9));
    track.BuildZoneXY(9);
    ASSERT_TRUE(track.HasZoneXY(9));
    const Point2 origin = track.GetZoneXY(0, 9);
    EXPECT_NEAR(origin.x, 0.0, 1e-6);
    EXPECT_NEAR(origin.y, 0.0, 1e-6);
    const Point2 second = track.GetZoneXY(1, 9);
    EXPECT_GT(second.x, 0.0);  // north of the origin
    EXPECT_GT(second.y, 0.0);  // east of the origin
    EXPECT_EQ(track.ZoneBox(9), Rect2(origin.x, origin.y, second.x, second.y));

    // A point added later makes the cache incomplete until the next build.
    track.points.push_back(Point(139.95, 36.2, 2023, 1, 1, 0, 2, 0));
    EXPECT_FALSE(track.HasZoneXY(9));
    track.BuildZoneXY(9);
    EXPECT_TRUE(track.HasZoneXY(9));

    // Outside the zones, or past the cache, the answer is "no position", never a failure.
    EXPECT_TRUE(IsUnset(track.GetZoneXY(0, 0).x) && IsUnset(track.GetZoneXY(0, 0).y));
    EXPECT_TRUE(IsUnset(track.GetZoneXY(0, 8).x));
    EXPECT_TRUE(IsUnset(track.GetZoneXY(3, 9).x));
}

TEST(LocusTrack, PositionAtTime)
{
    LocusTrack track;
    track.points = {Point(139.0, 35.0, 2023, 5, 1, 10, 0, 0), Point(139.3, 35.3, 2023, 5, 1, 10, 0, 30),
                    Point(139.6, 35.6, 2023, 5, 1, 10, 1, 0)};
    struct Case
    {
        fe::SimpleDate date;
        fe::SimpleTime time;
        bool found;
        double lon, lat;
    };
    const Case cases[] = {
        {{2023, 5, 1}, {10, 0, 0}, true, 139.0, 35.0},   // exactly the first point
        {{2023, 5, 1}, {9, 59, 59}, false, 0, 0},        // one second earlier
        {{2023, 5, 1}, {10, 0, 10}, true, 139.1, 35.1},  // a third of the way to the next point
        {{2023, 5, 1}, {10, 1, 0}, true, 139.6, 35.6},   // the last point
        {{2023, 5, 1}, {10, 1, 1}, false, 0, 0},         // after the last point
        {{2023, 4, 30}, {11, 0, 0}, false, 0, 0},        // the day before, at a later hour
        {{2023, 5, 2}, {9, 0, 0}, false, 0, 0},          // a later day, at an earlier hour
    };
    for (const Case& c : cases) {
        const fe::geo::GeoPoint p = track.PositionAtTime(c.date, c.time);
        EXPECT_EQ(p.HasPosition(), c.found) << c.time.hour << ":" << c.time.minute << ":" << c.time.second;
        if (c.found) {
            EXPECT_NEAR(p.longitude, c.lon, 1e-9);
            EXPECT_NEAR(p.latitude, c.lat, 1e-9);
        }
        EXPECT_EQ(p.refLatitude, fe::geo::kLimitLatitude);
    }
}

TEST(LocusTrack, PositionAtTimeOfOnePointTracksAndOverNewYear)
{
    LocusTrack one;
    one.points = {Point(139.0, 35.0, 2023, 5, 1, 10, 0, 0)};
    EXPECT_TRUE(one.PositionAtTime({2023, 5, 1}, {10, 0, 0}).HasPosition());
    EXPECT_TRUE(one.PositionAtTime({2023, 5, 3}, {8, 0, 0}).HasPosition());
    EXPECT_FALSE(one.PositionAtTime({2023, 5, 1}, {9, 0, 0}).HasPosition());

    LocusTrack newYear;
    newYear.points = {Point(139.0, 35.0, 2022, 12, 31, 23, 59, 50), Point(139.1, 35.1, 2023, 1, 1, 0, 0, 10)};
    EXPECT_FALSE(newYear.PositionAtTime({2023, 1, 1}, {0, 0, 0}).HasPosition());
    EXPECT_FALSE(LocusTrack().PositionAtTime({2023, 1, 1}, {0, 0, 0}).HasPosition());
}
