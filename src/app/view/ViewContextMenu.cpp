#include "app/view/ViewContextMenu.h"

#include <QMenu>
#include <algorithm>

#include "app/frame/CommandIds.h"

namespace app {
namespace {

QAction* AddItem(QMenu& menu, int id, const char* text, bool enabled)
{
    QAction* action = menu.addAction(QString::fromUtf8(text));
    action->setData(id);
    action->setEnabled(enabled);
    return action;
}

void AddSortMenu(QMenu& menu)
{
    QMenu* sort = menu.addMenu(QStringLiteral("撮影写真ソート"));
    AddItem(*sort, kCmdSortEastToWest, "東→西", true);
    AddItem(*sort, kCmdSortWestToEast, "西→東", true);
    AddItem(*sort, kCmdSortSouthToNorth, "南→北", true);
    AddItem(*sort, kCmdSortNorthToSouth, "北→南", true);
}

template <class Test>
bool AllSelected(const ViewMenuState& state, Test test)
{
    return std::all_of(state.selected.begin(), state.selected.end(), test);
}

}  // namespace

std::unique_ptr<QMenu> BuildViewContextMenu(const ViewMenuState& state, const MenuIcons& icons, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    if (state.lineMode) {
        AddItem(*menu, kCmdUndoLinePoint, "一点戻し", true);
        AddItem(*menu, kCmdClearLine, "全消去", true);
        menu->addSeparator();
        AddItem(*menu, kCmdRunLineSort, "ソート実行", true);
        return menu;
    }
    const bool p = state.project;
    const bool anySelected = p && !state.selected.empty();
    const bool allPositioned = AllSelected(state, [](const SelectedPhotoState& s) { return s.hasLatLong; });
    const bool nonePositioned = AllSelected(state, [](const SelectedPhotoState& s) { return !s.hasLatLong; });
    const bool allWithDirection = AllSelected(state, [](const SelectedPhotoState& s) { return s.hasDirection; });
    const bool numbers = p && state.viewMode != 0;

    if (state.menuMode == 0) {
        AddItem(*menu, kCmdPlaceOnWebMap, "写真を配置", anySelected && nonePositioned)->setIcon(icons[0]);
        AddItem(*menu, kCmdClearLatLong, "写真緯度経度クリア", anySelected && allPositioned)->setIcon(icons[1]);
        AddItem(*menu, kCmdClearDirection, "撮影方向クリア", anySelected && allWithDirection)->setIcon(icons[2]);
        AddItem(*menu, kCmdPlaceOnTrack, "軌跡上に配置", anySelected && state.trackDialogVisible);
        menu->addSeparator();
        AddSortMenu(*menu);
        menu->addSeparator();
        AddItem(*menu, kCmdOpenWebMapInBrowser, "GoogleMapをブラウザで開く", true);
        return menu;
    }
    const bool allOnMap = AllSelected(state, [](const SelectedPhotoState& s) { return s.placedOnCurrent; });
    const bool noneOnMap = AllSelected(state, [](const SelectedPhotoState& s) { return !s.placedOnCurrent; });
    AddItem(*menu, kCmdPlaceOnMap, "位置図に写真を配置", anySelected && (!state.paneMap || noneOnMap))
        ->setIcon(icons[3]);
    AddItem(*menu, kCmdRemoveFromMap, "位置図から写真を外す", anySelected && state.paneMap && allOnMap)
        ->setIcon(icons[4]);
    AddItem(*menu, kCmdPlaceInsideMap, "位置図内写真配置", p && state.paneMap && state.paneMapKind != 0)
        ->setIcon(icons[5]);
    AddItem(*menu, kCmdSelectAllOnMap, "全選択",
            p && state.paneMap && state.paneMapPlacedCount > 0 && !state.ledgerDialogOpen && state.photoCount > 0)
        ->setIcon(icons[6]);
    menu->addSeparator();
    AddItem(*menu, kCmdOpenWebMapInBrowser, "GoogleMapをブラウザで開く", true);
    menu->addSeparator();
    QAction* photoNumbers = AddItem(*menu, kCmdPhotoNumbers, "撮影写真番号", numbers);
    QAction* mapNumbers = AddItem(*menu, kCmdMapPhotoNumbers, "位置図写真番号", numbers);
    photoNumbers->setCheckable(true);
    mapNumbers->setCheckable(true);
    photoNumbers->setChecked(state.numberKind == 0);
    mapNumbers->setChecked(state.numberKind == 1);
    return menu;
}

}  // namespace app
