#include "fe/geo/PlaneRectConverter.h"

#include <cmath>

#include "fe/Unset.h"

namespace fe::geo {

namespace {

constexpr double kScale = 0.9999;
constexpr double kDegToRad = 3.141592653589793 / 180;
constexpr double kRadToDeg = 57.29577951308232;

// Origins of zones 1-19 in degrees.
constexpr double kOriginLatitude[PlaneRectConverter::kZoneCount] = {
    33, 33, 36, 33, 36, 36, 36, 36, 36, 40, 44, 44, 44, 26, 26, 26, 26, 20, 26,
};
constexpr double kOriginLongitude[PlaneRectConverter::kZoneCount] = {
    129.5,
    131,
    132.16666666666666,
    133.5,
    134.33333333333334,
    136,
    137.16666666666666,
    138.5,
    139.83333333333334,
    140.83333333333334,
    140.25,
    142.25,
    144.25,
    142,
    127.5,
    124,
    131,
    136,
    154,
};

// The estimate is good enough once it maps back within 1 cm of the given point.
constexpr double kGoodEnough = 0.01;

}  // namespace

GeoPoint PlaneRectConverter::ZoneOrigin(int zone)
{
    if (zone < 1 || zone > kZoneCount)
        return GeoPoint(0.0, 0.0);
    return GeoPoint(kOriginLongitude[zone - 1], kOriginLatitude[zone - 1]);
}

PlaneRectConverter::PlaneRectConverter()
{
    Init();
}

PlaneRectConverter::PlaneRectConverter(int zone)
{
    Init();
    SetZone(zone);
}

PlaneRectConverter::PlaneRectConverter(const PlaneRectConverter& other)
{
    *this = other;
}

PlaneRectConverter& PlaneRectConverter::operator=(const PlaneRectConverter& other)
{
    m_zone = other.m_zone;
    m_originLatitude = other.m_originLatitude;
    m_originLongitude = other.m_originLongitude;
    m_s0 = other.m_s0;
    m_ellipsoid = other.m_ellipsoid;
    m_arc.Init(m_ellipsoid);
    return *this;
}

void PlaneRectConverter::Init()
{
    m_ellipsoid.SetGrs80();
    m_arc.Init(m_ellipsoid);
    m_zone = 0;
}

bool PlaneRectConverter::SetZone(int zone)
{
    if (zone < 1 || zone > kZoneCount) {
        return false;
    }
    m_zone = zone;
    m_originLatitude = kOriginLatitude[zone - 1] * kDegToRad;
    m_originLongitude = kOriginLongitude[zone - 1] * kDegToRad;
    m_s0 = m_arc.Length(m_originLatitude);
    return true;
}

Point2 PlaneRectConverter::ToPlaneXY(const GeoPoint& point) const
{
    const double phi = point.latitude * kDegToRad;
    const double dl = point.longitude * kDegToRad - m_originLongitude;
    const double a = m_ellipsoid.a;
    const double e = m_ellipsoid.e;
    const double ep = m_ellipsoid.e2;

    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double t = std::tan(phi);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double eta2 = ep * ep * c * c;
    const double eta4 = eta2 * eta2;
    const double n = a / std::sqrt(1 - e * e * s * s);

    const double dl2 = dl * dl;
    const double c2 = c * c;
    const double nt = n * t;
    const double x =
        m_arc.Length(phi) - m_s0 + nt * c2 * dl2 / 2 +
        nt * c2 * c2 * (5 - t2 + 9 * eta2 + 4 * eta4) * dl2 * dl2 / 24 +
        nt * std::pow(c, 6) * (61 - 58 * t2 + t4 + 270 * eta2 - 330 * t2 * eta2) * std::pow(dl, 6) / 720 +
        nt * std::pow(c, 8) * (1385 - 3111 * t2 + 543 * t4 - t6) * std::pow(dl, 8) / 40320;
    const double y =
        n * c * dl + n * std::pow(c, 3) * (1 - t2 + eta2) * std::pow(dl, 3) / 6 +
        n * std::pow(c, 5) * (5 - 18 * t2 + t4 + 14 * eta2 - 58 * t2 * eta2) * std::pow(dl, 5) / 120 +
        n * std::pow(c, 7) * (61 - 479 * t2 + 179 * t4 - t6) * std::pow(dl, 7) / 5040;
    return {kScale * x, kScale * y};
}

void PlaneRectConverter::SeriesInverse(const Point2& xy, double& longitude, double& latitude) const
{
    const double a = m_ellipsoid.a;
    const double e = m_ellipsoid.e;
    const double ep = m_ellipsoid.e2;
    const double e_2 = e * e;

    // Footpoint latitude: four Newton steps on S(φ) = S0 + X / m0.
    const double target = m_s0 + xy.x / kScale;
    double phi1 = m_originLatitude;
    for (int i = 0; i < 4; ++i) {
        const double s = std::sin(phi1);
        const double m = a * (1 - e_2) / std::pow(1 - e_2 * s * s, 1.5);
        phi1 -= (m_arc.Length(phi1) - target) / m;
    }

    const double s1 = std::sin(phi1);
    const double c1 = std::cos(phi1);
    const double t1 = std::tan(phi1);
    const double t2 = t1 * t1;
    const double t4 = t2 * t2;
    const double eta2 = ep * ep * c1 * c1;
    const double eta4 = eta2 * eta2;
    const double w = std::sqrt(1 - e_2 * s1 * s1);
    const double n1 = a / w;
    const double m1 = a * (1 - e_2) / (w * w * w);
    const double y = xy.y / kScale;
    const double y2 = y * y;

    const double phi =
        phi1 - t1 * y2 / (2 * m1 * n1) +
        t1 * (5 + 3 * t2 + eta2 - 9 * t2 * eta2 - 4 * eta4) * y2 * y2 / (24 * m1 * std::pow(n1, 3)) -
        t1 * (61 + 90 * t2 + 45 * t4 + 46 * eta2 - 252 * t2 * eta2 - 90 * t4 * eta2) * std::pow(y, 6) /
            (720 * m1 * std::pow(n1, 5));
    const double dl =
        y / (n1 * c1) - (1 + 2 * t2 + eta2) * std::pow(y, 3) / (6 * std::pow(n1, 3) * c1) +
        (5 + 28 * t2 + 24 * t4 + 6 * eta2 + 8 * t2 * eta2) * std::pow(y, 5) / (120 * std::pow(n1, 5) * c1);

    latitude = phi * kRadToDeg;
    longitude = m_originLongitude * kRadToDeg + dl * kRadToDeg;
}

double PlaneRectConverter::PlaneError(double longitude, double latitude, const Point2& xy) const
{
    const Point2 back = ToPlaneXY(GeoPoint(longitude, latitude));
    return std::hypot(back.x - xy.x, back.y - xy.y);
}

GeoPoint& PlaneRectConverter::ToGeoPoint(GeoPoint& out, const Point2& xy) const
{
    double longitude = 0.0;
    double latitude = 0.0;
    SeriesInverse(xy, longitude, latitude);

    // Should the series miss by more than 1 cm (far from the central meridian), search the
    // longitude and then the latitude with halving steps that reverse on every worsening.
    double best = kUnset;
    double step = 0.1;
    for (int i = 0; i < 100; ++i) {
        const double error = PlaneError(longitude, latitude, xy);
        if (error <= kGoodEnough) {
            out = GeoPoint(longitude, latitude);
            return out;
        }
        if (error < best) {
            best = error;
        } else {
            longitude -= step;
            step *= -0.5;
        }
        longitude += step;
    }

    const double longitudeBest = best;
    const double savedLongitude = longitude;
    const double savedLatitude = latitude;
    step = 0.001;
    for (int i = 0; i < 30; ++i) {
        const double error = PlaneError(longitude, latitude, xy);
        if (error <= kGoodEnough) {
            out = GeoPoint(longitude, latitude);
            return out;
        }
        if (error < best) {
            best = error;
        } else if (error > best) {
            latitude -= step;
            step *= -0.5;
        }
        latitude += step;
    }
    if (!(best < longitudeBest)) {
        longitude = savedLongitude;
        latitude = savedLatitude;
    }
    out = GeoPoint(longitude, latitude);
    return out;
}

}  // namespace fe::geo
