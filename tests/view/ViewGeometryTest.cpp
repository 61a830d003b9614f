// The main view's window-free geometry: pixel <-> latitude/longitude around the centre, the boxes it hands
// on, zooming about the pointer, fitting a picture map, the overview title, the arrow keys' zoom, the line
// mode, the tile cache folder and the mark template.
#include <gtest/gtest.h>

#include <QDir>

#include "model/LocationMap.h"
#include "model/MarkSettingSet.h"
#include "view/MarkTemplate.h"
#include "view/TileCacheFolder.h"
#include "view/ViewGeometry.h"
#include "view/ViewGsi.h"

using namespace locmap;

namespace {

const fe::geo::GeoPoint kCentre(136.7885745, 37.62205645);

WebViewGeometry At(int zoom, QSize client = QSize(1000, 600))
{
    return WebViewGeometry{kCentre, zoom, client};
}

TEST(WebViewGeometry, PixelsAndLatLongRoundTrip)
{
    const struct
    {
        int zoom;
        double lon, lat;
    } cases[] = {{6, 136.7885745, 37.62205645}, {6, 140.2, 35.1}, {14, 136.79, 37.63},
                 {18, 136.78861, 37.62199},     {2, -20.0, -60.0}, {20, 136.7885, 37.6221}};
    for (const auto& c : cases) {
        const WebViewGeometry g = At(c.zoom);
        const Point2 pixel = g.LatLongToPixel(fe::geo::GeoPoint(c.lon, c.lat));
        const fe::geo::GeoPoint back = g.PixelToLatLong(pixel.x, pixel.y);
        EXPECT_NEAR(back.longitude, c.lon, 1e-9) << c.zoom;
        EXPECT_NEAR(back.latitude, c.lat, 1e-9) << c.zoom;
        EXPECT_EQ(back.refLatitude, fe::geo::kLimitLatitude);
    }
    // The client centre is the map server's centre.
    const fe::geo::GeoPoint middle = At(12).PixelToLatLong(500, 300);
    EXPECT_NEAR(middle.longitude, kCentre.longitude, 1e-12);
    EXPECT_NEAR(middle.latitude, kCentre.latitude, 1e-12);
}

TEST(WebViewGeometry, OverviewExtentIsTheAreaInsideTheMargin)
{
    const WebViewGeometry g = At(10);
    Rect2 box;
    ASSERT_TRUE(g.OverviewExtent(box));
    EXPECT_DOUBLE_EQ(box.x0, g.PixelToLatLong(25, 0).longitude);
    EXPECT_DOUBLE_EQ(box.x1, g.PixelToLatLong(975, 0).longitude);
    EXPECT_DOUBLE_EQ(box.y0, g.PixelToLatLong(0, 575).latitude);
    EXPECT_DOUBLE_EQ(box.y1, g.PixelToLatLong(0, 25).latitude);
    // An inner side under 10 pixels stores nothing.
    Rect2 untouched(1, 2, 3, 4);
    EXPECT_FALSE(At(10, QSize(34, 600)).OverviewExtent(untouched));
    EXPECT_FALSE(At(10, QSize(600, 34)).OverviewExtent(untouched));
    EXPECT_EQ(untouched, Rect2(1, 2, 3, 4));
    EXPECT_TRUE(At(10, QSize(35, 35)).OverviewExtent(untouched));
}

TEST(WebViewGeometry, VisibleBoxKeepsTheAspectInsideTheMargin)
{
    const struct
    {
        double aspect;
        Rect2 pixels;  // {left, right, bottom, top}
    } cases[] = {
        // Taller than the inner area: its full height 25..575 and 550 × 0.7 = 385 wide about x = 500.
        {0.7, Rect2(307.5, 575, 692.5, 25)},
        // Wider: the full width 25..975 and 950 / 3 high about y = 300.
        {3.0, Rect2(25, 300 + 950 / 6.0, 975, 300 - 950 / 6.0)},
        // No aspect: the whole inner area.
        {0.0, Rect2(25, 575, 975, 25)},
        {0.0005, Rect2(25, 575, 975, 25)},
    };
    const WebViewGeometry g = At(15);
    for (const auto& c : cases) {
        Rect2 pixels;
        ASSERT_TRUE(g.VisiblePixelBox(c.aspect, pixels));
        EXPECT_NEAR(pixels.x0, c.pixels.x0, 1e-9) << c.aspect;
        EXPECT_NEAR(pixels.x1, c.pixels.x1, 1e-9) << c.aspect;
        EXPECT_NEAR(pixels.y0, c.pixels.y0, 1e-9) << c.aspect;
        EXPECT_NEAR(pixels.y1, c.pixels.y1, 1e-9) << c.aspect;
        Rect2 box;
        ASSERT_TRUE(g.VisibleLatLongBox(c.aspect, box));
        EXPECT_DOUBLE_EQ(box.x0, g.PixelToLatLong(c.pixels.x0, 0).longitude);
        EXPECT_DOUBLE_EQ(box.x1, g.PixelToLatLong(c.pixels.x1, 0).longitude);
        EXPECT_DOUBLE_EQ(box.y0, g.PixelToLatLong(0, c.pixels.y0).latitude);
        EXPECT_DOUBLE_EQ(box.y1, g.PixelToLatLong(0, c.pixels.y1).latitude);
    }
    Rect2 box;
    EXPECT_FALSE(At(15, QSize(30, 600)).VisibleLatLongBox(0.7, box));
}

TEST(WebViewGeometry, ZoomingAboutThePointerKeepsItsPlace)
{
    const QSize client(1000, 600);
    for (const QPoint pointer : {QPoint(700, 200), QPoint(3, 590), QPoint(500, 300)}) {
        for (const auto& [from, to] : {std::pair{6, 7}, std::pair{12, 11}, std::pair{19, 20}}) {
            const fe::geo::GeoPoint under = WebViewGeometry{kCentre, from, client}.PixelToLatLong(pointer.x(), pointer.y());
            const fe::geo::GeoPoint centre = CentreKeepingPointer(kCentre, from, to, client, pointer);
            const Point2 now = WebViewGeometry{centre, to, client}.LatLongToPixel(under);
            // Whole pixels at both zooms: the point may land up to two pixels off.
            EXPECT_NEAR(now.x, pointer.x(), 2.0) << from << "->" << to;
            EXPECT_NEAR(now.y, pointer.y(), 2.0) << from << "->" << to;
        }
    }
}

TEST(WebViewGeometry, ZoomBackToABox)
{
    fe::geo::GeoPoint centre;
    // A few metres fit at 18: one level less.
    EXPECT_EQ(ZoomToShowBox(Rect2(136.7885, 37.6220, 136.7886, 37.6221), QSize(1000, 600), centre), 17);
    EXPECT_NEAR(centre.longitude, 136.78855, 1e-9);
    // Nearly the whole world in a small view never fits down to 2: zoom 1 about the box's Mercator centre.
    EXPECT_EQ(ZoomToShowBox(Rect2(-170, -80, 170, 80), QSize(200, 150), centre), 1);
    EXPECT_NEAR(centre.longitude, 0.0, 1e-9);
    EXPECT_NEAR(centre.latitude, 0.0, 1e-7);
}

TEST(FitTransformToView, FrameFillsTheViewWithAMargin)
{
    LocationMap map(1);
    map.kind = LocationMap::kPicture;
    map.frame.rectA = Rect2(0, 0, 100, 50);
    LocationMapTransform transform;
    transform.kind = 7;
    ASSERT_TRUE(FitTransformToView(map, transform, 1000, 600));
    EXPECT_EQ(transform.kind, LocationMapTransform::kNone);
    EXPECT_NEAR(transform.mapping.X().Ratio(), 1000 / 105.0, 1e-9);
    const Point2 topLeft = transform.mapping.Map(Point2(0, 0));
    const Point2 bottomRight = transform.mapping.Map(Point2(100, 50));
    EXPECT_NEAR(topLeft.x, 23.81, 0.005);
    EXPECT_NEAR(topLeft.y, 61.90, 0.005);
    EXPECT_NEAR(bottomRight.x, 976.19, 0.005);
    EXPECT_NEAR(bottomRight.y, 538.10, 0.005);

    // Web maps, frames without area and empty views are left alone.
    LocationMapTransform untouched;
    untouched.value = 3.0;
    map.kind = LocationMap::kWebStandard;
    EXPECT_FALSE(FitTransformToView(map, untouched, 1000, 600));
    map.kind = LocationMap::kPicture;
    map.frame.rectA = Rect2(10, 0, 10, 50);
    EXPECT_FALSE(FitTransformToView(map, untouched, 1000, 600));
    map.frame.rectA = Rect2(0, 0, 100, 50);
    EXPECT_FALSE(FitTransformToView(map, untouched, 0, 600));
    EXPECT_EQ(untouched.value, 3.0);
}

TEST(ViewRules, OverviewTitleArrowKeysAndLineMode)
{
    const struct
    {
        const char* title;
        int kind;
        const char* expected;
    } titles[] = {{"標準地図", 2, "地図 : 標準"}, {"淡色地図", 4, "地図 : 淡色"}, {"X", 3, "地図 : 淡色"},
                  {"", 2, "地図 : 標準"},          {"", 4, "地図 : 写真"},          {"", 5, ""},
                  {"写", 0, ""}};
    for (const auto& t : titles)
        EXPECT_EQ(OverviewTitle(QString::fromUtf8(t.title), t.kind), QString::fromUtf8(t.expected)) << t.title;

    const struct
    {
        int zoom, step, after;
        bool redraw;
    } keys[] = {{6, 1, 7, true}, {19, 1, 20, true}, {20, 1, 20, false}, {23, 1, 20, false},
                {6, -1, 5, true}, {1, -1, 0, true},  {0, -1, 0, false}};
    for (const auto& k : keys) {
        int zoom = k.zoom;
        EXPECT_EQ(StepZoomByKey(zoom, k.step), k.redraw) << k.zoom << " " << k.step;
        EXPECT_EQ(zoom, k.after) << k.zoom << " " << k.step;
    }

    // Only all three at once: ledger shown, numbering dialog not shown, line switch on.
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(SortLineModeHolds(bits & 1, bits & 2, bits & 4), bits == 5) << bits;
}

TEST(TileCacheFolder, RelativeFoldersLieInTheBaseFolderAndWideTreesAreNeverDeleted)
{
    EXPECT_EQ(ResolveTileCacheFolder(QString(), QStringLiteral("/opt/k/")), QStringLiteral("/opt/k/geocache"));
    EXPECT_EQ(ResolveTileCacheFolder(QStringLiteral("tiles/x"), QStringLiteral("/opt/k")),
              QStringLiteral("/opt/k/tiles/x"));
    EXPECT_EQ(ResolveTileCacheFolder(QStringLiteral("/var/cache/t/"), QStringLiteral("/opt/k")),
              QStringLiteral("/var/cache/t"));

    const QString home = QDir::homePath();
    const struct
    {
        QString folder;
        bool mayDelete;
    } cases[] = {{QString(), false},
                 {QStringLiteral("/"), false},
                 {QStringLiteral("geocache"), false},
                 {home, false},
                 {home + QStringLiteral("/"), false},
                 {QFileInfo(home).absolutePath(), false},
                 {home + QStringLiteral("/kelvor/geocache"), true},
                 {QStringLiteral("/tmp/kelvor-geocache"), true}};
    for (const auto& c : cases)
        EXPECT_EQ(MayDeleteCacheTree(c.folder), c.mayDelete) << c.folder.toStdString();
}

TEST(MarkTemplate, SizesColoursAndFlagsReachTheDrawer)
{
    MarkStyle style;
    style.kind = 1;
    style.drawColor = 0x0000FF;
    style.outlineColor = 0x00FF00;
    style.textColor = 0xFF0000;
    style.textBackColor = 0x123456;
    style.excel = MarkSetting(5, 3, 20.0f, 9.0, 1, 10.0f, 11, 1, 0, 1);
    ViewGsi drawer;
    ApplyMarkTemplate(drawer, style, style.excel, 2.0, 1.5, 2.0);
    EXPECT_EQ(drawer.style.markKind, 1);
    EXPECT_EQ(drawer.palette.mapMark, 0x0000FFu);
    EXPECT_EQ(drawer.palette.base, 0x00FF00u);
    EXPECT_EQ(drawer.palette.numberText, 0xFF0000u);
    EXPECT_EQ(drawer.palette.labelFill, 0x123456u);
    EXPECT_EQ(drawer.style.markRadius, 15);
    EXPECT_EQ(drawer.style.baseExtraWidth, 9);
    EXPECT_FLOAT_EQ(drawer.style.arrowLength, 60.0f);
    EXPECT_DOUBLE_EQ(drawer.style.headLength, 27.0);
    EXPECT_EQ(drawer.style.fontHeight, 33);
    EXPECT_EQ(drawer.style.lineWidth, 2);  // a width of 1 becomes round(b)
    EXPECT_EQ(drawer.style.sizeFactor, 2.0);
    EXPECT_EQ(drawer.style.plain, 1);
    EXPECT_EQ(drawer.style.showArrows, 0);
    EXPECT_EQ(drawer.style.showLeaders, 1);
    style.excel.lineWidth = 3;
    ApplyMarkTemplate(drawer, style, style.excel, 2.0, 1.5, 2.0);
    EXPECT_EQ(drawer.style.lineWidth, 9);
    // The screen form takes the screen sizes as they are.
    ApplyScreenMarkTemplate(drawer, style);
    EXPECT_EQ(drawer.style.markRadius, style.screen.coreRadius);
    EXPECT_EQ(drawer.style.lineWidth, style.screen.lineWidth);
    EXPECT_EQ(drawer.style.sizeFactor, 1.0);
}

}  // namespace
