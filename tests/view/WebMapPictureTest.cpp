// A location map on web tiles served from 127.0.0.1, drawn upright and with a turned output frame: tiles,
// marks, frame with handles, title box, scale bar and north arrow. Rendered to PNG for a person to look at.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

#include "LocalServers.h"
#include "PixelCanvas.h"
#include "TempFolder.h"
#include "fe/Unset.h"
#include "fe/geo/MapServer.h"
#include "fe/geo/ProxySettings.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "model/PhotoRecord.h"
#include "view/ViewGsi.h"

using namespace locmap;

namespace {

constexpr int kZoom = 16;
constexpr int kWidth = 640, kHeight = 480;
const fe::geo::GeoPoint kCentre(139.7500, 35.6800);
const QColor kTileGround(242, 239, 233);

// A tile that looks like a plain street map: a pale ground, two streets and its address in small print.
QByteArray StreetTile(int x, int y)
{
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(kTileGround);
    QPainter p(&tile);
    p.setPen(QPen(QColor(255, 255, 255), 9));
    p.drawLine(0, 90 + (x % 3) * 20, 256, 70 + (y % 3) * 25);
    p.drawLine(60 + (y % 4) * 30, 0, 120 + (x % 2) * 40, 256);
    p.setPen(QPen(QColor(190, 215, 170), 1));
    p.setBrush(QColor(205, 228, 190));
    p.drawRect(150, 150, 60, 40);  // a park
    p.setPen(QColor(150, 150, 150));
    p.drawText(4, 250, QStringLiteral("%1/%2/%3").arg(kZoom).arg(x).arg(y));
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

// Serves the tiles around the centre from a temporary folder and draws them into a picture with a map
// server of its own, downloading each once (the server has no worker).
class WebMapPicture : public testing::Test
{
protected:
    void SetUp() override
    {
        const Point2 world = kCentre.ToWorldPixel(kZoom);
        const int cx = int(world.x) / 256, cy = int(world.y) / 256;
        for (int x = cx - 2; x <= cx + 2; ++x)
            for (int y = cy - 2; y <= cy + 2; ++y)
                ASSERT_TRUE(localserver::WriteFile(
                    served.file(QStringLiteral("t/%1/%2/%3.png").arg(kZoom).arg(x).arg(y)),
                    StreetTile(x, y)));
        server = localserver::StartFileServer(served.path());
        ASSERT_TRUE(server->IsUp());
        fe::geo::TileSite site;
        site.SetBuiltIn(QStringLiteral("/t"), QStringLiteral(".png"), 2, 18, false, QStringLiteral("test"));
        site.baseUrl = server->BaseUrl();
        ASSERT_TRUE(map.Server().Open(cache.file(QStringLiteral("cache")), site, fe::geo::ProxySettings()));
        map.Server().SetMissingTiles(fe::geo::MissingTiles::FetchedNow);
        map.SetCenter(kCentre);
        map.SetZoom(kZoom);
        ASSERT_TRUE(picture.Create(kWidth, kHeight));
        map.DrawTilesToImage(picture);
    }

    // A location map over the middle of the view with six placed photos and one track.
    void Prepare(LocationMap& location, PhotoList& photos, std::vector<LocusTrack>& tracks)
    {
        location.SetWebMap(LocationMap::kWebStandard, Rect2(139.7480, 35.6788, 139.7520, 35.6812), kZoom);
        location.name = QStringLiteral("第2工区 排水路");
        location.zone = 9;
        location.overlay.northArrowX = location.overlay.northArrowY = 40;
        location.overlay.scaleBarX = location.overlay.scaleBarY = 40;
        const struct
        {
            double dLon, dLat, direction;
            bool selected;
        } shots[] = {{-0.0012, 0.0006, 30, false},      {-0.0004, 0.0008, 120, true},
                     {0.0006, 0.0005, 250, false},      {0.0013, -0.0002, 0, false},
                     {-0.0009, -0.0007, kUnset, false}, {0.0003, -0.0008, 300, true}};
        for (int k = 0; k < 6; ++k) {
            PhotoRecord photo(k + 1);
            photo.position =
                fe::geo::GeoPoint(kCentre.longitude + shots[k].dLon, kCentre.latitude + shots[k].dLat);
            photo.direction = shots[k].direction;
            photo.flags = 1u | (shots[k].selected ? PhotoRecord::kFlagSelected : 0u);
            photos.photos.push_back(photo);
            PlacedPhoto entry;
            entry.photoId = photo.id;
            entry.x = photo.position.longitude;
            entry.y = photo.position.latitude;
            entry.numberText = QStringLiteral("No.%1").arg(k + 1);
            location.photos.entries.push_back(entry);
        }
        LocusTrack track;
        for (int k = 0; k <= 12; ++k) {
            LocusPoint point;
            point.position = fe::geo::GeoPoint(kCentre.longitude - 0.0018 + k * 0.0003,
                                               kCentre.latitude - 0.0011 + (k % 4) * 0.0002);
            track.points.push_back(point);
        }
        track.currentPoint = 9;
        track.UpdateBounds();
        tracks.push_back(track);
    }

    // The pass of a location map on tiles, in the view's order.
    QImage Render(double frameAngle)
    {
        LocationMap location(1);
        PhotoList photos;
        std::vector<LocusTrack> tracks;
        Prepare(location, photos, tracks);
        location.frame.angle = frameAngle;
        QImage image = picture.Picture().copy();
        ViewGsi drawer;
        drawer.LoadPointIcons(SourceDataFolder());
        drawer.viewport = map.Viewport();
        drawer.UseMapPalette();
        drawer.style.Reset();
        drawer.SetupResources();
        const Rect2 bounds = map.VisibleBounds(kWidth, kHeight);
        QPainter painter(&image);
        EXPECT_TRUE(drawer.BeginAtZoom(&painter, kZoom));
        drawer.DrawShotPositions(photos);
        drawer.DrawTracks(tracks, bounds);
        drawer.DrawMapPhotos(location, photos);
        drawer.DrawOutputFrame(location, Rect2(0, 0, kWidth, kHeight), kZoom);
        drawer.DrawScreenNorthArrow(location);
        drawer.DrawScreenScaleBar(location, kZoom, bounds.x0, bounds.x1);
        drawer.DrawTitleBox(QStringLiteral("位置図 [ 座標系:緯度経度 ]"));
        drawer.End();
        painter.end();
        frameCorner = drawer.ScreenPoint(fe::geo::GeoPoint(location.box.x0, location.box.y1));
        return image;
    }

    TempFolder served;
    TempFolder cache;
    std::unique_ptr<localserver::Server> server;
    fe::geo::MapServer map;
    fe::img::Image picture;
    QPoint frameCorner;
};

TEST_F(WebMapPicture, UprightAndTurnedFrames)
{
    // The tiles came from the server: the ground colour shows in a corner away from the furniture.
    EXPECT_EQ(picture.Picture().pixelColor(kWidth / 2 + 150, 30), kTileGround);

    const QImage upright = Render(0.0);
    const QImage turned = Render(0.35);
    ASSERT_TRUE(upright.save(LookFolder() + QStringLiteral("web-map-upright.png")));
    ASSERT_TRUE(turned.save(LookFolder() + QStringLiteral("web-map-turned.png")));

    const QColor red(204, 0, 0), white(255, 255, 255), black(0, 0, 0);
    // Upright: the frame's top-left handle is a white disc with a red rim at the box's north-west corner.
    EXPECT_EQ(upright.pixelColor(frameCorner), white);
    EXPECT_EQ(upright.pixelColor(frameCorner + QPoint(-5, 0)), red);
    // Turned about its centre, the corner handle has moved away from the unturned corner.
    EXPECT_NE(turned.pixelColor(frameCorner), white);
    // Title box, north arrow, scale bar at their places.
    EXPECT_EQ(upright.pixelColor(12, 20), red);
    EXPECT_EQ(upright.pixelColor(kWidth - 70, 42), black);
    EXPECT_EQ(upright.pixelColor(kWidth - 31, kHeight - 32), black);
}

}  // namespace
