#pragma once

#include <QIcon>
#include <array>
#include <memory>
#include <vector>

#include "app/frame/CommandRules.h"

class QMenu;
class QWidget;
struct Project;

namespace app {

// What the view's right-button menus show and enable.
struct ViewMenuState
{
    bool lineMode = false;  // the linear-sort line is being drawn: the line menu, as it is
    int menuMode = 0;       // 0 the overview menu; 1 to 3 the location-map menu
    int viewMode = 0;
    bool project = false;  // the project has a folder and a name
    std::vector<SelectedPhotoState> selected;  // the photo pane's selected rows
    bool trackDialogVisible = false;
    bool ledgerDialogOpen = false;
    int photoCount = 0;
    bool paneMap = false;  // the location-map pane has a valid current map
    int paneMapKind = 0;
    int paneMapPlacedCount = 0;
    int numberKind = 1;  // 0 the photo's place in the list, 1 the placed number text
    // The photo pane's own menus: no browser item, 写真を全選択する on the overview, the sort popup on both.
    bool photoPane = false;
};

// Fills the state's project, photo count, location-map and selection fields from the project, the
// location-map pane's map index and the selected photos' ids.
void FillMenuState(ViewMenuState& state, const Project& project, int paneMapIndex,
                   const std::vector<int>& selectedIds);

// The item pictures, in the order blue, blue_batu, blue_angle_batu, red, red_batu, red_all, select.
using MenuIcons = std::array<QIcon, 7>;
// The pictures from the executable's Icon folder; none where the folder or a file is missing.
MenuIcons LoadMenuIcons();

// The frame's sort message of a 撮影写真ソート item (kMsgSortLatDesc ...); 0 for another command.
int SortMessageOfCommand(int command);

// Builds the menu of the state: the line menu (一点戻し, 全消去, ソート実行), the overview menu or the
// location-map menu, with the item pictures, the enabled states and the two number checks. Every action's
// data() is its command id.
std::unique_ptr<QMenu> BuildViewContextMenu(const ViewMenuState& state, const MenuIcons& icons, QWidget* parent);

}  // namespace app
