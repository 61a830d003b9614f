#include <gtest/gtest.h>

#include <cmath>

#include "PlaneRectReference.h"
#include "fe/geo/PlaneRectConverter.h"

using fe::geo::GeoPoint;
using fe::geo::PlaneRectConverter;

namespace {

// The reference table holds a 3 × 3 grid over the area of use of every zone, projected by an
// independent implementation (PROJ); 1 mm in the plane, 1e-8 degrees back.
TEST(PlaneRectConverter, AgreesWithIndependentReferenceOverAllZones)
{
    PlaneRectConverter converter;
    for (const PlaneRectReferencePoint& ref : kPlaneRectReference) {
        SCOPED_TRACE(testing::Message()
                     << "zone " << ref.zone << " at " << ref.latitude << ", " << ref.longitude);
        ASSERT_TRUE(converter.SetZone(ref.zone));
        const Point2 xy = converter.ToPlaneXY(GeoPoint(ref.longitude, ref.latitude));
        EXPECT_NEAR(xy.x, ref.x, 0.001);
        EXPECT_NEAR(xy.y, ref.y, 0.001);

        GeoPoint back(0, 0);
        converter.ToGeoPoint(back, Point2(ref.x, ref.y));
        EXPECT_NEAR(back.latitude, ref.latitude, 1e-8);
        EXPECT_NEAR(back.longitude, ref.longitude, 1e-8);
        EXPECT_EQ(back.refLatitude, fe::geo::kLimitLatitude);
    }
}

TEST(PlaneRectConverter, ZoneOriginIsZeroBothWays)
{
    for (int zone = 1; zone <= PlaneRectConverter::kZoneCount; ++zone) {
        const PlaneRectConverter converter(zone);
        GeoPoint origin;
        converter.ToGeoPoint(origin, Point2(0, 0));
        const Point2 xy = converter.ToPlaneXY(origin);
        EXPECT_NEAR(xy.x, 0, 1e-6) << zone;
        EXPECT_NEAR(xy.y, 0, 1e-6) << zone;
    }
    GeoPoint tokyo;
    PlaneRectConverter(9).ToGeoPoint(tokyo, Point2(0, 0));
    EXPECT_NEAR(tokyo.latitude, 36, 1e-12);
    EXPECT_NEAR(tokyo.longitude, 139.83333333333334, 1e-12);
}

TEST(PlaneRectConverter, FarFromTheMeridianTheSearchStillLandsWithinOneCentimetre)
{
    // Six degrees east of zone 9's meridian the series alone misses by more than a centimetre.
    const PlaneRectConverter converter(9);
    for (const GeoPoint& p : {GeoPoint(145, 38), GeoPoint(146, 30), GeoPoint(134, 40)}) {
        const Point2 xy = converter.ToPlaneXY(p);
        GeoPoint back;
        converter.ToGeoPoint(back, xy);
        const Point2 again = converter.ToPlaneXY(back);
        EXPECT_LE(std::hypot(again.x - xy.x, again.y - xy.y), 0.01) << p.longitude << ", " << p.latitude;
    }
}

TEST(PlaneRectConverter, ZonesOutsideTheTableAreRefused)
{
    PlaneRectConverter converter(9);
    const Point2 before = converter.ToPlaneXY(GeoPoint(140, 36));
    for (int zone : {0, -1, 20, 1000}) {
        EXPECT_FALSE(converter.SetZone(zone)) << zone;
    }
    EXPECT_EQ(converter.Zone(), 9);
    EXPECT_EQ(converter.ToPlaneXY(GeoPoint(140, 36)), before);

    // A copy converts like its original.
    const PlaneRectConverter copy = converter;
    EXPECT_EQ(copy.ToPlaneXY(GeoPoint(140, 36)), before);
}

}  // namespace
