// Title box, map outlines with name bands, site areas, site-map box and callouts over web tiles.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "PixelCanvas.h"
#include "model/LocationMap.h"
#include "model/LocationMapList.h"
#include "model/PhotoRecord.h"
#include "view/CalloutLayout.h"
#include "view/ViewGsi.h"

using namespace locmap;

namespace {

const QColor kBlue(0, 80, 176);
const QColor kRed(204, 0, 0);
const QColor kGreen(0, 100, 10);
const QColor kGround(0x88, 0x88, 0x88);

// A drawer over a 400 × 300 view at the zoom, centred on (139.75, 35.68).
struct WebView
{
    ViewGsi drawer;
    PixelCanvas canvas{400, 300};
    int zoom;

    explicit WebView(int z, bool overview = true) : zoom(z)
    {
        drawer.viewport.Set(z, fe::geo::GeoPoint(139.75, 35.68), 400, 300);
        if (overview)
            drawer.UseOverviewPalette();
        else
            drawer.UseMapPalette();
        drawer.SetupResources();
    }

    void Paint(const std::function<void(ViewGsi&)>& draw)
    {
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.BeginAtZoom(&p, zoom));
            draw(drawer);
            drawer.End();
        });
    }

    // A map whose outline is the screen rectangle (x0, y0)–(x1, y1), corners NW, NE, SE, SW.
    LocationMap MapOver(int kind, int x0, int y0, int x1, int y1, const QString& name = {}) const
    {
        LocationMap map(7);
        map.kind = kind;
        map.name = name;
        // Half a pixel away from the centre, so that truncation toward zero lands on the pixel itself.
        const auto nudge = [](int offset) { return offset + (offset < 0 ? -0.5 : 0.5); };
        const auto geo = [&](int x, int y) {
            fe::geo::GeoPoint p;
            p.SetFromWorldPixel(drawer.viewport.centreX + nudge(x - 200),
                                drawer.viewport.centreY + nudge(y - 150), zoom);
            return p;
        };
        map.outline = {geo(x0, y0), geo(x1, y0), geo(x1, y1), geo(x0, y1)};
        map.box = Rect2(map.outline[0].longitude, map.outline[2].latitude, map.outline[2].longitude,
                        map.outline[0].latitude);
        return map;
    }
};

TEST(Furniture, TitleBoxInTheMarkColourOfThePalette)
{
    for (const bool overview : {true, false}) {
        WebView view(15, overview);
        const QString title =
            overview ? QStringLiteral("地図 : 標準") : QStringLiteral("位置図 [ 座標系:緯度経度 ]");
        view.Paint([&](ViewGsi& d) { d.DrawTitleBox(title); });
        const QFontMetrics metrics(view.drawer.overlayRes.m_fonts[0]);
        const int w = metrics.horizontalAdvance(title);
        const int h = metrics.height();
        EXPECT_EQ(view.canvas.At(w + 20, 8 + h / 2), overview ? kBlue : kRed) << overview;
        EXPECT_EQ(view.canvas.At(4, 4), kGround);
        EXPECT_EQ(view.canvas.At(w + 26, 8 + h / 2), kGround);  // the box ends at W + 25
        // The title is written in the light colour inside the box.
        EXPECT_GT(view.canvas.Count(QRect(16, 8, w, h), QColor(255, 255, 255)), 20);
    }
}

TEST(Furniture, OverviewOutlinesByKindWithNamesFromZoom14)
{
    const struct
    {
        int kind;
        int zoom;
        bool outline;
        bool band;
    } cases[] = {
        {LocationMap::kPicture, 15, false, false},
        {LocationMap::kWebStandard, 13, true, false},
        {LocationMap::kWebStandard, 14, true, true},
        {LocationMap::kRegisteredPicture, 14, true, true},
    };
    for (const auto& c : cases) {
        WebView view(c.zoom);
        LocationMapList maps;
        maps.maps.push_back(view.MapOver(c.kind, 100, 120, 300, 250, QStringLiteral("第1工区")));
        PhotoList photos;
        view.Paint([&](ViewGsi& d) { d.DrawOverview(photos, maps, c.zoom, true, true); });
        // The outline's line along the bottom edge.
        EXPECT_EQ(view.canvas.Count(QRect(150, 248, 100, 5), kBlue) > 50, c.outline)
            << c.kind << " " << c.zoom;
        // The name band: along the top edge from its right end for web maps (outside, above it); along the
        // edge from point 3 towards point 0 for registered pictures. Its last 8 px hold no text.
        const QRect band =
            c.kind == LocationMap::kRegisteredPicture ? QRect(103, 243, 6, 5) : QRect(293, 100, 6, 15);
        EXPECT_EQ(view.canvas.Count(band, kBlue) > 20, c.band) << c.kind << " " << c.zoom;
    }
}

TEST(Furniture, TinySiteAreaIsASeventeenPixelCircle)
{
    WebView view(15);
    LocationMapList siteMaps;
    LocationMap map = view.MapOver(LocationMap::kWebStandard, 198, 148, 203, 151);
    map.showCallout = 1;
    siteMaps.maps.push_back(map);
    PhotoList photos;
    view.Paint([&](ViewGsi& d) { d.DrawSiteMapAreas(photos, siteMaps, -1, 15, true, true); });
    const QRect circle = view.canvas.BoundsOf(kRed);
    EXPECT_NEAR(circle.width(), 17, 1);
    EXPECT_NEAR(circle.height(), 17, 1);
    EXPECT_NEAR(circle.center().x(), 200, 1);
    // Without the callout flag there is no area.
    siteMaps.maps[0].showCallout = 0;
    WebView hidden(15);
    hidden.Paint([&](ViewGsi& d) { d.DrawSiteMapAreas(photos, siteMaps, -1, 15, true, true); });
    EXPECT_EQ(hidden.canvas.Count(hidden.canvas.image.rect(), kRed), 0);
}

// A drawer that cannot measure text, as with a face the system cannot render.
class MuteViewGsi : public ViewGsi
{
public:
    bool MeasureText(const QString&, QSize&) const override { return false; }
};

TEST(Furniture, SiteMapBoxHandlesUnlessItsNameCannotBeMeasured)
{
    const QColor white(255, 255, 255);
    const Rect2 view(0, 0, 400, 300);
    {
        WebView web(13);
        const LocationMap site =
            web.MapOver(LocationMap::kWebStandard, 150, 100, 250, 200, QStringLiteral("現場"));
        web.Paint([&](ViewGsi& d) { d.DrawSiteMapBox(site, view, 13); });
        EXPECT_EQ(web.canvas.At(150 - 5, 100 - 5), white);   // inside the top-left handle square
        EXPECT_EQ(web.canvas.At(150 - 6, 100 - 6), kGreen);  // its outline
        EXPECT_EQ(web.canvas.At(175, 100), kGreen);          // the box line
        EXPECT_EQ(web.canvas.At(200, 100 - 5), white);       // the handle in the middle of the top edge
    }
    {
        MuteViewGsi drawer;
        drawer.viewport.Set(14, fe::geo::GeoPoint(139.75, 35.68), 400, 300);
        drawer.UseOverviewPalette();
        drawer.SetupResources();
        WebView geometry(14);
        const LocationMap site =
            geometry.MapOver(LocationMap::kWebStandard, 150, 100, 250, 200, QStringLiteral("現場"));
        PixelCanvas canvas(400, 300);
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.BeginAtZoom(&p, 14));
            drawer.DrawSiteMapBox(site, view, 14);
            drawer.End();
        });
        EXPECT_EQ(canvas.At(175, 100), kGreen);           // the box is drawn
        EXPECT_EQ(canvas.At(150 - 5, 100 - 5), kGround);  // but no handles
    }
}

TEST(Furniture, CalloutGoesAwayFromTheMapCentre)
{
    const int w = 40, h = 10;
    const struct
    {
        const char* what;
        QPoint anchor;
        QPoint centre;
        bool right;
        bool below;
    } cases[] = {
        {"right of and below the centre", {300, 200}, {250, 150}, true, true},
        {"left of and above", {200, 100}, {250, 150}, false, false},
        {"right of and above", {300, 100}, {250, 150}, true, false},
        {"on the centre, left half, far from the top", {100, 200}, {100, 200}, true, false},
        {"on the centre, right half", {500, 200}, {500, 200}, false, false},
        {"on the centre near the top", {100, 60}, {100, 60}, true, true},
    };
    for (const auto& c : cases) {
        const CalloutLayout layout = LayOutCallout(c.anchor, c.centre, w, h, 1, 800);
        if (c.right)
            EXPECT_GT(layout.box.x0, c.anchor.x()) << c.what;
        else
            EXPECT_LT(layout.box.x1, c.anchor.x()) << c.what;
        if (c.below)
            EXPECT_GT(layout.box.y0, c.anchor.y()) << c.what;
        else
            EXPECT_LT(layout.box.y1, c.anchor.y()) << c.what;
        // The box holds the text with 10 px beside it and 5 px above and below.
        EXPECT_EQ(layout.box.x0, layout.textAt.x() - 10) << c.what;
        EXPECT_EQ(layout.box.x1, layout.textAt.x() + w + 10) << c.what;
        EXPECT_EQ(layout.box.y1 - layout.box.y0, h + 10) << c.what;
        // The arrow starts on the box corner side nearest the anchor.
        EXPECT_TRUE(layout.target.x() == layout.box.x0 || layout.target.x() == layout.box.x1) << c.what;
        EXPECT_TRUE(layout.target.y() == layout.box.y0 || layout.target.y() == layout.box.y1) << c.what;
        EXPECT_EQ(layout.target.x() == layout.box.x0, c.right) << c.what;
        EXPECT_EQ(layout.target.y() == layout.box.y0, c.below) << c.what;
    }
}

TEST(Furniture, OutputFrameIsCulledByItsCornerSpans)
{
    const Rect2 view(0, 0, 400, 300);
    const struct
    {
        const char* what;
        int x0, y0, x1, y1;
        bool drawn;
    } cases[] = {
        {"inside", 100, 80, 300, 220, true},
        {"across the right edge", 300, 80, 500, 220, true},
        {"above, reaching into the view", 100, -300, 300, 10, true},
        {"enclosing the whole view", -100, -100, 500, 400, false},
        {"beside and below", 500, 400, 600, 500, false},
    };
    for (const auto& c : cases) {
        WebView web(15, false);
        LocationMap map = web.MapOver(LocationMap::kWebStandard, c.x0, c.y0, c.x1, c.y1, QStringLiteral("A"));
        web.Paint([&](ViewGsi& d) { d.DrawOutputFrame(map, view, 15); });
        EXPECT_EQ(web.canvas.Count(web.canvas.image.rect(), kRed) > 0, c.drawn) << c.what;
    }
}

}  // namespace
