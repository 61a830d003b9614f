#include <gtest/gtest.h>

#include <QPainter>

#include "fe/img/Image.h"
#include "fe/img/Rotate.h"

TEST(Image, CreateFillAndPixelsFromTheTopLeft)
{
    fe::img::Image image;
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetDC(), nullptr);
    image.Fill(0x123456);  // nothing to fill, no crash

    ASSERT_TRUE(image.Create(4, 3));
    EXPECT_EQ(image.Stride(), 16);
    EXPECT_EQ(image.SizeInBytes(), 48);
    image.Fill(0x00112233);
    EXPECT_EQ(image.Pixel(3, 2), 0x00112233u);
    image.SetPixel(0, 0, 0x00FF0000);  // red, top left
    EXPECT_EQ(image.Picture().pixel(0, 0), qRgb(255, 0, 0));

    QPainter* dc = image.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->fillRect(QRect(3, 2, 1, 1), QColor(0, 0, 255));
    image.ReleaseDC();
    EXPECT_EQ(image.Pixel(3, 2), 0x000000FFu);

    EXPECT_FALSE(image.Create(0, 5));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(image.Create(100000, 100000));  // beyond what a picture may hold
    image.Release();
    EXPECT_EQ(image.Width(), 0);
}

TEST(Image, LightenRectIncludesBothCornersInEitherOrderAndClips)
{
    const struct
    {
        int x0, y0, x1, y1;
        int lightened;  // how many pixels of the 6 × 5 picture change
    } cases[] = {
        {1, 1, 3, 2, 6}, {3, 2, 1, 1, 6}, {-5, -5, 1, 0, 2}, {10, 10, 20, 20, 0}, {-3, 0, -1, 4, 0},
    };
    for (const auto& c : cases) {
        fe::img::Image image;
        ASSERT_TRUE(image.Create(6, 5));
        image.Fill(0x00204080);
        image.LightenRect(c.x0, c.y0, c.x1, c.y1);
        int changed = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x)
                if (image.Pixel(x, y) != 0x00204080u) {
                    ++changed;
                    EXPECT_EQ(image.Pixel(x, y), 0x008F9FBFu);  // (c + 255) / 2 per channel
                }
        EXPECT_EQ(changed, c.lightened) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    }
}

TEST(Image, StretchToScalesTheWholePictureOntoTheWholeTarget)
{
    fe::img::Image source;
    fe::img::Image target;
    EXPECT_FALSE(source.StretchTo(target));
    ASSERT_TRUE(source.Create(2, 2));
    source.Fill(0x00FF0000);
    source.SetPixel(1, 1, 0x000000FF);
    ASSERT_NE(source.GetDC(), nullptr);  // a held painter is ended first
    EXPECT_FALSE(source.StretchTo(target));
    ASSERT_TRUE(target.Create(40, 40));
    EXPECT_TRUE(source.StretchTo(target));
    EXPECT_EQ(target.Pixel(2, 2), 0x00FF0000u);
    EXPECT_EQ(target.Pixel(37, 37), 0x000000FFu);
}

TEST(Image, PixelWorkTakesAPictureOfAnotherDepth)
{
    // The picture may have been replaced by one of another format (a quarter turn gives 24 bits); the
    // pixel loops must not walk it as 32-bit words.
    fe::img::Image image;
    image.Picture() = QImage(5, 3, QImage::Format_RGB888);
    image.Picture().fill(qRgb(0x20, 0x40, 0x80));
    image.LightenRect(0, 0, 4, 2);
    EXPECT_EQ(image.Pixel(4, 2), 0x008F9FBFu);

    fe::img::Image source;
    source.Picture() = QImage(5, 3, QImage::Format_Grayscale8);
    source.Picture().fill(0);
    fe::img::Image target;
    target.Picture() = QImage(5, 3, QImage::Format_RGB888);
    target.Picture().fill(Qt::red);
    RotateImageInto(source, 0.0, target);
    EXPECT_EQ(target.Pixel(4, 2), 0x00000000u);
}
