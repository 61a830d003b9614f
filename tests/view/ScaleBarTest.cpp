// The scale bar: its row from the table, its drawing and its place on a web map.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PixelCanvas.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"
#include "view/ScaleBar.h"
#include "view/ViewGsi.h"

using namespace locmap;

namespace {

TEST(ScaleBar, RowIsTheFirstReachingAQuarterOfTheWidth)
{
    const struct
    {
        const char* what;
        int quarter;
        double metres;  // across the whole width
        int row;
        int pixels;
    } cases[] = {
        {"1000 px at 0.1 m/px: 30 m", 250, 100, 2, 300},
        {"1000 px at 1 m/px: 300 m", 250, 1000, 11, 300},
        {"400 px at 2 m/px: 200 m", 100, 800, 10, 100},
        {"exactly the first row", 75, 30, 0, 100},
        {"30 km", 250, 1e5, 21, 300},
        {"even 90 km is short: drawn at its own length", 250, 1e7, 22, 9},
    };
    for (const auto& c : cases) {
        const ScaleBarChoice choice = ChooseScaleBar(c.quarter, c.metres);
        EXPECT_EQ(choice.row, c.row) << c.what;
        EXPECT_EQ(choice.pixels, c.pixels) << c.what;
    }
    // Every row's length is its segments times its step.
    for (const ScaleBarRow& row : kScaleBarSteps)
        EXPECT_EQ(row.length, row.segments * row.step);
}

TEST(ScaleBar, NoBarForMetresThatCannotBeMeasured)
{
    for (const double metres :
         {0.0, -5.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(ChooseScaleBar(250, metres).IsValid()) << metres;
}

TEST(ScaleBar, DrawnBarIsWholeSegmentsWithAHalfWhiteFirstOne)
{
    DrawLoc drawer;
    drawer.SetupResources();
    PixelCanvas canvas(500, 120);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.UseScaleBarFont(12);
        drawer.DrawScaleBarAt(2, 400, 80, 301, 12);  // 3 segments of 100: the bar runs 100 .. 400
        drawer.End();
    });
    const QColor black(0, 0, 0), white(255, 255, 255);
    const int top = 80 - 12;
    EXPECT_EQ(canvas.At(100, top), black);      // left end, top row
    EXPECT_EQ(canvas.At(400, top), black);      // right end
    EXPECT_EQ(canvas.At(401, top + 5), white);  // the white back box beyond the bar
    EXPECT_EQ(canvas.At(99, top + 5), white);
    // First segment: black left half, white right half below the top row; second black; third white.
    EXPECT_EQ(canvas.At(120, top + 5), black);
    EXPECT_EQ(canvas.At(180, top + 5), white);
    EXPECT_EQ(canvas.At(250, top + 5), black);
    EXPECT_EQ(canvas.At(350, top + 5), white);
    EXPECT_EQ(canvas.At(300, top + 5), black);  // each white cell leaves a black line on its left
    EXPECT_EQ(canvas.At(350, top), black);      // white cells start one row below the top
    // The labels 0 .. 30 under the bar and " m" at its end are written in black.
    EXPECT_GT(canvas.Count(QRect(90, 83, 20, 14), black, 100), 3);
    EXPECT_GT(canvas.Count(QRect(390, 83, 20, 14), black, 100), 3);
    EXPECT_GT(canvas.Count(QRect(402, 58, 30, 22), black, 100), 3);
}

// Labels are written apart on every row of the table, also on the shortest bar a row is drawn at (a
// quarter of a narrow view); the first and the last are always written.
TEST(ScaleBar, LabelsOfEveryRowStandApart)
{
    const struct
    {
        std::vector<int> widths;
        int cell;
        std::vector<int> shown;
    } layouts[] = {
        {{6, 18, 18, 18, 18, 24}, 40, {0, 1, 2, 3, 4, 5}},  // room for all
        {{6, 18, 18, 18, 18, 24}, 20, {0, 1, 3, 5}},        // every other one after the narrow 0
        {{6, 24, 24, 24, 24, 24}, 20, {0, 2, 5}},           // "0 10002000300040005000"
        {{6, 24, 24, 24}, 10, {0, 3}},                      // only the ends fit
    };
    for (const auto& layout : layouts)
        EXPECT_EQ(ShownScaleLabels(layout.widths, layout.cell, 6), layout.shown) << layout.cell;

    DrawLoc drawer;
    drawer.SetupResources();
    for (int row = 0; row < kScaleBarRowCount; ++row) {
        for (const int bar : {100, 160, 250}) {
            SCOPED_TRACE(testing::Message() << kScaleBarSteps[row].length << " m on " << bar << " px");
            PixelCanvas canvas(500, 120);
            int widest = 0;
            canvas.Paint([&](QPainter& p) {
                ASSERT_TRUE(drawer.Begin(&p));
                drawer.UseScaleBarFont(12);
                widest = p.fontMetrics().horizontalAdvance(QString::number(kScaleBarSteps[row].length));
                drawer.DrawScaleBarAt(row, 400, 80, bar, 12);
                drawer.End();
            });
            // The labels stand under the bar, inside its white box.
            const auto pieces = DarkPieces(canvas.image, QRect(0, 82, 500, 20));
            ASSERT_GE(pieces.size(), 2u);
            for (const auto& [left, right] : pieces)
                EXPECT_LE(right - left + 1, widest) << "labels run together at " << left;
        }
    }
}

TEST(ScaleBar, WebMapPlacesNorthArrowAndBarFromTheLayout)
{
    const int w = 480, h = 320;
    ViewGsi drawer;
    const fe::geo::GeoPoint centre(139.75, 35.68);
    drawer.viewport.Set(16, centre, w, h);
    LocationMap map(1);
    map.SetWebMap(LocationMap::kWebStandard, Rect2(139.74, 35.67, 139.76, 35.69), 16);
    map.zone = 9;
    map.overlay.northArrowX = map.overlay.northArrowY = 40;
    map.overlay.scaleBarX = map.overlay.scaleBarY = 40;
    drawer.SetupResources();
    PixelCanvas canvas(w, h);
    fe::geo::GeoPoint west, east;
    west.SetFromWorldPixel(drawer.viewport.centreX - w / 2, drawer.viewport.centreY, 16);
    east.SetFromWorldPixel(drawer.viewport.centreX + w / 2, drawer.viewport.centreY, 16);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.BeginAtZoom(&p, 16));
        drawer.DrawScreenNorthArrow(map);
        drawer.DrawScreenScaleBar(map, 16, west.longitude, east.longitude);
        drawer.End();
    });
    const QColor black(0, 0, 0);
    // North symbol centred at (w − 70, 42): the dart covers its centre, the ring lies 20 px out.
    EXPECT_EQ(canvas.At(w - 70, 42), black);
    EXPECT_GT(canvas.Count(QRect(w - 70 - 21, 40, 3, 5), black), 0);
    EXPECT_GT(canvas.Count(QRect(w - 70 + 19, 40, 3, 5), black), 0);
    // Scale bar: right end at x = w − 30, baseline y = h − 20; its top row is black at x = w − 31.
    EXPECT_EQ(canvas.At(w - 31, h - 32), black);
    EXPECT_EQ(canvas.At(w - 30, h - 25), black);
    EXPECT_NE(canvas.At(w - 29, h - 25), black);

    // Without a plane zone there is no bar.
    map.zone = 0;
    PixelCanvas bare(w, h);
    bare.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.BeginAtZoom(&p, 16));
        drawer.DrawScreenScaleBar(map, 16, west.longitude, east.longitude);
        drawer.End();
    });
    EXPECT_EQ(bare.Count(bare.image.rect(), black), 0);
}

}  // namespace
