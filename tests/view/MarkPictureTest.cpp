// A location map with a dozen marks of every kind, rendered to a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QPainter>

#include "MarkScene.h"
#include "PixelCanvas.h"
#include "fe/Unset.h"

using locmap::ViewMap;

namespace {

// A pale background with a street grid, as a scanned site plan would give.
void PaintGround(QImage& image)
{
    image.fill(QColor(236, 233, 222));
    QPainter p(&image);
    p.setPen(QPen(QColor(200, 196, 186), 7));
    for (int x = 40; x < image.width(); x += 110)
        p.drawLine(x, 0, x + 30, image.height());
    for (int y = 50; y < image.height(); y += 90)
        p.drawLine(0, y, image.width(), y - 20);
}

struct Panel
{
    const char* title;
    int markKind;
    std::uint32_t color;
    bool leaders;
};

QImage RenderPanel(const Panel& panel, bool withIcons)
{
    MarkScene scene;
    scene.Add(1, QPoint(70, 70), 45, false, QStringLiteral("P1"));
    scene.Add(2, QPoint(200, 80), 200, true, QStringLiteral("P2"));
    scene.Add(3, QPoint(80, 190), kUnset, false, QStringLiteral("No.3a"));
    PlacedPhoto& moved = scene.Add(4, QPoint(210, 200), 300, true, QStringLiteral("P4"));
    moved.labelOffset = Point2(-30, 25);
    scene.Add(5, QPoint(150, 140), 120, false, QStringLiteral("P5"), false);  // its photo was removed

    ViewMap drawer;
    if (withIcons)
        drawer.LoadPointIcons(SourceDataFolder());
    MarkScene::Prepare(drawer, panel.color);
    drawer.style.markKind = panel.markKind;
    drawer.style.showLeaders = panel.leaders ? 1 : 0;
    if (panel.markKind == 1)
        drawer.style.markRadius = 11;
    drawer.SetupResources();

    QImage image(280, 260, QImage::Format_RGB32);
    PaintGround(image);
    QPainter painter(&image);
    scene.Draw(drawer, painter);
    painter.setPen(Qt::black);
    painter.drawText(8, 252, QString::fromUtf8(panel.title));
    return image;
}

TEST(MarkPicture, DozenMarksOfEveryKind)
{
    const Panel panels[] = {
        {"kind 0, default look (icons)", 0, 204, false},
        {"kind 0, blue, leader lines", 0, 0xC04000, true},
        {"kind 1, numbered discs", 1, 0x0000FF, false},
    };
    QImage sheet(3 * 280 + 20, 260, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int k = 0; k < 3; ++k) {
        const QImage panel = RenderPanel(panels[k], k == 0);
        // Every mark left its colour at its place (icons have a white middle over the red rim).
        const QColor ground(236, 233, 222);
        for (const QPoint at : {QPoint(70, 70), QPoint(200, 80), QPoint(80, 190), QPoint(210, 200)})
            EXPECT_NE(panel.pixelColor(at), ground) << k;
        painter.drawImage(k * 290, 0, panel);
    }
    painter.end();
    const QString path = LookFolder() + QStringLiteral("location-map-marks.png");
    ASSERT_TRUE(sheet.save(path));
    std::printf("rendered %s\n", qPrintable(path));
}

}  // namespace
