#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "fe/gdi/Draw.h"
#include "fe/gdi/Resource.h"

namespace {

QImage WhiteCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Bounding box of the pixels that are not white.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

}  // namespace

TEST(Draw, BeginRefusesAMissingOrInactivePainter)
{
    fe::gdi::Draw draw;
    EXPECT_FALSE(draw.Begin(nullptr));
    QPainter idle;
    EXPECT_FALSE(draw.Begin(&idle));
    EXPECT_FALSE(draw.IsDrawing());
}

TEST(Draw, ClipCoversBothCornersGivenInEitherOrder)
{
    QImage image = WhiteCanvas(20, 20);
    QPainter painter(&image);
    fe::gdi::Draw draw;
    ASSERT_TRUE(draw.Begin(&painter));
    draw.PushClip(Rect2i(10, 0, 0, 5));  // x0 = 10, x1 = 0
    painter.fillRect(image.rect(), Qt::black);
    draw.End();
    painter.end();
    EXPECT_EQ(InkBox(image), QRect(QPoint(0, 0), QPoint(10, 5)));
}

TEST(Draw, EndDropsEveryClipAndRestoresThePainter)
{
    QImage image = WhiteCanvas(20, 20);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::blue));
    fe::gdi::Draw draw;
    ASSERT_TRUE(draw.Begin(&painter));
    EXPECT_EQ(painter.backgroundMode(), Qt::TransparentMode);
    draw.PushClip(Rect2i(0, 0, 4, 4));
    draw.PushClip(Rect2i(10, 10, 12, 12));  // replaces, does not intersect
    EXPECT_EQ(painter.clipBoundingRect().toRect(), QRect(10, 10, 3, 3));
    painter.setPen(QPen(Qt::red));
    painter.translate(5, 5);
    EXPECT_TRUE(draw.End());
    EXPECT_FALSE(draw.IsDrawing());
    EXPECT_EQ(draw.ClipDepth(), 0);
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    EXPECT_TRUE(painter.transform().isIdentity());
    painter.fillRect(image.rect(), Qt::black);  // nothing clips any more
    painter.end();
    EXPECT_EQ(InkBox(image), image.rect());
}

TEST(Draw, TextExtentUsesThePainterFont)
{
    QImage image = WhiteCanvas(10, 10);
    QPainter painter(&image);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(20);
    painter.setFont(font);
    fe::gdi::Draw draw;
    ASSERT_TRUE(draw.Begin(&painter));
    QSize one;
    QSize three;
    draw.TextExtent(QStringLiteral("写"), one);
    draw.TextExtent(QStringLiteral("写真帳"), three);
    draw.End();
    EXPECT_EQ(one.width(), 20);  // the full-width gothic face is square
    EXPECT_EQ(three.width(), 3 * one.width());
    EXPECT_GE(one.height(), 20);
}

TEST(DrawDip, DpiFollowsTheModeAndScalesFonts)
{
    QImage printer = WhiteCanvas(10, 10);
    printer.setDotsPerMeterX(qRound(192 / 0.0254));
    printer.setDotsPerMeterY(qRound(192 / 0.0254));
    QPainter painter(&printer);

    fe::gdi::DrawDip draw;
    ASSERT_TRUE(draw.Begin(&painter));  // mode 0: fixed 96
    EXPECT_EQ(draw.m_dpi.dpiX, 96);
    EXPECT_EQ(draw.m_dpi.scaleY, 1.0);
    draw.End();

    draw.m_dpiMode = fe::gdi::DrawDip::kDpiTarget;
    ASSERT_TRUE(draw.Begin(&painter));
    EXPECT_EQ(draw.m_dpi.dpiX, 192);
    EXPECT_EQ(draw.m_dpi.dpiY, 192);
    EXPECT_EQ(draw.m_dpi.scaleX, 2.0);
    fe::gdi::Resource resource;
    resource.m_logFonts.Add(QStringLiteral("ＭＳ ゴシック"), -24, 0);
    resource.m_colors.emplace_back(0x0000FF, 3);
    EXPECT_EQ(resource.Realize(draw.m_dpi), 1);
    EXPECT_EQ(resource.m_fonts.at(0).pixelSize(), 48);
    EXPECT_EQ(resource.m_pens.at(0).width(), 3);  // pen widths are not scaled
    draw.End();

    draw.m_dpiMode = fe::gdi::DrawDip::kDpiScreen;
    ASSERT_TRUE(draw.Begin(&painter));
    EXPECT_GT(draw.m_dpi.dpiX, 0);
    EXPECT_DOUBLE_EQ(draw.m_dpi.scaleX, draw.m_dpi.dpiX / 96.0);
    draw.End();

    draw.Reset();
    EXPECT_EQ(draw.m_dpiMode, fe::gdi::DrawDip::kDpiFixed96);
    EXPECT_EQ(draw.m_dpi.dpiY, 96);
}
