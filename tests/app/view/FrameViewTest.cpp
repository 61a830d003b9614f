// The main view in the frame: the centre widget, the command state's view mode and current map, the
// status-bar coordinates, and the location-map commands reaching the real view and map pane.
#include <QApplication>
#include <QTimer>

#include "MainViewFixture.h"
#include "app/ScriptedPrompts.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/MapCommands.h"
#include "app/frame/PhotoCommands.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "fe/img/ExifInfo.h"
#include "model/LocationMap.h"

namespace {

TEST_F(MainViewTest, FrameShowsTheViewAndTakesItsModeAndMap)
{
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame);
    EXPECT_EQ(frame.centralWidget(), shown);
    EXPECT_EQ(frame.CurrentState().viewMode, 0);
    EXPECT_FALSE(frame.CurrentState().currentMap);

    Edit([](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    const app::UiState state = frame.CurrentState();
    EXPECT_EQ(state.viewMode, 3);
    EXPECT_TRUE(state.currentMap);
    EXPECT_EQ(state.currentMapKind, 3);

    // The pointer's latitude/longitude reach the status bar.
    const app::StatusCoordTexts before = frame.StatusTexts();
    QTest::mouseMove(shown, QPoint(40, 40));
    EXPECT_NE(frame.StatusTexts(), before);
}

// Over a web location map with a plane zone, the pointer's latitude and longitude come with the zone's
// numeral, as the coordinate system shown when the map was chosen; over the overview, without it.
TEST_F(MainViewTest, StatusBarKeepsTheZoneOfTheWebMapUnderThePointer)
{
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame);
    QTest::mouseMove(shown, QPoint(30, 30));
    EXPECT_FALSE(frame.StatusTexts()[0].contains(QStringLiteral("系番号")))
        << frame.StatusTexts()[0].toStdString();

    Edit([](Project& p) {
        ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false));
        p.maps.maps.back().zone = 9;
    });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    const QString system = frame.StatusTexts()[0];
    EXPECT_TRUE(system.contains(QStringLiteral("系番号：Ⅸ"))) << system.toStdString();
    for (const QPoint at : {QPoint(40, 40), QPoint(200, 150)}) {
        QTest::mouseMove(shown, at);
        const app::StatusCoordTexts texts = frame.StatusTexts();
        EXPECT_EQ(texts[0], system);
        EXPECT_TRUE(texts[2].startsWith(QStringLiteral(" 緯度：37."))) << texts[2].toStdString();
    }
}

TEST_F(MainViewTest, MapCommandsShowTheirMapInThePaneAndTheView)
{
    app::ScriptedPrompts prompts;
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame);
    const auto paneMap = [&frame] { return frame.PaneLinks().currentMapIndex(); };

    // A new web map from the overview: the pane selects it and the view shows it.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<app::CSetCoordSystemNoDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->OkButton()->click();
    });
    ASSERT_TRUE(app::AddWebTileMap(frame));
    ASSERT_EQ(document.GetProject().maps.Count(), 1);
    EXPECT_EQ(paneMap(), 0);
    EXPECT_EQ(shown->CurrentMapIndex(), 0);
    EXPECT_EQ(shown->ViewMode(), 3);
    EXPECT_EQ(app::MapHooks(frame).viewTileZoom(), shown->Zoom());
    // No picture map is shown, so photos go to the picture's origin.
    EXPECT_EQ(app::MapHooks(frame).viewCentreOnPicture(), Point2());

    // A copy becomes the current map.
    app::CopyLocationMap(frame);
    ASSERT_EQ(document.GetProject().maps.Count(), 2);
    EXPECT_EQ(paneMap(), 1);
    EXPECT_EQ(shown->CurrentMapIndex(), 1);

    // Deleting both returns the pane to no map and the view to the overview.
    for (int left : {1, 0}) {
        prompts.QueueAnswer(app::PromptAnswer::Yes);
        app::DeleteLocationMap(frame);
        EXPECT_EQ(document.GetProject().maps.Count(), left);
        EXPECT_EQ(paneMap(), left - 1);
        EXPECT_EQ(shown->CurrentMapIndex(), left - 1);
    }
    EXPECT_EQ(shown->ViewMode(), 0);
}

TEST_F(MainViewTest, AnImportMovesTheOverviewToThePhotosItBrought)
{
    app::ScriptedPrompts prompts;
    CMainFrame frame(&document);
    CTavrelView* shown = ShowViewInFrame(document, frame);
    // Two photos of a site far from the project's first photo (kPhoto), about 150 m apart, and one
    // without a position.
    const fe::geo::GeoPoint site[2] = {{kStart.longitude + 0.30, kStart.latitude + 0.20},
                                       {kStart.longitude + 0.3015, kStart.latitude + 0.2008}};
    QDir().mkpath(temp.file(QStringLiteral("card")));
    const auto photo = [this](const QString& name, const fe::geo::GeoPoint* at) {
        const QString path = temp.file(QStringLiteral("card/") + name);
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(40, 120, 60));
        EXPECT_TRUE(picture.save(path, "JPEG"));
        if (at) {
            ExifInfo exif;
            exif.m_longitude = at->longitude;
            exif.m_latitude = at->latitude;
            exif.m_dateTime = QStringLiteral("2024:05:20 09:00:00");
            EXPECT_TRUE(exif.WriteFile(path));
        }
        return path;
    };
    const QString first = photo(QStringLiteral("A.JPG"), &site[0]);
    const QString second = photo(QStringLiteral("B.JPG"), &site[1]);
    const QString unplaced = photo(QStringLiteral("C.JPG"), nullptr);
    const auto inView = [&](const fe::geo::GeoPoint& point) {
        const Point2 at = shown->LatLongToPixel(point, shown->Zoom());
        return shown->rect().contains(QPoint(int(at.x), int(at.y)));
    };

    prompts.QueueFiles({first, second});
    app::ImportPhotos(frame);
    ASSERT_EQ(document.GetProject().photos.photos.size(), 3u);
    EXPECT_TRUE(inView(site[0]));
    EXPECT_TRUE(inView(site[1]));
    EXPECT_FALSE(inView(kPhoto)) << "the overview was fitted to every photo, not to the new ones";
    EXPECT_GE(shown->Zoom(), 14);
    const fe::geo::GeoPoint centre = shown->MapServer().Center();
    const int zoom = shown->Zoom();

    // Nothing brought (a second copy of A), or only a photo without a position: the overview stays.
    for (const QString& file : {first, unplaced}) {
        SCOPED_TRACE(file.toStdString());
        prompts.QueueFiles({file});
        app::ImportPhotos(frame);
        EXPECT_EQ(shown->Zoom(), zoom);
        EXPECT_DOUBLE_EQ(shown->MapServer().Center().longitude, centre.longitude);
        EXPECT_DOUBLE_EQ(shown->MapServer().Center().latitude, centre.latitude);
    }
    EXPECT_EQ(document.GetProject().photos.photos.size(), 4u);
    ASSERT_EQ(prompts.asked().size(), 6u);
    EXPECT_EQ(prompts.asked()[3].text, QStringLiteral("取り込んだ写真はありません。\n\n取り込まなかったファイル（1件）:\n"
                                                      "・A.JPG（すでにプロジェクトに取り込まれています）"));
    EXPECT_EQ(prompts.asked()[5].text, QStringLiteral("1枚の写真を取り込みました。"));
}

}  // namespace
