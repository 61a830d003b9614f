// The real view fetching its tiles from local servers: clearing the tile cache and editing the tile
// sites through the frame's commands, the placeholders of tiles whose download failed, and the download
// worker resting while there is nothing to fetch.
#include <QApplication>
#include <QDirIterator>
#include <QTimer>
#include <cmath>

#include "MainViewFixture.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/CommandIds.h"
#include "app/frame/SettingsCommands.h"
#include "app/settings/SetTileDlg.h"
#include "app/settings/TileSiteEdits.h"
#include "fe/AppFolders.h"
#include "fe/geo/TileTextImage.h"

namespace {

using fe::geo::TilePlaceholder;

const QRgb kZoom6 = qRgb(200, 180, 120);
const QRgb kZoom7 = qRgb(40, 160, 90);
const QRgb kEdited = qRgb(30, 90, 200);

// The tile files below the folder, relative to it.
QStringList TileFiles(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    return files;
}

class ViewTilesTest : public MainViewTest
{
protected:
    // The settings files of the tile commands go to the test's own folder.
    void SetUp() override
    {
        MainViewTest::SetUp();
        writable = fe::GetWritableFolder();
        fe::SetWritableFolder(temp.path());
    }
    void TearDown() override { fe::SetWritableFolder(writable); }

    // Serves a tile of one colour under <path>/<zoom>/<x>/<y>.png for every tile that a view of up to
    // 2000 × 1600 pixels shows around the start at the zoom.
    void Serve(const QString& path, int zoom, QRgb colour)
    {
        const QByteArray png = localserver::SolidPng(colour);
        const fe::geo::TileRange range = fe::geo::TileRangeAround(zoom, kStart, 2000, 1600);
        for (int x = range.x0; x <= range.x1; ++x)
            for (int y = range.y0; y <= range.y1; ++y)
                ASSERT_TRUE(localserver::WriteFile(
                    served.file(QStringLiteral("%1/%2/%3/%4.png").arg(path).arg(zoom).arg(x).arg(y)), png));
    }

    // Starts the file server over the served folder and points the three base maps at it.
    void StartServing()
    {
        http = localserver::StartFileServer(served.path());
        ASSERT_TRUE(http && http->IsUp());
        for (fe::geo::TileSite& site : settings.tileSites)
            site.baseUrl = http->BaseUrl();
    }

    // The share of the pixels of the view's middle tile that show the picture (a placeholder).
    static double MiddleTileShows(CTavrelView& shown, const QImage& picture)
    {
        const fe::geo::TileViewport& viewport = shown.MapServer().Viewport();
        const fe::geo::TileIndex middle(viewport.zoom, int(std::floor(viewport.centreX / 256)),
                                        int(std::floor(viewport.centreY / 256)));
        const QPoint origin = viewport.TileOrigin(middle);
        const fe::img::Image& buffer = shown.BackBuffer();
        int inside = 0, same = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const int bx = origin.x() + x, by = origin.y() + y;
                if (bx < 0 || by < 0 || bx >= buffer.Width() || by >= buffer.Height())
                    continue;
                ++inside;
                same += (buffer.Pixel(bx, by) & 0xFFFFFF) == (picture.pixel(x, y) & 0xFFFFFF);
            }
        }
        return inside == 0 ? 0.0 : double(same) / inside;
    }

    // Waits (the view's timer redrawing as tiles come) until the middle tile shows mostly the colour.
    static bool WaitForMiddleColour(CTavrelView& shown, QRgb colour, int milliseconds = 20000)
    {
        QImage solid(256, 256, QImage::Format_RGB32);
        solid.fill(colour);
        QElapsedTimer clock;
        clock.start();
        while (MiddleTileShows(shown, solid) < 0.9) {
            if (clock.elapsed() > milliseconds)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

    QString writable;
    TempFolder served;
    std::unique_ptr<localserver::Server> http;
    app::ScriptedPrompts prompts;
};

TEST_F(ViewTilesTest, ClearingTheCacheKeepsTheMapFetchingAndNeverDeletesAWideFolder)
{
    Serve(QStringLiteral("t"), 6, kZoom6);
    Serve(QStringLiteral("t"), 7, kZoom7);
    StartServing();
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame, QSize(1280, 900));
    ASSERT_TRUE(WaitForMiddleColour(*shown, kZoom6));
    ASSERT_FALSE(TileFiles(cacheFolder).isEmpty());

    prompts.QueueAnswer(app::PromptAnswer::Ok);
    frame.RunCommand(app::kCmdClearTileCache);
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("地理院タイルキャッシュをクリアします。"));
    EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("キャッシュを削除しました。"));
    EXPECT_TRUE(QFileInfo(cacheFolder).isDir());
    EXPECT_TRUE(shown->MapServer().Server().HasWorker());

    // A zoom after the clear: its tiles are downloaded again, stored and shown.
    QTest::keyClick(shown, Qt::Key_Up);
    ASSERT_EQ(shown->Zoom(), 7);
    EXPECT_TRUE(WaitForMiddleColour(*shown, kZoom7));
    EXPECT_FALSE(TileFiles(cacheFolder + QStringLiteral("/_t/7")).isEmpty());

    // A cache folder that is the home folder or holds it is never deleted.
    const QByteArray home = qgetenv("HOME");
    const QString fakeHome = temp.file(QStringLiteral("homes/user"));
    ASSERT_TRUE(localserver::WriteFile(fakeHome + QStringLiteral("/document.txt"), "keep"));
    qputenv("HOME", fakeHome.toUtf8());
    for (const QString& wide : {fakeHome, temp.file(QStringLiteral("homes"))}) {
        SCOPED_TRACE(wide.toStdString());
        settings.tileCacheFolder = wide;
        prompts.clear();
        prompts.QueueAnswer(app::PromptAnswer::Ok);
        frame.RunCommand(app::kCmdClearTileCache);
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_TRUE(QFileInfo::exists(fakeHome + QStringLiteral("/document.txt")));
    }
    qputenv("HOME", home);
    settings.tileCacheFolder = cacheFolder;
}

TEST_F(ViewTilesTest, AnEditedTileSiteIsFetchedAtOnceWhetherOrNotTheCacheIsCleared)
{
    // The settings files the command reads, naming the local server; the first base map's path
    // "/t" is served nothing, the edited "/new" the tiles.
    Serve(QStringLiteral("new"), 6, kEdited);
    StartServing();
    app::TileSiteGroups groups;
    for (int k = 0; k < 3; ++k)
        groups[size_t(k)] = app::TileSiteFields::Of(settings.tileSites[size_t(k)]);
    const QString list = AppSettings::TileSiteListPath();
    ASSERT_TRUE(app::WriteTileSiteList(list, groups));
    QFile::remove(app::SettingsFilePath());

    for (const app::PromptAnswer clear : {app::PromptAnswer::Yes, app::PromptAnswer::No}) {
        SCOPED_TRACE(clear == app::PromptAnswer::Yes ? "cleared" : "kept");
        ASSERT_TRUE(app::WriteTileSiteList(list, groups));
        (void)settings.MergeTileSiteList();
        CMainFrame frame(&document);
        CTavrelView* shown = ShowViewInFrame(document, frame, QSize(1280, 900));
        ASSERT_EQ(shown->MapServer().Server().Site().path, QStringLiteral("/t"));

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<app::CSetTileDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            app::CSpread7U& grid = *dialog->Grid(0);
            grid.SetCol(3);
            grid.SetRow(1);
            grid.SetText(QStringLiteral("/new"));
            dialog->OkButton()->click();
        });
        prompts.clear();
        prompts.QueueAnswer(clear);
        const int renders = shown->RenderCount();
        frame.RunCommand(app::kCmdTileSettings);

        // Drawn again at once, and the next requests go to the edited path.
        EXPECT_GT(shown->RenderCount(), renders);
        EXPECT_EQ(shown->MapServer().Server().Site().path, QStringLiteral("/new"));
        EXPECT_EQ(prompts.asked().size(), clear == app::PromptAnswer::Yes ? 2u : 1u);
        EXPECT_TRUE(WaitForMiddleColour(*shown, kEdited));
    }
}

TEST_F(ViewTilesTest, AFailedTileShowsWhyItIsMissingAndIsStillRetried)
{
    TempFolder scripts;
    const QString log = scripts.file(QStringLiteral("requests.log"));
    const auto misbehaving = localserver::StartMisbehavingServer(scripts.path(), localserver::SolidPng(kZoom6), log);
    ASSERT_TRUE(misbehaving && misbehaving->IsUp());
    struct Case
    {
        const char* what;
        QString baseUrl;
        TilePlaceholder shown;
    };
    const Case cases[] = {
        {"nothing listens", QStringLiteral("http://127.0.0.1:9"), TilePlaceholder::Offline},
        {"server error", misbehaving->BaseUrl() + QStringLiteral("/errorpng"), TilePlaceholder::DownloadError},
        {"refused for good", misbehaving->BaseUrl() + QStringLiteral("/missing"), TilePlaceholder::DownloadError},
        {"no answer yet", misbehaving->BaseUrl() + QStringLiteral("/stall"), TilePlaceholder::Downloading},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (fe::geo::TileSite& site : settings.tileSites)
            site.baseUrl = c.baseUrl;
        view.reset();
        Start();
        view->MapServer().Server().SetRetryDelays(std::chrono::milliseconds(300), std::chrono::seconds(1));
        (void)view->RestartTileRequests();
        view->RenderAndUpdate();
        const QImage& placeholder = view->MapServer().Server().Placeholders().Get(c.shown);
        QElapsedTimer clock;
        clock.start();
        while (MiddleTileShows(*view, placeholder) < 0.9 && clock.elapsed() < 15000)
            QTest::qWait(50);
        EXPECT_GE(MiddleTileShows(*view, placeholder), 0.9);
    }

    // A tile that failed for the moment is asked for again, its placeholder staying meanwhile.
    for (fe::geo::TileSite& site : settings.tileSites)
        site.baseUrl = cases[1].baseUrl;
    view.reset();
    Start();
    view->MapServer().Server().SetRetryDelays(std::chrono::milliseconds(300), std::chrono::seconds(1));
    (void)view->RestartTileRequests();
    view->RenderAndUpdate();
    const fe::geo::TileViewport& viewport = view->MapServer().Viewport();
    const QString middle = QStringLiteral("/errorpng/t/%1/%2/%3.png")
                               .arg(viewport.zoom)
                               .arg(int(std::floor(viewport.centreX / 256)))
                               .arg(int(std::floor(viewport.centreY / 256)));
    const auto asked = [&] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count(middle.toUtf8() + '\n')) : 0;
    };
    const int before = asked();
    QElapsedTimer clock;
    clock.start();
    while (asked() < before + 3 && clock.elapsed() < 15000)
        QTest::qWait(50);
    EXPECT_GE(asked(), before + 3);
    const QImage& error = view->MapServer().Server().Placeholders().Get(TilePlaceholder::DownloadError);
    EXPECT_GE(MiddleTileShows(*view, error), 0.9);
}

TEST_F(ViewTilesTest, TheWorkerRestsWhileNothingIsQueued)
{
    FillCache(kStart, 6);
    Serve(QStringLiteral("t"), 7, kZoom7);
    StartServing();
    Start(QSize(kWidth, kHeight));
    fe::geo::TileServer& server = view->MapServer().Server();
    ASSERT_TRUE(server.HasWorker());
    QTest::qWait(400);
    EXPECT_EQ(server.WorkerTurns(), 0) << "the worker woke with nothing to fetch";

    // A request wakes it at once; once every tile of the view is in, it rests again.
    QTest::keyClick(view.get(), Qt::Key_Up);
    ASSERT_TRUE(WaitForMiddleColour(*view, kZoom7));
    const fe::geo::TileRange range = fe::geo::TileRangeAround(7, kStart, kWidth, kHeight);
    const qsizetype inView = qsizetype(range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1);
    QElapsedTimer clock;
    clock.start();
    while ((TileFiles(cacheFolder + QStringLiteral("/_t/7")).size() < inView || server.QueueSize() > 0) &&
           clock.elapsed() < 20000)
        QTest::qWait(50);
    ASSERT_EQ(TileFiles(cacheFolder + QStringLiteral("/_t/7")).size(), inView);
    QTest::qWait(100);
    const int turns = server.WorkerTurns();
    EXPECT_GT(turns, 0);
    QTest::qWait(400);
    EXPECT_EQ(server.WorkerTurns(), turns);
}

}  // namespace
