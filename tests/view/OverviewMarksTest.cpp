// The site overview's photo marks: arrows and numbers by zoom level and selection.
#include <gtest/gtest.h>

#include "PixelCanvas.h"
#include "model/LocationMapList.h"
#include "model/PhotoRecord.h"
#include "view/ViewGsi.h"

using locmap::ViewGsi;

namespace {

const QColor kBlue(0, 80, 176);
const QColor kLabelFrame(170, 170, 170);
const QColor kSelectedFill(255, 242, 0);

struct Overview
{
    PhotoList photos;
    LocationMapList maps;
    ViewGsi drawer;
    PixelCanvas canvas{400, 300};

    // Two photos facing north: photo 1 unselected at the left, photo 2 selected at the right.
    QPoint left, right;

    explicit Overview(int zoom)
    {
        drawer.viewport.Set(zoom, fe::geo::GeoPoint(139.7, 35.6), 400, 300);
        for (int id : {1, 2}) {
            PhotoRecord photo(id);
            photo.position = fe::geo::GeoPoint(
                139.7 + (id == 1 ? -0.002 : 0.002) * (1 << (15 - std::min(zoom, 15))), 35.6);
            photo.direction = 0;
            photo.flags = 1u | (id == 2 ? PhotoRecord::kFlagSelected : 0u);
            photos.photos.push_back(photo);
        }
        left = drawer.ScreenPoint(photos.photos[0].position);
        right = drawer.ScreenPoint(photos.photos[1].position);
        drawer.style.Reset();
        drawer.UseOverviewPalette();
        drawer.SetupResources();
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.BeginAtZoom(&p, zoom));
            drawer.DrawOverview(photos, maps, zoom, true, true);
            drawer.End();
        });
    }

    int ArrowPixels(QPoint at) const { return canvas.Count(QRect(at.x() - 1, at.y() - 24, 3, 16), kBlue); }
    int LabelPixels(QPoint at, const QColor& c) const
    {
        return canvas.Count(QRect(at.x() - 30, at.y() + 8, 60, 30), c);
    }
};

TEST(OverviewMarks, ArrowsAndNumbersComeWithZoomUnlessSelected)
{
    const struct
    {
        int zoom;
        bool unselectedArrow;
        bool unselectedNumber;
    } cases[] = {{12, false, false}, {13, true, false}, {14, true, false}, {15, true, true}};
    for (const auto& c : cases) {
        Overview view(c.zoom);
        ASSERT_GT(view.right.x() - view.left.x(), 80) << c.zoom;
        EXPECT_EQ(view.canvas.At(view.left.x(), view.left.y()), kBlue) << c.zoom;
        EXPECT_EQ(view.ArrowPixels(view.left) > 8, c.unselectedArrow) << c.zoom;
        EXPECT_EQ(view.LabelPixels(view.left, kLabelFrame) > 10, c.unselectedNumber) << c.zoom;
        // The selected photo always has its arrow and its yellow label.
        EXPECT_GT(view.ArrowPixels(view.right), 8) << c.zoom;
        EXPECT_GT(view.LabelPixels(view.right, kSelectedFill), 10) << c.zoom;
    }
}

TEST(OverviewMarks, HiddenOrUnplacedPhotosTakeNoPart)
{
    Overview view(15);
    PhotoList photos = view.photos;
    photos.photos[0].flags &= ~1u;  // not displayed
    photos.photos[1].position = fe::geo::GeoPoint(kUnset, kUnset);
    PixelCanvas canvas(400, 300);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(view.drawer.BeginAtZoom(&p, 15));
        view.drawer.DrawOverview(photos, view.maps, 15, true, true);
        view.drawer.End();
    });
    EXPECT_EQ(canvas.Count(canvas.image.rect(), kBlue), 0);
}

TEST(OverviewMarks, BlueIconStandsForEveryOverviewDisc)
{
    Overview plain(12);
    ViewGsi& drawer = plain.drawer;
    drawer.LoadPointIcons(SourceDataFolder());
    PixelCanvas canvas(400, 300);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.BeginAtZoom(&p, 12));
        drawer.DrawOverview(plain.photos, plain.maps, 12, true, false);
        drawer.End();
    });
    // The icon's centre is white, where the disc was blue.
    EXPECT_NE(canvas.At(plain.left.x(), plain.left.y()), kBlue);
    EXPECT_GT(canvas.Count(QRect(plain.left.x() - 7, plain.left.y() - 7, 15, 15), kBlue, 40), 20);
}

}  // namespace
