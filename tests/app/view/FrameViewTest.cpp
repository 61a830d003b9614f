// The main view in the frame: the centre widget, the command state's view mode and current map, and the
// status-bar coordinates.
#include "MainViewFixture.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
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

}  // namespace
