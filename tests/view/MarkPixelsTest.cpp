// The pixels of photo marks against reference pictures taken from the direct drawing of every part (disc,
// ring, arrow, label, leader line, number), so that a faster way of drawing the same marks keeps their look.
// Dense scenes put marks over each other, so the order of the layers across marks shows as well.
//
// To take new reference pictures after an intended change of the marks' look, run the test with
// KELVOR_WRITE_MARK_PICTURES=1 in the environment: it writes them into the source tree and passes.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "MarkScene.h"
#include "PixelCanvas.h"
#include "fe/Unset.h"

using locmap::ViewMap;

namespace {

struct Look
{
    const char* name;  // the reference picture's file name, without ".png"
    int markKind;
    std::uint32_t color;
    bool icons;
    bool leaders;
    bool arrows;
    bool plain;
    double scale;       // SetScaled factor of an output picture; 1 for the screen
    double rotation;    // the map transform's rotation in radians
};

// Deterministic scattered marks, some on top of each other, of every state a mark can be in.
void AddMarks(MarkScene& scene, int count, QSize area)
{
    for (int k = 0; k < count; ++k) {
        const QPoint at(20 + (k * 97) % (area.width() - 40), 20 + (k * 61 + k * k * 7) % (area.height() - 40));
        const double direction = k % 9 == 4 ? kUnset : std::fmod(k * 47.3 + 3.7, 360.0);
        const QString number = k % 4 == 0 ? QStringLiteral("No.%1a").arg(k) : QStringLiteral("P%1").arg(k);
        PlacedPhoto& entry = scene.Add(k + 1, at, direction, k % 6 == 1, number, k % 13 != 7);
        if (k % 5 == 2)
            entry.labelOffset = Point2((k % 3 - 1) * 25.0, 18.0);
    }
}

QImage Render(const Look& look)
{
    const QSize area(480, 320);
    MarkScene scene;
    AddMarks(scene, 90, area);
    // The arrows and labels of a turned map turn by its transform's angle; the points stay.
    scene.map.transform.value = look.rotation;
    ViewMap drawer;
    if (look.icons)
        drawer.LoadPointIcons(SourceDataFolder());
    MarkScene::Prepare(drawer, look.color);
    drawer.style.markKind = look.markKind;
    if (look.markKind == 1)
        drawer.style.markRadius = 11;
    if (look.scale != 1.0)
        drawer.style.SetScaled(look.scale);
    drawer.style.showLeaders = look.leaders ? 1 : 0;
    drawer.style.showArrows = look.arrows ? 1 : 0;
    drawer.style.plain = look.plain ? 1 : 0;
    drawer.SetupResources();

    QImage image(area, QImage::Format_RGB32);
    image.fill(QColor(236, 233, 222));
    QPainter painter(&image);
    painter.setPen(QPen(QColor(120, 150, 110), 5));
    for (int x = 30; x < area.width(); x += 100)
        painter.drawLine(x, 0, x + 40, area.height());
    scene.Draw(drawer, painter);
    return image;
}

QString ReferencePath(const Look& look)
{
    return QStringLiteral(KELVOR_TEST_DATA_DIR "/marks/") + QString::fromUtf8(look.name) + QStringLiteral(".png");
}

TEST(MarkPixels, DenseScenesMatchTheirReferencePictures)
{
    const Look looks[] = {
        {"default-icons-leaders", 0, 204, true, true, true, false, 1.0, 0.0},
        {"colour-labels", 0, 0xC04000, false, false, true, false, 1.0, 0.0},
        {"plain-labels-no-arrows", 0, 0x00A000, false, true, false, true, 1.0, 0.0},
        {"turned-map", 0, 204, false, true, true, false, 1.0, 0.6},
        {"output-scale", 0, 204, true, true, true, false, 1.8, 0.0},
        {"numbered-discs", 1, 0x0000FF, false, false, true, false, 1.0, 0.0},
        {"hollow-numbered-discs", 1, 0x008080, false, false, true, true, 1.0, 0.0},
    };
    const bool write = qEnvironmentVariableIntValue("KELVOR_WRITE_MARK_PICTURES") == 1;
    for (const Look& look : looks) {
        const QImage now = Render(look);
        if (write) {
            ASSERT_TRUE(now.save(ReferencePath(look))) << look.name;
            continue;
        }
        QImage reference(ReferencePath(look));
        ASSERT_FALSE(reference.isNull()) << look.name;
        reference = reference.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(reference.size(), now.size()) << look.name;
        // Small differences of a channel (rounding of blended text edges) are allowed on a few pixels; a
        // mark drawn elsewhere, in another colour or in another order changes many pixels by much.
        int differing = 0;
        int largest = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                const QRgb a = now.pixel(x, y);
                const QRgb b = reference.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
                largest = std::max(largest, d);
                if (d > 2)
                    ++differing;
            }
        }
        EXPECT_LE(differing, 20) << look.name << " (largest channel difference " << largest << ")";
        if (differing > 20)
            now.save(LookFolder() + QStringLiteral("marks-now-") + QString::fromUtf8(look.name) +
                     QStringLiteral(".png"));
    }
}

}  // namespace
