#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QThread>

#include "LocalServers.h"
#include "TempFolder.h"
#include "fe/geo/MapDrawer.h"

using namespace fe::geo;
using namespace localserver;

namespace {

QRgb TileColour(int zoom, int x, int y)
{
    return qRgb(zoom * 10, x * 20, y * 20);
}

// Fixture: a map drawer over a disk cache in a temporary folder, with a view of 512 x 512 pixels
// whose centre lies at world pixel (1024.5, 1024.5) of zoom 3, so that at zoom 3 tile (3, 3) covers
// pixels 0..255 and tile (4, 4) pixels 256..511; at zoom 4 the tiles 7..9 cover the view.
class MapDrawerPixels : public testing::Test
{
protected:
    static constexpr int kView = 512;

    MapDrawerPixels() : picture(kView, kView, QImage::Format_RGB32) { picture.fill(Qt::white); }

    void OpenSite(const QString& baseUrl, int zoomMin = 2, int zoomMax = 18, bool transparent = false)
    {
        site.SetBuiltIn("/t", ".png", zoomMin, zoomMax, transparent, "test");
        site.baseUrl = baseUrl;
        ASSERT_TRUE(drawer.Server().Open(temp.file("cache"), site, ProxySettings()));
    }

    void StoreTile(int zoom, int x, int y, const QByteArray& data = QByteArray())
    {
        const QByteArray bytes = data.isNull() ? SolidPng(TileColour(zoom, x, y)) : data;
        ASSERT_TRUE(WriteFile(drawer.Server().TilePath(TileIndex(zoom, x, y)), bytes));
    }

    void StoreTiles(int zoom, int first, int last)
    {
        for (int x = first; x <= last; ++x)
            for (int y = first; y <= last; ++y)
                StoreTile(zoom, x, y);
    }

    void Draw(int zoom, int width = kView, int height = kView)
    {
        QPainter painter(&picture);
        drawer.DrawTiles(painter, zoom, centre, width, height);
    }

    QRgb At(int x, int y) const { return picture.pixel(x, y); }

    static GeoPoint Centre()
    {
        GeoPoint point;
        point.SetFromWorldPixel(1024.5, 1024.5, 3);
        return point;
    }

    TempFolder temp;
    TileSite site;
    MapDrawer drawer;
    QImage picture;
    GeoPoint centre = Centre();
};

}  // namespace

TEST_F(MapDrawerPixels, DrawsTilesFromDiskAtTheirScreenPlaces)
{
    OpenSite("http://127.0.0.1:1");
    StoreTiles(3, 3, 5);
    drawer.Server().RaiseNewTileFlag();
    Draw(3);
    EXPECT_EQ(At(100, 100), TileColour(3, 3, 3));
    EXPECT_EQ(At(300, 100), TileColour(3, 4, 3));
    EXPECT_EQ(At(100, 300), TileColour(3, 3, 4));
    EXPECT_EQ(At(511, 511), TileColour(3, 4, 4));
    EXPECT_FALSE(drawer.Server().TakeNewTileFlag());  // every drawing clears it
    EXPECT_EQ(drawer.Viewport().zoom, 3);
}

TEST_F(MapDrawerPixels, TransparentSitesArePaintedBlackFirst)
{
    QImage clear(256, 256, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        clear.save(&buffer, "PNG");
    }
    for (const bool transparent : {false, true}) {
        picture.fill(Qt::white);
        OpenSite("http://127.0.0.1:1", 2, 18, transparent);
        StoreTiles(3, 3, 5);
        StoreTile(3, 3, 3, png);
        Draw(3);
        EXPECT_EQ(At(100, 100), transparent ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << transparent;
        EXPECT_EQ(At(300, 300), TileColour(3, 4, 4));
    }
}

TEST_F(MapDrawerPixels, ZoomingInShowsParentQuartersAndQueuesPlaceholdersFirst)
{
    TempFolder serverFolder;
    const QString log = serverFolder.file("requests.log");
    const auto stall = StartMisbehavingServer(serverFolder.path(), SolidPng(0), log);
    ASSERT_TRUE(stall && stall->IsUp());
    OpenSite(stall->BaseUrl() + "/stall");
    StoreTiles(3, 3, 5);
    StoreTile(3, 4, 4, "<html>not a picture</html>");
    Draw(3);  // no worker: every tile comes from disk, (4, 4) as "タイル無し"
    ASSERT_TRUE(drawer.Server().Start());
    Draw(4);

    // Tile (4, 7, 7) covers pixels -1..254 and shows the lower right quarter of its parent (3, 3, 3).
    EXPECT_EQ(At(100, 100), TileColour(3, 3, 3));
    EXPECT_EQ(At(300, 100), TileColour(3, 4, 3));
    // The four tiles whose parent is not in memory show the placeholder.
    const QImage& downloading = drawer.Server().Placeholders().Get(TilePlaceholder::Downloading);
    EXPECT_EQ(At(300, 300), downloading.pixel(300 - 255, 300 - 255));

    // Placeholder tiles first, then parent-substituted ones, each in drawing order; the worker took
    // the first and hangs on it.
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(log).size() > 0; }));
    QThread::msleep(50);  // let the worker go on to wait on the hanging request
    QFile requests(log);
    ASSERT_TRUE(requests.open(QIODevice::ReadOnly));
    EXPECT_EQ(requests.readLine().trimmed(), "/stall/t/4/8/8.png");
    const std::vector<TileIndex> rest = {{4, 8, 9}, {4, 9, 8}, {4, 9, 9}, {4, 8, 7},
                                         {4, 7, 8}, {4, 7, 7}, {4, 7, 9}, {4, 9, 7}};
    EXPECT_EQ(drawer.Server().QueuedKeys(), rest);
    drawer.Close();
}

TEST_F(MapDrawerPixels, ZoomingOutShowsChildrenWhenAllFourAreInMemory)
{
    OpenSite("http://127.0.0.1:1");
    StoreTiles(4, 7, 9);
    Draw(4);
    ASSERT_TRUE(drawer.Server().Start());
    Draw(3);
    // Tile (3, 4, 4) at 256..511 is made of its children (4, 8..9, 8..9).
    EXPECT_EQ(At(300, 300), TileColour(4, 8, 8));
    EXPECT_EQ(At(450, 300), TileColour(4, 9, 8));
    EXPECT_EQ(At(450, 450), TileColour(4, 9, 9));
    // Tile (3, 3, 3) has only one child in memory: the placeholder.
    const QImage& downloading = drawer.Server().Placeholders().Get(TilePlaceholder::Downloading);
    EXPECT_EQ(At(40, 40), downloading.pixel(40, 40));
    drawer.Close();
}

TEST_F(MapDrawerPixels, OverzoomEnlargesTheDeepestLevel)
{
    OpenSite("http://127.0.0.1:1", 2, 3);
    StoreTiles(3, 2, 5);
    Draw(4);
    // Drawn at zoom 3 into 256 x 256 and doubled: tile (3, 3, 3) fills 0..255.
    EXPECT_EQ(At(10, 10), TileColour(3, 3, 3));
    EXPECT_EQ(At(255, 255), TileColour(3, 3, 3));
    EXPECT_EQ(At(256, 256), TileColour(3, 4, 4));
    EXPECT_EQ(drawer.Viewport().zoom, 4);
    EXPECT_EQ(drawer.Viewport().width, kView);

    // Two levels beyond, on a view too small to halve twice: nothing is drawn.
    picture.fill(Qt::white);
    Draw(5, 3, 3);
    EXPECT_EQ(At(1, 1), qRgb(255, 255, 255));
    // Three levels beyond is drawn normally, as out of range.
    Draw(6);
    const QImage& outside = drawer.Server().Placeholders().Get(TilePlaceholder::ZoomOutOfRange);
    EXPECT_EQ(At(200, 200), outside.pixel(200, 200));
}

TEST_F(MapDrawerPixels, TheGenerationSwapsOnlyAfterTheDrawing)
{
    OpenSite("http://127.0.0.1:1");
    drawer.Server().MemCache().Reset(4);
    StoreTiles(3, 3, 5);
    Draw(3);
    const TileMemCache& cache = drawer.Server().MemCache();
    EXPECT_EQ(cache.CurrentGeneration(), 1);
    EXPECT_EQ(cache.Size(0), 9);  // all nine kept, still searchable
    EXPECT_NE(cache.Find(TileIndex(3, 5, 5)), nullptr);
}

// Tiles served over HTTP land in the disk cache, and redrawing on the new-tile flag shows them.
TEST_F(MapDrawerPixels, NewTilesDriveRedrawsUntilTheViewIsComplete)
{
    TempFolder www;
    for (int x = 3; x <= 5; ++x)
        for (int y = 3; y <= 5; ++y)
            ASSERT_TRUE(WriteFile(www.path() + QStringLiteral("/t/3/%1/%2.png").arg(x).arg(y),
                                  SolidPng(TileColour(3, x, y))));
    const auto http = StartFileServer(www.path());
    ASSERT_TRUE(http->IsUp());
    OpenSite(http->BaseUrl());
    ASSERT_TRUE(drawer.Server().Start());
    Draw(3);
    const QImage& downloading = drawer.Server().Placeholders().Get(TilePlaceholder::Downloading);
    EXPECT_EQ(At(300, 300), downloading.pixel(44, 44));

    // Redraw only when the worker says a tile arrived, as the view's timer does.
    const bool complete = WaitFor([&] {
        if (drawer.Server().TakeNewTileFlag())
            Draw(3);
        return At(100, 100) == TileColour(3, 3, 3) && At(300, 300) == TileColour(3, 4, 4);
    });
    EXPECT_TRUE(complete);
    EXPECT_TRUE(QFile::exists(temp.file("cache") + "/_t/3/4/4.png"));
    drawer.Close();
}
