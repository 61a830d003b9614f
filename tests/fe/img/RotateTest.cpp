#include <gtest/gtest.h>

#include <cmath>

#include "fe/Failure.h"
#include "fe/img/Rotate.h"

namespace {

// A pixel value that names its own position.
QRgb Tag(int x, int y)
{
    return qRgb(20 * x + 10, 20 * y + 10, 0);
}

// A picture whose every pixel names its own position.
void MakeTagged(fe::img::Image& image, int width, int height)
{
    ASSERT_TRUE(image.Create(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, Tag(x, y) & 0xFFFFFF);
}

}  // namespace

TEST(PlgImage, QuarterTurnsCountCounterClockwise)
{
    QImage source(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, Tag(x, y));

    const struct
    {
        int angle;
        QSize size;
        // where source pixel (x, y) lands
        QPoint (*land)(int x, int y);
    } cases[] = {
        {90, QSize(3, 4), [](int x, int y) { return QPoint(y, 3 - x); }},   // top-left to bottom-left
        {270, QSize(3, 4), [](int x, int y) { return QPoint(2 - y, x); }},  // top-left to top-right
        {180, QSize(4, 3), [](int x, int y) { return QPoint(3 - x, 2 - y); }},
    };
    for (const auto& c : cases) {
        QImage target;
        PlgImage(target, source, c.angle);
        ASSERT_EQ(target.size(), c.size) << c.angle;
        EXPECT_EQ(target.depth(), 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(target.pixel(c.land(x, y)), Tag(x, y)) << c.angle << " at " << x << "," << y;
    }
}

TEST(PlgImage, OtherAnglesThrowTheRotationError)
{
    QImage source(4, 3, QImage::Format_RGB32);
    QImage target;
    for (int angle : {0, 45, -90, 360}) {
        try {
            PlgImage(target, source, angle);
            ADD_FAILURE() << angle;
        } catch (const fe::Failure& failure) {
            EXPECT_EQ(failure.Text(), QStringLiteral("PlgImage:回転角度エラー"));
        }
    }
}

TEST(RotateImageInto, SamplesTheTurnedAndScaledSource)
{
    fe::img::Image source;
    MakeTagged(source, 4, 4);

    fe::img::Image same;
    ASSERT_TRUE(same.Create(4, 4));
    RotateImageInto(source, 0.0, same);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(same.Pixel(x, y), source.Pixel(x, y));

    fe::img::Image doubled;  // scaled to the target: each source pixel becomes 2 × 2
    ASSERT_TRUE(doubled.Create(8, 8));
    RotateImageInto(source, 0.0, doubled);
    EXPECT_EQ(doubled.Pixel(7, 6), source.Pixel(3, 3));
    EXPECT_EQ(doubled.Pixel(2, 5), source.Pixel(1, 2));

    // An eighth of a turn of a 9 × 9 picture: the centre stays, the pixel above the centre comes from
    // up and to the left, and the target's corners fall outside the source and are white.
    fe::img::Image big;
    MakeTagged(big, 9, 9);
    fe::img::Image turned;
    ASSERT_TRUE(turned.Create(9, 9));
    RotateImageInto(big, M_PI / 4, turned);
    EXPECT_EQ(turned.Pixel(4, 4), big.Pixel(4, 4));
    EXPECT_EQ(turned.Pixel(4, 1), big.Pixel(2, 1));
    for (const QPoint corner : {QPoint(0, 0), QPoint(8, 0), QPoint(0, 8), QPoint(8, 8)})
        EXPECT_EQ(turned.Pixel(corner.x(), corner.y()), 0x00FFFFFFu);
}
