#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/SimpleDate.h"
#include "fe/Unset.h"
#include "fe/geo/GeoPoint.h"

// One position reported by a GNSS terminal. The position's first field is the Web-Mercator limit
// latitude, so the point can be handed to every routine that takes a GeoPoint.
struct LocusPoint
{
    fe::geo::GeoPoint position;
    double elevation = 0.0;
    fe::SimpleDate date;
    fe::SimpleTime time;
};

// One GNSS track of the project. Only the terminal ID and the points are stored; the box, the current
// point and the per-zone plane coordinates are run-time values.
class LocusTrack
{
public:
    static constexpr int kZoneCount = 19;

    QString terminalId;
    std::vector<LocusPoint> points;
    std::int32_t currentPoint = -1;
    Rect2 box;  // {min longitude, max longitude, min latitude, max latitude}

    LocusTrack() { Reset(); }

    // Removes the points and the zone caches, no current point, the boxes unset; the terminal ID stays.
    void Reset();
    // The box over all points; unset for an empty track.
    void UpdateBounds();

    // Plane X (north), Y (east) of every point in a zone 1 to 19, built on demand. A cache is valid only
    // while it holds one entry per point.
    bool HasZoneXY(int zone) const;
    void BuildZoneXY(int zone) const;  // fills the cache only
    // The cached X/Y of a point; unset for a zone outside 1 to 19 or a point the cache does not hold, so a
    // caller that forgot BuildZoneXY gets "no position" rather than a failure.
    Point2 GetZoneXY(int pointIndex, int zone) const;
    // The box of a zone's cache (X range, then Y range); unset until the cache is built.
    Rect2 ZoneBox(int zone) const;
    // The zone's box and the rectangle (both taken with ascending axes) overlap: an edge of one strictly
    // crosses an edge of the other or one contains the other. False for a zone outside 1 to 19 or a zone
    // whose cache is not built.
    bool ZoneBoxIntersects(int zone, double x0, double x1, double y0, double y1) const;

    // The index of the first point not earlier than the moment; 0 for an empty track, -1 before the first
    // point or (for two points or more) after the last, the number of points for a later moment on a
    // one-point track.
    int IndexAtTime(const fe::SimpleDate& date, const fe::SimpleTime& time) const;
    // The position on the track at the moment, interpolated in time between the points around it;
    // longitude and latitude unset outside the track's time span.
    fe::geo::GeoPoint PositionAtTime(const fe::SimpleDate& date, const fe::SimpleTime& time) const;

private:
    // One zone's plane coordinates with their box.
    struct ZoneCache
    {
        std::vector<Point2> xy;
        Rect2 box{kUnset, kUnset, kUnset, kUnset};
    };
    // The zone caches, built on demand; empty (costing nothing) until a zone is first used, so that a
    // file of many short tracks does not carry nineteen caches per track.
    mutable std::vector<ZoneCache> zones_;

    const ZoneCache* Zone(int zone) const;
};
