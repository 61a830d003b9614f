#include "app/view/ViewContextMenu.h"

#include <QFileInfo>
#include <QMenu>
#include <algorithm>

#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "fe/AppFolders.h"
#include "model/Project.h"

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

int SortMessageOfCommand(int command)
{
    switch (command) {
        case kCmdSortEastToWest:
            return kMsgSortLonDesc;
        case kCmdSortWestToEast:
            return kMsgSortLonAsc;
        case kCmdSortSouthToNorth:
            return kMsgSortLatAsc;
        case kCmdSortNorthToSouth:
            return kMsgSortLatDesc;
        default:
            return 0;
    }
}

MenuIcons LoadMenuIcons()
{
    const char* const files[] = {"blue.png",    "blue_batu.png", "blue_angle_batu.png", "red.png",
                                 "red_batu.png", "red_all.png",   "select.png"};
    MenuIcons icons;
    const QString exeFolder = fe::GetExeFolder();
    for (size_t k = 0; k < icons.size(); ++k) {
        const QString path = exeFolder + QStringLiteral("Icon/") + QString::fromLatin1(files[k]);
        if (!exeFolder.isEmpty() && QFileInfo::exists(path))
            icons[k] = QIcon(path);
    }
    return icons;
}

void FillMenuState(ViewMenuState& state, const Project& project, int paneMapIndex,
                   const std::vector<int>& selectedIds)
{
    state.project = project.HasPath();
    state.photoCount = int(project.photos.photos.size());
    const LocationMap* map =
        project.maps.IsValidIndex(paneMapIndex) ? &project.maps.maps[size_t(paneMapIndex)] : nullptr;
    state.paneMap = map != nullptr;
    state.paneMapKind = map ? map->kind : 0;
    state.paneMapPlacedCount = map ? map->photos.Count() : 0;
    state.selected.clear();
    for (const int id : selectedIds) {
        const PhotoRecord* photo = project.photos.Find(id);
        SelectedPhotoState selected;
        selected.valid = photo != nullptr;
        selected.hasLatLong = photo && photo->HasPosition();
        selected.hasDirection = photo && !IsUnset(photo->direction);
        selected.placedOnCurrent = map && map->photos.FindByPhotoId(id) != nullptr;
        state.selected.push_back(selected);
    }
}

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
        if (state.photoPane)
            AddItem(*menu, kCmdSelectAllPhotos, "写真を全選択する", p && state.photoCount > 0);
        menu->addSeparator();
        AddSortMenu(*menu);
        if (!state.photoPane) {
            menu->addSeparator();
            AddItem(*menu, kCmdOpenWebMapInBrowser, "GoogleMapをブラウザで開く", true);
        }
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
    if (state.photoPane)
        AddSortMenu(*menu);
    else
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
