// Left-button editing in the main view: selecting by marks, dragging a photo's position and direction,
// and a web map's frame, each release saved once.
#include <QDir>

#include "MainViewFixture.h"
#include "model/LocationMap.h"
#include "model/LocusTrack.h"
#include "model/ProjectFile.h"
#include "view/MouseEditing.h"

namespace {

class MouseEditTest : public MainViewTest
{
protected:
    // Photos at the given client points of the started view (zoom 6); returns their ids.
    std::vector<int> AddPhotosAt(const std::vector<QPoint>& points, double direction = kUnset)
    {
        std::vector<int> ids;
        Edit([&](Project& project) {
            for (const QPoint& p : points) {
                PhotoRecord photo(project.photos.nextId++);
                const fe::geo::GeoPoint at = view->PixelToLatLong(view->Zoom(), p.x(), p.y());
                photo.position = fe::geo::GeoPoint(at.longitude, at.latitude);
                photo.direction = direction;
                ids.push_back(photo.id);
                project.photos.photos.push_back(photo);
            }
        });
        return ids;
    }
    const PhotoRecord& Photo(int id) const { return *document.GetProject().photos.Find(id); }

    // A 400 × 200 picture map (a plan without coordinates) with the photo placed at the picture point,
    // facing east.
    void PlacePhotoOnAPlan(int id, Point2 at, const QString& number)
    {
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(QColor(200, 220, 255));
        ASSERT_TRUE(picture.save(temp.file(QStringLiteral("plan.png"))));
        Edit([&](Project& p) {
            ASSERT_TRUE(p.AddImageMap(temp.file(QStringLiteral("plan.png"))));
            PlacedPhoto entry;
            entry.photoId = id;
            entry.x = at.x;
            entry.y = at.y;
            entry.direction = 90;
            entry.numberText = number;
            p.maps.maps.front().photos.entries.push_back(entry);
        });
    }

    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(view.get(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(view.get(), (from + to) / 2);
        QTest::mouseMove(view.get(), to);
        QTest::mouseRelease(view.get(), Qt::LeftButton, modifiers, to);
    }

    void SetUp() override
    {
        MainViewTest::SetUp();
        QObject::connect(&document, &CTavrelDoc::ProjectChanged, [this](ProjectChanges kinds) {
            if (kinds != ProjectChanges(ProjectChange::Selection))
                ++saves;
        });
    }
    int saves = 0;
};

TEST_F(MouseEditTest, ClicksOnMarksSelectAndOverlapsGoToTheStrip)
{
    Start();
    const std::vector<int> ids = AddPhotosAt({{300, 300}, {600, 200}, {601, 201}, {602, 200}});
    host->strips.clear();
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(301, 299));
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(300, 302));
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(450, 450));
    EXPECT_EQ(host->selections, (std::vector<int>{ids[0], -1}));
    EXPECT_EQ(host->additions, std::vector<int>{ids[0]});
    // Three marks under the pointer: all three in the strip, the selection untouched.
    host->selections.clear();
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(601, 200));
    ASSERT_FALSE(host->strips.empty());
    EXPECT_EQ(host->strips.back(), (std::vector<int>{ids[1], ids[2], ids[3]}));
    EXPECT_TRUE(host->selections.empty());
    EXPECT_EQ(saves, 1);  // only the photos added above
}

TEST_F(MouseEditTest, DirectionDragsTurnTheSelectedPhotoAndSaveOncePerRelease)
{
    Start();
    const QPoint mark(500, 300);
    const int id = AddPhotosAt({mark}).front();
    host->selected = {id};
    const struct
    {
        QPoint to;
        double direction;
    } cases[] = {{{500, 200}, 0}, {{600, 300}, 90}, {{500, 400}, 180}, {{400, 300}, 270}, {{400, 200}, 315}};
    for (const auto& c : cases) {
        saves = 0;
        // Pressed on the arrow's line, off the mark itself (a mark without a direction turns from anywhere
        // within reach).
        const double d = Photo(id).direction;
        const QPoint grab = IsUnset(d) ? mark + QPoint(0, -15)
                                       : mark + QPoint(int(std::lround(15 * std::sin(d * M_PI / 180))),
                                                       int(std::lround(-15 * std::cos(d * M_PI / 180))));
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, grab);
        EXPECT_EQ(view->DragKind(), locmap::kDragDirection) << c.direction;
        QTest::mouseMove(view.get(), c.to);
        QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, c.to);
        EXPECT_NEAR(Photo(id).direction, c.direction, 1e-9);
        EXPECT_EQ(saves, 1);
    }
    // The saved file holds the last direction.
    Project reread;
    ASSERT_EQ(LoadProject(reread, document.GetProject().ProjectFilePath()), kProjectOk);
    EXPECT_NEAR(reread.photos.Find(id)->direction, 315, 1e-9);
}

TEST_F(MouseEditTest, PositionDragMovesThePhotoAndLeavingTheWindowKeepsTheEdit)
{
    Start();
    const int id = AddPhotosAt({{500, 300}}, 90).front();
    host->selected = {id};
    saves = 0;
    Drag(QPoint(502, 301), QPoint(702, 151));
    const Point2 moved = view->LatLongToPixel(Photo(id).position, view->Zoom());
    EXPECT_NEAR(moved.x, 700, 1.0);
    EXPECT_NEAR(moved.y, 150, 1.0);
    EXPECT_EQ(saves, 1);

    // The pointer leaves the window during a drag: committed at the last point reached.
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(700, 150));
    QTest::mouseMove(view.get(), QPoint(300, 400));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    const Point2 left = view->LatLongToPixel(Photo(id).position, view->Zoom());
    EXPECT_NEAR(left.x, 300, 1.0);
    EXPECT_NEAR(left.y, 400, 1.0);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(view->DragKind(), 0);
}

class WebFrameTest : public MouseEditTest
{
protected:
    void ShowWebMap(int tileZoom, const Rect2& box)
    {
        Edit([&](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(2, box, tileZoom, false)); });
        ASSERT_TRUE(view->SelectLocationMap(0));
    }
    const LocationMap& Map() const { return document.GetProject().maps.maps.front(); }
    QPoint Corner(double lon, double lat) const
    {
        const Point2 p = view->LatLongToPixel(fe::geo::GeoPoint(lon, lat), view->Zoom());
        return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    }
};

TEST_F(MouseEditTest, AClickNearTheCurrentTrackPicksItsNearestPointWhileTheTrackDialogIsShown)
{
    Start();
    // Two tracks along a row of the overview: the first has no current point, the second has one.
    const auto trackAt = [&](const std::vector<QPoint>& points, int current) {
        LocusTrack track;
        for (const QPoint& p : points) {
            LocusPoint point;
            point.position = view->PixelToLatLong(view->Zoom(), p.x(), p.y());
            track.points.push_back(point);
        }
        track.UpdateBounds();
        track.currentPoint = current;
        return track;
    };
    Edit([&](Project& project) {
        project.tracks.push_back(trackAt({QPoint(200, 500), QPoint(260, 500)}, -1));
        project.tracks.push_back(trackAt({QPoint(200, 500), QPoint(300, 500), QPoint(400, 500)}, 0));
    });
    const struct
    {
        bool dialogShown;
        QPoint click;
        std::vector<int> picked;
    } cases[] = {
        {false, QPoint(305, 510), {}},    // the dialog hidden: tracks are not hit
        {true, QPoint(305, 510), {1}},    // the nearest point of the track with a current point
        {true, QPoint(245, 500), {0}},    // the other track's nearer point is not a candidate
        {true, QPoint(400, 440), {2}},    // 60 pixels away is within reach
        {true, QPoint(470, 500), {}},     // 70 pixels away is not
    };
    for (const auto& c : cases) {
        host->trackDialogVisible = c.dialogShown;
        host->trackPoints.clear();
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, c.click);
        EXPECT_EQ(host->trackPoints, c.picked) << c.click.x() << "," << c.click.y();
        EXPECT_EQ(host->selections.back(), -1);  // the click on no mark cleared the selection first
    }
}

TEST_F(WebFrameTest, RightHandleDraggedPastTheLeftEdgeBecomesTheLeftHandle)
{
    Start();
    ShowWebMap(16, Rect2(136.780, 37.615, 136.790, 37.625));
    view->MapServer().SetZoom(15);
    view->RenderView();
    const Rect2 box = Map().box;
    const QPoint west = Corner(box.x0, box.y1), east = Corner(box.x1, box.y0);
    const QPoint rightMiddle(east.x(), (west.y() + east.y()) / 2);

    // Inside without SHIFT holds nothing.
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, (west + east) / 2 + QPoint(20, 0));
    EXPECT_EQ(view->DragKind(), 0);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, (west + east) / 2 + QPoint(20, 0));

    saves = 0;
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, rightMiddle);
    EXPECT_EQ(view->DragKind(), 11);
    QTest::mouseMove(view.get(), QPoint(west.x() - 150, rightMiddle.y()));
    EXPECT_EQ(view->DragKind(), 10);
    EXPECT_LT(Map().box.x0, Map().box.x1);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(west.x() - 150, rightMiddle.y()));
    EXPECT_EQ(saves, 1);
    EXPECT_LT(Map().box.x0, box.x0);  // the new west edge is where the pointer let go
    EXPECT_LT(Map().box.x0, Map().box.x1);
    EXPECT_NEAR(Map().box.x1, box.x0, 1e-3);  // the old west edge stayed where it was
}

TEST_F(WebFrameTest, AMarkDraggedOnAWebMapMovesTheEntryAndThePhotosOwnPosition)
{
    Start();
    ShowWebMap(16, Rect2(136.780, 37.615, 136.790, 37.625));
    const int id = document.GetProject().photos.photos.front().id;
    const fe::geo::GeoPoint placed(136.785, 37.620);
    Edit([&](Project& p) {
        p.photos.Find(id)->position = placed;
        PlacedPhoto entry;
        entry.photoId = id;
        entry.x = placed.longitude;
        entry.y = placed.latitude;
        entry.numberText = QStringLiteral("1");
        p.maps.maps.front().photos.entries.push_back(entry);
    });
    view->RenderView();
    host->selected = {id};
    const QPoint from = Corner(placed.longitude, placed.latitude), to = from + QPoint(80, -50);
    saves = 0;
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, from);
    ASSERT_EQ(view->DragKind(), locmap::kDragPosition);
    QTest::mouseMove(view.get(), to);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(saves, 1);

    // The entry stands where the mark was let go, and the photo's own position moved with it.
    const PlacedPhoto& entry = Map().photos.entries.front();
    const QPoint dropped = Corner(entry.x, entry.y);
    EXPECT_NEAR(dropped.x(), to.x(), 1);
    EXPECT_NEAR(dropped.y(), to.y(), 1);
    EXPECT_EQ(Photo(id).position.longitude, entry.x);
    EXPECT_EQ(Photo(id).position.latitude, entry.y);
    Project reread;
    ASSERT_EQ(LoadProject(reread, document.GetProject().ProjectFilePath()), kProjectOk);
    EXPECT_EQ(reread.photos.Find(id)->position.longitude, entry.x);
    EXPECT_EQ(reread.photos.Find(id)->position.latitude, entry.y);
}

TEST_F(WebFrameTest, AFrameTooLargeForItsTileZoomIsRefused)
{
    Start();
    // A map at tile zoom 18 seen at zoom 14: a drag of 200 pixels on screen is 3,200 pixels at 18.
    const Rect2 box(136.780, 37.615, 136.785, 37.618);
    ShowWebMap(18, box);
    view->MapServer().SetZoom(14);
    view->RenderView();
    const QPoint southEast = Corner(box.x1, box.y0);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, southEast);
    ASSERT_EQ(view->DragKind(), 9);
    QTest::mouseMove(view.get(), southEast + QPoint(200, 200));
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, southEast + QPoint(200, 200));
    EXPECT_TRUE(locmap::WebBoxWithinLimits(Map().box, 18));
    EXPECT_NEAR(Map().box.x1, box.x1, 1e-3);
}

}  // namespace

namespace {

TEST_F(MouseEditTest, PictureMapMarksMoveInMapUnitsAndKeepThePhotoRecord)
{
    Start();
    const int id = document.GetProject().photos.photos.front().id;
    const fe::geo::GeoPoint position = document.GetProject().photos.photos.front().position;
    PlacePhotoOnAPlan(id, Point2(100, 50), QStringLiteral("1"));
    ASSERT_TRUE(view->SelectLocationMap(0));
    ASSERT_EQ(view->ViewMode(), 1);
    host->selected = {id};
    const auto onScreen = [&](double x, double y) {
        // The frame (the whole picture) is fitted to the window with one scale and a 2.5 % margin.
        const double scale = std::min(kWidth / 420.0, kHeight / 210.0);
        return QPoint(int(std::lround(kWidth / 2.0 + (x - 200) * scale)),
                      int(std::lround(kHeight / 2.0 + (y - 100) * scale)));
    };
    saves = 0;
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, onScreen(100, 50));
    EXPECT_EQ(view->DragKind(), locmap::kDragPosition);
    QTest::mouseMove(view.get(), onScreen(200, 150));
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, onScreen(300, 150));
    const PlacedPhoto& entry = document.GetProject().maps.maps.front().photos.entries.front();
    EXPECT_NEAR(entry.x, 200, 1.0);  // the last move placed it; the release commits it
    EXPECT_NEAR(entry.y, 150, 1.0);
    EXPECT_EQ(saves, 1);
    // A picture without coordinates gives the photo no position.
    EXPECT_EQ(document.GetProject().photos.Find(id)->position.longitude, position.longitude);
    EXPECT_EQ(document.GetProject().photos.Find(id)->position.latitude, position.latitude);

    // The frame's right middle handle dragged past the left edge becomes the left one, ordered.
    const Rect2 frame = document.GetProject().maps.maps.front().frame.rectA;
    const QPoint rightMiddle = onScreen(frame.x1, (frame.y0 + frame.y1) / 2);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, rightMiddle);
    ASSERT_EQ(view->DragKind(), 11);
    const QPoint beyond = onScreen(frame.x0 - 50, (frame.y0 + frame.y1) / 2);
    QTest::mouseMove(view.get(), beyond);
    EXPECT_EQ(view->DragKind(), 10);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, beyond);
    const Rect2 after = document.GetProject().maps.maps.front().frame.rectA;
    EXPECT_NEAR(after.x0, frame.x0 - 50, 1.0);
    EXPECT_NEAR(after.x1, frame.x0, 1.0);
}

TEST_F(MouseEditTest, TheSelectedPhotosLabelIsGrabbedWhereTheViewLastDrewIt)
{
    Start();
    const int id = document.GetProject().photos.photos.front().id;
    PlacePhotoOnAPlan(id, Point2(200, 100), QStringLiteral("12"));  // facing east: the label lies west
    ASSERT_TRUE(view->SelectLocationMap(0));
    host->selected = {id};
    view->RenderView();
    // The view keeps the box its drawer drew; the project's entry holds no drawing state.
    const Rect2i box = view->PictureDrawer().LabelBox(id);
    ASSERT_NE(box, Rect2i());
    EXPECT_LT(box.x1, kWidth / 2);
    const QPoint inside((box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2);
    saves = 0;
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(view->DragKind(), locmap::kDragLabel);
    QTest::mouseMove(view.get(), inside + QPoint(0, 40));
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, inside + QPoint(0, 40));
    const PlacedPhoto& entry = document.GetProject().maps.maps.front().photos.entries.front();
    EXPECT_GT(entry.labelOffset.y, 0.0);
    EXPECT_EQ(saves, 1);
}

}  // namespace
