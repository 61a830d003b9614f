#pragma once

// A main view on an offscreen widget over a saved project, with a tile site whose tiles come from a local
// file server or a disk cache filled beforehand, and a host that records what the view reports.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTest>

#include "LocalServers.h"
#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "fe/geo/TileIndex.h"
#include "model/AppSettings.h"

struct RecordingHost : app::ViewHost
{
    void SetStatusPixel(int x, int y) override { pixel = QPoint(x, y); }
    void SetStatusPlaneXY(int z, double y, double x) override { zone = z, planeX = x, planeY = y; }
    void SetStatusLatLong(double latitude, double longitude, int z) override
    {
        lat = latitude, lon = longitude, zone = z;
    }
    bool IsSiteMapDialogVisible() const override { return siteMapVisible; }
    bool SiteMapShowsPhotos() const override { return siteMapPhotos; }
    int SiteMapActiveRow() const override { return activeRow; }
    void ShowOverlapCandidates(const std::vector<int>& ids) override { strips.push_back(ids); }
    bool IsLedgerDialogVisible() const override { return ledgerVisible; }
    bool LedgerLineSwitch() const override { return lineSwitch; }
    std::vector<int> SelectedPhotoIds() const override { return selected; }
    int PaneMapIndex() const override { return paneMap; }
    void RunFrameCommand(int command) override { commands.push_back(command); }
    void SelectPhoto(int id) override { selections.push_back(id); }
    void AddPhotoToSelection(int id) override { additions.push_back(id); }
    void RefreshPhotoList() override { ++listRefreshes; }
    bool IsTrackDialogVisible() const override { return trackDialogVisible; }
    void SelectTrackPoint(int index) override { trackPoints.push_back(index); }

    QPoint pixel{-1, -1};
    int zone = 0;
    double planeX = 0, planeY = 0, lat = 0, lon = 0;
    bool siteMapVisible = false;
    bool siteMapPhotos = true;
    int activeRow = -1000;
    std::vector<std::vector<int>> strips;
    bool ledgerVisible = false;
    bool lineSwitch = false;
    std::vector<int> selected;
    int paneMap = -1;
    std::vector<int> commands;
    std::vector<int> selections;
    std::vector<int> additions;
    int listRefreshes = 0;
    bool trackDialogVisible = false;
    std::vector<int> trackPoints;
};

inline const QColor kGround(242, 239, 233);

// A plain 256 × 256 tile of the ground colour with its address in small print.
inline QByteArray GroundTile(int z, int x, int y)
{
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(kGround);
    QPainter p(&tile);
    p.setPen(QColor(150, 150, 150));
    p.drawText(4, 250, QStringLiteral("%1/%2/%3").arg(z).arg(x).arg(y));
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

// The real view in the centre of the frame, the frame shown (at the size, when one is given).
inline CTavrelView* ShowViewInFrame(CTavrelDoc& document, CMainFrame& frame, QSize size = {})
{
    auto* shown = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    app::InstallMainView(frame, shown);
    if (size.isValid())
        frame.resize(size);
    frame.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    return shown;
}

class MainViewTest : public testing::Test
{
protected:
    static constexpr int kWidth = 1000, kHeight = 600;

    void SetUp() override
    {
        cacheFolder = temp.file(QStringLiteral("cache"));
        fe::geo::TileSite site;
        site.SetBuiltIn(QStringLiteral("/t"), QStringLiteral(".png"), 2, 18, false, QStringLiteral("標準地図"));
        // Nothing listens here unless a test starts the file server.
        site.baseUrl = QStringLiteral("http://127.0.0.1:9");
        settings.tileCacheFolder = cacheFolder;
        settings.tileSites = {site, site, site};
        settings.tileSites[1].title = QStringLiteral("淡色地図");
        document.appSettings = &settings;
        const ProjectChangeOutcome made = document.Change(ProjectChange::Photos, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            PhotoRecord photo(project.photos.nextId++);
            photo.position = kPhoto;
            photo.direction = 45;
            project.photos.photos.push_back(photo);
            return true;
        });
        ASSERT_TRUE(made.Ok());
    }

    // Fills the disk cache with the tiles a view of the size shows around the point at the zoom.
    void FillCache(const fe::geo::GeoPoint& centre, int zoom, const QString& siteFolder = QStringLiteral("_t"))
    {
        const fe::geo::TileRange range = fe::geo::TileRangeAround(zoom, centre, kWidth, kHeight);
        for (int x = range.x0; x <= range.x1; ++x)
            for (int y = range.y0; y <= range.y1; ++y)
                ASSERT_TRUE(localserver::WriteFile(
                    QStringLiteral("%1/%2/%3/%4/%5.png").arg(cacheFolder, siteFolder).arg(zoom).arg(x).arg(y),
                    GroundTile(zoom, x, y)));
    }

    void Start(QSize size = QSize(kWidth, kHeight))
    {
        auto recording = std::make_unique<RecordingHost>();
        host = recording.get();
        view = std::make_unique<CTavrelView>(&document, std::move(recording));
        view->LoadMarkSettings();
        view->resize(size);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QColor Pixel(int x, int y) const { return QColor::fromRgb(view->BackBuffer().Pixel(x, y)); }
    QColor PixelAt(const fe::geo::GeoPoint& point) const
    {
        const Point2 p = view->LatLongToPixel(point, view->Zoom());
        return Pixel(int(p.x), int(p.y));
    }

    void Edit(const std::function<void(Project&)>& edit)
    {
        const ProjectChangeOutcome outcome = document.Change(ProjectChange::Maps, [&](Project& project) {
            edit(project);
            return true;
        });
        ASSERT_TRUE(outcome.Ok());
    }

    const fe::geo::GeoPoint kStart{CTavrelView::kStartLongitude, CTavrelView::kStartLatitude};
    const fe::geo::GeoPoint kPhoto{CTavrelView::kStartLongitude + 1.5, CTavrelView::kStartLatitude - 1.0};
    TempFolder temp;
    QString cacheFolder;
    AppSettings settings;
    CTavrelDoc document;
    RecordingHost* host = nullptr;
    std::unique_ptr<CTavrelView> view;
};
