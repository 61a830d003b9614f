// Sorting a location map's placed photos along the line the user drew on it.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "fe/RealNumbers.h"
#include "model/LocationMap.h"
#include "model/PhotoRecord.h"

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kSphereRadius = 6371000.0;
constexpr double kDegenerate = 1e-14;

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double Degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

// acos and asin of a dot product that rounding may have put just outside -1..1.
double SafeAcos(double value)
{
    return std::acos(std::clamp(value, -1.0, 1.0));
}

double SafeAsin(double value)
{
    return std::asin(std::clamp(value, -1.0, 1.0));
}

struct Vec3
{
    double x, y, z;
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator*(double f) const { return {x * f, y * f, z * f}; }
    double Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    double Length() const { return std::sqrt(Dot(*this)); }
};

Vec3 UnitVector(const fe::geo::GeoPoint& p)
{
    const double lat = Radians(p.latitude);
    const double lon = Radians(p.longitude);
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

bool SamePoint(const fe::geo::GeoPoint& a, const fe::geo::GeoPoint& b)
{
    return a.longitude == b.longitude && a.latitude == b.latitude;
}

double PlaneDistance(const Point2& a, const Point2& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// One photo near the line: its entry, the segment it belongs to and how far along that segment it lies.
struct Candidate
{
    int entry = 0;
    int segment = 0;
    double along = 0.0;  // distance of its point from the segment's start
};

// The nearest segment of a line to a point, as both variants measure it.
struct Nearest
{
    double distance = kUnset;
    int segment = 0;
};

// Gives the entries their new order: the candidates, by segment and along it, take the place of the
// first of them; the other entries keep their relative order around the block. Without a candidate the
// order stays as it is.
void ReorderAround(PlacedPhotoList& list, std::vector<Candidate>& candidates)
{
    if (candidates.empty())
        return;
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.segment != b.segment ? a.segment < b.segment : a.along < b.along;
    });
    const int start = candidates.front().entry;
    const int count = static_cast<int>(candidates.size());
    std::vector<PlacedPhoto>& entries = list.entries;
    // Each entry's new place: the others keep their order around the block of candidates.
    std::vector<int> place(entries.size());
    for (int j = 0; j < static_cast<int>(entries.size()); ++j)
        place[static_cast<size_t>(j)] = j < start ? j : j + count;
    for (int k = 0; k < count; ++k)
        place[static_cast<size_t>(candidates[static_cast<size_t>(k)].entry)] = start + k;
    std::vector<int> order(entries.size());
    for (size_t j = 0; j < order.size(); ++j)
        order[j] = static_cast<int>(j);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return place[static_cast<size_t>(a)] < place[static_cast<size_t>(b)]; });
    std::vector<PlacedPhoto> sorted;
    sorted.reserve(entries.size());
    for (const int j : order)
        sorted.push_back(std::move(entries[static_cast<size_t>(j)]));
    entries = std::move(sorted);
}

// The scheme both variants share. `position` gives an entry's point, or false when the entry takes no
// part; `segmentLength` a segment's length, negative for a segment too short to measure; `measure` the
// distance of a point from a segment and the nearest place on it; `distance` the distance of two points.
// Entries within `threshold` of the line become candidates.
template <typename Point, typename PositionOf, typename SegmentLength, typename Measure, typename Distance>
void SortAlongLine(PlacedPhotoList& list, const std::vector<Point>& line, double threshold, PositionOf position,
                   SegmentLength segmentLength, Measure measure, Distance distance)
{
    std::vector<Candidate> candidates;
    for (int j = 0; j < list.Count(); ++j) {
        Point p;
        if (!position(list.entries[static_cast<size_t>(j)], p))
            continue;
        Nearest best;
        Point bestPoint = p;
        if (line.size() == 1) {
            best.distance = distance(p, line[0]);
        } else {
            for (size_t k = 0; k + 1 < line.size(); ++k) {
                const double length = segmentLength(line[k], line[k + 1]);
                if (length < 0.0)
                    continue;
                // After the first measurement, segments shorter than the contact distance are passed over.
                if (best.distance != kUnset && length < threshold)
                    continue;
                Point foot = p;
                const double d = measure(line[k], line[k + 1], p, foot);
                // Strictly nearer: a tie keeps the earlier segment.
                if (IsNormalNumber(d) && d < best.distance) {
                    best.distance = d;
                    best.segment = static_cast<int>(k);
                    bestPoint = foot;
                }
            }
        }
        if (!IsNormalNumber(best.distance) || best.distance > threshold)
            continue;
        const double along = distance(bestPoint, line[static_cast<size_t>(best.segment)]);
        candidates.push_back({j, best.segment, IsNormalNumber(along) ? along : 0.0});
    }
    ReorderAround(list, candidates);
}

}  // namespace

double LocationMap::HubenyDistance(const fe::geo::GeoPoint& a, const fe::geo::GeoPoint& b)
{
    // The squared eccentricity is used as the square of its square root, as the program always has.
    const double e = std::sqrt(0.006694379990197585);
    const double e2 = e * e;
    const double mean = Radians((a.latitude + b.latitude) / 2.0);
    const double w = std::sqrt(1.0 - e2 * std::sin(mean) * std::sin(mean));
    const double m = kSemiMajorAxis * (1.0 - e2) / (w * w * w);
    const double n = kSemiMajorAxis / w;
    const double dLon = Radians(a.longitude - b.longitude);
    const double dLat = Radians(a.latitude - b.latitude);
    return std::sqrt(std::pow(n * std::cos(mean) * dLon, 2.0) + std::pow(m * dLat, 2.0));
}

LocationMap::SegmentDistance LocationMap::DistanceToGeodesicSegment(const fe::geo::GeoPoint& a,
                                                                    const fe::geo::GeoPoint& b,
                                                                    const fe::geo::GeoPoint& p)
{
    if (SamePoint(a, b))
        return {kUnset, p};
    // A point on an end lies on the segment; measuring it would divide by the zero angle to that end.
    if (SamePoint(p, a) || SamePoint(p, b))
        return {0.0, p};
    const bool aFirst = a.longitude <= b.longitude;
    const Vec3 e1 = UnitVector(aFirst ? a : b);
    const Vec3 e2 = UnitVector(aFirst ? b : a);
    const Vec3 ep = UnitVector(p);
    const auto beyondEnd = [&] {
        return SegmentDistance{std::min(HubenyDistance(p, a), HubenyDistance(p, b)), p};
    };
    if ((ep - e1).Dot(e2 - e1) < 0.0 || (e1 - e2).Dot(ep - e2) < 0.0)
        return beyondEnd();

    const double theta12 = SafeAcos(e1.Dot(e2));
    const double theta1 = SafeAcos(e1.Dot(ep));
    const double theta2 = SafeAcos(e2.Dot(ep));
    // Ends or point too close to tell apart in the angles: the nearer end stands for the segment.
    if (std::sin(theta12) <= 0.0 || std::sin(theta1) <= 0.0)
        return beyondEnd();
    const double c = std::clamp(
        (std::cos(theta2) - std::cos(theta12) * std::cos(theta1)) / (std::sin(theta12) * std::sin(theta1)),
        -1.0, 1.0);
    const double sinAlpha = std::sqrt(1.0 - c * c);
    const double sinX = sinAlpha * std::sin(theta1);
    const double cosT = std::clamp(std::cos(theta1) / std::sqrt(1.0 - sinX * sinX), -1.0, 1.0);
    const double distance = SafeAsin(sinX) * kSphereRadius;

    const Vec3 towards = e2 - e1 * std::cos(theta12);
    const double towardsLength = towards.Length();
    if (!(towardsLength > 0.0))
        return beyondEnd();
    const Vec3 u = towards * (1.0 / towardsLength);
    const double t = std::acos(cosT);
    const Vec3 foot = e1 * std::cos(t) + u * std::sin(t);
    // atan2 gives the longitude in every quadrant and never fails on rounding.
    const fe::geo::GeoPoint nearest(Degrees(std::atan2(foot.y, foot.x)), Degrees(SafeAsin(foot.z)));
    if (!IsNormalNumber(distance) || !IsNormalNumber(nearest.longitude) || !IsNormalNumber(nearest.latitude))
        return {kUnset, p};
    return {distance, nearest};
}

double LocationMap::ContactDistance(bool mapCoordinates) const
{
    return runtime.sortContactWidth * (mapCoordinates ? runtime.sortScale : runtime.sortTolerance);
}

void LocationMap::SortPhotosAlongLine(const PhotoList& photoList)
{
    if (IsPictureMap())
        SortAlongLineMapXY();
    else if (IsWebMap())
        SortAlongLineLatLong(photoList);
}

void LocationMap::SortAlongLineMapXY()
{
    const std::vector<Point2>& line = runtime.sortLine;
    if (!IsPictureMap() || line.empty())
        return;
    const double threshold = ContactDistance(true);
    SortAlongLine(
        photos, line, threshold,
        [](const PlacedPhoto& entry, Point2& p) {
            p = Point2(entry.x, entry.y);
            return entry.x != kUnset && entry.y != kUnset && IsNormalNumber(entry.x) && IsNormalNumber(entry.y);
        },
        [](const Point2& a, const Point2& b) {
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            return std::fabs(dx) <= kDegenerate && std::fabs(dy) <= kDegenerate ? -1.0 : std::hypot(dx, dy);
        },
        [](const Point2& a, const Point2& b, const Point2& p, Point2& foot) {
            const double dx = b.x - a.x;
            const double dy = b.y - a.y;
            const double along = dx * (p.x - a.x) + dy * (p.y - a.y);
            if (along < 0.0)
                return PlaneDistance(p, a);
            if ((a.x - b.x) * (p.x - b.x) + (a.y - b.y) * (p.y - b.y) < 0.0)
                return PlaneDistance(p, b);
            const double f = along / (dx * dx + dy * dy);
            foot = Point2(a.x + dx * f, a.y + dy * f);
            return PlaneDistance(foot, p);
        },
        PlaneDistance);
}

void LocationMap::SortAlongLineLatLong(const PhotoList& photoList)
{
    const std::vector<fe::geo::GeoPoint>& line = runtime.sortLineGeo;
    if (!IsWebMap() || line.empty())
        return;
    const auto shotPosition = [&photoList](const PlacedPhoto& entry, fe::geo::GeoPoint& p) {
        const PhotoRecord* photo = photoList.Find(entry.photoId);
        if (!photo || !photo->position.HasPosition())
            return false;
        p = fe::geo::GeoPoint(photo->position.longitude, photo->position.latitude);
        return true;
    };
    // The contact distance in metres, measured where the first positioned photo stands.
    double threshold = kUnset;
    for (const PlacedPhoto& entry : photos.entries) {
        fe::geo::GeoPoint p;
        if (shotPosition(entry, p)) {
            threshold = HubenyDistance(
                p, fe::geo::GeoPoint(p.longitude, p.latitude + ContactDistance(false)));
            break;
        }
    }
    if (threshold == kUnset)
        return;
    SortAlongLine(
        photos, line, threshold, shotPosition,
        HubenyDistance,
        [](const fe::geo::GeoPoint& a, const fe::geo::GeoPoint& b, const fe::geo::GeoPoint& p,
           fe::geo::GeoPoint& foot) {
            const SegmentDistance measured = DistanceToGeodesicSegment(a, b, p);
            foot = measured.nearest;
            return measured.metres;
        },
        HubenyDistance);
}
