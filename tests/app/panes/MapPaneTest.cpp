// The location-map pane: thumbnail sizes, colours and turning, and the pane in the frame choosing,
// reordering and offering its maps.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDockWidget>
#include <QImage>

#include "../frame/PhotoFrameFixture.h"
#include "LocalServers.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/MapPane.h"
#include "app/panes/MapThumbnails.h"
#include "app/panes/PaneVarious.h"
#include "fe/geo/TileIndex.h"
#include "model/LocationMap.h"

namespace {

app::CPaneVariousDlg* MapPaneOf(CMainFrame& frame)
{
    auto* various = qobject_cast<app::CPaneVarious*>(frame.FlowPane()->widget());
    return various ? various->Maps() : nullptr;
}

bool NearColour(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Fills the disk tile cache of a site folder with plain tiles of one colour around the point at the zoom.
void FillTiles(const QString& cache, const QString& siteFolder, const fe::geo::GeoPoint& centre, int zoom,
               QRgb colour, int reach = 800)
{
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    const fe::geo::TileRange range = fe::geo::TileRangeAround(zoom, centre, reach, reach);
    for (int x = range.x0; x <= range.x1; ++x)
        for (int y = range.y0; y <= range.y1; ++y)
            ASSERT_TRUE(localserver::WriteFile(
                QStringLiteral("%1/%2/%3/%4/%5.png").arg(cache, siteFolder).arg(zoom).arg(x).arg(y), png));
}

}  // namespace

TEST(MapThumbnails, DrawSizeColoursAndTurning)
{
    EXPECT_EQ(app::ThumbnailDrawSize(QSize(4000, 3000)), QSize(600, 450));
    EXPECT_EQ(app::ThumbnailDrawSize(QSize(300, 200)), QSize(285, 190));  // never large enough: 0.95
    EXPECT_EQ(app::ThumbnailPixel(qRgb(100, 80, 160)), qRgb(150, 70, 87));
    for (QRgb kept : {qRgb(0, 0, 0), qRgb(192, 192, 192), qRgb(255, 255, 255)})
        EXPECT_EQ(app::ThumbnailPixel(kept), kept);

    QImage source(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            source.setPixel(x, y, qRgb(x * 30, y * 30, 7));
    QImage target(8, 8, QImage::Format_RGB32);
    app::RotateThumbnailInto(source, 0.0, target);
    EXPECT_EQ(target, source);
    QImage turned(40, 40, QImage::Format_RGB32);
    app::RotateThumbnailInto(source.scaled(40, 40), 30.0 * M_PI / 180.0, turned);
    EXPECT_EQ(turned.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(turned.pixel(39, 39), qRgb(255, 255, 255));
    EXPECT_NE(turned.pixel(20, 20), qRgb(255, 255, 255));
}

TEST(MapPane, ListsTheMapsAndOffersWhatTheSelectionAllows)
{
    PhotoFrame f(0, false);
    app::CPaneVariousDlg* pane = MapPaneOf(*f.frame);
    ASSERT_NE(pane, nullptr);
    std::vector<std::pair<qintptr, qintptr>> selected;
    f.frame->SetMessageHandler(app::kMsgSelectLocationMap, [&selected](qintptr w, qintptr l) {
        selected.emplace_back(w, l);
        return qintptr(1);
    });
    f.frame->UpdatePaneControls(false);
    EXPECT_EQ(pane->Grid()->Rows(), 0);
    EXPECT_FALSE(pane->CopyButton()->isEnabled());
    EXPECT_FALSE(pane->UpButton()->isEnabled());

    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        return project.maps.AddWebMap(2, Rect2(139.0, 35.0, 139.1, 35.1), 16, false) &&
               project.maps.AddWebMap(3, Rect2(139.2, 35.0, 139.3, 35.1), 16, false) &&
               project.maps.AddWebMap(4, Rect2(139.4, 35.0, 139.5, 35.1), 16, false);
    });
    ASSERT_EQ(pane->Grid()->Rows(), 3);
    pane->Grid()->SetCol(2);
    pane->Grid()->SetRow(2);
    EXPECT_EQ(pane->Grid()->Text(), f.document.GetProject().maps.maps[1].name);

    // Leaving for row 1 and the click that follows: one selection message, with the previous row.
    emit pane->Grid()->LeaveCell(1, 0, 1, 1, nullptr);
    emit pane->Grid()->Click(1, 1);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], std::make_pair(qintptr(0), qintptr(-1)));
    EXPECT_EQ(pane->SelectedMap(), 0);
    EXPECT_TRUE(f.document.GetProject().maps.maps[0].IsCurrent());
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(0) / 位置図内(0)"));
    EXPECT_TRUE(pane->CopyButton()->isEnabled());
    EXPECT_FALSE(pane->UpButton()->isEnabled());
    EXPECT_TRUE(pane->DownButton()->isEnabled());
    EXPECT_FALSE(pane->KindButton(0)->checked);

    // ↓ moves the map one place down, keeps it chosen and saves the order.
    const int firstId = f.document.GetProject().maps.maps[0].id;
    pane->DownButton()->click();
    EXPECT_EQ(f.document.GetProject().maps.maps[1].id, firstId);
    EXPECT_EQ(pane->SelectedMap(), 1);
    EXPECT_EQ(selected.back(), std::make_pair(qintptr(1), qintptr(-1)));
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(reread.GetProject().maps.maps[1].id, firstId);

    // Ctrl+click on the chosen row lets it go, and the base-map button shows again.
    pane->modifiers = [] { return Qt::ControlModifier; };
    emit pane->Grid()->Click(1, 2);
    EXPECT_EQ(pane->SelectedMap(), -1);
    EXPECT_TRUE(pane->KindButton(pane->MapKind())->checked);
    EXPECT_FALSE(pane->CopyButton()->isEnabled());

    // While the site maps are edited only the base-map buttons react.
    pane->SelectMap(2);
    f.frame->SetStateSource([](app::UiState& s) { s.siteMapDialogVisible = true; });
    f.frame->UpdatePaneControls(false);
    EXPECT_FALSE(pane->Grid()->isEnabled());
    EXPECT_FALSE(pane->CopyButton()->isEnabled());
    EXPECT_TRUE(pane->KindButton(1)->isEnabled());
}

TEST(MapPane, APictureMapThumbnailIsLetterboxedInGreyWithItsColoursChanged)
{
    PhotoFrame f(0, false);
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(qRgb(100, 80, 160));
    const QString path = f.temp.file("site.png");
    ASSERT_TRUE(picture.save(path, "PNG"));
    const ProjectChangeOutcome added = f.document.Change(
        ProjectChange::Maps, [&path](Project& project) { return project.AddImageMap(path); });
    ASSERT_TRUE(added.changed);
    app::CPaneVariousDlg* pane = MapPaneOf(*f.frame);
    ASSERT_NE(pane, nullptr);
    const QImage thumbnail = pane->Thumbnail(0);
    ASSERT_EQ(thumbnail.size(), QSize(64, 44));
    EXPECT_TRUE(NearColour(thumbnail.pixel(32, 22), qRgb(150, 70, 87)));
    EXPECT_EQ(thumbnail.pixel(0, 22), qRgb(192, 192, 192));  // 4:3 in 64 × 44: grey at the sides
}

TEST(MapPane, AWebMapThumbnailComesFromTheTileCacheAndFollowsItsMap)
{
    PhotoFrame f(0, false);
    // Two tile sites that answer nothing: every tile comes from the cache, red ones for the standard map
    // and blue ones for the pale map.
    const QString cache = f.temp.file("cache");
    fe::geo::TileSite standard;
    standard.SetBuiltIn(QStringLiteral("/std"), QStringLiteral(".png"), 2, 18, false, QStringLiteral("標準地図"));
    standard.baseUrl = QStringLiteral("http://127.0.0.1:9");
    fe::geo::TileSite pale = standard;
    pale.SetBuiltIn(QStringLiteral("/pale"), QStringLiteral(".png"), 2, 18, false, QStringLiteral("淡色地図"));
    pale.baseUrl = standard.baseUrl;
    f.settings.tileCacheFolder = cache;
    f.settings.tileSites = {standard, pale, standard};
    const Rect2 box(139.70, 35.60, 139.72, 35.61);
    const fe::geo::GeoPoint centre(139.71, 35.605);
    FillTiles(cache, QStringLiteral("_std"), centre, 15, qRgb(200, 30, 30));
    FillTiles(cache, QStringLiteral("_pale"), centre, 15, qRgb(30, 60, 200));

    app::CPaneVariousDlg* pane = MapPaneOf(*f.frame);
    ASSERT_NE(pane, nullptr);
    std::vector<QString> worker;
    pane->stopTiles = [&worker] { worker.push_back(QStringLiteral("stop")); };
    pane->restartTiles = [&worker] { worker.push_back(QStringLiteral("restart")); };
    ASSERT_TRUE(f.document.Change(ProjectChange::Maps, [&box](Project& project) {
        return project.maps.AddWebMap(2, box, 15, false);
    }).Ok());

    // The box is wider than the thumbnail's shape: red tiles across, grey above and below.
    QImage thumbnail = pane->Thumbnail(0);
    ASSERT_EQ(thumbnail.size(), QSize(64, 44));
    EXPECT_TRUE(NearColour(thumbnail.pixel(32, 22), qRgb(200, 30, 30)));
    EXPECT_TRUE(NearColour(thumbnail.pixel(2, 22), qRgb(200, 30, 30)));
    EXPECT_EQ(thumbnail.pixel(32, 0), qRgb(192, 192, 192));
    // Drawn once when the list was filled, with the view's worker resting meanwhile.
    EXPECT_EQ(worker, std::vector<QString>({QStringLiteral("stop"), QStringLiteral("restart")}));
    pane->resize(280, 400);
    QDir().mkpath(QStringLiteral("pictures"));
    EXPECT_TRUE(pane->grab().save(QStringLiteral("pictures/map-pane.png")));

    // The map turns into a pale map: its thumbnail is made again from the pale tiles.
    ASSERT_TRUE(f.document.Change(ProjectChange::Maps, [](Project& project) {
        project.maps.maps[0].kind = LocationMap::kWebStandard + 1;
        return true;
    }).Ok());
    thumbnail = pane->Thumbnail(0);
    EXPECT_TRUE(NearColour(thumbnail.pixel(32, 22), qRgb(30, 60, 200)));
    EXPECT_EQ(worker.size(), 4u);

    // A turned frame fills the whole thumbnail, white where the turned tiles do not reach.
    ASSERT_TRUE(f.document.Change(ProjectChange::Maps, [](Project& project) {
        project.maps.maps[0].frame.angle = 30.0 * M_PI / 180.0;
        return true;
    }).Ok());
    thumbnail = pane->Thumbnail(0);
    EXPECT_EQ(thumbnail.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(NearColour(thumbnail.pixel(32, 22), qRgb(30, 60, 200)));

    // Tiles the cache lacks are not fetched: the thumbnail shows the greys of tiles not at hand.
    ASSERT_TRUE(f.document.Change(ProjectChange::Maps, [](Project& project) {
        project.maps.maps[0].frame.angle = 0.0;
        project.maps.maps[0].tileZoom = 14;
        return true;
    }).Ok());
    const QRgb missing = pane->Thumbnail(0).pixel(32, 22);
    EXPECT_TRUE(qRed(missing) == qGreen(missing) && qGreen(missing) == qBlue(missing)) << std::hex << missing;
    EXPECT_FALSE(QDir(cache + QStringLiteral("/_pale/14")).exists());

    // A box far too large at its zoom is drawn some levels out (here 12 instead of 15), from those tiles.
    const Rect2 wide(139.46, 35.455, 139.96, 35.755);
    FillTiles(cache, QStringLiteral("_pale"), centre, 12, qRgb(30, 160, 60), 2400);
    ASSERT_TRUE(f.document.Change(ProjectChange::Maps, [&wide](Project& project) {
        project.maps.maps[0].box = wide;
        project.maps.maps[0].tileZoom = 15;
        return true;
    }).Ok());
    EXPECT_TRUE(NearColour(pane->Thumbnail(0).pixel(32, 22), qRgb(30, 160, 60)));
}
