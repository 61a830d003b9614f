// Tracks and the linear-sort line over a background picture in a plane zone.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "view/ViewMap.h"

namespace locmap {

void ViewMap::DrawTracks(const std::vector<LocusTrack>& tracks, int width, int height, int zone)
{
    if (m_dc == nullptr || transform == nullptr || !showTracks || tracks.empty() || zone < 1 || zone > 19)
        return;
    // All four client corners: on a north-up picture the top left has the largest northing, and a turned
    // registration moves the extremes to the other corners, so the box is taken over all four.
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const QPoint& corner : {QPoint(0, 0), QPoint(width, 0), QPoint(0, height), QPoint(width, height)}) {
        const Point2 plane = transform->forward.Map(transform->mapping.RmapXY(corner.x(), corner.y()));
        x0 = std::min(x0, plane.x), x1 = std::max(x1, plane.x), y0 = std::min(y0, plane.y),
        y1 = std::max(y1, plane.y);
    }
    for (const bool withCurrent : {false, true}) {
        for (const LocusTrack& track : tracks) {
            if ((track.currentPoint >= 0) != withCurrent)
                continue;
            if (!track.HasZoneXY(zone))
                track.BuildZoneXY(zone);
            if (track.HasZoneXY(zone) && track.ZoneBoxIntersects(zone, x0, x1, y0, y1))
                DrawTrack(track, zone);
        }
    }
}

void ViewMap::DrawTrack(const LocusTrack& track, int zone)
{
    if (transform == nullptr)
        return;
    std::vector<QPoint> screen;
    std::vector<Point2> picture;
    for (int i = 0; i < int(track.points.size()); ++i) {
        const Point2 p = transform->inverse.Map(track.GetZoneXY(i, zone));
        picture.push_back(p);
        screen.push_back(ScreenPoint(p.x, p.y));
    }
    DrawTrackPoints(screen, picture, track.currentPoint);
}

void ViewMap::DrawSortLine(const LocationMap& map)
{
    if (map.runtime.sortLine.empty())
        return;
    DrawSortLinePoints(map.runtime.sortContactWidth * map.runtime.sortScale, map.runtime.sortLine);
}

void ViewMap::DrawSortLinePoints(double halfWidth, const std::vector<Point2>& points)
{
    if (m_dc == nullptr || transform == nullptr)
        return;
    std::vector<QPoint> screen;
    for (const Point2& p : points)
        screen.push_back(ScreenPoint(p.x, p.y));
    const double half = std::abs(transform->mapping.X().MapLength(halfWidth));
    DrawLoc::DrawSortLinePoints(fe::geo::TruncToInt(half), screen, QSize(clientWidth, clientHeight));
}

}  // namespace locmap
