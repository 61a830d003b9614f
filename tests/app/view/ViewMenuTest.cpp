// The main view's context menus: items and enabled states, the clicked point, the line commands.
#include <QMenu>

#include "MainViewFixture.h"
#include "app/frame/CommandIds.h"
#include "app/view/ViewContextMenu.h"
#include "model/LocationMap.h"

namespace {

using app::SelectedPhotoState;

QAction* Find(QMenu& menu, int id)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == id && !action->menu())
            return action;
        if (action->menu())
            if (QAction* inner = Find(*action->menu(), id))
                return inner;
    }
    return nullptr;
}

// Every item of the menu and its submenus by id, with whether it is enabled.
std::map<int, bool> States(QMenu& menu)
{
    std::map<int, bool> states;
    for (QAction* action : menu.actions()) {
        if (action->menu())
            for (const auto& [id, enabled] : States(*action->menu()))
                states[id] = enabled;
        else if (!action->isSeparator())
            states[action->data().toInt()] = action->isEnabled();
    }
    return states;
}

SelectedPhotoState Selected(bool position, bool direction, bool onMap = false)
{
    SelectedPhotoState s;
    s.hasLatLong = position;
    s.hasDirection = direction;
    s.placedOnCurrent = onMap;
    return s;
}

TEST(ViewContextMenu, ItemsAndEnabledStates)
{
    using namespace app;
    const MenuIcons icons;
    const std::vector<int> sortAndBrowser = {kCmdSortEastToWest, kCmdSortWestToEast, kCmdSortSouthToNorth,
                                             kCmdSortNorthToSouth, kCmdOpenWebMapInBrowser};
    {
        // Overview, two selected photos, one positioned: neither placing nor clearing the position.
        ViewMenuState state;
        state.project = true;
        state.selected = {Selected(true, true), Selected(false, true)};
        const auto menu = BuildViewContextMenu(state, icons, nullptr);
        const auto s = States(*menu);
        EXPECT_EQ(s.size(), 9u);  // no 全選択 in the overview menu
        EXPECT_FALSE(s.at(kCmdPlaceOnWebMap));
        EXPECT_FALSE(s.at(kCmdClearLatLong));
        EXPECT_TRUE(s.at(kCmdClearDirection));
        EXPECT_FALSE(s.at(kCmdPlaceOnTrack));  // no track dialog
        EXPECT_EQ(s.count(kCmdSelectAllPhotos), 0u);
        state.selected = {Selected(false, false)};
        state.trackDialogVisible = true;
        const auto s2 = States(*BuildViewContextMenu(state, icons, nullptr));
        EXPECT_TRUE(s2.at(kCmdPlaceOnWebMap));
        EXPECT_FALSE(s2.at(kCmdClearDirection));
        EXPECT_TRUE(s2.at(kCmdPlaceOnTrack));
    }
    {
        // Without a folder and a name only the sort and browser items stay.
        for (const int mode : {0, 2}) {
            ViewMenuState state;
            state.menuMode = state.viewMode = mode;
            state.selected = {Selected(true, true, true)};
            state.paneMap = true;
            state.paneMapKind = 1;
            state.paneMapPlacedCount = 3;
            state.photoCount = 3;
            for (const auto& [id, enabled] : States(*BuildViewContextMenu(state, icons, nullptr))) {
                const bool always = std::count(sortAndBrowser.begin(), sortAndBrowser.end(), id) > 0;
                EXPECT_EQ(enabled, always) << mode << " " << id;
            }
        }
    }
    {
        // Location-map menu: no sort items; a type-0 map cannot be filled; selection wholly on the map.
        ViewMenuState state;
        state.project = true;
        state.menuMode = state.viewMode = 1;
        state.paneMap = true;
        state.paneMapKind = 0;
        state.paneMapPlacedCount = 2;
        state.photoCount = 2;
        state.selected = {Selected(true, true, true), Selected(false, false, true)};
        state.numberKind = 0;
        const auto menu = BuildViewContextMenu(state, icons, nullptr);
        const auto s = States(*menu);
        EXPECT_EQ(s.count(kCmdSortEastToWest), 0u);
        EXPECT_FALSE(s.at(kCmdPlaceInsideMap));
        EXPECT_FALSE(s.at(kCmdPlaceOnMap));
        EXPECT_TRUE(s.at(kCmdRemoveFromMap));
        EXPECT_TRUE(s.at(kCmdSelectAllOnMap));
        EXPECT_TRUE(s.at(kCmdPhotoNumbers));
        EXPECT_TRUE(Find(*menu, kCmdPhotoNumbers)->isChecked());
        EXPECT_FALSE(Find(*menu, kCmdMapPhotoNumbers)->isChecked());
        // Partly on the map: neither placing nor removing; with the ledger open no 全選択.
        state.selected = {Selected(true, true, true), Selected(true, true, false)};
        state.ledgerDialogOpen = true;
        const auto s2 = States(*BuildViewContextMenu(state, icons, nullptr));
        EXPECT_FALSE(s2.at(kCmdPlaceOnMap));
        EXPECT_FALSE(s2.at(kCmdRemoveFromMap));
        EXPECT_FALSE(s2.at(kCmdSelectAllOnMap));
        // Without a current map in the pane: placing stays, the map's own items go.
        state.paneMap = false;
        state.ledgerDialogOpen = false;
        const auto s3 = States(*BuildViewContextMenu(state, icons, nullptr));
        EXPECT_TRUE(s3.at(kCmdPlaceOnMap));
        EXPECT_FALSE(s3.at(kCmdRemoveFromMap));
        EXPECT_FALSE(s3.at(kCmdPlaceInsideMap));
        EXPECT_FALSE(s3.at(kCmdSelectAllOnMap));
    }
    {
        // The line menu as it is.
        ViewMenuState state;
        state.lineMode = true;
        const auto s = States(*BuildViewContextMenu(state, icons, nullptr));
        EXPECT_EQ(s, (std::map<int, bool>{{kCmdUndoLinePoint, true}, {kCmdClearLine, true}, {kCmdRunLineSort, true}}));
    }
}

TEST_F(MainViewTest, MenuKeepsTheClickedPointAndOpensOnlyInsideTheView)
{
    Start();
    EXPECT_EQ(view->BuildContextMenu(QPoint(-1, -1)), nullptr);
    EXPECT_EQ(view->BuildContextMenu(QPoint(kWidth + 1, 10)), nullptr);
    ASSERT_NE(view->BuildContextMenu(QPoint(kWidth, kHeight)), nullptr);

    const auto menu = view->BuildContextMenu(QPoint(300, 200));
    ASSERT_NE(menu, nullptr);
    const fe::geo::GeoPoint expected = view->PixelToLatLong(view->Zoom(), 300, 200);
    EXPECT_DOUBLE_EQ(view->ClickedPoint().longitude, expected.longitude);
    EXPECT_DOUBLE_EQ(view->ClickedPoint().latitude, expected.latitude);
    EXPECT_EQ(view->ClickedZoom(), view->Zoom());
    // The frame's commands go to the frame.
    Find(*menu, app::kCmdSortNorthToSouth)->trigger();
    EXPECT_EQ(host->commands, std::vector<int>{app::kCmdSortNorthToSouth});

    // The overview menu while the site-map dialog shows, even over a location map.
    Edit([](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(2, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(view->SelectLocationMap(0));
    host->siteMapVisible = true;
    EXPECT_EQ(Find(*view->BuildContextMenu(QPoint(10, 10)), app::kCmdPlaceOnMap), nullptr);
    host->siteMapVisible = false;
    EXPECT_NE(Find(*view->BuildContextMenu(QPoint(10, 10)), app::kCmdPlaceOnMap), nullptr);
}

TEST_F(MainViewTest, LineCommandsUndoAndClearTheLineOfTheMode)
{
    Start();
    Edit([](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(2, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(view->SelectLocationMap(0));
    (void)document.Change(ProjectChange::Selection, [](Project& p) {
        p.maps.maps[0].runtime.sortLineGeo = {fe::geo::GeoPoint(136.79, 37.62)};
        return true;
    });
    const auto line = [&] { return document.GetProject().maps.maps[0].runtime.sortLineGeo.size(); };
    // Outside the line mode the commands change nothing.
    view->OnUndoLinePoint();
    EXPECT_EQ(line(), 1u);
    host->ledgerVisible = host->lineSwitch = true;
    const auto menu = view->BuildContextMenu(QPoint(10, 10));
    ASSERT_NE(Find(*menu, app::kCmdUndoLinePoint), nullptr);
    Find(*menu, app::kCmdUndoLinePoint)->trigger();
    EXPECT_EQ(line(), 0u);
    view->OnUndoLinePoint();
    EXPECT_EQ(line(), 0u);
    (void)document.Change(ProjectChange::Selection, [](Project& p) {
        p.maps.maps[0].runtime.sortLineGeo.assign(3, fe::geo::GeoPoint(136.79, 37.62));
        return true;
    });
    view->OnClearLine();
    EXPECT_EQ(line(), 0u);
}

}  // namespace
