// The photo pane's buttons, right-button menus, list select and the overlap strip, in the frame over a
// project of imported photos.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QMenu>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/OverlapStrip.h"
#include "app/panes/PhotoPane.h"
#include "app/thumbs/PhotoGridViewerDlg.h"

namespace {

// The frame with its real photo pane, a web location map as map 0 and the pane's current map chosen by
// the test.
struct PaneFrame : PhotoFrame
{
    app::CPanePhotoDlg* pane = nullptr;
    int mapIndex = -1;
    bool ledgerOpen = false;
    bool trackVisible = false;

    explicit PaneFrame(int count) : PhotoFrame(count, false)
    {
        pane = qobject_cast<app::CPanePhotoDlg*>(frame->PhotoPane()->widget());
        EXPECT_NE(pane, nullptr);
        (void)document.Change(ProjectChange::Maps, [](Project& project) {
            return project.maps.AddWebMap(2, Rect2(139.0, 35.0, 140.0, 36.0), 16, false);
        });
        frame->PaneLinks().currentMapIndex = [this] { return mapIndex; };
        frame->PaneLinks().mapCentre = [] { return fe::geo::GeoPoint(139.25, 35.75); };
        frame->SetStateSource([this](app::UiState& state) {
            state.viewMode = pane->ViewMode();
            state.ledgerDialogExists = ledgerOpen;
            state.trackDialogVisible = trackVisible;
        });
        pane->FillList();
    }
    // Item id → (enabled, has a picture) of the menu the pane shows now, its sort popup included.
    std::map<int, std::pair<bool, bool>> Menu() const
    {
        std::map<int, std::pair<bool, bool>> items;
        const std::unique_ptr<QMenu> menu = pane->BuildContextMenu();
        if (!menu)
            return items;
        const QList<QAction*> top = menu->actions();
        std::vector<QAction*> actions(top.begin(), top.end());
        for (size_t k = 0; k < actions.size(); ++k) {
            if (QMenu* sub = actions[k]->menu())
                for (QAction* action : sub->actions())
                    actions.push_back(action);
            else if (!actions[k]->isSeparator())
                items[actions[k]->data().toInt()] = {actions[k]->isEnabled(), !actions[k]->icon().isNull()};
        }
        return items;
    }
    void Choose(int command)
    {
        const std::unique_ptr<QMenu> menu = pane->BuildContextMenu();
        for (QAction* action : menu->findChildren<QAction*>())
            if (action->data().toInt() == command && action->isEnabled()) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no enabled item " << command;
    }
    void PlaceOnMap(const std::vector<int>& rows)
    {
        (void)document.Change(ProjectChange::PlacedPhotos, [&rows](Project& project) {
            for (int row : rows) {
                PlacedPhoto entry;
                entry.photoId = project.photos.photos[size_t(row - 1)].id;
                entry.x = project.photos.photos[size_t(row - 1)].position.longitude;
                entry.y = project.photos.photos[size_t(row - 1)].position.latitude;
                EXPECT_TRUE(project.maps.maps[0].photos.Add(entry));
            }
            return true;
        });
    }
};

using namespace app;

}  // namespace

TEST(PhotoPaneMenus, ItemsAndTheirEnabledStatesFollowTheSelection)
{
    PaneFrame f(10);
    f.SetPositions({35.1, kUnset, 35.3, 35.4, kUnset, 35.6, 35.7, 35.8, 35.9, 35.95});
    struct Case
    {
        const char* what;
        int viewMode;
        std::vector<int> rows;
        bool ledgerOpen;
        std::map<int, bool> enabled;
    };
    const Case cases[] = {
        {"overview, nothing selected", 0, {}, false,
         {{kCmdPlaceOnWebMap, false}, {kCmdClearLatLong, false}, {kCmdClearDirection, false},
          {kCmdPlaceOnTrack, false}, {kCmdSelectAllPhotos, true}, {kCmdSortNorthToSouth, true}}},
        {"overview, positioned and unpositioned", 0, {1, 2}, false,
         {{kCmdPlaceOnWebMap, false}, {kCmdClearLatLong, false}, {kCmdClearDirection, true}}},
        {"overview, unpositioned only", 0, {2, 5}, false,
         {{kCmdPlaceOnWebMap, true}, {kCmdClearLatLong, false}}},
        {"overview, positioned only", 0, {3, 4}, false,
         {{kCmdPlaceOnWebMap, false}, {kCmdClearLatLong, true}}},
        {"map, all placed", 3, {1, 3}, false,
         {{kCmdPlaceOnMap, false}, {kCmdRemoveFromMap, true}, {kCmdPlaceInsideMap, true},
          {kCmdSelectAllOnMap, true}, {kCmdPhotoNumbers, true}, {kCmdMapPhotoNumbers, true},
          {kCmdSortEastToWest, true}}},
        {"map, placed and not placed", 3, {1, 4}, false, {{kCmdPlaceOnMap, false}, {kCmdRemoveFromMap, false}}},
        {"map, none placed", 3, {4}, false, {{kCmdPlaceOnMap, true}, {kCmdRemoveFromMap, false}}},
        {"map, ledger open", 3, {1, 3}, true, {{kCmdSelectAllOnMap, false}, {kCmdRemoveFromMap, true}}},
    };
    f.PlaceOnMap({1, 3});
    f.mapIndex = 0;
    for (const Case& c : cases) {
        f.pane->ApplyViewMode(c.viewMode, 1);
        f.pane->SetSelectedPhotos(c.rows);
        f.ledgerOpen = c.ledgerOpen;
        const auto menu = f.Menu();
        for (const auto& [id, enabled] : c.enabled) {
            ASSERT_TRUE(menu.count(id)) << c.what << ": " << id;
            EXPECT_EQ(menu.at(id).first, enabled) << c.what << ": " << id;
        }
        // The browser item of the view's menu is not in the pane's.
        EXPECT_FALSE(menu.count(kCmdOpenWebMapInBrowser)) << c.what;
    }
    // The items with pictures, from the shipped Icon folder.
    f.pane->ApplyViewMode(0);
    auto menu = f.Menu();
    for (int id : {kCmdPlaceOnWebMap, kCmdClearLatLong, kCmdClearDirection})
        EXPECT_TRUE(menu.at(id).second) << id;
    EXPECT_FALSE(menu.at(kCmdSelectAllPhotos).second);
    f.pane->ApplyViewMode(3);
    menu = f.Menu();
    for (int id : {kCmdPlaceOnMap, kCmdRemoveFromMap, kCmdPlaceInsideMap, kCmdSelectAllOnMap})
        EXPECT_TRUE(menu.at(id).second) << id;
    // No menu outside the four view modes, nor while the pane is off.
    f.pane->ApplyViewMode(5);
    EXPECT_TRUE(f.Menu().empty());
}

TEST(PhotoPaneMenus, EachItemReachesItsFrameCommandAndTheProjectFile)
{
    PaneFrame f(4);
    f.SetPositions({35.1, kUnset, 35.3, kUnset});
    f.pane->ApplyViewMode(0);

    f.pane->SetSelectedPhotos({2, 4});
    f.Choose(kCmdPlaceOnWebMap);
    EXPECT_EQ(f.Reread()[1].position.latitude, 35.75);
    EXPECT_EQ(f.Reread()[3].position.longitude, 139.25);

    f.pane->SetSelectedPhotos({1});
    f.Choose(kCmdClearDirection);
    EXPECT_TRUE(IsUnset(f.Reread()[0].direction));
    f.Choose(kCmdClearLatLong);
    EXPECT_FALSE(f.Reread()[0].HasPosition());

    // North to south: 35.75 (2, 4), 35.3 (3), then photo 1 without a position.
    f.Choose(kCmdSortNorthToSouth);
    std::vector<int> saved;
    for (const PhotoRecord& photo : f.Reread())
        saved.push_back(photo.id);
    EXPECT_EQ(saved, std::vector<int>({2, 4, 3, 1}));

    f.Choose(kCmdSelectAllPhotos);
    EXPECT_EQ(f.pane->GetSelectedRows(true), std::vector<int>({1, 2, 3, 4}));

    // On the location map: place the selection, take one off again.
    f.mapIndex = 0;
    f.pane->ApplyViewMode(3, 1);
    f.pane->SetSelectedPhotos({1, 2});
    f.Choose(kCmdPlaceOnMap);
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(reread.GetProject().maps.maps[0].photos.Count(), 2);
    f.pane->SetSelectedPhotos({1});
    f.Choose(kCmdRemoveFromMap);
    CTavrelDoc again;
    ASSERT_EQ(again.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(again.GetProject().maps.maps[0].photos.Count(), 1);
}

TEST(PhotoPaneButtons, EnabledStatesAndDelete)
{
    PaneFrame f(2);
    const auto enabled = [&f](int id) { return f.pane->Button(id)->isEnabled(); };
    f.pane->SetSelectedPhotos({});
    EXPECT_FALSE(enabled(kButtonDelete));
    EXPECT_TRUE(enabled(kButtonListSelect));
    EXPECT_TRUE(enabled(kButtonExcelList));
    EXPECT_TRUE(enabled(kButtonWriteExif));
    EXPECT_TRUE(enabled(kButtonHelp));
    EXPECT_EQ(f.pane->Button(kButtonExcelList)->toolTip(), QStringLiteral("撮影写真リスト出力(Excel)"));
    EXPECT_EQ(f.pane->Button(kButtonWriteExif)->toolTip(), QStringLiteral("Exif一括書込"));

    f.pane->SetSelectedPhotos({2});
    EXPECT_TRUE(enabled(kButtonDelete));
    f.prompts.QueueAnswer(PromptAnswer::Ok);
    f.pane->Button(kButtonDelete)->click();
    EXPECT_EQ(f.Reread().size(), 1u);
    EXPECT_FALSE(enabled(kButtonDelete));

    // The whole pane is off while the site-map dialog shows.
    f.pane->frameState = [] {
        UiState state;
        state.siteMapDialogVisible = true;
        return state;
    };
    f.pane->UpdateControls();
    EXPECT_FALSE(f.pane->isEnabled());
    f.pane->frameState = {};
    f.pane->UpdateControls();
    EXPECT_TRUE(f.pane->isEnabled());

    // No photos: only help stays.
    f.pane->SetSelectedPhotos({1});
    f.prompts.QueueAnswer(PromptAnswer::Ok);
    f.pane->Button(kButtonDelete)->click();
    for (int id : {kButtonListSelect, kButtonExcelList, kButtonWriteExif, kButtonDelete})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(kButtonHelp));
}

TEST(OverlapStrip, ListsStackedPhotosAndSelectsTheFirst)
{
    PaneFrame f(10);
    const std::vector<int> ids = f.Ids();
    CPaneOverlapDlg* strip = f.pane->OverlapStrip();
    const auto cell = [strip](int row) {
        strip->Grid()->SetCol(1);
        strip->Grid()->SetRow(row);
        return strip->Grid()->Text();
    };
    // The view hands over the marks of one click through the frame.
    f.frame->PaneLinks().setOverlapPhotos({ids[2], ids[6]});
    EXPECT_TRUE(f.pane->OverlapStrip()->isVisibleTo(f.pane));
    EXPECT_EQ(cell(1), QStringLiteral("3"));
    EXPECT_EQ(cell(2), QStringLiteral("7"));
    EXPECT_EQ(f.pane->GetSelectedRows(), std::vector<int>({3}));
    EXPECT_TRUE(f.Photos()[2].flags & PhotoRecord::kFlagSelected);
    strip->Grid()->SetRow(1);
    EXPECT_EQ(strip->Grid()->BackColor(), QColor(255, 242, 0));
    strip->Grid()->SetRow(2);
    EXPECT_EQ(strip->Grid()->BackColor(), QColor(255, 255, 255));

    // Choosing the second row selects its photo alone.
    emit strip->Grid()->LeaveCell(1, 1, 1, 2, nullptr);
    EXPECT_EQ(f.pane->GetSelectedRows(), std::vector<int>({7}));

    // Map numbering: the number texts, "**" for an entry without one.
    f.PlaceOnMap({3, 7});
    (void)f.document.Change(ProjectChange::PlacedPhotos, [](Project& project) {
        project.maps.maps[0].photos.entries[0].numberText = QStringLiteral("P12");
        return true;
    });
    f.mapIndex = 0;
    f.pane->ApplyViewMode(3, 1);
    EXPECT_EQ(cell(1), QStringLiteral("P12"));
    EXPECT_EQ(cell(2), QStringLiteral("**"));

    // One id is not a stack; deleting one of two hides the strip; a user's click hides it too.
    f.pane->SetOverlapPhotos({ids[0]});
    EXPECT_FALSE(strip->isVisibleTo(f.pane));
    f.pane->SetOverlapPhotos({ids[0], ids[1], ids[2]});
    f.pane->RemoveFromOverlap({ids[1]});
    EXPECT_TRUE(strip->isVisibleTo(f.pane));
    EXPECT_EQ(strip->Ids(), std::vector<int>({ids[0], ids[2]}));
    f.pane->SetSelectedPhotos({1});
    f.prompts.QueueAnswer(PromptAnswer::Ok);
    f.pane->Button(kButtonDelete)->click();
    EXPECT_FALSE(strip->isVisibleTo(f.pane));
    EXPECT_EQ(strip->Grid()->Rows(), 0);
    // Deleting one photo of three leaves the other two in the strip.
    const std::vector<int> left = f.Ids();
    f.pane->SetOverlapPhotos({left[1], left[2], left[3]});
    f.pane->SetSelectedPhotos({3});
    f.prompts.QueueAnswer(PromptAnswer::Ok);
    f.pane->Button(kButtonDelete)->click();
    EXPECT_EQ(f.document.GetProject().photos.IndexOfId(left[2]), -1);
    EXPECT_TRUE(strip->isVisibleTo(f.pane));
    EXPECT_EQ(strip->Ids(), std::vector<int>({left[1], left[3]}));
    EXPECT_EQ(strip->Grid()->Rows(), 2);
    f.pane->SetOverlapPhotos({ids[4], ids[5]});
    emit f.pane->Grid()->LeaveCell(1, 1, 1, 2, nullptr);
    EXPECT_FALSE(strip->isVisibleTo(f.pane));
}

TEST(PhotoPaneListSelect, DeletesTheMarkedPhotoKeepsTheOthersSelectedAndTrimsTheStrip)
{
    PaneFrame f(5);
    const std::vector<int> ids = f.Ids();
    f.pane->SetOverlapPhotos({ids[0], ids[2], ids[4]});
    f.pane->SetSelectedPhotos({1, 3});
    const QString doomed = f.CopyOf(f.Photos()[0]);
    ASSERT_TRUE(QFile::exists(doomed));
    std::vector<std::int32_t> shown;
    f.pane->runPhotoWall = [&shown](CPhotoGridViewerDlg& wall) {
        shown = wall.SelectedIds();
        wall.PrepareContextMenu(wall.List()->visualRect(wall.List()->model()->index(0, 0)).center());
        wall.MarkAction()->trigger();
        return int(QDialog::Accepted);
    };
    f.pane->Button(kButtonListSelect)->click();
    EXPECT_EQ(shown, std::vector<std::int32_t>({ids[0], ids[2]}));
    EXPECT_EQ(f.document.GetProject().photos.IndexOfId(ids[0]), -1);
    EXPECT_FALSE(QFile::exists(doomed));
    EXPECT_EQ(f.Reread().size(), 4u);
    EXPECT_EQ(f.pane->Grid()->Rows(), 4);
    EXPECT_EQ(f.pane->GetSelectedRows(), std::vector<int>({2}));  // photo 3 is now row 2
    EXPECT_EQ(f.pane->OverlapStrip()->Ids(), std::vector<int>({ids[2], ids[4]}));

    // Cancel changes nothing.
    f.pane->runPhotoWall = [](CPhotoGridViewerDlg&) { return int(QDialog::Rejected); };
    f.pane->Button(kButtonListSelect)->click();
    EXPECT_EQ(f.Photos().size(), 4u);
    EXPECT_EQ(f.pane->GetSelectedRows(), std::vector<int>({2}));
}
