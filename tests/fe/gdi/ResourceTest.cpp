#include <gtest/gtest.h>

#include <limits>

#include "fe/gdi/Color.h"
#include "fe/gdi/Draw.h"
#include "fe/gdi/Pen.h"
#include "fe/gdi/Resource.h"

TEST(ColorRef, RedAndBlueSwapAgainstQColor)
{
    EXPECT_EQ(fe::gdi::ColorRefToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(fe::gdi::ColorRefToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(fe::gdi::ColorRefToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(fe::gdi::ColorRefToQColor(0xFFFFFFFF), QColor(Qt::white));  // pen colour meaning white
    EXPECT_EQ(fe::gdi::QColorToColorRef(QColor(0x56, 0x34, 0x12)), 0x123456u);
}

TEST(ColorEntry, StoresChannelsHalfAStepUpAndGivesEveryColourBack)
{
    const fe::gdi::ColorEntry red(0x000000FF, 1);
    EXPECT_EQ(red.red, 0.998046875f);
    EXPECT_EQ(red.green, 0.001953125f);
    EXPECT_EQ(red.blue, 0.001953125f);
    EXPECT_EQ(red.alpha, 1.0f);
    EXPECT_EQ(red.penStyle, 0);
    EXPECT_EQ(red.ToColorRef(), 0x000000FFu);
    for (std::uint32_t c = 0; c < 256; ++c) {
        const std::uint32_t ref = c | ((255 - c) << 8) | (((c * 7) & 0xFF) << 16);
        ASSERT_EQ(fe::gdi::ColorEntry(ref, 1).ToColorRef(), ref) << c;
    }
    fe::gdi::ColorEntry out;
    out.red = 2.0f;
    out.green = -1.0f;
    EXPECT_EQ(out.ToColorRef(), 0x0000FFu);
}

TEST(LogFontAry, AddFillsTheUsualDefaultsAndCutsTheFace)
{
    fe::gdi::LogFontAry fonts;
    fe::gdi::LogFont& font = fonts.Add(QString(40, u'あ'), -16, 900);
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(font.escapement, 900);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charSet, 128);
    EXPECT_EQ(font.quality, 2);
    EXPECT_EQ(font.pitchAndFamily, 0x31);
    EXPECT_EQ(font.faceName.size(), 31);
    font.weight = 700;
    const QFont bold = fe::gdi::ToQFont(fonts[0]);
    EXPECT_EQ(bold.pixelSize(), 16);
    EXPECT_EQ(bold.weight(), QFont::Bold);
    EXPECT_FALSE(bold.fixedPitch());
}

TEST(Resource, RealizeFillsEverySlotFromItsColourAndFont)
{
    fe::gdi::Resource resource;
    resource.m_colors.emplace_back(0x0000FF, 1);
    resource.m_colors.emplace_back(0x00FF00, 4);
    fe::gdi::ColorEntry none(0xFF0000, 2);
    none.penStyle = fe::gdi::kPenNull;
    resource.m_colors.push_back(none);
    resource.m_colors.emplace_back(0x123456, 1);
    resource.m_logFonts.Add(QStringLiteral("ＭＳ 明朝"), 20, 0);
    resource.m_logFonts.Add(QStringLiteral("no such face"), -12, 0);

    EXPECT_EQ(resource.Realize(fe::gdi::DpiInfo()), 2);
    ASSERT_EQ(resource.m_pens.size(), 4u);  // a pen that draws nothing still keeps its index
    ASSERT_EQ(resource.m_brushes.size(), 4u);
    ASSERT_EQ(resource.m_fonts.size(), 2u);
    EXPECT_EQ(resource.m_pens[0].color(), QColor(255, 0, 0));
    EXPECT_EQ(resource.m_pens[2].style(), Qt::NoPen);
    EXPECT_EQ(resource.m_brushes[2].color(), QColor(0, 0, 255));
    EXPECT_EQ(resource.m_pens[3].color(), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(resource.m_brushes[3].color(), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(resource.m_fonts[0].pixelSize(), 20);
    EXPECT_EQ(resource.m_fonts[1].pixelSize(), 12);

    // Realizing again replaces, never appends.
    resource.Realize(fe::gdi::DpiInfo());
    EXPECT_EQ(resource.m_pens.size(), 4u);
}

TEST(Pen, WidthDecidesCosmeticOrRoundEnded)
{
    const struct
    {
        int style;
        int width;
        Qt::PenStyle qtStyle;
        int qtWidth;
        Qt::PenCapStyle cap;
    } cases[] = {
        {fe::gdi::kPenSolid, 0, Qt::SolidLine, 0, Qt::FlatCap},
        {fe::gdi::kPenSolid, 1, Qt::SolidLine, 0, Qt::FlatCap},
        {fe::gdi::kPenDash, 1, Qt::DashLine, 0, Qt::FlatCap},
        {fe::gdi::kPenDot, 1, Qt::DotLine, 0, Qt::FlatCap},
        {fe::gdi::kPenSolid, 3, Qt::SolidLine, 3, Qt::RoundCap},
        {fe::gdi::kPenDash, 3, Qt::SolidLine, 3, Qt::RoundCap},  // wide pens cannot be dashed
        {fe::gdi::kPenNull, 3, Qt::NoPen, 1, Qt::SquareCap},
    };
    for (const auto& c : cases) {
        const QPen pen = fe::gdi::MakePen(c.style, c.width, Qt::black);
        EXPECT_EQ(pen.style(), c.qtStyle) << c.style << " " << c.width;
        EXPECT_EQ(pen.width(), c.qtWidth) << c.style << " " << c.width;
        if (c.qtStyle != Qt::NoPen) {
            EXPECT_EQ(pen.capStyle(), c.cap) << c.style << " " << c.width;
            EXPECT_EQ(pen.joinStyle(), c.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
        }
    }
}

TEST(Resource, FontSizesFromADamagedFileStayInRange)
{
    // Heights and widths come from stored settings; extreme values must give a usable font, not
    // an arithmetic overflow.
    fe::gdi::Resource resource;
    for (const std::int32_t value : {std::numeric_limits<std::int32_t>::min(), -30000000, 30000000,
                                     std::numeric_limits<std::int32_t>::max()}) {
        fe::gdi::LogFont& font = resource.m_logFonts.Add(QStringLiteral("IPAGothic"), value, 0);
        font.width = value;
    }
    fe::gdi::DpiInfo printer;
    printer.Set(600, 600);
    ASSERT_EQ(resource.Realize(printer), 4);
    for (const QFont& font : resource.m_fonts) {
        EXPECT_GE(font.pixelSize(), 1);
        EXPECT_GE(font.stretch(), 1);
        EXPECT_LE(font.stretch(), 4000);
    }
}
