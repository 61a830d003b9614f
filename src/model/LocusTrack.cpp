#include "model/LocusTrack.h"

#include <tuple>

#include "fe/SegmentGeometry.h"
#include "fe/geo/PlaneRectConverter.h"

using fe::geo::GeoPoint;

namespace {

bool IsZone(int zone)
{
    return zone >= 1 && zone <= LocusTrack::kZoneCount;
}

auto MomentKey(const fe::SimpleDate& d, const fe::SimpleTime& t)
{
    return std::make_tuple(d.year, d.month, d.day, t.hour, t.minute, t.second);
}

Rect2 UnsetRect()
{
    return Rect2(kUnset, kUnset, kUnset, kUnset);
}

}  // namespace

void LocusTrack::Reset()
{
    points.clear();
    currentPoint = -1;
    box = UnsetRect();
    for (int k = 0; k < kZoneCount; ++k) {
        zoneXY_[k].clear();
        zoneBoxes_[k] = UnsetRect();
    }
}

void LocusTrack::UpdateBounds()
{
    std::vector<Point2> lonLat;
    lonLat.reserve(points.size());
    for (const LocusPoint& point : points) {
        lonLat.emplace_back(point.position.longitude, point.position.latitude);
    }
    box = BoundingBoxOfPoints(lonLat);
}

bool LocusTrack::HasZoneXY(int zone) const
{
    return IsZone(zone) && !zoneXY_[zone - 1].empty() && zoneXY_[zone - 1].size() == points.size();
}

void LocusTrack::BuildZoneXY(int zone) const
{
    if (!IsZone(zone) || zoneXY_[zone - 1].size() == points.size()) {
        return;
    }
    std::vector<Point2>& cache = zoneXY_[zone - 1];
    cache.clear();
    fe::geo::PlaneRectConverter converter(zone);
    for (const LocusPoint& point : points) {
        cache.push_back(converter.ToPlaneXY(point.position));
    }
    zoneBoxes_[zone - 1] = BoundingBoxOfPoints(cache);
}

Point2 LocusTrack::GetZoneXY(int pointIndex, int zone) const
{
    if (!IsZone(zone) || pointIndex < 0 || pointIndex >= static_cast<int>(zoneXY_[zone - 1].size())) {
        return {kUnset, kUnset};
    }
    return zoneXY_[zone - 1][static_cast<size_t>(pointIndex)];
}

Rect2 LocusTrack::ZoneBox(int zone) const
{
    return IsZone(zone) ? zoneBoxes_[zone - 1] : UnsetRect();
}

bool LocusTrack::ZoneBoxIntersects(int zone, double x0, double x1, double y0, double y1) const
{
    if (!IsZone(zone) || !HasZoneXY(zone) || zoneBoxes_[zone - 1].IsUnset())
        return false;
    return BoxesOverlap(OrderedBox(zoneBoxes_[zone - 1]), OrderedBox(Rect2(x0, y0, x1, y1)));
}

int LocusTrack::IndexAtTime(const fe::SimpleDate& date, const fe::SimpleTime& time) const
{
    if (points.empty()) {
        return 0;
    }
    const auto moment = MomentKey(date, time);
    if (moment < MomentKey(points.front().date, points.front().time)) {
        return -1;
    }
    if (points.size() >= 2 && moment > MomentKey(points.back().date, points.back().time)) {
        return -1;
    }
    for (size_t k = 0; k < points.size(); ++k) {
        if (!(MomentKey(points[k].date, points[k].time) < moment)) {
            return static_cast<int>(k);
        }
    }
    return static_cast<int>(points.size());
}

GeoPoint LocusTrack::PositionAtTime(const fe::SimpleDate& date, const fe::SimpleTime& time) const
{
    const GeoPoint none(kUnset, kUnset);
    if (points.empty()) {
        return none;
    }
    const int index = IndexAtTime(date, time);
    if (index < 0) {
        return none;
    }
    if (index == 0 || index == static_cast<int>(points.size())) {
        const LocusPoint& point = points[index == 0 ? 0 : points.size() - 1];
        return GeoPoint(point.position.longitude, point.position.latitude);
    }
    const LocusPoint& p = points[static_cast<size_t>(index - 1)];
    const LocusPoint& n = points[static_cast<size_t>(index)];
    if (!p.position.HasPosition() || !n.position.HasPosition() || p.date.year != date.year ||
        n.date.year != date.year) {
        return none;
    }
    const double span = static_cast<double>(fe::SecondsBetween(p.date, p.time, n.date, n.time));
    const double elapsed = static_cast<double>(fe::SecondsBetween(p.date, p.time, date, time));
    if (span < elapsed || span <= 0.0) {
        return none;
    }
    const double f = elapsed / span;
    return GeoPoint(p.position.longitude + (n.position.longitude - p.position.longitude) * f,
                    p.position.latitude + (n.position.latitude - p.position.latitude) * f);
}
