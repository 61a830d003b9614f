// Photo marks drawn on a picture by pixels: discs, arrows, labels, leader lines, numbered discs and icons.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <numbers>
#include <string>

#include "MarkScene.h"
#include "PixelCanvas.h"
#include "fe/Unset.h"
#include "fe/gdi/Color.h"
#include "fe/img/Image.h"
#include "model/PhotoRecord.h"
#include "view/ViewGsi.h"

using locmap::DrawLoc;
using locmap::ViewMap;

namespace {

constexpr std::uint32_t kGreen = 0x00C000;  // a template colour: RGB(0, 192, 0)
const QColor kGreenQ(0, 192, 0);
const QColor kLabelFrame(170, 170, 170);

int LabelHeight(const DrawLoc& drawer)
{
    return QFontMetrics(drawer.markRes.m_fonts[DrawLoc::kMarkFontBold]).height();
}

TEST(MarkLayers, DiscArrowAndLabelOfALabelledMark)
{
    const struct
    {
        const char* what;
        double direction;
        QRect arrowArea;  // where the arrow's pixels lie around the mark at (150, 100)
    } cases[] = {
        {"north", 0, QRect(149, 78, 3, 12)},
        {"east", 90, QRect(161, 99, 12, 3)},
        {"south", 180, QRect(149, 111, 3, 12)},
        {"west", 270, QRect(128, 99, 12, 3)},
    };
    for (const auto& c : cases) {
        MarkScene scene;
        PlacedPhoto& entry = scene.Add(1, QPoint(150, 100), c.direction, false, QStringLiteral("7"));
        ViewMap drawer;
        MarkScene::Prepare(drawer, kGreen);
        PixelCanvas canvas;
        canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });
        EXPECT_EQ(canvas.At(150, 100), kGreenQ) << c.what;
        EXPECT_GE(canvas.Count(c.arrowArea, kGreenQ), 8) << c.what;
        // The label lies opposite the arrow.
        const Rect2i box = drawer.LabelBox(entry.photoId);
        switch (int(c.direction)) {
            case 0:
                EXPECT_GT(box.y0, 100) << c.what;
                break;
            case 90:
                EXPECT_LT(box.x1, 150) << c.what;
                break;
            case 180:
                EXPECT_LT(box.y1, 100) << c.what;
                break;
            default:
                EXPECT_GT(box.x0, 150) << c.what;
                break;
        }
        // Its frame is drawn in the label-frame colour along the stored box.
        EXPECT_EQ(canvas.At(box.x0, (box.y0 + box.y1) / 2), kLabelFrame) << c.what;
        EXPECT_EQ(canvas.At(box.x1, (box.y0 + box.y1) / 2), kLabelFrame) << c.what;
    }
}

TEST(MarkLayers, DiscCoversElevenPixelsAndAnUnsetDirectionPutsTheLabelBelow)
{
    MarkScene scene;
    PlacedPhoto& entry = scene.Add(1, QPoint(100, 80), kUnset, false, QStringLiteral("12"));
    ViewMap drawer;
    MarkScene::Prepare(drawer, kGreen);
    drawer.palette.numberText = 0xFF0000;  // blue numbers, so that green is the disc alone
    drawer.SetupResources();
    PixelCanvas canvas;
    canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });

    const QRect disc = canvas.BoundsOf(kGreenQ);
    EXPECT_NEAR(disc.left(), 95, 1);
    EXPECT_NEAR(disc.right(), 105, 1);
    EXPECT_NEAR(disc.top(), 75, 1);
    EXPECT_NEAR(disc.bottom(), 85, 1);
    // No direction: the box is centred on the mark, its top half a text height below the centre.
    const int h = LabelHeight(drawer);
    const Rect2i box = drawer.LabelBox(entry.photoId);
    EXPECT_EQ(box.y0, 80 + h / 2);
    EXPECT_EQ(box.y1 - box.y0, h);
    EXPECT_NEAR((box.x0 + 1 + box.x1) / 2.0, 100, 1);
    // The label is filled with the label colour behind its number.
    EXPECT_GT(
        canvas.Count(QRect(box.x0, box.y0, box.x1 - box.x0, h),
                     QColor(255, 253, 217)),
        10);
    EXPECT_GT(canvas.Count(QRect(box.x0, box.y0, 60, h), QColor(0, 0, 255), 60), 3);
}

TEST(MarkLayers, LeaderLineRunsFromOutsideTheDiscToTheMovedLabel)
{
    MarkScene scene;
    PlacedPhoto& entry = scene.Add(1, QPoint(60, 100), 270, false, QStringLiteral("3"));
    entry.labelOffset = Point2(60, 0);
    ViewMap drawer;
    MarkScene::Prepare(drawer, kGreen);
    drawer.style.showLeaders = 1;
    drawer.style.showArrows = 0;
    drawer.SetupResources();
    PixelCanvas canvas;
    canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });

    // The label sits right of its moved anchor (60 + 60) by the label distance 12.
    EXPECT_EQ(drawer.LabelBox(entry.photoId).x0, 60 + 60 + 12 - 1);
    // The line: from radius 5 + extra 2 + 2 beyond the centre to 4 before the label's left side.
    EXPECT_EQ(canvas.At(60 + 9 + 1, 100), kGreenQ);
    EXPECT_EQ(canvas.At(60 + 72 - 4 - 1, 100), kGreenQ);
    EXPECT_EQ(canvas.Count(QRect(60 + 72 - 3, 98, 3, 5), kGreenQ), 0);
    EXPECT_EQ(canvas.Count(QRect(60 + 6, 98, 1, 5), kGreenQ), 0);  // the white ring lies there
}

TEST(MarkLayers, NumberedDiscShowsTheDigitsAndNoLabel)
{
    MarkScene scene;
    PlacedPhoto& entry = scene.Add(1, QPoint(100, 100), 0, false, QStringLiteral("No.12a"));
    ViewMap drawer;
    MarkScene::Prepare(drawer, kGreen);
    drawer.style.markKind = 1;
    drawer.style.markRadius = 14;
    drawer.palette.numberText = 0xFF0000;
    drawer.SetupResources();
    PixelCanvas canvas;
    canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });

    EXPECT_EQ(drawer.LabelBox(entry.photoId), Rect2i());  // numbered marks have no label box
    const QRect digits = canvas.BoundsOf(QColor(0, 0, 255), 80);
    ASSERT_FALSE(digits.isEmpty());
    EXPECT_NEAR(digits.center().x(), 100, 2);
    EXPECT_LT(digits.width(), 28);  // "12", not the whole "No.12a"
    // The disc is filled with the label fill; the arrow starts at the disc's edge, pointing up.
    EXPECT_EQ(canvas.At(100 - 10, 100), QColor(255, 253, 217));
    EXPECT_GE(canvas.Count(QRect(99, 100 - 25, 3, 10), kGreenQ), 8);
}

TEST(MarkLayers, RedIconOnlyInTheDefaultLook)
{
    const struct
    {
        std::uint32_t color;
        int radius;
        double sizeFactor;
        bool icon;
    } cases[] = {
        {204, 5, 1.0, true},
        {204, 5, 2 / 1.5, false},
        {204, 4, 1.0, false},
        {0x0000FF, 5, 1.0, false},
    };
    for (const auto& c : cases) {
        MarkScene scene;
        scene.Add(1, QPoint(100, 100), kUnset);
        ViewMap drawer;
        drawer.LoadPointIcons(SourceDataFolder());
        ASSERT_FALSE(drawer.redIcon.isNull());
        MarkScene::Prepare(drawer, c.color);
        drawer.style.markRadius = c.radius;
        drawer.style.sizeFactor = c.sizeFactor;
        drawer.SetupResources();
        EXPECT_EQ(drawer.RedIconApplies(), c.icon) << c.color;
        PixelCanvas canvas;
        canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });
        const QColor disc = fe::gdi::ColorRefToQColor(c.color);
        EXPECT_EQ(canvas.At(100, 100) != disc, c.icon) << c.color;
    }
    // Without the icon files the default look draws discs as well.
    ViewMap bare;
    bare.LoadPointIcons(QStringLiteral("/nonexistent/"));
    MarkScene::Prepare(bare, 204);
    EXPECT_FALSE(bare.RedIconApplies());
}

TEST(MarkLayers, MissingPhotoIsGreyAndNumberedDash)
{
    MarkScene scene;
    PlacedPhoto& orphan = scene.Add(9, QPoint(100, 100), 0, false, QStringLiteral("5"), false);
    ViewMap drawer;
    MarkScene::Prepare(drawer, kGreen);
    PixelCanvas canvas;
    canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });
    EXPECT_EQ(canvas.At(100, 100), kLabelFrame);                    // grey disc
    EXPECT_GE(canvas.Count(QRect(99, 78, 3, 12), kLabelFrame), 8);  // grey arrow
    EXPECT_NE(drawer.LabelBox(orphan.photoId), Rect2i());
}

TEST(MarkLayers, TurnedPictureKeepsEachLabelOppositeItsArrow)
{
    // A kind-0 picture rendered turned a quarter: the arrow of a north-pointing photo turns with the picture
    // (to the right), and its label must turn with it to stay on the opposite side (left of the mark).
    MarkScene scene;
    PlacedPhoto& entry = scene.Add(1, QPoint(100, 100), 0, false, QStringLiteral("1"));
    ViewMap drawer;
    MarkScene::Prepare(drawer, kGreen);
    fe::img::Image target;
    ASSERT_TRUE(target.Create(200, 200));
    drawer.SetRotatedTarget(std::numbers::pi / 2, &target, LocationMap::kPicture);
    PixelCanvas canvas(200, 200);
    canvas.Paint([&](QPainter& p) { scene.Draw(drawer, p); });
    // The centre (100, 100) of the 200 × 200 target stays where it is; the arrow points right.
    EXPECT_GE(canvas.Count(QRect(111, 99, 12, 3), kGreenQ), 8);
    EXPECT_LT(drawer.LabelBox(entry.photoId).x1, 100);
}

TEST(MarkLayers, RenderedWebMarksTurnWithTheTarget)
{
    // Off screen, a web map drawn into a target turned a quarter: a north-facing photo at the viewport
    // centre keeps its place in the middle of the target, its arrow turns to the right and its label stays
    // opposite, to the left.
    const fe::geo::GeoPoint centre(139.75, 35.68);
    PhotoList photos;
    PhotoRecord photo(1);
    photo.position = centre;
    photo.direction = 0;
    photo.flags = 1u | PhotoRecord::kFlagSelected;
    photos.photos.push_back(photo);
    LocationMap map(1);
    map.kind = LocationMap::kWebStandard;
    PlacedPhoto entry;
    entry.photoId = 1;
    entry.x = centre.longitude;
    entry.y = centre.latitude;
    map.photos.entries.push_back(entry);

    locmap::ViewGsi drawer;
    MarkScene::Prepare(drawer, kGreen);
    drawer.palette.selectedMark = 0x0000FF;  // selected discs take the selected colour off screen
    drawer.SetupResources();
    fe::img::Image target;
    ASSERT_TRUE(target.Create(200, 200));
    drawer.viewport.Set(16, centre, 100, 100);  // half the target: its centre lands in the middle
    drawer.SetRotatedTarget(std::numbers::pi / 2, &target);
    PixelCanvas canvas(200, 200);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.BeginAtZoom(&p, 16));
        drawer.DrawRenderedMarks(1.0, map, photos);
        drawer.End();
    });
    EXPECT_EQ(canvas.At(100, 100), QColor(255, 0, 0));
    EXPECT_GE(canvas.Count(QRect(111, 99, 12, 3), kGreenQ), 8);
    EXPECT_LT(drawer.LabelBox(1).x1, 100);
}

// Draws a location map's placed photos the way one of the three drawers of placed photos does: a picture
// map through ViewMap, a web map on screen and a web map rendered off screen through ViewGsi.
enum class PlacedDrawer
{
    PictureMap,
    WebScreen,
    WebRendered,
};

// The drawer's label boxes are handed back in `boxes`.
QImage DrawPlaced(PlacedDrawer kind, const LocationMap& map, const PhotoList& photos, int markKind,
                  const fe::geo::GeoPoint& centre, QHash<std::int32_t, Rect2i>* boxes = nullptr)
{
    PixelCanvas canvas;
    const auto prepare = [&](DrawLoc& drawer) {
        MarkScene::Prepare(drawer, kGreen);
        drawer.style.markKind = markKind;
        drawer.style.showLeaders = 1;
        drawer.SetupResources();
    };
    if (kind == PlacedDrawer::PictureMap) {
        ViewMap drawer;
        prepare(drawer);
        drawer.transform = &map.transform;
        canvas.Paint([&](QPainter& p) {
            EXPECT_TRUE(drawer.Begin(&p));
            drawer.DrawMapPhotos(map, photos);
            drawer.End();
        });
        if (boxes != nullptr)
            *boxes = drawer.labelBoxes;
        return canvas.image;
    }
    locmap::ViewGsi drawer;
    prepare(drawer);
    const bool rendered = kind == PlacedDrawer::WebRendered;
    // Rendered points are twice the viewport's half size from its corner: half the canvas centres it too.
    drawer.viewport.Set(16, centre, rendered ? 150 : 300, rendered ? 100 : 200);
    canvas.Paint([&](QPainter& p) {
        EXPECT_TRUE(drawer.BeginAtZoom(&p, 16));
        if (rendered)
            drawer.DrawRenderedMarks(1.0, map, photos);
        else
            drawer.DrawMapPhotos(map, photos);
        drawer.End();
    });
    if (boxes != nullptr)
        *boxes = drawer.labelBoxes;
    return canvas.image;
}

TEST(MarkLayers, PlacedPhotoWithoutAPositionDrawsNothing)
{
    // A placed photo with its record whose x or y is unset has no place on the map. Its screen point would
    // be clamped to the edge of the int range (or, for an unset latitude, land on the viewport's centre),
    // where a mark's geometry overflows: it must take no part in any layer, so that the picture is the one
    // of the other photos alone.
    const fe::geo::GeoPoint centre(139.75, 35.68);
    const struct
    {
        const char* what;
        bool unsetX;
        bool unsetY;
    } unsets[] = {{"x unset", true, false}, {"y unset", false, true}, {"both unset", true, true}};
    const struct
    {
        const char* what;
        PlacedDrawer kind;
    } drawers[] = {{"picture map", PlacedDrawer::PictureMap},
                   {"web map on screen", PlacedDrawer::WebScreen},
                   {"web map rendered", PlacedDrawer::WebRendered}};
    for (const auto& d : drawers) {
        for (const auto& u : unsets) {
            for (const int markKind : {0, 1}) {
                SCOPED_TRACE(std::string(d.what) + ", " + u.what + ", mark kind " + std::to_string(markKind));
                const bool web = d.kind != PlacedDrawer::PictureMap;
                MarkScene scene;
                if (web)
                    scene.map.kind = LocationMap::kWebStandard;
                // The placed photo that has a place, off the centre, and the one that has none.
                const Point2 placed =
                    web ? Point2(centre.longitude + 0.001, centre.latitude + 0.0005) : Point2(220, 60);
                const Point2 nowhere = web ? Point2(centre.longitude, centre.latitude) : Point2(150, 100);
                PlacedPhoto& shown = scene.Add(1, QPoint(), 90, false, QStringLiteral("1"));
                shown.x = placed.x;
                shown.y = placed.y;
                const QImage alone = DrawPlaced(d.kind, scene.map, scene.photos, markKind, centre);
                ASSERT_GT(PixelCanvas::CountIn(alone, alone.rect(), kGreenQ), 10);

                PlacedPhoto& unplaced = scene.Add(2, QPoint(), 180, true, QStringLiteral("2"));
                unplaced.x = u.unsetX ? kUnset : nowhere.x;
                unplaced.y = u.unsetY ? kUnset : nowhere.y;
                QHash<std::int32_t, Rect2i> boxes;
                const QImage both = DrawPlaced(d.kind, scene.map, scene.photos, markKind, centre, &boxes);
                EXPECT_TRUE(both == alone);
                EXPECT_FALSE(boxes.contains(2));
            }
        }
    }
}

}  // namespace
