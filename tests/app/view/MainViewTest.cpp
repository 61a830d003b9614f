// The main view: start, the render pass of each mode, the tile timer and worker, the tile cache, the
// overview extent, and selecting, fitting, zooming and panning.
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>

#include "MainViewFixture.h"
#include "fe/geo/PhotoFit.h"
#include "model/LocationMap.h"

namespace {

bool AllPixels(const fe::img::Image& image, std::uint32_t rgb)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) != rgb)
                return false;
    return true;
}

TEST_F(MainViewTest, StartShowsTheOverviewWithTitleAndPhotosAndStoresItsExtent)
{
    FillCache(kStart, 6);
    Start();
    EXPECT_EQ(view->ViewMode(), 0);
    EXPECT_EQ(view->Zoom(), 6);
    EXPECT_DOUBLE_EQ(view->MapServer().Center().longitude, kStart.longitude);
    EXPECT_DOUBLE_EQ(view->MapServer().Center().latitude, kStart.latitude);
    EXPECT_TRUE(view->MapServer().Server().HasWorker());
    ASSERT_TRUE(view->BackBuffer().Picture().save(temp.file(QStringLiteral("overview.png"))));
    view->BackBuffer().Picture().save(QDir::current().absoluteFilePath(QStringLiteral("main-view-overview.png")));

    // Tiles from the cache, the title box at the top left, the photo's mark over the tiles.
    EXPECT_EQ(Pixel(kWidth / 2 + 200, kHeight / 2 - 150), kGround);
    EXPECT_NE(Pixel(14, 20), kGround);
    EXPECT_NE(PixelAt(kPhoto), kGround);

    // The document keeps the overview: zoom 6, the standard base map, the area inside the margin.
    EXPECT_EQ(document.overviewZoom, 6);
    EXPECT_EQ(document.overviewKind, 2);
    const fe::geo::GeoPoint northWest = view->PixelToLatLong(6, 25, 25);
    const fe::geo::GeoPoint southEast = view->PixelToLatLong(6, kWidth - 25, kHeight - 25);
    EXPECT_EQ(document.overviewBox, Rect2(northWest.longitude, southEast.latitude, southEast.longitude,
                                          northWest.latitude));

    // While the site-map dialog is shown without "写真位置確認", the overview shows no photos.
    host->siteMapVisible = true;
    host->siteMapPhotos = false;
    view->RenderView();
    EXPECT_EQ(PixelAt(kPhoto), kGround);
    host->siteMapPhotos = true;
    view->RenderView();
    EXPECT_NE(PixelAt(kPhoto), kGround);
}

TEST_F(MainViewTest, ATinyClientKeepsTheBufferAndAWebModeWithoutMapIsGrey)
{
    Start();
    const QImage before = view->BackBuffer().Picture().copy();
    const int renders = view->RenderCount();
    view->resize(9, 500);
    QApplication::processEvents();
    EXPECT_EQ(view->RenderCount(), renders);
    EXPECT_EQ(view->BackBuffer().Picture(), before);

    // A web map shown, then a selection past the end: no map, mode 3 kept, plain grey.
    view->resize(kWidth, kHeight);
    QApplication::processEvents();
    Edit([](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(2, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(view->SelectLocationMap(0));
    EXPECT_EQ(view->ViewMode(), 3);
    EXPECT_FALSE(view->SelectLocationMap(1));
    EXPECT_EQ(view->ViewMode(), 3);
    EXPECT_EQ(view->CurrentMap(), nullptr);
    view->RenderView();
    EXPECT_TRUE(AllPixels(view->BackBuffer(), CTavrelView::kBackground));
}

TEST_F(MainViewTest, TimerRedrawsOnlyForNewTilesAndOnlyOnTiles)
{
    // Every tile on disk: no download arrives or fails and raises the flag meanwhile.
    FillCache(kStart, 6);
    Start();
    fe::geo::TileServer& server = view->MapServer().Server();
    server.ClearNewTileFlag();
    const int renders = view->RenderCount();
    EXPECT_FALSE(view->OnTileTimer());
    EXPECT_EQ(view->RenderCount(), renders);
    server.RaiseNewTileFlag();
    EXPECT_TRUE(view->OnTileTimer());
    EXPECT_EQ(view->RenderCount(), renders + 1);
    EXPECT_FALSE(view->OnTileTimer());  // the flag was taken

    // On a picture map the timer never draws and leaves the flag for later.
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(temp.file(QStringLiteral("plan.png"))));
    Edit([&](Project& p) { ASSERT_TRUE(p.AddImageMap(temp.file(QStringLiteral("plan.png")))); });
    ASSERT_TRUE(view->SelectLocationMap(0));
    ASSERT_EQ(view->ViewMode(), 1);
    server.RaiseNewTileFlag();
    const int pictureRenders = view->RenderCount();
    EXPECT_FALSE(view->OnTileTimer());
    EXPECT_EQ(view->RenderCount(), pictureRenders);
    EXPECT_TRUE(server.TakeNewTileFlag());
}

TEST_F(MainViewTest, TilesFromTheServerAppearWithoutUserAction)
{
    TempFolder served;
    const fe::geo::TileRange range = fe::geo::TileRangeAround(6, kStart, kWidth, kHeight);
    for (int x = range.x0; x <= range.x1; ++x)
        for (int y = range.y0; y <= range.y1; ++y)
            ASSERT_TRUE(localserver::WriteFile(served.file(QStringLiteral("t/6/%1/%2.png").arg(x).arg(y)),
                                               GroundTile(6, x, y)));
    const auto server = localserver::StartFileServer(served.path());
    ASSERT_TRUE(server->IsUp());
    for (fe::geo::TileSite& site : settings.tileSites)
        site.baseUrl = server->BaseUrl();
    Start();
    EXPECT_NE(Pixel(kWidth / 2 + 200, kHeight / 2 - 150), kGround);  // the placeholder first
    QElapsedTimer clock;
    clock.start();
    while (Pixel(kWidth / 2 + 200, kHeight / 2 - 150) != kGround && clock.elapsed() < 20000)
        QTest::qWait(50);
    EXPECT_EQ(Pixel(kWidth / 2 + 200, kHeight / 2 - 150), kGround);
}

TEST_F(MainViewTest, WorkerStopsAndRestartsAroundOffscreenWorkAndCacheClearing)
{
    FillCache(kStart, 6);
    Start();
    fe::geo::TileServer& server = view->MapServer().Server();
    ASSERT_TRUE(server.HasWorker());
    // A second start keeps the one worker.
    view->InitViewAfterCreate();
    EXPECT_TRUE(server.HasWorker());

    EXPECT_TRUE(view->StopTileRequests());
    EXPECT_FALSE(server.HasWorker());
    EXPECT_TRUE(view->RestartTileRequests());
    EXPECT_TRUE(server.HasWorker());
    EXPECT_NE(view->MapServer().OverlayFlags() & fe::geo::kOverlayQueueDots, 0);

    // The pale base map: the second site, and the document's kind.
    view->SetMapKind(3, settings.tileSites[1]);
    EXPECT_EQ(document.overviewKind, 3);
    EXPECT_EQ(server.Site().title, QStringLiteral("淡色地図"));
    EXPECT_TRUE(server.HasWorker());
    document.overviewKind = 0;
    EXPECT_FALSE(view->RestartTileRequests());
    document.overviewKind = 2;

    // Clearing deletes the cached tiles, makes the folder again and restarts the worker.
    ASSERT_TRUE(QDir(cacheFolder + QStringLiteral("/_t/6")).exists());
    EXPECT_EQ(view->ClearTileCache(), 1);
    EXPECT_TRUE(QDir(cacheFolder).exists());
    EXPECT_FALSE(QDir(cacheFolder + QStringLiteral("/_t/6")).exists());
    EXPECT_TRUE(server.HasWorker());

    // A cache folder that does not exist is only made: no restart.
    EXPECT_TRUE(view->StopTileRequests());
    ASSERT_TRUE(QDir(cacheFolder).removeRecursively());
    EXPECT_EQ(view->ClearTileCache(), 0);
    EXPECT_TRUE(QDir(cacheFolder).exists());
    EXPECT_FALSE(server.HasWorker());
}

TEST_F(MainViewTest, ArrowKeysZoomWithinZeroToTwenty)
{
    Start();
    const int renders = view->RenderCount();
    QTest::keyClick(view.get(), Qt::Key_Up);
    EXPECT_EQ(view->Zoom(), 7);
    EXPECT_EQ(view->RenderCount(), renders + 1);
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(view->Zoom(), 5);

    view->MapServer().SetZoom(20);
    const int at20 = view->RenderCount();
    QTest::keyClick(view.get(), Qt::Key_Up);
    EXPECT_EQ(view->Zoom(), 20);
    EXPECT_EQ(view->RenderCount(), at20);
    view->MapServer().SetZoom(0);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(view->Zoom(), 0);
    EXPECT_EQ(view->RenderCount(), at20);
}

TEST_F(MainViewTest, WheelZoomsAboutThePointerAndTheMiddleButtonPans)
{
    Start();
    const QPoint pointer(700, 200);
    const fe::geo::GeoPoint under = view->PixelToLatLong(6, pointer.x(), pointer.y());
    QWheelEvent up(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &up);
    EXPECT_EQ(view->Zoom(), 7);
    const Point2 now = view->LatLongToPixel(under, 7);
    EXPECT_NEAR(now.x, pointer.x(), 1.01);  // whole client pixels: up to one pixel off
    EXPECT_NEAR(now.y, pointer.y(), 1.01);

    // Small steps of a fine wheel make one notch together.
    for (int k = 0; k < 3; ++k) {
        QWheelEvent step(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 40),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &step);
    }
    EXPECT_EQ(view->Zoom(), 8);

    // A middle drag moves the map with the pointer; the release stores the overview's box.
    const fe::geo::GeoPoint grabbed = view->PixelToLatLong(8, 500, 300);
    document.overviewBox = Rect2();
    QTest::mousePress(view.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(500, 300));
    QTest::mouseMove(view.get(), QPoint(540, 330));
    QTest::mouseRelease(view.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(540, 330));
    const Point2 moved = view->LatLongToPixel(grabbed, 8);
    EXPECT_NEAR(moved.x, 540, 1.0);
    EXPECT_NEAR(moved.y, 330, 1.0);
    EXPECT_NE(document.overviewBox, Rect2());
    // The status bar follows the pointer in latitude/longitude.
    EXPECT_NEAR(host->lat, grabbed.latitude, 1e-6);
    EXPECT_NEAR(host->lon, grabbed.longitude, 1e-6);
}

TEST_F(MainViewTest, PictureMapFillsTheWindowAndLeavingItKeepsTheOverview)
{
    Start();
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    ASSERT_TRUE(picture.save(temp.file(QStringLiteral("plan.png"))));
    Edit([&](Project& p) { ASSERT_TRUE(p.AddImageMap(temp.file(QStringLiteral("plan.png")))); });
    const fe::geo::GeoPoint centre = view->MapServer().Center();
    view->MapServer().SetZoom(9);

    ASSERT_TRUE(view->SelectLocationMap(0));
    EXPECT_EQ(view->ViewMode(), 1);
    EXPECT_EQ(host->strips.size(), 1u);
    view->BackBuffer().Picture().save(QDir::current().absoluteFilePath(QStringLiteral("main-view-picture.png")));
    // The picture (the frame) fills the window but for the margin; grey beyond it.
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(kWidth / 2, 2), QColor::fromRgb(CTavrelView::kBackground));

    // The status bar shows picture pixels: the middle of the window is the middle of the picture.
    QTest::mouseMove(view.get(), QPoint(kWidth / 2, kHeight / 2));
    EXPECT_NEAR(host->pixel.x(), 200, 1);
    EXPECT_NEAR(host->pixel.y(), 100, 1);

    // The wheel zooms the picture about the pointer.
    const QPoint pointer(300, 250);
    QWheelEvent up(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QTest::mouseMove(view.get(), pointer);
    const QPoint before = host->pixel;
    QApplication::sendEvent(view.get(), &up);
    QTest::mouseMove(view.get(), pointer + QPoint(1, 0));
    QTest::mouseMove(view.get(), pointer);
    EXPECT_NEAR(host->pixel.x(), before.x(), 1);
    EXPECT_NEAR(host->pixel.y(), before.y(), 1);

    // Back to the overview: a picture map has no box, so centre and zoom are as they were.
    ASSERT_TRUE(view->SelectLocationMap(-1));
    EXPECT_EQ(view->ViewMode(), 0);
    EXPECT_EQ(view->Zoom(), 9);
    EXPECT_DOUBLE_EQ(view->MapServer().Center().longitude, centre.longitude);
    EXPECT_EQ(host->strips.size(), 2u);
}

TEST_F(MainViewTest, AMapThatIsGoneLeavesNothingToPointInto)
{
    Start();
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    ASSERT_TRUE(picture.save(temp.file(QStringLiteral("plan.png"))));
    Edit([&](Project& p) { ASSERT_TRUE(p.AddImageMap(temp.file(QStringLiteral("plan.png")))); });
    ASSERT_TRUE(view->SelectLocationMap(0));
    // A selection past the end keeps mode 1 without a map: wheel, pan and status do nothing.
    EXPECT_FALSE(view->SelectLocationMap(5));
    EXPECT_EQ(view->ViewMode(), 1);
    const QPoint pointer(300, 250);
    QWheelEvent up(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &up);
    QTest::mousePress(view.get(), Qt::MiddleButton, Qt::NoModifier, pointer);
    QTest::mouseMove(view.get(), pointer + QPoint(30, 30));
    QTest::mouseRelease(view.get(), Qt::MiddleButton, Qt::NoModifier, pointer + QPoint(30, 30));
    EXPECT_EQ(host->pixel, QPoint(-1, -1));

    // The map removed from the project while shown: the view goes back to the overview.
    ASSERT_TRUE(view->SelectLocationMap(0));
    Edit([&](Project& p) { p.maps.DeleteMap(0, p.MapFolder()); });
    EXPECT_EQ(view->ViewMode(), 0);
    EXPECT_EQ(view->CurrentMap(), nullptr);
}

TEST_F(MainViewTest, WebMapAndSiteMapMoveTheTilesAndTheOverviewReturnsToTheMap)
{
    Start();
    const Rect2 box(136.780, 37.615, 136.790, 37.625);
    Edit([&](Project& p) {
        ASSERT_TRUE(p.maps.AddWebMap(3, box, 16, false));
        ASSERT_TRUE(p.AddSiteMap(2, Rect2(136.70, 37.55, 136.90, 37.70), 12));
        ASSERT_TRUE(p.AddSiteMap(2, Rect2(130.0, 33.0, 131.0, 34.0), 9));
    });
    ASSERT_TRUE(view->SelectLocationMap(0));
    EXPECT_EQ(view->ViewMode(), 3);
    EXPECT_EQ(view->Zoom(), 16);
    const fe::geo::GeoPoint mid = fe::geo::MercatorCentre(box);
    EXPECT_DOUBLE_EQ(view->MapServer().Center().longitude, mid.longitude);
    EXPECT_EQ(view->MapServer().Server().Site().title, QStringLiteral("淡色地図"));
    EXPECT_EQ(document.overviewKind, 3);
    view->BackBuffer().Picture().save(QDir::current().absoluteFilePath(QStringLiteral("main-view-web-map.png")));

    // Leaving it for the overview shows the map's outline at the deepest zoom that holds it, less one.
    ASSERT_FALSE(view->CurrentMap()->outline.empty());
    ASSERT_TRUE(view->SelectLocationMap(-1));
    EXPECT_EQ(view->ViewMode(), 0);
    EXPECT_GE(view->Zoom(), 2);
    EXPECT_LT(view->Zoom(), 16);
    const Rect2 extent = document.overviewBox;
    EXPECT_LT(extent.x0, box.x0);
    EXPECT_GT(extent.x1, box.x1);

    // Site maps only while their dialog is shown, and always the first one.
    EXPECT_FALSE(view->SelectSiteMap(1));
    host->siteMapVisible = true;
    ASSERT_TRUE(view->SelectSiteMap(1));
    EXPECT_EQ(view->ViewMode(), 3);
    EXPECT_EQ(view->Zoom(), 12);
    EXPECT_EQ(view->CurrentSiteMap(), &document.GetProject().siteMaps.maps.front());
    EXPECT_FALSE(view->SelectSiteMap(2));
    ASSERT_TRUE(view->SelectSiteMap(-1));
    EXPECT_EQ(view->ViewMode(), 0);

    Rect2 visible;
    int kind = 0, zoom = 0;
    ASSERT_TRUE(view->GetVisibleLatLongBox(visible, kind, zoom, 0.7));
    EXPECT_EQ(zoom, view->Zoom());
    EXPECT_EQ(visible.x0, view->PixelToLatLong(zoom, 307.5, 0).longitude);
}

}  // namespace
