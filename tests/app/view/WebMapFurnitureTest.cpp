// The furniture of a web location map in the frame's real view: the map's name stays clear of the zoom
// gauge, and the scale bar's labels stand apart at every zoom. Pictures of the 1000 m and 5000 m bars
// are left in pictures/ for a person to look at.
#include <cmath>
#include <map>

#include "../../view/PixelCanvas.h"
#include "MainViewFixture.h"
#include "fe/gdi/LogFont.h"
#include "fe/geo/PlaneRectConverter.h"
#include "model/LocationMap.h"
#include "view/ScaleBar.h"

namespace {

// The longest run of the name band's red on the row: its first and last column.
std::pair<int, int> LongestRedRun(const QImage& picture, int row)
{
    std::pair<int, int> longest{0, -1};
    int start = -1;
    for (int x = 0; x <= picture.width(); ++x) {
        const QColor c = x < picture.width() ? picture.pixelColor(x, row) : QColor(Qt::white);
        const bool red = c.red() > 150 && c.green() < 80 && c.blue() < 80;
        if (red && start < 0)
            start = x;
        if (!red && start >= 0) {
            if (x - start > longest.second - longest.first + 1)
                longest = {start, x - 1};
            start = -1;
        }
    }
    return longest;
}

TEST_F(MainViewTest, WebMapNameAndScaleBarLabelsStayReadable)
{
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame, QSize(1024, 720));
    const Rect2 box(139.74, 35.67, 139.748, 35.674);
    Edit([&](Project& p) {
        ASSERT_TRUE(p.maps.AddWebMap(LocationMap::kWebStandard, box, 16, false));
        LocationMap& map = p.maps.maps.back();
        map.zone = 9;
        map.name = QStringLiteral("名称未設定1");
    });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    shown->FitCurrentMap();
    const int width = shown->BackBuffer().Width(), height = shown->BackBuffer().Height();

    // The frame's top right corner lies beside the zoom gauge; the name band along the top edge is drawn
    // whole to the left of the gauge.
    const QRect gauge = shown->MapServer().ZoomGaugeBox(width);
    const Point2 corner = shown->LatLongToPixel(fe::geo::GeoPoint(box.x1, box.y1), shown->Zoom());
    ASSERT_GT(int(corner.x), gauge.left());
    const int bandRow = int(corner.y) - 2;
    ASSERT_TRUE(bandRow > 0 && bandRow < gauge.bottom());
    const QImage fitted = shown->BackBuffer().Picture().copy();
    fitted.save(LookFolder() + QStringLiteral("web-map-name-and-gauge.png"));
    const auto [bandLeft, bandRight] = LongestRedRun(fitted, bandRow);
    EXPECT_GE(bandRight - bandLeft, 40) << "no name band above the frame";
    EXPECT_LT(bandRight, gauge.left()) << "the name band lies under the zoom gauge";

    // The scale bar at each zoom: its labels under the bar (baseline 20 px above the bottom, right end
    // 30 px from the right) never run together.
    fe::gdi::LogFontAry fonts;
    fonts.Add(QStringLiteral("ＭＳゴシック"), 12, 0);
    const QFontMetrics metrics(fe::gdi::ToQFont(fonts.front()));
    fe::geo::PlaneRectConverter zone;
    ASSERT_TRUE(zone.SetZone(9));
    std::map<int, int> rowsSeen;
    for (int zoom = 8; zoom <= 18; ++zoom) {
        SCOPED_TRACE(zoom);
        shown->MapServer().SetZoom(zoom);
        shown->RenderView();
        const QImage picture = shown->BackBuffer().Picture().copy();
        // The row the view chose, from the metres its width covers along the map's south edge.
        const Rect2 visible = shown->MapServer().VisibleBounds(width, height);
        const Point2 west = zone.ToPlaneXY(fe::geo::GeoPoint(visible.x0, box.y0));
        const Point2 east = zone.ToPlaneXY(fe::geo::GeoPoint(visible.x1, box.y0));
        const int row = locmap::ChooseScaleBar(width / 4, std::hypot(east.x - west.x, east.y - west.y)).row;
        ASSERT_GE(row, 0);
        rowsSeen[locmap::kScaleBarSteps[row].length] = zoom;
        if (locmap::kScaleBarSteps[row].length == 1000 || locmap::kScaleBarSteps[row].length == 5000)
            picture.save(LookFolder() +
                         QStringLiteral("web-map-scale-%1m.png").arg(locmap::kScaleBarSteps[row].length));

        const int baseline = height - 20;
        int boxLeft = width - 10;
        while (boxLeft > 0 && picture.pixel(boxLeft - 1, baseline + 16) == qRgb(255, 255, 255))
            --boxLeft;
        const auto pieces = DarkPieces(picture, QRect(boxLeft, baseline + 2, width - 8 - boxLeft, 15));
        const int widest = metrics.horizontalAdvance(QString::number(locmap::kScaleBarSteps[row].length));
        ASSERT_GE(pieces.size(), 2u) << "the first and the last label";
        for (const auto& [left, right] : pieces)
            EXPECT_LE(right - left + 1, widest) << "labels run together at x " << left;
    }
    EXPECT_TRUE(rowsSeen.contains(1000)) << "view width " << width;
    EXPECT_TRUE(rowsSeen.contains(5000)) << "view width " << width;
}

}  // namespace
