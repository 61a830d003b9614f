// The off-screen location-map renderer: picture maps fitted into the target with white margins and turned
// upright, web maps over tiles from a local file server, and the renders it refuses.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <numbers>

#include "LocalServers.h"
#include "PixelCanvas.h"
#include "TempFolder.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/PhotoRecord.h"
#include "model/Project.h"
#include "view/locmap/ImageMaker.h"

using namespace locmap;

namespace {

const QColor kGreen(30, 140, 60);
const QColor kRed(220, 20, 20);
const QColor kBlue(20, 40, 220);
const QColor kTileGround(242, 239, 233);
constexpr std::uint32_t kWhite = 0xFFFFFF;

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A project in a temporary folder whose maps are added with their pictures.
struct RenderProject
{
    TempFolder parent;
    Project project;

    RenderProject() { EXPECT_EQ(project.CreateNew(QStringLiteral("p"), parent.path()), 0); }

    // A kind-0 map over the picture, its frame rectangle A as given.
    int AddPictureMap(const QImage& picture, const Rect2& frame, double angle = 0.0)
    {
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kPicture;
        map.pictureFormat = 1;
        map.pictureWidth = picture.width();
        map.pictureHeight = picture.height();
        map.frame.rectA = frame;
        map.frame.angle = angle;
        map.overlay.showScaleBar = 0;
        project.maps.Append(map);
        QFile file(project.MapFolder() + map.ImageFileName());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Png(picture));
        return project.maps.Count() - 1;
    }
};

QImage Filled(int width, int height, const QColor& color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage Copy(const fe::img::Image& image)
{
    return image.Picture().copy();
}

TEST(ImageMaker, PictureMapFillsTheTargetCentredWithWhiteMarginsAndLeavesTheMapAsItWas)
{
    RenderProject f;
    const int index = f.AddPictureMap(Filled(100, 100, kGreen), Rect2(0, 0, 70, 100));
    const LocationMap before = f.project.maps.maps[0];
    ImageMaker maker;
    fe::img::Image target;
    ASSERT_TRUE(target.Create(400, 200));
    ASSERT_TRUE(maker.RenderImageMap(target, f.project, index, 1.0));
    ASSERT_TRUE(target.Picture().save(LookFolder() + QStringLiteral("image-maker-portrait.png")));
    // The frame (70 × 100) fills the full height: 140 px wide, centred from x = 130.
    EXPECT_EQ(target.Pixel(0, 100), kWhite);
    EXPECT_EQ(target.Pixel(399, 100), kWhite);
    EXPECT_EQ(target.Pixel(128, 100), kWhite);
    EXPECT_EQ(target.Pixel(200, 100), kGreen.rgb() & 0xFFFFFFu);
    EXPECT_EQ(target.Pixel(133, 100), kGreen.rgb() & 0xFFFFFFu);
    // No pixel of the blank marker is left.
    EXPECT_EQ(PixelCanvas::CountIn(target.Picture(), target.Picture().rect(), QColor(0, 0, 1)), 0);
    const LocationMap& after = f.project.maps.maps[0];
    EXPECT_EQ(after.transform.kind, before.transform.kind);
    EXPECT_EQ(after.overlay, before.overlay);
    EXPECT_EQ(after.runtime.frameOriented, 0);
}

TEST(ImageMaker, RefusedRendersLeaveTheTargetAsItWas)
{
    RenderProject f;
    f.AddPictureMap(Filled(100, 100, kGreen), Rect2(0, 20, 70, 20));  // a frame of zero height
    f.AddPictureMap(Filled(100, 100, kGreen), Rect2(10, 10, 10, 90));  // of zero width
    f.AddPictureMap(Filled(100, 100, kGreen), Rect2(0, 0, 50, 50));
    f.project.maps.maps[2].kind = LocationMap::kWebStandard;
    LocationMap web = f.project.maps.MakeNewMap();
    web.SetWebMap(LocationMap::kWebStandard, Rect2(139.75, 35.68, 139.75, 35.69), 16);  // no width
    f.project.maps.Append(web);
    struct Case
    {
        int index;
        bool tiles;
    };
    const Case cases[] = {{0, false}, {1, false}, {2, false}, {-1, false}, {4, false},
                          {3, true},  {0, true},  {-1, true}, {4, true}};
    ImageMaker maker;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << (c.tiles ? " tiles" : " picture"));
        fe::img::Image target;
        ASSERT_TRUE(target.Create(64, 48));
        target.Fill(0x123456);
        const QImage before = Copy(target);
        const bool drawn = c.tiles ? maker.RenderTileMap(target, f.project, c.index, 1.0)
                                   : maker.RenderImageMap(target, f.project, c.index, 1.0);
        EXPECT_FALSE(drawn);
        EXPECT_EQ(target.Picture(), before);
    }
}

TEST(ImageMaker, TurnedFrameComesOutUpright)
{
    // The upper half of the plan is red, the lower half blue; the frame is turned by 30 degrees.
    QImage plan = Filled(400, 400, kBlue);
    QPainter(&plan).fillRect(0, 0, 400, 200, kRed);
    RenderProject f;
    const int index = f.AddPictureMap(plan, Rect2(100, 100, 300, 300), std::numbers::pi / 6);
    const LocationMap before = f.project.maps.maps[0];
    ImageMaker maker;
    fe::img::Image target;
    ASSERT_TRUE(target.Create(200, 200));
    ASSERT_TRUE(maker.RenderImageMap(target, f.project, index, 1.0));
    ASSERT_TRUE(target.Picture().save(LookFolder() + QStringLiteral("image-maker-turned.png")));
    const QImage& out = target.Picture();
    const QColor red = out.pixelColor(60, 8), blue = out.pixelColor(60, 190);
    EXPECT_GT(red.red(), 180);
    EXPECT_LT(red.blue(), 60);
    EXPECT_GT(blue.blue(), 180);
    EXPECT_LT(blue.red(), 60);
    const LocationMap& after = f.project.maps.maps[0];
    EXPECT_EQ(after.overlay.northArrowAngle, before.overlay.northArrowAngle);
    EXPECT_EQ(after.transform.value, before.transform.value);
    EXPECT_EQ(after.frame, before.frame);
}

TEST(ImageMaker, FurnitureShrinksOverEnlargedTiles)
{
    fe::geo::TileSite site;
    site.SetBuiltIn(QStringLiteral("/t"), QStringLiteral(".png"), 2, 17, false, QStringLiteral("t"));
    const struct
    {
        int zoom, divisor;
    } cases[] = {{16, 1}, {17, 1}, {18, 2}, {19, 4}, {20, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(OverzoomFurnitureDivisor(c.zoom, site), c.divisor) << c.zoom;
}

// A web map served from 127.0.0.1: tiles of one ground colour, drawn with a maker of its own.
class ImageMakerTiles : public testing::Test
{
protected:
    static constexpr int kZoom = 16;

    void SetUp() override
    {
        const fe::geo::GeoPoint centre(139.75, 35.68);
        for (int z : {kZoom, kZoom - 1}) {
            const Point2 world = centre.ToWorldPixel(z);
            const int cx = int(world.x) / 256, cy = int(world.y) / 256;
            for (int x = cx - 2; x <= cx + 2; ++x)
                for (int y = cy - 2; y <= cy + 2; ++y)
                    ASSERT_TRUE(localserver::WriteFile(
                        served.file(QStringLiteral("t/%1/%2/%3.png").arg(z).arg(x).arg(y)),
                        Png(Filled(256, 256, kTileGround))));
        }
        server = localserver::StartFileServer(served.path());
        ASSERT_TRUE(server->IsUp());
    }

    // The maker's sites end at the deepest zoom given; a web map around the centre with two photos.
    int AddMap(int deepest, double angle = 0.0)
    {
        maker.settings.tileCacheFolder = cache.file(QStringLiteral("geocache"));
        fe::geo::TileSite site;
        site.SetBuiltIn(QStringLiteral("/t"), QStringLiteral(".png"), 2, deepest, false, QStringLiteral("t"));
        site.baseUrl = server->BaseUrl();
        maker.settings.tileSites.assign(3, site);
        LocationMap map = f.project.maps.MakeNewMap();
        EXPECT_TRUE(map.SetWebMap(LocationMap::kWebStandard, Rect2(139.7480, 35.6788, 139.7520, 35.6812), kZoom));
        map.frame.angle = angle;
        map.zone = 9;
        for (int k = 0; k < 2; ++k) {
            PhotoRecord photo(int(f.project.photos.photos.size()) + 1);
            photo.position = fe::geo::GeoPoint(139.7490 + k * 0.002, 35.6800);
            photo.direction = 90;
            photo.flags = 1u;
            f.project.photos.photos.push_back(photo);
            PlacedPhoto entry;
            entry.photoId = photo.id;
            entry.x = photo.position.longitude;
            entry.y = photo.position.latitude;
            entry.numberText = QString::number(k + 1);
            map.photos.entries.push_back(entry);
        }
        f.project.maps.Append(map);
        return f.project.maps.Count() - 1;
    }

    // Dark pixels of the north arrow in the top-right corner of the target.
    static int NorthArrowInk(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height() / 3; ++y)
            for (int x = image.width() * 2 / 3; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) < 80;
        return count;
    }

    TempFolder served;
    TempFolder cache;
    std::unique_ptr<localserver::Server> server;
    RenderProject f;
    ImageMaker maker;
};

TEST_F(ImageMakerTiles, WebMapFillsTheTargetWithTilesMarksAndFurniture)
{
    const int index = AddMap(18);
    fe::img::Image target;
    ASSERT_TRUE(target.Create(640, 480));
    ASSERT_TRUE(maker.RenderTileMap(target, f.project, index, 1.0));
    ASSERT_TRUE(target.Picture().save(LookFolder() + QStringLiteral("image-maker-web.png")));
    const QImage& out = target.Picture();
    // The box is wider than the target's aspect: white bands above and below, tiles in the middle.
    EXPECT_EQ(target.Pixel(320, 0), kWhite);
    EXPECT_EQ(target.Pixel(320, 479), kWhite);
    EXPECT_EQ(out.pixelColor(320, 240), kTileGround);
    // Red photo marks in the left and right thirds (no icons off screen: discs).
    EXPECT_GT(PixelCanvas::CountIn(out, QRect(0, 100, 320, 280), QColor(204, 0, 0), 30), 10);
    EXPECT_GT(PixelCanvas::CountIn(out, QRect(320, 100, 320, 280), QColor(204, 0, 0), 30), 10);
    EXPECT_GT(NorthArrowInk(out), 0);
}

TEST_F(ImageMakerTiles, NorthArrowIsDrawnThinnerOverEnlargedTiles)
{
    fe::img::Image straight, enlarged;
    ASSERT_TRUE(straight.Create(640, 480));
    ASSERT_TRUE(enlarged.Create(640, 480));
    ASSERT_TRUE(maker.RenderTileMap(straight, f.project, AddMap(kZoom), 1.0));
    ASSERT_TRUE(maker.RenderTileMap(enlarged, f.project, AddMap(kZoom - 1), 1.0));
    ASSERT_TRUE(enlarged.Picture().save(LookFolder() + QStringLiteral("image-maker-web-overzoom.png")));
    const int full = NorthArrowInk(straight.Picture()), half = NorthArrowInk(enlarged.Picture());
    EXPECT_GT(half, 0);
    EXPECT_LT(half, full * 3 / 4) << full << " " << half;
}

TEST_F(ImageMakerTiles, TurnedWebMapIsDrawnTurned)
{
    fe::img::Image target;
    ASSERT_TRUE(target.Create(640, 480));
    ASSERT_TRUE(maker.RenderTileMap(target, f.project, AddMap(18, 0.35), 1.0));
    ASSERT_TRUE(target.Picture().save(LookFolder() + QStringLiteral("image-maker-web-turned.png")));
    EXPECT_EQ(target.Picture().pixelColor(320, 240), kTileGround);
}

}  // namespace
