#include "app/frame/MapCommands.h"

#include <QObject>
#include <algorithm>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommandSupport.h"
#include "app/maps/LocmapAddDlg.h"
#include "app/maps/ReportLocInfoDlg.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "model/AppSettings.h"

namespace app {
namespace mapcmd {

TileWorkerRest::TileWorkerRest(CMainFrame& frame) : m_frame(frame)
{
    CallIfSet(MapHooks(m_frame).stopTiles);
}

TileWorkerRest::~TileWorkerRest()
{
    CallIfSet(MapHooks(m_frame).restartTiles);
}

int CurrentMap(CMainFrame& frame)
{
    const auto& link = frame.PaneLinks().currentMapIndex;
    const int index = link ? link() : -1;
    const CTavrelDoc* doc = frame.Document();
    return doc && doc->GetProject().maps.IsValidIndex(index) ? index : -1;
}

void ShowMap(CMainFrame& frame, int index)
{
    CallIfSet(frame.PaneLinks().fillMapList);
    if (const auto& hook = MapHooks(frame).showMap)
        hook(index);
    if (index < 0)
        (void)frame.SendAppMessage(kMsgShowWebMap, 0);
}

void Refresh(CMainFrame& frame)
{
    CallIfSet(frame.PaneLinks().refreshView);
}

// The photo pane follows a change of what is placed on the current map: its rows, its caption, its buttons.
void ShowPlacedPhotos(CMainFrame& frame)
{
    const FramePaneLinks& links = frame.PaneLinks();
    CallIfSet(links.fillPhotoList);
    const int index = CurrentMap(frame);
    const CTavrelDoc* doc = frame.Document();
    const int placed = index >= 0 && doc ? doc->GetProject().maps.maps[size_t(index)].photos.Count() : 0;
    frame.UpdatePhotoPaneTitle(index >= 0, placed);
    CallIfSet(links.updatePaneButtons);
}

void CloseLedger(CMainFrame& frame)
{
    (void)frame.SendAppMessage(kMsgCloseLedgerDlg, 1);
}

}  // namespace mapcmd

namespace {

using namespace mapcmd;

// Holds the hooks as a child of the frame, so that the frame needs no member for them.
class MapCommandHost : public QObject
{
public:
    using QObject::QObject;
    MapCommandHooks hooks;
};

// Runs `edit` on the current map through the document; false without a current map.
bool ChangeCurrentMap(CMainFrame& frame, ProjectChanges kinds, const std::function<bool(Project&, int)>& edit)
{
    CTavrelDoc* doc = frame.Document();
    const int index = CurrentMap(frame);
    if (!doc || index < 0)
        return false;
    return doc->Change(kinds, [&](Project& project) { return edit(project, index); }).changed;
}

// The selected photos as indices into the photo list, in selection order.
std::vector<int> SelectedPhotos(CMainFrame& frame)
{
    std::vector<int> photos;
    if (const auto& link = frame.PaneLinks().selectedPhotoRows) {
        for (const int row : link())
            photos.push_back(row - 1);
    }
    return photos;
}

void SetSelectedPhotos(CMainFrame& frame, const std::vector<int>& photos)
{
    if (const auto& link = frame.PaneLinks().selectPhotoRows) {
        std::vector<int> rows;
        for (const int index : photos)
            rows.push_back(index + 1);
        link(rows);
    }
    CallIfSet(frame.PaneLinks().refillLedger);
}

void ToggleOverlay(CMainFrame& frame, std::uint8_t MapOverlayLayout::*flag)
{
    // A display switch: kept in memory and written with the next change of the project.
    (void)ChangeCurrentMap(frame, ProjectChange::Selection, [flag](Project& project, int index) {
        std::uint8_t& value = project.maps.maps[static_cast<size_t>(index)].overlay.*flag;
        value = value ? 0 : 1;
        return true;
    });
    Refresh(frame);
}

}  // namespace

MapCommandHooks& MapHooks(CMainFrame& frame)
{
    for (QObject* child : frame.children()) {
        if (auto* host = dynamic_cast<MapCommandHost*>(child))
            return host->hooks;
    }
    return (new MapCommandHost(&frame))->hooks;
}

void AddLocationMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    if (!doc)
        return;
    if (CurrentMap(frame) >= 0)
        ShowMap(frame, -1);
    CLocmapAddDlg chooser(
        doc->GetProject().HasPath(), CurrentMap(frame), [&frame] { ImportBackgroundMap(frame); },
        [&frame] { (void)AddWebTileMap(frame); }, &frame);
    chooser.exec();
}

bool AddWebTileMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    if (!doc || !doc->appSettings || frame.CurrentState().viewMode != 0)
        return false;
    CSetCoordSystemNoDlg zoneDialog(*doc->appSettings, &frame);
    if (zoneDialog.exec() != QDialog::Accepted)
        return false;
    const bool setZone = zoneDialog.ZoneChosen() == 1;
    const int zone = zoneDialog.SelectedZone();
    const ProjectChangeOutcome outcome = doc->Change(ProjectChange::Maps, [&](Project& project) {
        if (!project.maps.AddWebMap(doc->overviewKind, doc->overviewBox, doc->overviewZoom, false))
            return false;
        if (setZone)
            project.maps.maps.back().zone = zone;
        return true;
    });
    if (!outcome.changed)
        return false;
    ShowMap(frame, doc->GetProject().maps.Count() - 1);
    (void)frame.SendAppMessage(kMsgCurrentMapChanged);
    return true;
}

void CopyLocationMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    const int index = CurrentMap(frame);
    if (!doc || index < 0)
        return;
    // The ledger writes its edits into its own map before the maps change.
    CloseLedger(frame);
    const ProjectChangeOutcome outcome =
        doc->Change(ProjectChange::Maps, [index](Project& project) { return project.CopyMap(index); });
    if (!outcome.changed) {
        ShowMessage(&frame, QStringLiteral("位置図No.%1のコピーに失敗しました。").arg(index + 1));
        return;
    }
    const int count = doc->GetProject().maps.Count();
    ShowMap(frame, count - 1);
    ShowPlacedPhotos(frame);
    ShowMessage(&frame,
                QStringLiteral("No.%1の背景地図をコピーして、No.%2の位置図を作成しました。").arg(index + 1).arg(count));
}

void DeleteLocationMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    const int index = CurrentMap(frame);
    if (!doc || index < 0)
        return;
    if (!AskYesNo(&frame, QStringLiteral("位置図No.%1を削除します。\nよろしいですか?").arg(index + 1)))
        return;
    // The ledger of the map is closed (its edits written back) while its map is still there, so that
    // nothing of it reaches the map that takes the index.
    CloseLedger(frame);
    (void)doc->Change(ProjectChanges(ProjectChange::Maps) | ProjectChange::PlacedPhotos,
                      [index](Project& project) {
                          if (!project.maps.IsValidIndex(index))
                              return false;
                          project.maps.DeleteMap(index, project.MapFolder());
                          return true;
                      });
    const int count = doc->GetProject().maps.Count();
    ShowMap(frame, count == 0 ? -1 : std::min(index, count - 1));
    ShowPlacedPhotos(frame);
}

void PlacePhotosOnLocationMap(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    const MapCommandHooks& hooks = MapHooks(frame);
    const int index = CurrentMap(frame);
    const std::vector<int> rows = SelectedPhotos(frame);
    if (!doc || index < 0 || rows.empty())
        return;
    const Point2 pictureCentre = hooks.viewCentreOnPicture ? hooks.viewCentreOnPicture() : Point2();
    fe::geo::GeoPoint mapCentre;
    if (const auto& link = frame.PaneLinks().mapCentre) {
        mapCentre = link();
    } else {
        const Point2 centre = doc->overviewBox.Centre();
        mapCentre = fe::geo::GeoPoint(centre.x, centre.y);
    }
    Project::PlaceOutcome placed;
    (void)doc->Change(ProjectChanges(ProjectChange::Photos) | ProjectChange::PlacedPhotos,
                      [&](Project& project) {
                          placed = project.PlacePhotosOnMap(index, rows, pictureCentre, mapCentre);
                          return placed.placed > 0;
                      });
    if (rows.size() >= 2 && placed.alreadyPlaced > 0)
        ShowMessage(&frame, QStringLiteral("%1件既に配置済みの写真です。").arg(placed.alreadyPlaced));
    else if (rows.size() == 1 && placed.alreadyPlaced == 1)
        ShowMessage(&frame, kMapPlacedAlreadyText);
    const FramePaneLinks& links = frame.PaneLinks();
    ShowPlacedPhotos(frame);
    CallIfSet(links.refillLedger);
    CallIfSet(links.reloadPropertyDialog);
    CallIfSet(links.syncLedgerRow);
    Refresh(frame);
}

void RemovePhotosFromMap(CMainFrame& frame)
{
    const std::vector<int> rows = SelectedPhotos(frame);
    (void)ChangeCurrentMap(frame, ProjectChange::PlacedPhotos, [&rows](Project& project, int index) {
        return !project.RemovePhotosFromMap(index, rows).empty();
    });
    ShowPlacedPhotos(frame);
    CallIfSet(frame.PaneLinks().refillLedger);
    Refresh(frame);
}

void SelectAllPlacedPhotos(CMainFrame& frame)
{
    std::vector<int> selected;
    if (!ChangeCurrentMap(frame, ProjectChange::Selection, [&selected](Project& project, int index) {
            selected = project.SelectPlacedPhotos(index);
            return true;
        }))
        return;
    SetSelectedPhotos(frame, selected);
    CallIfSet(frame.PaneLinks().clearOverlapStrip);
    Refresh(frame);
}

void PlacePhotosInMapRange(CMainFrame& frame)
{
    (void)ChangeCurrentMap(frame, ProjectChange::PlacedPhotos, [](Project& project, int index) {
        LocationMap& map = project.maps.maps[static_cast<size_t>(index)];
        map.photos.entries.clear();
        map.PlacePhotosInside(project.photos, project.PhotoFolder());
        for (PhotoRecord& photo : project.photos.photos)
            photo.flags &= ~PhotoRecord::kFlagSelected;
        return true;
    });
    ShowPlacedPhotos(frame);
    SetSelectedPhotos(frame, {});
    CallIfSet(frame.PaneLinks().clearOverlapStrip);
    Refresh(frame);
}

void ToggleNorthArrow(CMainFrame& frame)
{
    ToggleOverlay(frame, &MapOverlayLayout::showNorthArrow);
}

void ToggleScaleBar(CMainFrame& frame)
{
    ToggleOverlay(frame, &MapOverlayLayout::showScaleBar);
}

void ResetMapArea(CMainFrame& frame)
{
    (void)ChangeCurrentMap(frame, ProjectChange::Maps,
                           [](Project& project, int index) { return project.ResetMapArea(index); });
    Refresh(frame);
}

void ShowLocationMapInfo(CMainFrame& frame)
{
    CTavrelDoc* doc = frame.Document();
    if (!doc || !doc->appSettings)
        return;
    const MapCommandHooks& hooks = MapHooks(frame);
    int index = CurrentMap(frame);
    if (index < 0) {
        if (doc->GetProject().maps.Count() == 0)
            return;
        index = 0;
        ShowMap(frame, 0);
    }
    CallIfSet(hooks.hideModelessDialogs);
    const int viewZoom = hooks.viewTileZoom ? hooks.viewTileZoom() : doc->overviewZoom;
    LocationMap edited = doc->GetProject().maps.maps[static_cast<size_t>(index)];
    CReportLocInfoDlg dialog(edited, doc->appSettings->fixedItemNames, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    WaitCursor wait;
    (void)doc->Change(ProjectChange::Maps, [&](Project& project) {
        if (!project.maps.IsValidIndex(index))
            return false;
        project.maps.maps[static_cast<size_t>(index)] = edited;
        return true;
    });
    if (edited.kind != dialog.RecordedKind())
        ShowMap(frame, index);
    if (edited.tileZoom != dialog.RecordedZoom() || edited.tileZoom != viewZoom)
        CallIfSet(hooks.fitCurrentMap);
    CallIfSet(frame.PaneLinks().fillMapList);
    Refresh(frame);
}

void InstallMapCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdAddLocationMap, [&frame] { AddLocationMap(frame); });
    frame.SetCommandHandler(kCmdCopyMap, [&frame] { CopyLocationMap(frame); });
    frame.SetCommandHandler(kCmdDeleteMap, [&frame] { DeleteLocationMap(frame); });
    frame.SetCommandHandler(kCmdPlaceOnMap, [&frame] { PlacePhotosOnLocationMap(frame); });
    frame.SetCommandHandler(kCmdRemoveFromMap, [&frame] { RemovePhotosFromMap(frame); });
    frame.SetCommandHandler(kCmdPlaceInsideMap, [&frame] { PlacePhotosInMapRange(frame); });
    frame.SetCommandHandler(kCmdSelectAllOnMap, [&frame] { SelectAllPlacedPhotos(frame); });
    frame.SetCommandHandler(kCmdNorthArrow, [&frame] { ToggleNorthArrow(frame); });
    frame.SetCommandHandler(kCmdScaleBar, [&frame] { ToggleScaleBar(frame); });
    // Double-clicking a map name and the flow pane's step open the name and attributes dialog.
    frame.SetMessageHandler(kMsgLocationMapInfo, [&frame](qintptr, qintptr) -> qintptr {
        CTavrelDoc* doc = frame.Document();
        if (!doc || frame.IsBusy() || !doc->RunCommand([&frame] { ShowLocationMapInfo(frame); }))
            return 0;
        frame.UpdateCommandStates();
        return 1;
    });
}

}  // namespace app
