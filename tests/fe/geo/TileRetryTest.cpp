#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QThread>
#include <chrono>
#include <map>

#include "LocalServers.h"
#include "TempFolder.h"
#include "fe/geo/MapDrawer.h"

using namespace fe::geo;
using namespace localserver;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// The request paths a test server logged, each with the moments the test first saw it asked for.
class RequestLog
{
public:
    explicit RequestLog(const QString& file) : m_file(file) {}

    void Poll()
    {
        QFile file(m_file);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QList<QByteArray> lines = file.readAll().split('\n');
        const auto now = Clock::now();
        for (qsizetype i = m_seen; i + 1 < lines.size(); ++i)  // the last piece is not a whole line yet
            m_times[QString::fromUtf8(lines[i])].push_back(now);
        m_seen = std::max<qsizetype>(m_seen, lines.size() - 1);
    }
    int Count(const QString& path) const
    {
        const auto found = m_times.find(path);
        return found == m_times.end() ? 0 : static_cast<int>(found->second.size());
    }
    // The time between the request `index` of the path and the one before it.
    Clock::duration Gap(const QString& path, int index) const
    {
        const std::vector<Clock::time_point>& times = m_times.at(path);
        return times[index] - times[index - 1];
    }
    const std::map<QString, std::vector<Clock::time_point>>& Paths() const { return m_times; }

private:
    QString m_file;
    qsizetype m_seen = 0;
    std::map<QString, std::vector<Clock::time_point>> m_times;
};

// A drawer over a view of 512 x 512 pixels at zoom 3 whose middle tile is (3, 4, 4); the view
// shows the tiles 3 to 5 in both directions.
class TileRetry : public testing::Test
{
protected:
    static constexpr int kView = 512;

    TileRetry() : picture(kView, kView, QImage::Format_RGB32) { centre.SetFromWorldPixel(1024.5, 1024.5, 3); }

    // Opens the drawer on a site served by a new test server under the path and starts the worker.
    void Open(const QString& servedPath, const QByteArray& png = SolidPng(qRgb(0, 0, 255)))
    {
        http = StartMisbehavingServer(temp.path(), png, temp.file("requests.log"));
        ASSERT_TRUE(http && http->IsUp());
        site = LocalSite(http->BaseUrl() + servedPath, "/t");
        ASSERT_TRUE(drawer.Server().Open(temp.file("geocache"), site, ProxySettings()));
        ASSERT_TRUE(drawer.Server().Start());
        prefix = servedPath + "/t/3/";
    }

    void Draw()
    {
        QPainter painter(&picture);
        drawer.DrawTiles(painter, 3, centre, kView, kView);
    }

    // Redraws every few milliseconds, as when other tiles keep arriving, for the time or until
    // the condition holds.
    template <class Condition>
    bool RedrawUntil(Condition condition, Clock::duration limit)
    {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            Draw();
            log.Poll();
            if (condition())
                return true;
            QThread::msleep(5);
        }
        return false;
    }

    bool ShowsDownloadError(int x, int y)
    {
        return drawer.Server().GetTile(TileIndex(3, x, y)) ==
               &drawer.Server().Placeholders().Get(TilePlaceholder::DownloadError);
    }

    bool AllShowDownloadError()
    {
        for (int x = 3; x <= 5; ++x)
            for (int y = 3; y <= 5; ++y)
                if (!ShowsDownloadError(x, y))
                    return false;
        return true;
    }

    TempFolder temp;
    RequestLog log{temp.file("requests.log")};
    std::unique_ptr<Server> http;
    TileSite site;
    MapDrawer drawer;
    QImage picture;
    GeoPoint centre;
    QString prefix;
};

}  // namespace

// A tile that the server refuses for good is asked for once in a session, however often the
// view is redrawn, and shows the download-error placeholder.
TEST_F(TileRetry, ATileRefusedForGoodIsAskedForOncePerSession)
{
    struct Case
    {
        const char* path;
        QByteArray png;
    };
    const Case cases[] = {
        {"/status/404", SolidPng(qRgb(0, 0, 255))},
        {"/status/403", SolidPng(qRgb(0, 0, 255))},
        {"/html", SolidPng(qRgb(0, 0, 255))},          // an answer that is no picture
        {"/ok", SolidPng(qRgb(0, 0, 255), 300, 300)},  // a picture that is no tile
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        drawer.Close();
        Open(c.path, c.png);
        ASSERT_TRUE(RedrawUntil([&] { return AllShowDownloadError(); }, 10s));
        RedrawUntil([] { return false; }, 300ms);
        EXPECT_EQ(log.Paths().size(), 9u);
        for (const auto& [path, times] : log.Paths())
            EXPECT_EQ(times.size(), 1u) << path.toStdString();
        const QImage& error = drawer.Server().Placeholders().Get(TilePlaceholder::DownloadError);
        EXPECT_EQ(picture.pixel(300, 300), error.pixel(300 - 255, 300 - 255));

        // Opening the same site again in the same session asks for nothing either.
        ASSERT_TRUE(drawer.Server().Open(temp.file("geocache"), site, ProxySettings()));
        ASSERT_TRUE(drawer.Server().Start());
        RedrawUntil([] { return false; }, 200ms);
        for (const auto& [path, times] : log.Paths())
            EXPECT_EQ(times.size(), 1u) << path.toStdString();
        EXPECT_FALSE(QFile::exists(drawer.Server().TilePath(TileIndex(3, 4, 4))));
        http.reset();
        QFile::remove(temp.file("requests.log"));
        log = RequestLog(temp.file("requests.log"));
    }
}

// A tile that failed for the moment is asked for again only after its delay, even while the view
// is redrawn all the time, and the delay grows; the server's new-tile flag asks for the redraw
// that retries it, so the tile comes back without anything else happening.
TEST_F(TileRetry, ATileThatFailedForTheMomentIsAskedForAgainAfterAGrowingDelay)
{
    constexpr auto kDelay = 400ms;
    constexpr auto kSlack = 100ms;  // how late the test may see a request
    for (const char* served : {"/status/503", "/trunc"}) {
        SCOPED_TRACE(served);
        drawer.Close();
        drawer.Server().SetRetryDelays(kDelay, 10s);
        Open(served);
        const QString middle = prefix + "4/4.png";

        // Redrawn all the time: the second request waits for the delay.
        ASSERT_TRUE(RedrawUntil([&] { return log.Count(middle) == 2; }, 10s));
        EXPECT_GE(log.Gap(middle, 1), kDelay - kSlack);

        // Redrawn only when the server asks for it, as the view's timer does.
        const auto end = Clock::now() + 10s;
        while (log.Count(middle) < 3 && Clock::now() < end) {
            if (drawer.Server().TakeNewTileFlag())
                Draw();
            log.Poll();
            QThread::msleep(5);
        }
        ASSERT_EQ(log.Count(middle), 3);
        EXPECT_GE(log.Gap(middle, 2), 2 * kDelay - kSlack);
        http.reset();
        QFile::remove(temp.file("requests.log"));
        log = RequestLog(temp.file("requests.log"));
    }
}

// A server told to fetch missing tiles at once (an off-screen renderer's, without a worker) asks
// for a refused tile once and for a failed one again only after the delay; without that order a
// server without a worker never touches the network while drawing.
TEST_F(TileRetry, FetchingAtOnceKeepsTheFailuresAndTheDefaultNeverWaits)
{
    constexpr auto kDelay = 600ms;
    http = StartMisbehavingServer(temp.path(), SolidPng(qRgb(0, 0, 255)), temp.file("requests.log"));
    ASSERT_TRUE(http && http->IsUp());
    TileServer& server = drawer.Server();
    server.SetRetryDelays(kDelay, 10s);
    const auto openOn = [&](const QString& served) {
        return server.Open(temp.file("geocache"), LocalSite(http->BaseUrl() + served, "/t"), ProxySettings());
    };

    // The default: a missing tile is left to a worker, and the stalling server is never asked.
    ASSERT_TRUE(openOn("/stall"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(server.GetTile(TileIndex(3, 4, 4)), nullptr);
    Draw();
    EXPECT_LT(timer.elapsed(), 2000);
    log.Poll();
    EXPECT_TRUE(log.Paths().empty());

    server.SetMissingTiles(MissingTiles::FetchedNow);
    ASSERT_TRUE(openOn("/status/404"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ShowsDownloadError(4, 4));
    log.Poll();
    EXPECT_EQ(log.Count("/status/404/t/3/4/4.png"), 1);

    ASSERT_TRUE(openOn("/status/503"));
    EXPECT_TRUE(ShowsDownloadError(4, 4));
    EXPECT_TRUE(ShowsDownloadError(4, 4));  // at once again: not asked
    log.Poll();
    EXPECT_EQ(log.Count("/status/503/t/3/4/4.png"), 1);
    QThread::msleep(std::chrono::duration_cast<std::chrono::milliseconds>(kDelay).count() + 50);
    EXPECT_TRUE(ShowsDownloadError(4, 4));
    log.Poll();
    EXPECT_EQ(log.Count("/status/503/t/3/4/4.png"), 2);

    ASSERT_TRUE(openOn("/ok"));
    const QImage* tile = server.GetTile(TileIndex(3, 4, 4));
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->pixel(0, 0), qRgb(0, 0, 255));
}
