#include <gtest/gtest.h>

#include <QThread>
#include <limits>

#include "LocalServers.h"
#include "TempFolder.h"
#include "fe/geo/MapServer.h"
#include "fe/geo/PlaneRectConverter.h"

using namespace fe::geo;

namespace {

TileSite Site(int zoomMin, int zoomMax)
{
    TileSite site;
    site.SetBuiltIn("/t", ".png", zoomMin, zoomMax, false, "test");
    site.baseUrl = "http://127.0.0.1:1";
    return site;
}

// Pixels of the picture that differ from white.
int ChangedPixels(const QImage& picture, const QRect& area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += picture.pixel(x, y) != qRgb(255, 255, 255);
    return changed;
}

}  // namespace

TEST(MapServerNavigation, DefaultsAndMovesRaiseTheNewTileFlag)
{
    MapServer map;
    EXPECT_EQ(map.Zoom(), 13);
    EXPECT_EQ(map.Center().longitude, 139.74135441666667);
    EXPECT_EQ(map.Center().latitude, 35.65809922222222);
    EXPECT_EQ(map.OverlayFlags(), 10);

    map.SetZoom(15);
    EXPECT_TRUE(map.Server().TakeNewTileFlag());
    map.SetCenter(GeoPoint(140.0, 36.0));
    EXPECT_TRUE(map.Server().TakeNewTileFlag());

    // Dragging by one tile at zoom 15 moves the centre by one tile's longitude.
    map.DragBy(Point2(256, 0));
    EXPECT_NEAR(map.Center().longitude, 140.0 - 360.0 / 32768.0, 1e-9);
    EXPECT_TRUE(map.Server().TakeNewTileFlag());
    const Point2 before = map.Center().ToWorldPixel(15);
    map.DragBy(Point2(0, -100));  // the map follows the pointer up: the centre moves south
    EXPECT_NEAR(map.Center().ToWorldPixel(15).y, before.y + 100, 1e-6);

    map.DragBy(Point2(0, 1e9));
    EXPECT_EQ(map.Center().latitude, kLimitLatitude);
    map.DragBy(Point2(1e9, 0));
    EXPECT_EQ(map.Center().longitude, 0.0);
}

TEST(MapServerNavigation, VisibleBoundsOfTheLastDrawing)
{
    MapServer map;
    map.SetZoom(0);
    map.SetCenter(GeoPoint(0, 0));
    fe::img::Image picture;
    ASSERT_TRUE(picture.Create(256, 256));
    map.DrawTilesToImage(picture);
    const Rect2 bounds = map.VisibleBounds(256, 256);
    EXPECT_NEAR(bounds.x0, -180.0, 1e-9);
    EXPECT_NEAR(bounds.x1, 178.59375, 1e-9);
    EXPECT_NEAR(bounds.y0, -84.92832, 1e-5);
    EXPECT_NEAR(bounds.y1, kLimitLatitude, 1e-9);
}

TEST(MapOverlay, ZoneOriginLabels)
{
    EXPECT_EQ(FormatDegreesMinutesSeconds(PlaneRectConverter::ZoneOrigin(9).longitude),
              QString::fromUtf8("139度50分0秒"));
    EXPECT_EQ(FormatDegreesMinutesSeconds(PlaneRectConverter::ZoneOrigin(3).longitude),
              QString::fromUtf8("132度10分0秒"));
    EXPECT_EQ(FormatDegreesMinutesSeconds(33.0), QString::fromUtf8("33度0分0秒"));
}

TEST(MapOverlay, FreshServerDrawsOnlyTheZoomGauge)
{
    MapServer map;
    fe::img::Image picture;
    ASSERT_TRUE(picture.Create(400, 300));
    picture.Fill(0xFFFFFF);
    map.DrawOverlay(picture);
    const QImage& pixels = picture.Picture();
    // The gauge sits in the top right corner, 30 pixels wide; the number of the current level is to
    // its left.
    EXPECT_EQ(ChangedPixels(pixels, QRect(0, 0, 300, 300)), 0);
    EXPECT_GT(ChangedPixels(pixels, QRect(370, 0, 30, 300)), 500);
    // Level 13 is current and outside the closed server's range: colour 5.
    const int a = 400 - 30;
    const auto dotCentre = [&](int level) { return QPoint(a + 2 + 5, 25 + (20 - level) * 12 + 5); };
    EXPECT_EQ(pixels.pixel(dotCentre(13)), qRgb(255, 100, 100));
    EXPECT_EQ(pixels.pixel(dotCentre(12)), qRgb(150, 50, 50));
}

TEST(MapOverlay, ZoomGaugeShowsTheEnlargedLevels)
{
    TempFolder temp;
    MapServer map;
    ASSERT_TRUE(map.Server().Open(temp.file("cache"), Site(2, 18), ProxySettings()));
    map.SetZoom(19);
    fe::img::Image picture;
    ASSERT_TRUE(picture.Create(400, 300));
    picture.Fill(0xFFFFFF);
    map.DrawOverlay(picture);
    const QImage& pixels = picture.Picture();
    const auto dotCentre = [&](int level) { return QPoint(400 - 30 + 2 + 5, 25 + (20 - level) * 12 + 5); };
    struct Case
    {
        int level;
        QRgb colour;
    };
    const Case cases[] = {
        {20, qRgb(129, 120, 0)}, {19, qRgb(255, 242, 0)}, {18, qRgb(30, 150, 30)},
        {2, qRgb(30, 150, 30)},  {1, qRgb(150, 50, 50)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pixels.pixel(dotCentre(c.level)), c.colour) << c.level;
}

TEST(MapOverlay, QueueDotsOnlyWhileAWorkerHasRequests)
{
    TempFolder temp;
    const auto stall =
        localserver::StartMisbehavingServer(temp.path(), localserver::SolidPng(0), temp.file("log"));
    ASSERT_TRUE(stall && stall->IsUp());
    TileSite site = Site(2, 18);
    site.baseUrl = stall->BaseUrl() + "/stall";
    MapServer map;
    ASSERT_TRUE(map.Server().Open(temp.file("cache"), site, ProxySettings()));
    for (int x = 0; x < 4; ++x)
        map.Server().RequestTile(TileIndex(5, x, 1));
    fe::img::Image picture;
    ASSERT_TRUE(picture.Create(400, 300));
    picture.Fill(0xFFFFFF);
    map.DrawOverlay(picture);
    EXPECT_EQ(ChangedPixels(picture.Picture(), QRect(0, 0, 100, 30)), 0);  // no worker yet

    ASSERT_TRUE(map.Server().Start());
    localserver::WaitFor([&] { return map.Server().QueueSize() == 3; });
    ASSERT_EQ(map.Server().QueueSize(), 3);  // one hangs in the worker, three wait
    map.DrawOverlay(picture);
    const QImage& pixels = picture.Picture();
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(pixels.pixel(10 + k * 8 + 3, 13), qRgb(255, 30, 0)) << k;
    EXPECT_EQ(pixels.pixel(10 + 3 * 8 + 3, 13), qRgb(255, 255, 255));
    map.Close();
}

// Zooms and site bounds far outside the levels a tile key holds draw the tiles and every overlay
// without overflowing (the sanitizers of the test build stop at the first overflow).
TEST(MapOverlay, ZoomsFarOutsideTheLevelsDrawWithoutOverflow)
{
    constexpr int kLowest = std::numeric_limits<int>::min();
    constexpr int kHighest = std::numeric_limits<int>::max();
    struct Case
    {
        int siteMin, siteMax, zoom;
    };
    const Case cases[] = {
        {2, kHighest, 13},
        {kLowest, 18, 13},
        {kLowest, kHighest, 0},
        {2, 18, kHighest},
        {2, 18, kLowest},
        {kLowest, kHighest, kLowest},
        {kHighest - 1, kHighest, kHighest},
        {2, 18, 40},
        {kLowest, kLowest + 1, kLowest + 1},
    };
    TempFolder temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.siteMin << ".." << c.siteMax << " at " << c.zoom);
        MapServer map;
        ASSERT_TRUE(map.Server().Open(temp.file("cache"), Site(c.siteMin, c.siteMax), ProxySettings()));
        map.SetZoom(c.zoom);
        map.SetOverlayFlags(kOverlayTileFrames | kOverlayZoomGauge | kOverlayCacheGauges | kOverlayQueueDots |
                            kOverlayZoneOrigins);
        fe::img::Image picture;
        ASSERT_TRUE(picture.Create(400, 300));
        picture.Fill(0xFFFFFF);
        map.DrawTilesToImage(picture);
        map.DrawOverlay(picture);
        EXPECT_GT(ChangedPixels(picture.Picture(), QRect(0, 0, 400, 300)), 0);
    }
}
