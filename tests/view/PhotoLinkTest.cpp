// One photo drawn into a preview: scaled through the mapping, never mirrored, turned by its stored rotation.
#include <gtest/gtest.h>

#include "PixelCanvas.h"
#include "view/ViewPhotoLink.h"

using locmap::ViewPhotoLink;

namespace {

// A 40 × 30 photo with a red top-left quadrant and a blue bottom-right one, green elsewhere.
QImage Photo()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(0, 200, 0));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (x < 20 && y < 15)
                image.setPixel(x, y, qRgb(220, 0, 0));
            else if (x >= 20 && y >= 15)
                image.setPixel(x, y, qRgb(0, 0, 220));
        }
    image.setPixel(39, 29, qRgb(1, 2, 3));
    return image;
}

TEST(PhotoLink, IdentityDrawsOneToOne)
{
    ViewPhotoLink drawer;
    drawer.SetupResources();
    PixelCanvas canvas(60, 40);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.DrawImage(Photo());
        drawer.End();
    });
    EXPECT_EQ(canvas.At(39, 29), QColor(1, 2, 3));
    EXPECT_EQ(canvas.At(0, 0), QColor(220, 0, 0));
    EXPECT_EQ(canvas.At(40, 29), QColor(0x88, 0x88, 0x88));
    ASSERT_EQ(drawer.res.m_pens.size(), 3u);
    EXPECT_EQ(drawer.res.m_pens[1].color(), QColor(204, 0, 0));
    EXPECT_EQ(drawer.res.m_colors[2].penWidth, 2);
}

TEST(PhotoLink, ReversedMappingMovesButDoesNotMirror)
{
    ViewPhotoLink drawer;
    drawer.mapping.X().Set(0, 100, -1);
    drawer.smooth = 0;
    PixelCanvas canvas(160, 40);
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.DrawImage(Photo());
        drawer.End();
    });
    EXPECT_EQ(canvas.At(100, 0), QColor(220, 0, 0));  // the photo's left column at x = 100
    EXPECT_EQ(canvas.At(139, 29), QColor(1, 2, 3));   // its last column at 139
    EXPECT_EQ(canvas.At(99, 0), QColor(0x88, 0x88, 0x88));
}

TEST(PhotoLink, WithoutAPainterNothingHappens)
{
    ViewPhotoLink drawer;
    EXPECT_FALSE(drawer.Begin(nullptr));
    drawer.DrawImage(Photo());  // returns normally
    EXPECT_FALSE(drawer.IsDrawing());
}

TEST(PhotoLink, EachStoredRotationInAPreview)
{
    // Where the photo's red quadrant ends up in an 80 × 80 preview of the turned photo (counter-clockwise).
    const struct
    {
        int rotation;
        QPoint red;
        QPoint blue;
    } cases[] = {
        {0, {10, 10}, {70, 55}},
        {90, {10, 70}, {55, 10}},
        {180, {70, 55}, {10, 10}},
        {270, {55, 10}, {10, 70}},
    };
    for (const auto& c : cases) {
        const QImage turned = ViewPhotoLink::TurnedPhoto(Photo(), c.rotation);
        ASSERT_FALSE(turned.isNull()) << c.rotation;
        ViewPhotoLink drawer;
        drawer.smooth = 0;
        const double scale = 80.0 / std::max(turned.width(), turned.height());
        drawer.mapping.X().Set(0, 0, scale);
        drawer.mapping.Y().Set(0, 0, scale);
        PixelCanvas canvas(80, 80);
        canvas.Paint([&](QPainter& p) {
            ASSERT_TRUE(drawer.Begin(&p));
            drawer.DrawImage(turned);
            drawer.End();
        });
        EXPECT_EQ(canvas.At(c.red.x(), c.red.y()), QColor(220, 0, 0)) << c.rotation;
        EXPECT_EQ(canvas.At(c.blue.x(), c.blue.y()), QColor(0, 0, 220)) << c.rotation;
    }
    EXPECT_TRUE(ViewPhotoLink::TurnedPhoto(Photo(), 45).isNull());
}

}  // namespace
