#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtEndian>

#include "LocalServers.h"
#include "TempFolder.h"
#include "fe/geo/TileServer.h"

using namespace fe::geo;
using namespace localserver;

namespace {

QByteArray BigEndian(quint32 value)
{
    QByteArray bytes(4, 0);
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : typed) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return BigEndian(static_cast<quint32>(data.size())) + typed + BigEndian(~crc);
}

// A PNG whose header claims the size and whose pixel data is a few bytes.
QByteArray PngHeaderOnly(quint32 width, quint32 height)
{
    const QByteArray header = BigEndian(width) + BigEndian(height) + QByteArray::fromHex("0802000000");
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + PngChunk("IEND", QByteArray());
}

bool IsPlaceholder(const TileServer& server, const QImage* picture, TilePlaceholder which)
{
    return picture == &server.Placeholders().Get(which);
}

// Every file below the folder, relative to it.
QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

}  // namespace

TEST(TileServerWorker, DownloadsIntoTheDiskCacheAndRaisesTheNewTileFlag)
{
    TempFolder temp;
    const QString served = temp.file("www");
    ASSERT_TRUE(WriteFile(served + "/xyz/std/15/29100/12900.png", SolidPng(qRgb(200, 30, 40))));
    ASSERT_TRUE(WriteFile(served + "/xyz/std/3/7/2.png", SolidPng(qRgb(10, 220, 40))));
    const auto http = StartFileServer(served);
    ASSERT_TRUE(http->IsUp());

    TileServer server;
    const QString cache = temp.file("geocache");
    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/xyz/std"), ProxySettings()));
    EXPECT_EQ(server.TempFilePath(), cache + "tmp");
    ASSERT_TRUE(server.Start());
    const TileIndex tile(15, 29100, 12900);
    EXPECT_EQ(server.GetTile(tile), nullptr);
    server.RequestTile(tile);
    server.RequestTile(TileIndex(3, -1, 2));  // column -1 wraps to 7
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(cache + "/_xyz_std/3/7/2.png"); }));
    EXPECT_TRUE(server.TakeNewTileFlag());
    EXPECT_TRUE(QFileInfo::exists(cache + "/_xyz_std/15/29100/12900.png"));
    EXPECT_FALSE(QFileInfo::exists(cache + "tmp"));

    const QImage* picture = server.GetTile(tile);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixel(100, 100), qRgb(200, 30, 40));
    EXPECT_EQ(server.GetTile(tile), picture);  // now from memory
    EXPECT_EQ(server.GetTile(TileIndex(3, -1, 2))->pixel(5, 5), qRgb(10, 220, 40));
    server.Stop();
    EXPECT_FALSE(server.IsRunning());
}

TEST(TileServerWorker, QueuesEachMissingTileOnceAndComparesWholeKeys)
{
    TempFolder temp;
    TileServer server;
    ASSERT_TRUE(server.Open(temp.file("cache"), LocalSite("http://127.0.0.1:9", "/t"), ProxySettings()));
    // Two different tiles whose hashes are equal.
    const TileIndex a(18, 264, 258851);
    const TileIndex b(18, 289, 100);
    ASSERT_EQ(a.Hash(), b.Hash());
    for (int i = 0; i < 5; ++i) {
        server.RequestTile(a);
        server.RequestTile(TileIndex(18, 264 + (1 << 18), 258851));  // the same key
    }
    server.RequestTile(b);
    EXPECT_EQ(server.QueuedKeys(), (std::vector<TileIndex>{a, b}));

    // A tile already on disk is not queued.
    ASSERT_TRUE(WriteFile(server.TilePath(TileIndex(5, 1, 1)), SolidPng(qRgb(1, 2, 3))));
    server.RequestTile(TileIndex(5, 1, 1));
    EXPECT_EQ(server.QueueSize(), 2);

    // A site with a single zoom level is refused without touching the running worker.
    ASSERT_TRUE(server.Start());
    EXPECT_FALSE(
        server.Open(temp.file("other"), LocalSite("http://127.0.0.1:9", "/t", 12, 12), ProxySettings()));
    EXPECT_TRUE(server.HasWorker());
    EXPECT_EQ(server.CacheFolder(), temp.file("cache"));
}

TEST(TileServerWorker, BadAnswersNeverEnterTheCache)
{
    TempFolder temp;
    const QString log = temp.file("requests.log");
    const auto http = StartMisbehavingServer(temp.path(), SolidPng(qRgb(0, 0, 255)), log);
    ASSERT_TRUE(http && http->IsUp());

    const QString cache = temp.file("geocache");
    struct Case
    {
        const char* path;
        bool stored;
    };
    const Case cases[] = {
        {"/missing", false}, {"/missingpng", false}, {"/errorpng", false}, {"/html", false},
        {"/trunc", false},   {"/truncnolen", false}, {"/redirect", true},  {"/ok", true},
    };
    const auto requested = [&log](const QString& path) {
        QFile requests(log);
        return requests.open(QIODevice::ReadOnly) && requests.readAll().contains(path.toUtf8());
    };
    int row = 6;
    for (const Case& c : cases) {
        TileServer server;
        ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), c.path), ProxySettings()));
        // The worker fetches one tile after the other: once the second is asked for, the first has
        // been stored or refused. The second is another tile each time, so that no earlier request
        // (a redirect's to /ok) is taken for it.
        ++row;
        server.RequestTile(TileIndex(4, 3, 5));
        server.RequestTile(TileIndex(4, 3, row));
        ASSERT_TRUE(server.Start());
        const QString second = QStringLiteral("%1/4/3/%2.png").arg(c.path).arg(row);
        ASSERT_TRUE(WaitFor([&] { return requested(second); })) << c.path;
        server.Stop();
        const QString tile = cache + "/" + CacheFolderNameOf(c.path) + "/4/3/5.png";
        EXPECT_EQ(QFileInfo::exists(tile), c.stored) << c.path;
        EXPECT_FALSE(QFileInfo::exists(cache + "tmp")) << c.path;
    }
    QFile requests(log);
    ASSERT_TRUE(requests.open(QIODevice::ReadOnly));
    EXPECT_TRUE(requests.readAll().contains("/trunc/4/3/5.png"));
}

TEST(TileServerWorker, StopReturnsPromptlyWhileTheServerStalls)
{
    TempFolder temp;
    const QString log = temp.file("requests.log");
    const auto http = StartMisbehavingServer(temp.path(), SolidPng(qRgb(0, 0, 255)), log);
    ASSERT_TRUE(http && http->IsUp());

    auto server = std::make_unique<TileServer>();
    ASSERT_TRUE(server->Open(temp.file("geocache"), LocalSite(http->BaseUrl(), "/stall"), ProxySettings()));
    server->RequestTile(TileIndex(4, 3, 5));
    ASSERT_TRUE(server->Start());
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(log).size() > 0; }));  // the request hangs now
    QElapsedTimer timer;
    timer.start();
    server.reset();  // as when the program closes: the destructor stops the worker
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_FALSE(QFileInfo::exists(temp.file("geocache") + "/_stall/4/3/5.png"));
}

TEST(TileServerWorker, AnExistingDestinationIsNotReplaced)
{
    TempFolder temp;
    const auto http = StartMisbehavingServer(temp.path(), SolidPng(qRgb(0, 0, 255)), temp.file("log"));
    ASSERT_TRUE(http && http->IsUp());
    TileServer server;
    const QString cache = temp.file("geocache");
    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/ok"), ProxySettings()));
    server.RequestTile(TileIndex(4, 3, 5));
    // Another writer stores the tile after it was queued.
    const QString tile = cache + "/_ok/4/3/5.png";
    ASSERT_TRUE(WriteFile(tile, "first"));
    ASSERT_TRUE(server.Start());
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(cache + "tmp"); }));
    ASSERT_TRUE(WaitFor([&] { return server.QueueSize() == 0; }));
    QThread::msleep(100);
    server.Stop();
    EXPECT_FALSE(server.TakeNewTileFlag());
    QFile kept(tile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "first");
}

TEST(TileServerLookup, PlaceholdersForTilesThatCannotBeShown)
{
    TempFolder temp;
    TileServer server;
    const TileSite site = LocalSite("http://127.0.0.1:9", "/t", 18, 2);
    // Closed: offline for every tile inside the zoom range and the world.
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(5, 1, 1)), TilePlaceholder::ZoomOutOfRange));
    ASSERT_TRUE(server.Open(temp.file("cache"), site, ProxySettings()));
    server.Close();
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(5, 1, 1)), TilePlaceholder::Offline));
    EXPECT_EQ(server.MemCache().Capacity(), 100);

    ASSERT_TRUE(server.Open(temp.file("cache"), site, ProxySettings()));
    EXPECT_EQ(server.MemCache().Capacity(), 300);
    struct Case
    {
        TileIndex tile;
        TilePlaceholder shown;
    };
    const Case cases[] = {
        {{1, 0, 0}, TilePlaceholder::ZoomOutOfRange},
        {{19, 0, 0}, TilePlaceholder::ZoomOutOfRange},
        {{3, 0, 8}, TilePlaceholder::TileOutOfRange},
        {{3, 0, -1}, TilePlaceholder::TileOutOfRange},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(IsPlaceholder(server, server.GetTile(c.tile), c.shown)) << c.tile.zoom << "/" << c.tile.y;

    // A stored error page shows "タイル無し", is not cached in memory and is not fetched again.
    const TileIndex broken(3, 2, 2);
    ASSERT_TRUE(WriteFile(server.TilePath(broken), "<html>error</html>"));
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(broken), TilePlaceholder::NoTile));
    EXPECT_EQ(server.FindCachedTile(broken), nullptr);
    server.RequestTile(broken);
    EXPECT_EQ(server.QueueSize(), 0);
}

TEST(TileServerLookup, DirectDownloadWhenToldToFetchAtOnce)
{
    TempFolder temp;
    const auto http = StartMisbehavingServer(temp.path(), SolidPng(qRgb(9, 99, 199)), temp.file("log"));
    ASSERT_TRUE(http && http->IsUp());
    const QString cache = temp.file("geocache");

    TileServer server;
    server.SetMissingTiles(MissingTiles::FetchedNow);
    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/ok"), ProxySettings()));
    const QImage* picture = server.GetTile(TileIndex(3, -1, 4));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(9, 99, 199));
    EXPECT_EQ(FilesBelow(cache), QStringList{"_ok/3/7/4.png"});

    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/missing"), ProxySettings()));
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(3, 1, 4)), TilePlaceholder::DownloadError));
    EXPECT_EQ(FilesBelow(cache + "/_missing"), QStringList());

    // A stalled server is given up at the download's time limit (shortened here from the program's).
    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/stall"), ProxySettings()));
    DownloadTimeouts shortLimits;
    shortLimits.totalMs = 300;
    server.SetDownloadTimeouts(shortLimits);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(3, 1, 4)), TilePlaceholder::DownloadError));
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(FilesBelow(cache + "/_stall"), QStringList());
    server.SetDownloadTimeouts(DownloadTimeouts());

    // A cache folder whose tile folder cannot be made.
    ASSERT_TRUE(WriteFile(cache + "/_ok/3/1", "a file where a folder belongs"));
    ASSERT_TRUE(server.Open(cache, LocalSite(http->BaseUrl(), "/ok"), ProxySettings()));
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(3, 1, 4)), TilePlaceholder::PathError));
}

TEST(TileServerLookup, FailedOpenLeavesTheServerClosed)
{
    TempFolder temp;
    TileServer server;
    // The folder name is unique to this test: were the server to fetch without a cache folder, the
    // tile folders would appear at the root of the file system.
    const QString layer = QStringLiteral("/kelvor_failed_open_%1").arg(QCoreApplication::applicationPid());
    const QString strayFolder = QStringLiteral("/") + CacheFolderNameOf(layer) + QStringLiteral("b");
    const TileSite site = LocalSite("http://127.0.0.1:9", layer);
    ASSERT_TRUE(server.Open(temp.file("cache"), site, ProxySettings()));
    ASSERT_TRUE(server.IsOnline());
    // A tile of this site in memory, which no other site may be shown.
    const TileIndex shown(5, 2, 2);
    ASSERT_TRUE(WriteFile(server.TilePath(shown), SolidPng(qRgb(1, 2, 3))));
    ASSERT_NE(server.GetTile(shown), nullptr);
    ASSERT_NE(server.FindCachedTile(shown), nullptr);

    ASSERT_TRUE(WriteFile(temp.file("a-file"), "not a folder"));
    EXPECT_FALSE(server.Open(temp.file("a-file/cache"), LocalSite("http://127.0.0.1:9", layer + "b"),
                             ProxySettings()));
    EXPECT_TRUE(server.CacheFolder().isEmpty());
    EXPECT_FALSE(server.IsOnline());
    EXPECT_EQ(server.FindCachedTile(shown), nullptr);
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(shown), TilePlaceholder::Offline));
    EXPECT_TRUE(IsPlaceholder(server, server.GetTile(TileIndex(5, 1, 1)), TilePlaceholder::Offline));
    server.RequestTile(TileIndex(5, 1, 1));
    EXPECT_EQ(server.QueueSize(), 0);
    EXPECT_TRUE(server.MakeTileFolder(TileIndex(5, 1, 1)).isEmpty());
    const bool stray = QFileInfo::exists(strayFolder);
    if (stray)
        QDir(strayFolder).removeRecursively();
    EXPECT_FALSE(stray);
}

// Tiles are pictures of the tile size: anything else in the disk cache is shown as "タイル無し"
// and never kept in memory, and a header that claims a huge picture is refused before decoding.
TEST(TileServerLookup, OnlyPicturesOfTheTileSizeAreShown)
{
    TempFolder temp;
    TileServer server;
    ASSERT_TRUE(server.Open(temp.file("cache"), LocalSite("http://127.0.0.1:9", "/t"), ProxySettings()));
    QByteArray jpeg;
    {
        QImage picture(256, 256, QImage::Format_RGB32);
        picture.fill(qRgb(250, 250, 250));
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG");
    }
    struct Case
    {
        const char* name;
        QByteArray file;
        bool shown;
    };
    const Case cases[] = {
        {"a PNG of 256 x 256", SolidPng(qRgb(1, 2, 3)), true},
        {"a JPEG of 256 x 256", jpeg, true},
        {"a PNG of 512 x 512", SolidPng(qRgb(1, 2, 3), 512, 512), false},
        {"a PNG of 256 x 255", SolidPng(qRgb(1, 2, 3), 256, 255), false},
        {"a PNG header of 16000 x 16000", PngHeaderOnly(16000, 16000), false},
        {"a PNG of 256 x 256 cut short", SolidPng(qRgb(1, 2, 3)).left(100), false},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TileIndex key(5, 1, row++);
        ASSERT_TRUE(WriteFile(server.TilePath(key), c.file));
        const QImage* picture = server.GetTile(key);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(IsPlaceholder(server, picture, TilePlaceholder::NoTile), !c.shown);
        EXPECT_EQ(server.FindCachedTile(key) != nullptr, c.shown);
    }
}

// The worker downloads into one temporary file beside the cache folder, so a second server's
// worker on the same folder, however it is named, is refused until the first one stops.
TEST(TileServerWorker, OneWorkerPerCacheFolder)
{
    TempFolder temp;
    const TileSite site = LocalSite("http://127.0.0.1:9", "/t");
    TileServer first;
    TileServer second;
    TileServer elsewhere;
    ASSERT_TRUE(first.Open(temp.file("cache"), site, ProxySettings()));
    ASSERT_TRUE(second.Open(temp.file("cache") + "/", site, ProxySettings()));
    ASSERT_TRUE(elsewhere.Open(temp.file("other"), site, ProxySettings()));
    ASSERT_TRUE(QFile::link(temp.file("cache"), temp.file("link")));
    TileServer linked;
    ASSERT_TRUE(linked.Open(temp.file("link"), site, ProxySettings()));

    ASSERT_TRUE(first.Start());
    EXPECT_FALSE(second.Start());
    EXPECT_FALSE(second.HasWorker());
    EXPECT_FALSE(linked.Start());
    EXPECT_TRUE(elsewhere.Start());
    first.Stop();
    EXPECT_TRUE(second.Start());
    EXPECT_FALSE(first.Start());
    second.Close();
    EXPECT_TRUE(first.Start());
}
