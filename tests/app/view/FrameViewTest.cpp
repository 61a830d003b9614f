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
#include "app/maps/SetCoordSystemNoDlg.h"
#include "model/LocationMap.h"

namespace {

TEST_F(MainViewTest, FrameShowsTheViewAndTakesItsModeAndMap)
{
    CMainFrame frame(&document);
    auto* shown = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    app::InstallMainView(frame, shown);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
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

TEST_F(MainViewTest, MapCommandsShowTheirMapInThePaneAndTheView)
{
    app::ScriptedPrompts prompts;
    CMainFrame frame(&document);
    auto* shown = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    app::InstallMainView(frame, shown);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
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

}  // namespace
