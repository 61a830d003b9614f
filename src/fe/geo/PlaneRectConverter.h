#pragma once

#include "fe/Point2.h"
#include "fe/geo/Ellipsoid.h"
#include "fe/geo/GeoPoint.h"

namespace fe::geo {

// Latitude/longitude to the plane rectangular coordinates X (north) and Y (east), in metres, of
// one of the 19 zones of the Japanese plane rectangular coordinate system, and back: transverse
// Mercator on GRS80 with scale factor 0.9999 on the central meridian.
class PlaneRectConverter
{
public:
    static constexpr int kZoneCount = 19;

    // Without a zone (0) until SetZone.
    PlaneRectConverter();
    explicit PlaneRectConverter(int zone);
    // A converter refers to its own ellipsoid; copies re-bind to theirs.
    PlaneRectConverter(const PlaneRectConverter& other);
    PlaneRectConverter& operator=(const PlaneRectConverter& other);

    void Init();
    // Zones outside 1-19 are refused (false) and the converter is left as it was, so that a zone
    // read from a damaged settings file cannot index past the table.
    bool SetZone(int zone);
    int Zone() const { return m_zone; }
    // The origin of a zone 1-19 in degrees as tabled (exact, not computed); (0, 0) for other zones.
    static GeoPoint ZoneOrigin(int zone);

    // x = X (northing), y = Y (easting).
    Point2 ToPlaneXY(const GeoPoint& point) const;
    // Fills `out` with the longitude and latitude of X = xy.x, Y = xy.y and returns it.
    GeoPoint& ToGeoPoint(GeoPoint& out, const Point2& xy) const;

private:
    void SeriesInverse(const Point2& xy, double& longitude, double& latitude) const;
    double PlaneError(double longitude, double latitude, const Point2& xy) const;

    int m_zone = 0;
    double m_originLatitude = 0.0;   // radians
    double m_originLongitude = 0.0;  // radians
    double m_s0 = 0.0;               // meridian arc at the origin latitude
    Ellipsoid m_ellipsoid;
    MeridianArc m_arc;
};

}  // namespace fe::geo
