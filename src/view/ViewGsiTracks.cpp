// Tracks and the linear-sort line over web tiles.
#include <QPainter>
#include <cmath>

#include "fe/SegmentGeometry.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "view/ViewGsi.h"

namespace locmap {

void ViewGsi::DrawTracks(const std::vector<LocusTrack>& tracks, const Rect2& viewBox)
{
    if (m_dc == nullptr || !showTracks || tracks.empty())
        return;
    const Rect2 view = OrderedBox(viewBox);
    for (const bool withCurrent : {false, true}) {
        for (const LocusTrack& track : tracks) {
            if ((track.currentPoint >= 0) == withCurrent && !track.box.IsUnset() &&
                BoxesOverlap(OrderedBox(track.box), view))
                DrawTrack(track);
        }
    }
}

void ViewGsi::DrawTrack(const LocusTrack& track)
{
    std::vector<QPoint> screen;
    std::vector<Point2> world;
    screen.reserve(track.points.size());
    world.reserve(track.points.size());
    for (const LocusPoint& point : track.points) {
        screen.push_back(ScreenPoint(point.position));
        world.push_back(point.position.ToWorldPixel(18));
    }
    DrawTrackPoints(screen, world, track.currentPoint);
}

void ViewGsi::DrawSortLine(const LocationMap& map)
{
    const std::vector<fe::geo::GeoPoint>& line = map.runtime.sortLineGeo;
    if (m_dc == nullptr || line.empty())
        return;
    std::vector<QPoint> points;
    for (const fe::geo::GeoPoint& point : line)
        points.push_back(ScreenPoint(point));
    fe::geo::GeoPoint north = line.front();
    north.latitude += map.runtime.sortContactWidth * map.runtime.sortTolerance;
    const QPoint a = ScreenPoint(line.front());
    const QPoint b = ScreenPoint(north);
    const int half = fe::geo::TruncToInt(std::hypot(double(b.x()) - a.x(), double(b.y()) - a.y()));
    DrawSortLinePoints(half, points, QSize(viewport.width, viewport.height));
}

}  // namespace locmap
