// The track dialog's point table: texts, the copy text, the nearest search and the time-field rules.
#include <gtest/gtest.h>

#include "model/TrackTable.h"

namespace {

LocusPoint Point(int hour, int minute, int second, double lat = 35.1234567, double lon = 139.7654321)
{
    LocusPoint point;
    point.position = fe::geo::GeoPoint(lon, lat);
    point.elevation = 12.3456;
    point.date = {2024, 5, 9};
    point.time = {hour, minute, second};
    return point;
}

}  // namespace

TEST(TrackTable, CopyTextInBothModes)
{
    LocusTrack track;
    track.points = {Point(10, 15, 30)};
    EXPECT_EQ(TrackTableCopyText(track, false, 9),
              QStringLiteral("日付\t時刻\t緯度 (°)\t経度 (°)\t標高 (m)\n"
                             "2024/05/09\t10:15:30\t35.1234567\t139.7654321\t12.35\n"));

    LocusTrack origin;
    origin.points = {Point(7, 5, 3, 36.0, 139.83333333333334), Point(7, 6, 0, 36.0, 139.83333333333334)};
    origin.points[1].elevation = -0.125;
    origin.BuildZoneXY(9);
    EXPECT_EQ(TrackTableCopyText(origin, true, 9),
              QStringLiteral("日付\t時刻\t平面直角座標X (m)\t平面直角座標Y (m)\t標高 (m)\n"
                             "2024/05/09\t07:05:03\t0.00\t0.00\t12.35\n"
                             "2024/05/09\t07:06:00\t0.00\t0.00\t-0.12\n"));
    EXPECT_EQ(TrackTableCopyText(LocusTrack(), false, 0),
              QStringLiteral("日付\t時刻\t緯度 (°)\t経度 (°)\t標高 (m)\n"));
}

TEST(TrackTable, NearestPointTakesTheLaterOfTwoEqualOnes)
{
    LocusTrack track;
    EXPECT_EQ(NearestPointAtTimeOfDay(track, 10, 15), -1);
    track.points = {Point(10, 14, 50), Point(10, 15, 10), Point(10, 16, 0)};
    EXPECT_EQ(NearestPointAtTimeOfDay(track, 10, 15), 1);
    EXPECT_EQ(NearestPointAtTimeOfDay(track, 10, 14), 0);
    EXPECT_EQ(NearestPointAtTimeOfDay(track, 23, 0), 2);
    EXPECT_EQ(NearestPointAtTimeOfDay(track, 0, 0), 0);
}

TEST(TrackTable, TimeFieldRules)
{
    struct Case
    {
        const char16_t* text;
        int shown;
        int lastValid;
        bool search;
    };
    // The last valid hour is 7.
    for (const Case& c : {Case{u"12", 12, 12, true}, Case{u"0", 0, 0, true}, Case{u"23", 23, 23, true},
                          Case{u"24", 7, 7, false}, Case{u"25", 7, 7, false}, Case{u"", 0, 7, false},
                          Case{u"-1", 0, 7, false}, Case{u"99999999999", 7, 7, false}}) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        const TimeFieldOutcome outcome = ApplyTimeField(text, 7, 23);
        EXPECT_EQ(outcome.shown, c.shown);
        EXPECT_EQ(outcome.lastValid, c.lastValid);
        EXPECT_EQ(outcome.search, c.search);
    }
    EXPECT_FALSE(ApplyTimeField(QStringLiteral("60"), 30, 59).search);
    EXPECT_TRUE(ApplyTimeField(QStringLiteral("59"), 30, 59).search);

    struct Step
    {
        int hour, minute, step, toHour, toMinute;
    };
    for (const Step& s : {Step{0, 0, -1, 23, 59}, Step{23, 59, 1, 0, 0}, Step{10, 0, -1, 9, 59},
                          Step{10, 59, 1, 11, 0}, Step{10, 30, 1, 10, 31}, Step{10, 30, -1, 10, 29}}) {
        const HourMinute next = StepMinute(s.hour, s.minute, s.step);
        EXPECT_EQ(next.hour, s.toHour) << s.hour << ":" << s.minute << " " << s.step;
        EXPECT_EQ(next.minute, s.toMinute) << s.hour << ":" << s.minute << " " << s.step;
    }
}
