#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

#include "fe/gdi/Draw.h"
#include "fe/gdi/Pen.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"

namespace {

// Draws into a white canvas through a drawing context with a black one-pixel pen and a red brush
// (or none), and returns the canvas as rows of '.' white, '#' black, 'r' red.
QStringList Render(int width, int height, bool withPen, const std::function<void(QPainter&)>& paint)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    fe::gdi::Draw draw;
    draw.Begin(&painter);
    painter.setPen(withPen ? fe::gdi::MakePen(fe::gdi::kPenSolid, 1, Qt::black) : QPen(Qt::NoPen));
    painter.setBrush(fe::gdi::MakeSolidBrush(Qt::red));
    paint(painter);
    draw.End();
    painter.end();
    QStringList rows;
    for (int y = 0; y < height; ++y) {
        QString row;
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            row += p == qRgb(255, 255, 255) ? u'.'
                   : p == qRgb(0, 0, 0)     ? u'#'
                   : p == qRgb(255, 0, 0)   ? u'r'
                                            : u'?';
        }
        rows.append(row);
    }
    return rows;
}

QRect InkBox(const QStringList& rows)
{
    QRect box;
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] != u'.')
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

}  // namespace

TEST(Shapes, RectangleLeavesOutTheRightAndBottomEdge)
{
    const QStringList expected{
        "..........",  //
        "..#####...",  //
        "..#rrr#...",  //
        "..#rrr#...",  //
        "..#####...",  //
        "..........",
    };
    const auto draw = [](int l, int t, int r, int b) {
        return Render(10, 6, true, [=](QPainter& p) { fe::gdi::DrawRectangle(p, l, t, r, b); });
    };
    EXPECT_EQ(draw(2, 1, 7, 5), expected);
    EXPECT_EQ(draw(7, 5, 2, 1), expected);  // corners in either order
}

TEST(Shapes, RectangleWithoutPenFillsOnePixelLess)
{
    const QStringList expected{
        "..........",  //
        "..rrrr....",  //
        "..rrrr....",  //
        "..rrrr....",  //
        "..........",  //
        "..........",
    };
    EXPECT_EQ(Render(10, 6, false, [](QPainter& p) { fe::gdi::DrawRectangle(p, 2, 1, 7, 5); }), expected);
}

TEST(Shapes, EllipseAndRoundRectStayInsideTheirBox)
{
    const std::function<void(QPainter&)> shapes[] = {
        [](QPainter& p) { fe::gdi::DrawEllipse(p, 3, 2, 17, 12); },
        [](QPainter& p) { fe::gdi::DrawRoundRect(p, 3, 2, 17, 12, 6, 4); },
    };
    for (const auto& shape : shapes) {
        const QStringList rows = Render(20, 15, true, shape);
        EXPECT_EQ(InkBox(rows), QRect(QPoint(3, 2), QPoint(16, 11)));
        EXPECT_EQ(rows[7][10], u'r');  // filled inside
        EXPECT_EQ(rows[2][3], u'.');   // the corner is cut
    }
}

TEST(Shapes, PolylineLeavesOutItsLastPoint)
{
    const QStringList expected{
        "..........",  //
        ".#######..",  //
        ".......#..",  //
        ".......#..",  //
        "..........",  //
    };
    EXPECT_EQ(Render(10, 5, true,
                     [](QPainter& p) {
                         fe::gdi::DrawPolyline(p, QPolygon{{QPoint(1, 1), QPoint(7, 1), QPoint(7, 4)}});
                     }),
              expected);
}

TEST(Shapes, PolygonFillRuleDecidesTheStarCentre)
{
    QPolygon star;
    for (int k = 0; k < 5; ++k) {
        const double a = k * 144.0 * M_PI / 180.0 - M_PI / 2;
        star << QPoint(int(std::lround(25 + 22 * std::cos(a))), int(std::lround(25 + 22 * std::sin(a))));
    }
    const QStringList alternate =
        Render(50, 50, false, [&](QPainter& p) { fe::gdi::DrawPolygon(p, star, Qt::OddEvenFill); });
    const QStringList winding =
        Render(50, 50, false, [&](QPainter& p) { fe::gdi::DrawPolygon(p, star, Qt::WindingFill); });
    EXPECT_EQ(alternate[26][25], u'.');
    EXPECT_EQ(winding[26][25], u'r');
    EXPECT_EQ(alternate[10][25], u'r');  // a point of the star
}

TEST(Shapes, WidePenHasRoundEnds)
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(fe::gdi::MakePen(fe::gdi::kPenSolid, 6, Qt::black));
    fe::gdi::DrawPolyline(painter, QPolygon{{QPoint(10, 10), QPoint(20, 10)}});
    painter.end();
    EXPECT_EQ(image.pixel(8, 10), qRgb(0, 0, 0));  // the cap reaches beyond the end point
    EXPECT_EQ(image.pixel(22, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(7, 7), qRgb(255, 255, 255));  // ... but round, not square
    EXPECT_EQ(image.pixel(23, 13), qRgb(255, 255, 255));
}

TEST(TextAt, AlignmentPlacesTheTextAroundTheReferencePoint)
{
    const struct
    {
        unsigned align;
        int escapement;
        // which sides of the reference point (50, 50) the ink lies on
        bool right, left, below, above;
    } cases[] = {
        {fe::gdi::TA_LEFT | fe::gdi::TA_TOP, 0, true, false, true, false},
        {fe::gdi::TA_RIGHT | fe::gdi::TA_BOTTOM, 0, false, true, false, true},
        {fe::gdi::TA_CENTER | fe::gdi::TA_BASELINE, 0, true, true, false, true},
        {fe::gdi::TA_LEFT | fe::gdi::TA_TOP, 900, true, false, false, true},  // turned to run upwards
    };
    for (const auto& c : cases) {
        const QStringList rows = Render(100, 100, true, [&](QPainter& p) {
            QFont font(QStringLiteral("ＭＳ ゴシック"));
            font.setPixelSize(12);
            p.setFont(font);
            fe::gdi::DrawTextAt(p, 50, 50, QStringLiteral("NO.1234"), c.align, c.escapement);
        });
        const QRect ink = InkBox(rows);
        SCOPED_TRACE(testing::Message() << "align " << c.align << " escapement " << c.escapement);
        ASSERT_FALSE(ink.isNull());
        EXPECT_EQ(ink.right() >= 50, c.right);
        EXPECT_EQ(ink.left() < 50, c.left);
        EXPECT_EQ(ink.bottom() >= 50, c.below);
        EXPECT_EQ(ink.top() < 50, c.above);
        if (c.escapement == 900)
            EXPECT_GT(ink.height(), 3 * ink.width());
        else
            EXPECT_GT(ink.width(), 3 * ink.height());
    }
}
