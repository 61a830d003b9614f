// A location map on a background picture, in picture pixels and registered to a plane zone, drawn on screen
// and rendered turned off screen. Rendered to PNG for a person to look at.
#include <gtest/gtest.h>

#include <QPainter>
#include <numbers>

#include "PixelCanvas.h"
#include "fe/Unset.h"
#include "fe/geo/PlaneRectConverter.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "model/PhotoRecord.h"
#include "view/ViewMap.h"

using namespace locmap;

namespace {

const QColor kTopStripe(30, 140, 60);
const QColor kGround(0x88, 0x88, 0x88);
const fe::geo::GeoPoint kCentre(139.75, 35.68);

// A 600 × 400 site plan: white paper with a green stripe along its top edge, a river and two buildings.
QImage SitePlan()
{
    QImage plan(600, 400, QImage::Format_RGB32);
    plan.fill(Qt::white);
    QPainter p(&plan);
    p.fillRect(0, 0, 600, 24, kTopStripe);
    p.setPen(QPen(QColor(120, 170, 230), 18));
    p.drawLine(0, 300, 600, 250);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(215, 215, 215));
    p.drawRect(90, 80, 140, 90);
    p.drawRect(380, 110, 120, 70);
    p.setPen(Qt::black);
    p.drawText(100, 130, QStringLiteral("管理棟"));
    return plan;
}

// Kind 0 (picture pixels) or kind 1 (zone 9, north up, one metre per pixel, centre pixel at kCentre).
LocationMap PlanMap(int kind, PhotoList& photos)
{
    LocationMap map(kind + 1);
    map.kind = kind;
    map.name = kind == 0 ? QStringLiteral("平面図") : QStringLiteral("平面図（座標あり）");
    map.pictureWidth = 600;
    map.pictureHeight = 400;
    map.frame.rectA = Rect2(60, 50, 540, 370);
    map.overlay.northArrowX = map.overlay.northArrowY = 40;
    map.overlay.scaleBarX = map.overlay.scaleBarY = 40;
    map.transform.Reset(kind == 0 ? LocationMapTransform::kNone : LocationMapTransform::kPlane);
    if (kind == 1) {
        map.zone = 9;
        const Point2 c = fe::geo::PlaneRectConverter(9).ToPlaneXY(kCentre);
        map.transform.forward = {0, -1, c.x + 200, c.y - 300};
        map.transform.inverse = {0, 1, 300 - c.y, c.x + 200};
    }
    const struct
    {
        Point2 at;
        double direction;
        bool selected;
    } shots[] = {{{150, 200}, 45, false},
                 {{300, 120}, 180, true},
                 {{420, 240}, 270, false},
                 {{250, 330}, kUnset, false}};
    for (int k = 0; k < 4; ++k) {
        PhotoRecord photo(k + 1);
        photo.flags = 1u | (shots[k].selected ? PhotoRecord::kFlagSelected : 0u);
        photos.photos.push_back(photo);
        PlacedPhoto entry;
        entry.photoId = photo.id;
        entry.x = shots[k].at.x;
        entry.y = shots[k].at.y;
        entry.direction = shots[k].direction;
        entry.numberText = QStringLiteral("%1").arg(k + 1);
        map.photos.entries.push_back(entry);
    }
    return map;
}

// The screen pass: grey buffer, background at (20, 40), tracks in a plane zone, marks, frame, north arrow,
// scale bar and title.
QImage ScreenPass(LocationMap& map, const PhotoList& photos, std::vector<LocusTrack>& tracks)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(kGround);
    map.transform.mapping.X().Set(0, 20, 1);
    map.transform.mapping.Y().Set(0, 40, 1);
    ViewMap drawer;
    drawer.transform = &map.transform;
    drawer.clientWidth = 640;
    drawer.clientHeight = 480;
    drawer.UseMapPalette();
    drawer.palette.mapMark = 0xFF0000;  // a blue template
    drawer.SetupResources();
    QPainter painter(&image);
    EXPECT_TRUE(drawer.Begin(&painter));
    drawer.DrawBackground(map, SitePlan());
    if (map.HasPlaneZone())
        drawer.DrawTracks(tracks, 640, 480, map.zone);
    drawer.DrawMapPhotos(map, photos);
    drawer.DrawOutputFrame(map);
    drawer.DrawScreenNorthArrow(map);
    drawer.DrawScreenScaleBar(map);
    drawer.DrawTitleBox(map.HasPlaneZone()
                            ? QStringLiteral("位置図 [ 座標系:平面直角座標系 %1 ]").arg(map.zone)
                            : QStringLiteral("位置図 [ 座標系:なし ]"));
    drawer.End();
    return image;
}

// The off-screen render of a turned frame: the frame fitted twice as large into a work picture, the
// background looked up turned, then the marks, north arrow and scale bar at scale 2.
QImage TurnedRender(LocationMap& map, const PhotoList& photos, double angle)
{
    map.frame.angle = angle;
    map.UseFrameOrientation();
    fe::img::Image work;
    EXPECT_TRUE(work.Create(2 * 480, 2 * 320));
    map.transform.mapping.FitRect(Rect2(60, 50, 540, 370), Rect2(0, 0, work.Width(), work.Height()));
    ViewMap drawer;
    drawer.transform = &map.transform;
    drawer.UseMapPalette();
    drawer.style.SetScaled(2.0);
    drawer.SetupResources();
    drawer.SetRotatedTarget(angle, &work, map.kind);
    EXPECT_TRUE(drawer.Begin(work.GetDC()));
    drawer.DrawBackground(map, SitePlan());
    drawer.DrawMapPhotos(map, photos);
    drawer.DrawNorthArrow(2.0, map);
    drawer.DrawScaleBar(2.0, map);
    drawer.End();
    drawer.ClearRotatedTarget();
    work.ReleaseDC();
    map.UseMapOrientation();
    return work.Picture().scaled(480, 320, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TEST(PictureMapPicture, OnScreenInPixelsAndInAPlaneZone)
{
    for (const int kind : {0, 1}) {
        PhotoList photos;
        LocationMap map = PlanMap(kind, photos);
        std::vector<LocusTrack> tracks(1);
        for (int k = 0; k < 8; ++k) {
            LocusPoint point;
            point.position =
                fe::geo::GeoPoint(kCentre.longitude - 0.002 + k * 0.0005, kCentre.latitude + 0.0004);
            tracks[0].points.push_back(point);
        }
        tracks[0].UpdateBounds();
        const QImage image = ScreenPass(map, photos, tracks);
        ASSERT_TRUE(image.save(LookFolder() + QStringLiteral("picture-map-kind%1.png").arg(kind)));
        // The plan lies at (20, 40) upright: its stripe along the top, the grey buffer around it.
        EXPECT_EQ(image.pixelColor(320, 45), kTopStripe) << kind;
        EXPECT_EQ(image.pixelColor(320, 40 + 390), QColor(Qt::white)) << kind;
        EXPECT_EQ(image.pixelColor(10, 300), kGround) << kind;
        EXPECT_EQ(image.pixelColor(630, 300), kGround) << kind;
        // A mark in the template's blue at its placed pixel.
        EXPECT_EQ(image.pixelColor(20 + 150, 40 + 200), QColor(0, 0, 255)) << kind;
        // The frame's corner handle at rectangle A's top left.
        EXPECT_EQ(image.pixelColor(20 + 60, 40 + 50), QColor(Qt::white)) << kind;
        // The track crosses the plan only on the registered map, 0.0004° (44 m = 44 px) north of the centre.
        const int trackPixels =
            PixelCanvas::CountIn(image, QRect(140, 40 + 200 - 54, 150, 20), QColor(0, 0, 255));
        EXPECT_EQ(trackPixels > 100, kind == 1) << kind;
    }
}

TEST(PictureMapPicture, TurnedOutputStandsUprightWithWhiteOutside)
{
    PhotoList photos;
    LocationMap map = PlanMap(0, photos);
    const QImage straight = TurnedRender(map, photos, 0.0);
    const QImage turned = TurnedRender(map, photos, 0.4);
    ASSERT_TRUE(straight.save(LookFolder() + QStringLiteral("picture-map-rendered.png")));
    ASSERT_TRUE(turned.save(LookFolder() + QStringLiteral("picture-map-rendered-turned.png")));
    // Not turned: the frame starts below the stripe (frame top 50 > stripe 24), so the top row is paper.
    EXPECT_EQ(straight.pixelColor(240, 2), QColor(Qt::white));
    // Turned by 0.4 rad: the frame's corners reach past the picture's top edge, where the stripe shows at the
    // top of the output (not the bottom), and past its corners, which stay white.
    int stripeTop = 0, stripeBottom = 0;
    for (int x = 0; x < 480; ++x) {
        for (int y = 0; y < 40; ++y)
            stripeTop += turned.pixelColor(x, y) == kTopStripe;
        for (int y = 280; y < 320; ++y)
            stripeBottom += turned.pixelColor(x, y) == kTopStripe;
    }
    EXPECT_GT(stripeTop, 50);
    EXPECT_EQ(stripeBottom, 0);
    EXPECT_EQ(map.runtime.frameOriented, 0);
}

}  // namespace
