#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cstring>
#include <limits>

#include "fe/geo/GeoPoint.h"
#include "fe/geo/PhotoFit.h"
#include "fe/geo/TileIndex.h"
#include "fe/geo/TileViewport.h"

using namespace fe::geo;

namespace {

// A centre whose world pixel x at the zoom is the given value (y at the equator).
GeoPoint CentreAtPixelX(double pixelX, int zoom)
{
    GeoPoint p;
    p.SetFromWorldPixel(pixelX, HalfWorldPixels(zoom), zoom);
    return p;
}

}  // namespace

TEST(WebMercator, LimitLatitudeIsTheExactDouble)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(kLimitLatitude), 0x40554345B1A57F00ull);
    EXPECT_EQ(GeoPoint(1, 2).refLatitude, kLimitLatitude);
}

TEST(WebMercator, WorldPixelsAtTheCornersAndCentre)
{
    const Point2 centre = GeoPoint(0, 0).ToWorldPixel(0);
    EXPECT_NEAR(centre.x, 128.0, 1e-6);
    EXPECT_NEAR(centre.y, 128.0, 1e-6);
    EXPECT_EQ(GeoPoint(-180, 0).ToWorldPixel(5).x, 0.0);
    EXPECT_NEAR(GeoPoint(0, kLimitLatitude).ToWorldPixel(5).y, 0.0, 1e-9);
    // y grows southwards
    EXPECT_GT(GeoPoint(0, -10).ToWorldPixel(3).y, GeoPoint(0, 10).ToWorldPixel(3).y);
}

TEST(WebMercator, WorldPixelRoundTrip)
{
    for (const auto& [lon, lat] :
         {std::pair{139.767125, 35.681236}, {-179.5, -84.9}, {0.0, 84.9}, {12.5, -33.3}}) {
        for (int zoom : {0, 10, 18, 20}) {
            const Point2 pixel = GeoPoint(lon, lat).ToWorldPixel(zoom);
            GeoPoint back(0, 0);
            back.SetFromWorldPixel(pixel.x, pixel.y, zoom);
            EXPECT_NEAR(back.longitude, lon, 1e-9) << zoom;
            EXPECT_NEAR(back.latitude, lat, 1e-9) << zoom;
        }
    }
}

TEST(TileIndexKey, NormalizedWrapsColumnsAndRowsAndCapsTheZoom)
{
    struct Case
    {
        TileIndex in;
        TileIndex key;
    };
    const Case cases[] = {
        {{3, -1, 2}, {3, 7, 2}},
        {{3, 8, -9}, {3, 0, 7}},
        {{25, 5, 6}, {18, 5, 6}},
        {{-1, 5, 6}, {18, 5, 6}},
        {{0, 12345, -3}, {0, 0, 0}},
        {{18, INT_MIN, INT_MAX}, {18, 0, (1 << 18) - 1}},
        {{15, 29100, 12900}, {15, 29100, 12900}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.in.Normalized(), c.key) << c.in.zoom << "/" << c.in.x << "/" << c.in.y;
}

TEST(TileIndexKey, HashIsFnv1OverTheTwelveKeyBytes)
{
    EXPECT_EQ(TileIndex(0, 0, 0).Hash(), 0xE23C62B5u);
    EXPECT_EQ(TileIndex(15, 29100, 12900).Hash(), 0x77B17253u);
    EXPECT_EQ(TileIndex(3, 7, 0).Hash(), 0xF9D430B9u);
}

TEST(TileIndexKey, SetFromGeoPointTruncatesAtItsOwnZoom)
{
    TileIndex tile(15, 0, 0);
    tile.SetFromGeoPoint(GeoPoint(139.74135441666667, 35.65809922222222));
    EXPECT_EQ(tile.x, 29103);
    EXPECT_EQ(tile.y, 12905);
    tile = TileIndex(0, 9, 9);
    tile.SetFromGeoPoint(GeoPoint(179.9, -80));
    EXPECT_EQ(tile, TileIndex(0, 0, 0));
    tile = TileIndex(3, 9, 9);
    tile.SetFromGeoPoint(GeoPoint(kUnset, kUnset));  // no undefined conversion
    SUCCEED();
}

TEST(TileRangeAroundView, EdgesAndNegativePixels)
{
    struct Case
    {
        double centrePixelX;  // left edge = trunc(centre) - 128
        int x0;
        int x1;
    };
    const Case cases[] = {
        {640.5, 2, 3},    // left 512: the right edge 768 counts one pixel beyond the view
        {127.5, -1, 0},   // left -1
        {-128.5, -2, 0},  // left -256 lies one tile further west
        {600.0, 1, 2},    // left 472
    };
    for (const Case& c : cases) {
        const TileRange range = TileRangeAround(2, CentreAtPixelX(c.centrePixelX, 2), 256, 100);
        EXPECT_EQ(range.x0, c.x0) << c.centrePixelX;
        EXPECT_EQ(range.x1, c.x1) << c.centrePixelX;
    }
    const TileRange whole = TileRangeAround(0, GeoPoint(0, 0), 256, 256);
    EXPECT_EQ(whole, (TileRange{0, 1, 0, 1}));
}

TEST(TileViewportGeometry, TileOriginAndToScreen)
{
    TileViewport view;
    view.Set(1, GeoPoint(0, 0), 300, 201);
    EXPECT_EQ(view.halfWidth, 150);
    EXPECT_EQ(view.halfHeight, 100);
    EXPECT_NEAR(view.centreX, 256.0, 1e-9);
    EXPECT_EQ(view.TileOrigin(TileIndex(1, 1, 1)), QPoint(150, 100));
    EXPECT_EQ(view.TileOrigin(TileIndex(1, -1, 0)), QPoint(150 - 512, 100 - 256));  // not wrapped
    EXPECT_EQ(view.ToScreen(GeoPoint(0, 0), 1, 1.0), QPoint(150, 100));
    EXPECT_EQ(view.ToScreen(GeoPoint(90, 0), 1, 1.0), QPoint(150 + 128, 100));
    EXPECT_EQ(view.ToScreen(GeoPoint(90, 0), 2, 0.5), QPoint(300 + 64, 200));
    // A point without a position lands far outside the view instead of overflowing the sum.
    const QPoint unset = view.ToScreen(GeoPoint(kUnset, kUnset), 1, 1.0);
    EXPECT_EQ(unset.x(), std::numeric_limits<int>::max());
}

TEST(MercatorBox, CentreIsTheMercatorMidpointAndSizeIsInPixels)
{
    const GeoPoint centre = MercatorCentre(Rect2(130, 0, 140, 60));
    EXPECT_NEAR(centre.longitude, 135.0, 1e-9);
    EXPECT_NEAR(centre.latitude, 35.264, 1e-3);
    EXPECT_EQ(centre.refLatitude, kLimitLatitude);

    const Point2 size = MercatorPixelSize(Rect2(-180, -10, 180, 10), 0);
    EXPECT_NEAR(size.x, 256.0, 1e-9);
    EXPECT_NEAR(size.y, 2 * (128 - GeoPoint(0, 10).ToWorldPixel(0).y), 1e-6);
}

TEST(PhotoBounds, SkipsHalfSetPositionsAndClampsTheLastIndex)
{
    const PhotoPositions photos = {GeoPoint(139.0, kUnset), GeoPoint(140.0, 35.0), GeoPoint(141.0, 36.0)};
    const Rect2 box = PhotoPositionBounds(photos, 0, 1000);
    EXPECT_EQ(box, Rect2(140.0, 35.0, 141.0, 36.0));
    EXPECT_TRUE(PhotoPositionBounds(photos, 0, 0).IsUnset());
    EXPECT_TRUE(PhotoPositionBounds(photos, 2, 1).IsUnset());
    EXPECT_TRUE(PhotoPositionBounds({}, 0, 5).IsUnset());
    EXPECT_TRUE(AnyPhotoHasPosition(photos));
    EXPECT_FALSE(AnyPhotoHasPosition({GeoPoint(kUnset, 1.0)}));
}

TEST(PhotoBounds, FitZoomToPhotos)
{
    GeoPoint centre(1.0, 2.0);
    int zoom = 99;
    EXPECT_FALSE(FitZoomToPhotos({GeoPoint(kUnset, kUnset)}, centre, zoom, 800, 600, 0, 0));
    EXPECT_EQ(centre.longitude, 1.0);
    EXPECT_EQ(centre.latitude, 2.0);
    EXPECT_EQ(zoom, 99);

    ASSERT_TRUE(FitZoomToPhotos({GeoPoint(139.7, 35.6)}, centre, zoom, 800, 600, 0, 0));
    EXPECT_EQ(zoom, 17);
    EXPECT_NEAR(centre.longitude, 139.7, 1e-9);
    EXPECT_NEAR(centre.latitude, 35.6, 1e-8);

    // Photos about 0.1 degree apart fit at a zoom where that span is well inside 800 pixels.
    ASSERT_TRUE(
        FitZoomToPhotos({GeoPoint(139.70, 35.60), GeoPoint(139.80, 35.70)}, centre, zoom, 800, 600, 0, 1));
    EXPECT_GE(zoom, 10);
    EXPECT_LE(zoom, 12);
    EXPECT_LT(MercatorPixelSize(Rect2(139.70, 35.60, 139.80, 35.70), zoom + 1).x, 800.0);
}

TEST(PhotoBounds, FitZoomToBox)
{
    struct Case
    {
        Rect2 box;
        int zoom;
    };
    for (const Case& c :
         {Case{Rect2(139.70, 35.60, 139.80, 35.70), 11}, Case{Rect2(139.7, 35.6, 139.7, 35.6), 17},
          Case{Rect2(139.70, 35.60, 139.71, 35.61), 15}}) {
        GeoPoint centre;
        int zoom = 0;
        ASSERT_TRUE(FitZoomToBox(c.box, centre, zoom, 800, 600));
        EXPECT_EQ(zoom, c.zoom);
        EXPECT_NEAR(centre.longitude, (c.box.x0 + c.box.x1) / 2, 1e-9);
    }
    GeoPoint centre(1.0, 2.0);
    int zoom = 99;
    ASSERT_TRUE(FitZoomToBox(Rect2(139.70, 35.60, 139.80, 35.70), centre, zoom, 800, 600));
    EXPECT_NEAR(centre.latitude, 35.650016, 1e-6);  // halfway in Mercator, not in degrees

    centre = GeoPoint(1.0, 2.0);
    zoom = 99;
    EXPECT_FALSE(FitZoomToBox(Rect2(kUnset, kUnset, kUnset, kUnset), centre, zoom, 800, 600));
    EXPECT_FALSE(FitZoomToBox(Rect2(-179.0, -80.0, 179.0, 80.0), centre, zoom, 100, 100));
    EXPECT_EQ(centre.longitude, 1.0);
    EXPECT_EQ(zoom, 99);
}
