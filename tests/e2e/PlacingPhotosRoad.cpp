// Creating a location map on web tiles and placing photos: 位置図 → 写真位置図作成 → 地理院地図取込み with
// the zone picked on the zone map, 写真を配置 on all photos, one mark moved and its arrow turned with the
// mouse (each release saved), and everything still there after the program starts again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "PlacingPhotosFixture.h"
#include "RoadDriver.h"
#include "app/controls/ScreenDpi.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/MainFrame.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "app/panes/MapPane.h"
#include "app/panes/PhotoPane.h"
#include "app/view/TavrelView.h"
#include "fe/AppFolders.h"
#include "model/ProjectFile.h"
#include "model/ZoneOutlines.h"
#include "view/MouseEditing.h"

namespace {

constexpr int kMovedPhoto = placing_road::kLastPhoto;
// Where the moved mark goes, in view pixels from where it was; the direction it is turned to.
const QPoint kMoveBy(-50, -80);
constexpr double kTurnedTo = 90.0;

// The zone map point the road clicks for the zone: the point of the zone's outline (Systems/keiarea.csv,
// 96-dpi picture pixels) nearest the middle of the outline's own points that lie in it, in the shown
// picture's pixels.
QPoint ZoneMapPoint(int zone)
{
    const std::vector<ZoneOutline> outlines =
        ReadZoneOutlines(fe::GetExeFolder() + QStringLiteral("Systems/keiarea.csv"));
    std::vector<Point2> inside;
    for (int y = 0; y < 500; y += 2)
        for (int x = 0; x < 500; x += 2)
            if (ZoneAtPoint(outlines, Point2(x, y)) == zone)
                inside.emplace_back(x, y);
    if (inside.empty())
        return {};
    Point2 middle(0, 0);
    for (const Point2& p : inside)
        middle = Point2(middle.x + p.x / double(inside.size()), middle.y + p.y / double(inside.size()));
    Point2 best = inside.front();
    for (const Point2& p : inside)
        if (std::hypot(p.x - middle.x, p.y - middle.y) < std::hypot(best.x - middle.x, best.y - middle.y))
            best = p;
    const QSize dpi = app::ScreenDpi();
    return QPoint(int(std::lround(best.x * dpi.width() / 96.0)),
                  int(std::lround(best.y * dpi.height() / 96.0)));
}

CTavrelView& View(road::Road& road)
{
    auto* view = road.Frame().findChild<CTavrelView*>();
    EXPECT_TRUE(view);
    return *view;
}

app::CPanePhotoDlg& PhotoPane(road::Road& road)
{
    auto* pane = road.Frame().findChild<app::CPanePhotoDlg*>();
    EXPECT_TRUE(pane);
    return *pane;
}

app::CPaneVariousDlg& MapPane(road::Road& road)
{
    auto* pane = road.Frame().findChild<app::CPaneVariousDlg*>();
    EXPECT_TRUE(pane);
    return *pane;
}

// A click on a grid cell as the user makes it (column and row from 1).
void ClickCell(app::CSpread7U& grid, int col, int row, Qt::KeyboardModifiers keys = {})
{
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, col - 1));
    ASSERT_TRUE(cell.isValid()) << "cell " << col << "," << row << " not shown";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, keys, cell.center());
}

QString CellText(app::CSpread7U& grid, int col, int row)
{
    const QTableWidgetItem* item = grid.item(row - 1, col - 1);
    return item ? item->text() : QString();
}

bool CellChecked(app::CSpread7U& grid, int col, int row)
{
    const QTableWidgetItem* item = grid.item(row - 1, col - 1);
    return item && item->checkState() == Qt::Checked;
}

// The project as the file on disk holds it now.
Project Reread(const QString& file)
{
    Project project;
    EXPECT_EQ(LoadProject(project, file), kProjectOk) << file.toStdString();
    return project;
}

// The row of the photo in the photo list (from 1); 0 when it is not listed.
int RowOfPhoto(road::Road& road, int id)
{
    const auto& photos = road.Document().GetProject().photos.photos;
    for (size_t k = 0; k < photos.size(); ++k)
        if (photos[k].id == id)
            return int(k) + 1;
    return 0;
}

QPoint MarkPixel(CTavrelView& view, const fe::geo::GeoPoint& at)
{
    const Point2 pixel = view.LatLongToPixel(at, view.Zoom());
    return QPoint(int(std::lround(pixel.x)), int(std::lround(pixel.y)));
}

// A drag with the left button in steps, as the hand makes it; the pointer rests on `from` first so that
// the view sees it arrive there.
void Drag(road::Road& road, QWidget& view, QPoint from, QPoint to)
{
    QTest::mouseMove(&view, from);
    road.Idle(100);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    constexpr int kSteps = 8;
    for (int k = 1; k <= kSteps; ++k) {
        QTest::mouseMove(&view, from + (to - from) * k / kSteps);
        road.Idle(30);
    }
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    road.Idle(200);
}

double AngleGap(double a, double b)
{
    const double gap = std::fmod(std::abs(a - b), 360.0);
    return std::min(gap, 360.0 - gap);
}

}  // namespace

TEST(Roads, PlacingPhotos)
{
    road::Road road(QStringLiteral("placing-photos"));
    const QString projectFile = placing_road::MakeProject(road.Work());
    ASSERT_FALSE(projectFile.isEmpty()) << "the road's project could not be made";

    // The project opens on the site overview with its six photos.
    road.Start({projectFile});
    app::CSpread7U& photoGrid = *PhotoPane(road).Grid();
    ASSERT_TRUE(road.WaitUntil([&] { return photoGrid.rowCount() == placing_road::kPhotoCount; }));
    EXPECT_EQ(View(road).ViewMode(), 0);
    road.Idle(1500);
    road.Shot(QStringLiteral("project-with-photos"));

    // 位置図 → 写真位置図作成... → 地理院地図取込み; the zone is picked on the zone map.
    const QPoint zonePoint = ZoneMapPoint(placing_road::kZone);
    ASSERT_FALSE(zonePoint.isNull()) << "no outline of zone " << placing_road::kZone << " in keiarea.csv";
    bool chooserShown = false, zoneShown = false;
    road.WhenDialog(QStringLiteral("写真位置図作成"), [&](QDialog* dialog) {
        chooserShown = true;
        road.Shot(QStringLiteral("new-map-chooser"));
        auto* web = dialog->findChild<QPushButton*>(QStringLiteral("AddWebMap"));
        ASSERT_TRUE(web && web->isEnabled());
        QTest::mouseClick(web, Qt::LeftButton);
    });
    road.WhenDialog(QStringLiteral("平面直角座標系番号設定"), [&](QDialog* dialog) {
        zoneShown = true;
        auto* zones = qobject_cast<app::CSetCoordSystemNoDlg*>(dialog);
        ASSERT_TRUE(zones);
        QTest::mouseClick(zones->MapLabel(), Qt::LeftButton, {}, zonePoint);
        road.Idle(100);
        EXPECT_EQ(zones->SelectedZone(), placing_road::kZone);
        EXPECT_TRUE(zones->AreaLabel()->text().contains(QStringLiteral("静岡県")))
            << zones->AreaLabel()->text().toStdString();
        road.Shot(QStringLiteral("zone-picked-on-map"));
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("OK")) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no OK button in the zone dialog";
    });
    road.ChooseMenu({QStringLiteral("位置図"), QStringLiteral("写真位置図作成")});
    ASSERT_TRUE(road.WaitUntil([&] { return road.DialogsHandled(); }, 5000));
    EXPECT_TRUE(chooserShown && zoneShown);

    // The new web map is saved with its zone and shown over the road's tile server.
    {
        const Project saved = Reread(projectFile);
        ASSERT_EQ(saved.maps.Count(), 1);
        EXPECT_TRUE(saved.maps.maps[0].IsWebMap());
        EXPECT_EQ(saved.maps.maps[0].zone, placing_road::kZone);
        EXPECT_TRUE(saved.maps.maps[0].photos.entries.empty());
    }
    CTavrelView& view = View(road);
    EXPECT_EQ(view.ViewMode(), 3);
    EXPECT_EQ(view.CurrentMapIndex(), 0);
    EXPECT_EQ(MapPane(road).SelectedMap(), 0);
    EXPECT_EQ(MapPane(road).Grid()->rowCount(), 1);
    // The tile under the map's middle, of the standard map at the map's zoom, came from the road's server.
    const LocationMap& made = road.Document().GetProject().maps.maps[0];
    const Point2 middle =
        fe::geo::GeoPoint(made.box.Centre().x, made.box.Centre().y).ToWorldPixel(made.tileZoom);
    const QString middleTile = QStringLiteral("/xyz/std/%1/%2/%3.png")
                                   .arg(made.tileZoom)
                                   .arg(int(std::floor(middle.x / 256)))
                                   .arg(int(std::floor(middle.y / 256)));
    EXPECT_TRUE(road.WaitUntil([&] { return road.TileRequests().contains(middleTile); }))
        << middleTile.toStdString() << " not among\n"
        << road.TileRequests().join(u'\n').toStdString();
    road.Idle(1500);
    road.Shot(QStringLiteral("web-map-on-tiles"));

    // All photos chosen in the list (a click and Ctrl+A), then 位置図 → 写真を配置.
    ClickCell(photoGrid, app::kColPosition, 1);
    road.PressKeys(QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(PhotoPane(road).GetSelectedRows().size(), size_t(placing_road::kPhotoCount));
    road.ChooseMenu({QStringLiteral("位置図"), QStringLiteral("写真を配置")});
    road.Idle(500);
    {
        const Project saved = Reread(projectFile);
        ASSERT_EQ(saved.maps.Count(), 1);
        const auto& entries = saved.maps.maps[0].photos.entries;
        ASSERT_EQ(int(entries.size()), placing_road::kPhotoCount);
        for (const PlacedPhoto& entry : entries) {
            const PhotoRecord* photo = saved.photos.Find(entry.photoId);
            ASSERT_TRUE(photo);
            EXPECT_DOUBLE_EQ(entry.x, list_export::Longitude(entry.photoId));
            EXPECT_DOUBLE_EQ(entry.y, list_export::Latitude(entry.photoId));
            EXPECT_DOUBLE_EQ(entry.direction, photo->direction);
        }
    }
    // The list ticks every photo as placed and numbers it as the map's labels do (表示 → 位置図写真番号,
    // checked from the start): no number given yet, "**".
    ASSERT_TRUE(road.MenuAction({QStringLiteral("表示"), QStringLiteral("位置図写真番号")}));
    EXPECT_TRUE(road.MenuAction({QStringLiteral("表示"), QStringLiteral("位置図写真番号")})->isChecked());
    EXPECT_FALSE(photoGrid.isColumnHidden(app::kColMapNumber - 1));
    EXPECT_TRUE(photoGrid.isColumnHidden(app::kColPhotoNumber - 1));
    for (int row = 1; row <= placing_road::kPhotoCount; ++row) {
        EXPECT_TRUE(CellChecked(photoGrid, app::kColPlaced, row)) << "row " << row;
        EXPECT_EQ(CellText(photoGrid, app::kColMapNumber, row), QStringLiteral("**")) << "row " << row;
    }
    EXPECT_TRUE(road.Frame().PhotoPane()->windowTitle().contains(
        QStringLiteral("位置図内(%1)").arg(placing_road::kPhotoCount)))
        << road.Frame().PhotoPane()->windowTitle().toStdString();
    road.Shot(QStringLiteral("photos-placed"));

    // One mark chosen with a click, then moved with the mouse: the release saves the new position.
    const int row = RowOfPhoto(road, kMovedPhoto);
    ASSERT_GT(row, 0);
    const QPoint mark = MarkPixel(
        view, fe::geo::GeoPoint(list_export::Longitude(kMovedPhoto), list_export::Latitude(kMovedPhoto)));
    ASSERT_TRUE(view.rect().contains(mark)) << "the mark lies outside the view";
    QTest::mouseMove(&view, mark);
    road.Idle(100);
    QTest::mouseClick(&view, Qt::LeftButton, {}, mark);
    road.Idle(200);
    ASSERT_EQ(PhotoPane(road).GetSelectedRows(), std::vector<int>{row});
    QTest::mouseMove(&view, mark + QPoint(1, 0));
    road.Idle(100);
    EXPECT_EQ(view.HoverKind(), locmap::kDragPosition);
    const QString positionBefore = CellText(photoGrid, app::kColPosition, row);
    const QPoint moved = mark + kMoveBy;
    const fe::geo::GeoPoint expected = view.PixelToLatLong(view.Zoom(), moved.x(), moved.y());
    Drag(road, view, mark, moved);
    {
        const Project saved = Reread(projectFile);
        const PhotoRecord* photo = saved.photos.Find(kMovedPhoto);
        ASSERT_TRUE(photo);
        const PlacedPhoto* entry = saved.maps.maps[0].photos.FindByPhotoId(kMovedPhoto);
        ASSERT_TRUE(entry);
        // One view pixel at the view's zoom, in degrees of longitude.
        const double pixel = 360.0 / (256.0 * std::ldexp(1.0, view.Zoom()));
        EXPECT_NEAR(photo->position.longitude, expected.longitude, 1e-9);
        EXPECT_NEAR(photo->position.latitude, expected.latitude, 1e-9);
        EXPECT_NEAR(photo->position.longitude - list_export::Longitude(kMovedPhoto), kMoveBy.x() * pixel,
                    2 * pixel);
        EXPECT_GT(photo->position.latitude, list_export::Latitude(kMovedPhoto));
        EXPECT_DOUBLE_EQ(entry->x, photo->position.longitude);
        EXPECT_DOUBLE_EQ(entry->y, photo->position.latitude);
        // The other photos stayed where they were.
        for (const PhotoRecord& other : saved.photos.photos) {
            if (other.id != kMovedPhoto) {
                EXPECT_DOUBLE_EQ(other.position.longitude, list_export::Longitude(other.id));
            }
        }
    }
    EXPECT_NE(CellText(photoGrid, app::kColPosition, row), positionBefore);
    road.Shot(QStringLiteral("mark-moved"));

    // Its arrow turned with the mouse: the pointer takes the arrow's handle in front of the mark and is
    // released east of it.
    const double was = road.Document().GetProject().photos.Find(kMovedPhoto)->direction;
    const double radians = was * M_PI / 180.0;
    const QPoint handle =
        moved + QPoint(int(std::lround(18 * std::sin(radians))), int(std::lround(-18 * std::cos(radians))));
    QTest::mouseMove(&view, handle);
    road.Idle(100);
    EXPECT_EQ(view.HoverKind(), locmap::kDragDirection);
    Drag(road, view, handle, moved + QPoint(60, 0));
    {
        const Project saved = Reread(projectFile);
        const PhotoRecord* photo = saved.photos.Find(kMovedPhoto);
        ASSERT_TRUE(photo);
        const PlacedPhoto* entry = saved.maps.maps[0].photos.FindByPhotoId(kMovedPhoto);
        ASSERT_TRUE(entry);
        EXPECT_LT(AngleGap(photo->direction, kTurnedTo), 1.0) << photo->direction;
        EXPECT_DOUBLE_EQ(entry->direction, photo->direction);
        EXPECT_NEAR(photo->position.longitude, expected.longitude, 1e-9);
    }
    road.Shot(QStringLiteral("arrow-turned"));
    road.Close();

    // Started again on the project: the map, its placed photos, the moved position and the turned direction.
    road.Start({projectFile});
    ASSERT_TRUE(
        road.WaitUntil([&] { return PhotoPane(road).Grid()->rowCount() == placing_road::kPhotoCount; }));
    app::CPaneVariousDlg& maps = MapPane(road);
    ASSERT_TRUE(road.WaitUntil([&] { return maps.Grid()->rowCount() == 1; }));
    ClickCell(*maps.Grid(), 2, 1);
    ASSERT_TRUE(road.WaitUntil([&] { return View(road).ViewMode() == 3; }, 5000)) << "the map was not shown";
    road.Idle(1500);
    {
        const Project& project = road.Document().GetProject();
        ASSERT_EQ(project.maps.Count(), 1);
        const LocationMap& map = project.maps.maps[0];
        EXPECT_EQ(map.zone, placing_road::kZone);
        EXPECT_EQ(int(map.photos.entries.size()), placing_road::kPhotoCount);
        const PlacedPhoto* entry = map.photos.FindByPhotoId(kMovedPhoto);
        ASSERT_TRUE(entry);
        EXPECT_NEAR(entry->x, expected.longitude, 1e-9);
        EXPECT_NEAR(entry->y, expected.latitude, 1e-9);
        EXPECT_LT(AngleGap(entry->direction, kTurnedTo), 1.0);
        const PhotoRecord* photo = project.photos.Find(kMovedPhoto);
        ASSERT_TRUE(photo);
        EXPECT_LT(AngleGap(photo->direction, kTurnedTo), 1.0);
    }
    app::CSpread7U& list = *PhotoPane(road).Grid();
    for (int r = 1; r <= placing_road::kPhotoCount; ++r) {
        EXPECT_TRUE(CellChecked(list, app::kColPlaced, r)) << "row " << r;
        EXPECT_EQ(CellText(list, app::kColMapNumber, r), QStringLiteral("**")) << "row " << r;
    }
    // The moved mark is drawn where it was left: the view finds it there.
    CTavrelView& again = View(road);
    const QPoint now = MarkPixel(again, fe::geo::GeoPoint(expected.longitude, expected.latitude));
    QTest::mouseMove(&again, now);
    road.Idle(100);
    QTest::mouseClick(&again, Qt::LeftButton, {}, now);
    road.Idle(200);
    EXPECT_EQ(PhotoPane(road).GetSelectedRows(), std::vector<int>{RowOfPhoto(road, kMovedPhoto)});
    // Its arrow points east: the pointer finds the arrow's handle there.
    QTest::mouseMove(&again, now + QPoint(18, 0));
    road.Idle(100);
    EXPECT_EQ(again.HoverKind(), locmap::kDragDirection);
    road.Shot(QStringLiteral("reopened-map"));
    road.Close();
}
