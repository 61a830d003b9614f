// The background picture of a picture map, straight and turned, and the blank margins of fitted pictures.
#include <gtest/gtest.h>

#include <numbers>

#include "PixelCanvas.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "view/ViewMap.h"

using namespace locmap;

namespace {

// A picture whose every pixel tells where it lies: red = x, green = y.
QImage Coordinates(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, y, 77));
    return image;
}

TEST(Background, RegisteredPictureIsDrawnAtItsLoadedSize)
{
    const struct
    {
        int kind;
        QRect covered;  // where the picture lands at a scale of 2
    } cases[] = {
        {LocationMap::kPicture, QRect(10, 20, 2 * 30, 2 * 20)},            // the stored size 30 × 20
        {LocationMap::kRegisteredPicture, QRect(10, 20, 2 * 40, 2 * 25)},  // the picture's own 40 × 25
    };
    for (const auto& c : cases) {
        LocationMap map(3);
        map.kind = c.kind;
        map.pictureWidth = 30;
        map.pictureHeight = 20;
        map.transform.mapping.X().Set(0, 10, 2);
        map.transform.mapping.Y().Set(0, 20, 2);
        ViewMap drawer;
        drawer.transform = &map.transform;
        drawer.smooth = 0;
        PixelCanvas canvas(200, 120);
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.Begin(&p));
            drawer.DrawBackground(map, Coordinates(40, 25));
            drawer.End();
        });
        const QColor ground(0x88, 0x88, 0x88);
        const QRect r = c.covered;
        EXPECT_NE(canvas.At(r.left(), r.top()), ground) << c.kind;
        EXPECT_NE(canvas.At(r.right(), r.bottom()), ground) << c.kind;
        EXPECT_EQ(canvas.At(r.right() + 1, r.top()), ground) << c.kind;
        EXPECT_EQ(canvas.At(r.left(), r.bottom() + 1), ground) << c.kind;
        EXPECT_EQ(canvas.At(r.left(), r.top()).blue(), 77) << c.kind;
        EXPECT_EQ(drawer.lastMapId, 3);
    }
}

TEST(Background, MirroredMappingStaysMirroredAndOtherKindsAreNotDrawn)
{
    LocationMap map(4);
    map.kind = LocationMap::kRegisteredPicture;
    map.transform.mapping.X().Set(0, 100, -1);  // x grows leftwards
    ViewMap drawer;
    drawer.transform = &map.transform;
    drawer.smooth = 0;
    PixelCanvas canvas(120, 40);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.DrawBackground(map, Coordinates(40, 25));
        drawer.End();
    });
    EXPECT_EQ(canvas.At(99, 5).red(), 0);   // the picture's left column at the right
    EXPECT_EQ(canvas.At(60, 5).red(), 39);  // its right column at the left

    map.kind = LocationMap::kWebStandard;
    PixelCanvas web(120, 40);
    web.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.DrawBackground(map, Coordinates(40, 25));
        drawer.End();
    });
    EXPECT_EQ(web.Count(web.image.rect(), QColor(0x88, 0x88, 0x88)), 120 * 40);
}

TEST(Background, TurnedBackMappingWithoutATurnCopiesThePictureUpright)
{
    LocationMap map(5);
    map.kind = LocationMap::kPicture;
    map.frame.rectA = Rect2(0, 0, 40, 25);
    fe::img::Image target;
    ASSERT_TRUE(target.Create(40, 25));
    ViewMap drawer;
    drawer.transform = &map.transform;
    drawer.SetRotatedTarget(0.0, &target, LocationMap::kPicture);
    const QImage picture = Coordinates(40, 25);
    QPainter* painter = target.GetDC();
    ASSERT_TRUE(drawer.Begin(painter));
    drawer.DrawBackground(map, picture);
    drawer.End();
    target.ReleaseDC();
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(target.Pixel(x, y), picture.pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST(Background, TurnedBackMappingLeavesPointsOutsideThePictureWhite)
{
    // Target column i of a 41 px target reads rectangle A's x range at i × (width of A) / 41 from its left.
    const struct
    {
        const char* what;
        Rect2 frame;
        int column;
        bool white;
    } cases[] = {
        {"half a pixel left of the picture", Rect2(-0.5, 0, 40.5, 25), 0, true},
        {"half a pixel into the first column", Rect2(-0.5, 0, 40.5, 25), 1, false},
        {"on the last column", Rect2(0, 0, 41, 25), 39, false},
        {"at the picture's width", Rect2(0, 0, 41, 25), 40, true},
    };
    for (const auto& c : cases) {
        LocationMap map(5);
        map.frame.rectA = c.frame;
        fe::img::Image target;
        ASSERT_TRUE(target.Create(41, 25));
        ViewMap drawer;
        drawer.SetRotatedTarget(0.0, &target, LocationMap::kPicture);
        drawer.DrawRotatedBackground(map, Coordinates(40, 25));  // no painter: written into the target
        EXPECT_EQ(target.Pixel(c.column, 3) == 0xFFFFFFu, c.white) << c.what;
    }

    // Turned a quarter: target (i, j) reads the frame at (i, j) turned back about the centre, so the top
    // right of the target shows the picture's top left and the top left lies outside a picture half the
    // frame's height.
    LocationMap map(5);
    map.frame.rectA = Rect2(0, 0, 40, 40);
    fe::img::Image turned;
    ASSERT_TRUE(turned.Create(50, 50));
    ViewMap drawer;
    drawer.SetRotatedTarget(std::numbers::pi / 2, &turned, LocationMap::kPicture);
    drawer.DrawRotatedBackground(map, Coordinates(40, 20));
    const std::uint32_t read = turned.Pixel(45, 5);  // frame point (4, 4), give or take rounding
    EXPECT_NEAR(int(read >> 16), 4, 1);
    EXPECT_NEAR(int((read >> 8) & 0xFF), 4, 1);
    EXPECT_EQ(read & 0xFF, 77u);
    EXPECT_EQ(turned.Pixel(5, 5), 0xFFFFFFu);  // frame point (4, 36): below the picture
}

TEST(Background, BlankMarginsAreFilledFromTheEdgesOnly)
{
    const std::uint32_t margin = 0xFFFFFF;
    const struct
    {
        const char* what;
        std::vector<std::uint32_t> row;
        std::vector<std::uint32_t> afterLeftAndRight;
    } cases[] = {
        {"all blank", {1, 1, 1, 1}, {margin, margin, margin, margin}},
        {"inner run kept", {1, 1, 5, 1, 1, 7, 1}, {margin, margin, 5, 1, 1, 7, margin}},
        {"no blank", {3, 4}, {3, 4}},
    };
    for (const auto& c : cases) {
        QImage image(int(c.row.size()), 1, QImage::Format_RGB32);
        for (size_t x = 0; x < c.row.size(); ++x)
            image.setPixel(int(x), 0, 0xFF000000u | c.row[x]);
        FillBlankFromLeft(image, margin);
        FillBlankFromRight(image, margin);
        for (size_t x = 0; x < c.row.size(); ++x)
            EXPECT_EQ(image.pixel(int(x), 0) & 0xFFFFFF, c.afterLeftAndRight[x]) << c.what << " " << x;
    }
    // Columns: from the top row downwards and from the bottom row upwards.
    QImage column(1, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        column.setPixel(0, y, 0xFF000000u | (y == 2 ? 9u : 1u));
    FillBlankFromTop(column, 0x00FF00);
    EXPECT_EQ(column.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(column.pixel(0, 1) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(column.pixel(0, 3) & 0xFFFFFF, 1u);
    FillBlankFromBottom(column, 0x0000FF);
    EXPECT_EQ(column.pixel(0, 4) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(column.pixel(0, 2) & 0xFFFFFF, 9u);
}

}  // namespace
