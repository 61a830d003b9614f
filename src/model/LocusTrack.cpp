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
    zones_.clear();
    zones_.shrink_to_fit();
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

const LocusTrack::ZoneCache* LocusTrack::Zone(int zone) const
{
    return IsZone(zone) && static_cast<size_t>(zone) <= zones_.size() ? &zones_[static_cast<size_t>(zone - 1)]
                                                                       : nullptr;
}

bool LocusTrack::HasZoneXY(int zone) const
{
    const ZoneCache* cache = Zone(zone);
    return cache && !cache->xy.empty() && cache->xy.size() == points.size();
}

void LocusTrack::BuildZoneXY(int zone) const
{
    if (!IsZone(zone)) {
        return;
    }
    if (zones_.empty()) {
        zones_.resize(kZoneCount);
    }
    ZoneCache& cache = zones_[static_cast<size_t>(zone - 1)];
    if (cache.xy.size() == points.size()) {
        return;
    }
    cache.xy.clear();
    fe::geo::PlaneRectConverter converter(zone);
    for (const LocusPoint& point : points) {
        cache.xy.push_back(converter.ToPlaneXY(point.position));
    }
    cache.box = BoundingBoxOfPoints(cache.xy);
}

Point2 LocusTrack::GetZoneXY(int pointIndex, int zone) const
{
    const ZoneCache* cache = Zone(zone);
    if (!cache || pointIndex < 0 || pointIndex >= static_cast<int>(cache->xy.size())) {
        return {kUnset, kUnset};
    }
    return cache->xy[static_cast<size_t>(pointIndex)];
}

Rect2 LocusTrack::ZoneBox(int zone) const
{
    const ZoneCache* cache = Zone(zone);
    return cache ? cache->box : UnsetRect();
}

bool LocusTrack::ZoneBoxIntersects(int zone, double x0, double x1, double y0, double y1) const
{
    if (!HasZoneXY(zone) || Zone(zone)->box.IsUnset())
        return false;
    return BoxesOverlap(OrderedBox(Zone(zone)->box), OrderedBox(Rect2(x0, y0, x1, y1)));
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
