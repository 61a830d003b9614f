#pragma once

#include <QString>

#include "model/LocusTrack.h"

// The point table of a track as the track dialog shows and copies it.

// "2024/05/09" and "10:15:30".
QString TrackPointDateText(const LocusPoint& point);
QString TrackPointTimeText(const LocusPoint& point);

// The whole table as tab-separated text: a header line, then per point the date, the time, latitude and
// longitude with 7 decimals (or, in plane mode, the cached plane X and Y of the zone with 2 decimals) and
// the elevation with 2 decimals; every line ends with "\n".
QString TrackTableCopyText(const LocusTrack& track, bool planeMode, int zone);

// The point whose time is nearest to hour:minute:00 on the point's own date; on equal distance the
// later point. -1 for an empty track.
int NearestPointAtTimeOfDay(const LocusTrack& track, int hour, int minute);

// What a time field does with the text the user left in it. Below 0 or empty: the field shows 0. Within
// 0 to `maximum`: the value becomes the last valid one and the nearest point is searched. Above: the
// last valid value is put back.
struct TimeFieldOutcome
{
    int shown = 0;      // what the field shows afterwards
    int lastValid = 0;  // the last valid value afterwards
    bool search = false;
};
TimeFieldOutcome ApplyTimeField(const QString& text, int lastValid, int maximum);

// A minute step from hour:minute: below 0 gives 59 of the hour before (0 → 23), 60 or more gives 0 of
// the hour after (23 → 0).
struct HourMinute
{
    int hour = 0;
    int minute = 0;
};
HourMinute StepMinute(int hour, int minute, int step);
