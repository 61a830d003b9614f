// The drawing base: palettes, the two resource sets and the mark style.
#include <gtest/gtest.h>

#include "PixelCanvas.h"
#include "view/DrawLoc.h"

using locmap::DrawLoc;

namespace {

QColor MarkPenColor(const DrawLoc& d, int i)
{
    return d.markRes.m_pens[size_t(i)].color();
}

TEST(DrawBase, PalettesKeepTheTemplateMarkColour)
{
    DrawLoc drawer;
    EXPECT_EQ(drawer.palette.mapMark, 204u);
    drawer.palette.mapMark = 0x00FF00;  // as a template would set it
    drawer.UseOverviewPalette();
    EXPECT_EQ(drawer.palette.mapMark, 0x00FF00u);
    EXPECT_EQ(drawer.palette.mark, 0xB05000u);
    EXPECT_EQ(drawer.palette.labelFill, 0xFFFFFFu);
    drawer.UseMapPalette();
    EXPECT_EQ(drawer.palette.mapMark, 0x00FF00u);
    EXPECT_EQ(drawer.palette.mark, 204u);
    EXPECT_EQ(drawer.palette.labelFill, 0xD9FDFFu);

    // Colour words read blue-green-red from the top: the pens come out in the meant colours.
    drawer.UseOverviewPalette();
    drawer.SetupResources();
    PixelCanvas canvas;
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.End();
    });
    EXPECT_EQ(MarkPenColor(drawer, DrawLoc::kMarkMark), QColor(0, 80, 176));
    EXPECT_EQ(MarkPenColor(drawer, DrawLoc::kMarkMapMark), QColor(0, 255, 0));
    EXPECT_EQ(MarkPenColor(drawer, DrawLoc::kMarkSelectedLabelFill), QColor(255, 242, 0));
    EXPECT_EQ(drawer.overlayRes.m_pens[7].color(), QColor(0, 0, 255));      // 0xFF0000: the blue of tracks
    EXPECT_EQ(drawer.overlayRes.m_pens[6].color(), QColor(255, 255, 255));  // written 0xFFFFFFFF
    EXPECT_EQ(drawer.overlayRes.m_pens[8].color(), QColor(196, 0, 0));
    drawer.UseMapPalette();
    drawer.SetupResources();
    canvas.Paint([&](QPainter& p) {
        ASSERT_TRUE(drawer.Begin(&p));
        drawer.End();
    });
    EXPECT_EQ(MarkPenColor(drawer, DrawLoc::kMarkMark), QColor(204, 0, 0));
}

TEST(DrawBase, PenWidthsFollowTheLineWidths)
{
    const struct
    {
        int lineWidth;
        int leader;
    } leaders[] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {7, 3}};
    for (const auto& c : leaders) {
        DrawLoc drawer;
        drawer.style.lineWidth = c.lineWidth;
        drawer.SetupResources();
        EXPECT_EQ(drawer.markRes.m_colors[DrawLoc::kMarkLeader].penWidth, c.leader) << c.lineWidth;
        EXPECT_EQ(drawer.markRes.m_colors[DrawLoc::kMarkBase].penWidth, c.lineWidth + 2) << c.lineWidth;
        EXPECT_EQ(drawer.markRes.m_colors[DrawLoc::kMarkMapMark].penWidth, c.lineWidth) << c.lineWidth;
    }
    const struct
    {
        double siteLine;
        int widths[6];  // overlay pens 11, 13, 14, 15, 16 and 12
    } sites[] = {{2.0, {2, 2, 2, 4, 4, 1}}, {3.7, {3, 3, 3, 5, 5, 1}}};
    for (const auto& c : sites) {
        DrawLoc drawer;
        drawer.siteLineWidth = c.siteLine;
        drawer.SetupResources();
        const int indices[] = {11, 13, 14, 15, 16, 12};
        for (size_t k = 0; k < 6; ++k)
            EXPECT_EQ(drawer.overlayRes.m_colors[size_t(indices[k])].penWidth, c.widths[k]) << indices[k];
    }
    // The mark fonts: bold and normal of the style's face and height.
    DrawLoc drawer;
    drawer.SetupResources();
    ASSERT_EQ(drawer.markRes.m_logFonts.size(), 2u);
    EXPECT_EQ(drawer.markRes.m_logFonts[0].weight, 600);
    EXPECT_EQ(drawer.markRes.m_logFonts[1].weight, 400);
    EXPECT_EQ(drawer.overlayRes.m_logFonts[2].escapement, 150);
    EXPECT_EQ(drawer.overlayRes.m_logFonts[3].height, 16);
}

TEST(DrawBase, ScaledStyleForOutputPictures)
{
    locmap::MarkDrawStyle style;
    style.numberKind = 0;
    style.SetScaled(3.0);
    EXPECT_EQ(style.numberKind, 0);
    EXPECT_EQ(style.markRadius, 12);
    EXPECT_FLOAT_EQ(style.arrowLength, 51.0f);
    EXPECT_FLOAT_EQ(style.labelDistance, 24.0f);
    EXPECT_EQ(style.fontHeight, 33);
    EXPECT_DOUBLE_EQ(style.headLength, 18.0);
    EXPECT_DOUBLE_EQ(style.sizeFactor, 2.0);
    EXPECT_DOUBLE_EQ(style.northRadius, 60.0);
    EXPECT_EQ(style.northPenWidth, 6);
    EXPECT_EQ(style.northHaloWidth, 12);
    style.SetScaled(0.5);  // small scales keep the north symbol's minimum sizes
    EXPECT_DOUBLE_EQ(style.northRadius, 20.0);
    EXPECT_EQ(style.northPenWidth, 2);
    EXPECT_EQ(style.northHaloWidth, 4);
    style.Reset();
    EXPECT_EQ(style.markRadius, 5);
    EXPECT_EQ(style.numberKind, 1);
}

TEST(DrawBase, BeginNeedsAPainterAndResetDropsTheIcons)
{
    DrawLoc drawer;
    EXPECT_FALSE(drawer.Begin(nullptr));
    drawer.LoadPointIcons(SourceDataFolder());
    EXPECT_FALSE(drawer.blueIcon.isNull());
    EXPECT_EQ(drawer.blueIcon.size(), QSize(15, 15));
    EXPECT_EQ(drawer.blueIcon.format(), QImage::Format_ARGB32_Premultiplied);
    drawer.SetupResources();
    drawer.Reset();
    EXPECT_TRUE(drawer.blueIcon.isNull());
    EXPECT_TRUE(drawer.markRes.m_colors.empty());
}

}  // namespace
