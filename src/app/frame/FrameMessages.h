#pragma once

#include <QtGlobal>
#include <functional>
#include <utility>
#include <vector>

#include "fe/geo/GeoPoint.h"

namespace app {

// Runs a link or hook of the frame when it is set; one that is unset does nothing.
template <class F, class... Args>
void CallIfSet(const F& link, Args&&... args)
{
    if (link)
        link(std::forward<Args>(args)...);
}

class CCmdSiteMapDlg;

// The private messages the panes, the dialogs and the view send to the main frame. Each one is a direct,
// synchronous call of CMainFrame::SendAppMessage; the numbers are the program's own so that traces can
// be followed (flow steps from 0x8064, modeless dialogs from 0x81F5, notifications from 0x8322).
enum AppMessage : int
{
    kMsgFlowStageCommon = 0x8064,
    kMsgNewProject = 0x8065,
    kMsgOpenSiteMapDlg = 0x8066,
    kMsgCloseSiteMapDlg = 0x8067,  // wParam 1: save the project
    kMsgFlowStageLocmap = 0x80C8,
    kMsgAddLocationMap = 0x80C9,
    kMsgFlowStageArrange = 0x812C,
    kMsgReservoirSurvey = 0x812D,
    kMsgFlowStageOutput = 0x8190,
    kMsgOutputReport = 0x8191,
    kMsgLocationMapInfo = 0x8192,
    kMsgOpenLedgerDlg = 0x8193,
    kMsgCloseLedgerDlg = 0x8194,  // wParam 1: save the project
    kMsgOutputCad = 0x8196,
    kMsgOutputShapefile = 0x8197,
    kMsgOutputReservoirBook = 0x8198,
    kMsgOutputSiteMap = 0x8199,
    kMsgOutputPhotoPositions = 0x819A,
    kMsgOpenPhotoPropertyDlg = 0x81F5,  // wParam photo index, negative: hide
    kMsgClosePhotoPropertyDlg = 0x81F6,
    kMsgPositionEditOn = 0x81F7,
    kMsgPositionEditOff = 0x81F8,
    kMsgOpenIchimillDlg = 0x81F9,
    kMsgCloseIchimillDlg = 0x81FA,
    kMsgMovePhotosUp = 0x8322,    // wParam, lParam: first and last index of the block
    kMsgMovePhotosDown = 0x8323,  // wParam, lParam: first and last index of the block
    kMsgPhotoSelectionChanged = 0x8324,
    kMsgCurrentMapChanged = 0x8328,
    kMsgShowWebMap = 0x832A,         // wParam 0 standard, 1 pale, 2 aerial photo tiles
    kMsgSelectLocationMap = 0x832B,  // wParam map index, lParam previous index or -1
    kMsgSiteMapsChanged = 0x832C,
    kMsgLedgerSelectionChanged = 0x832E,
    kMsgShowPhotoIds = 0x8330,
    kMsgShowMapPhotoNumbers = 0x8331,
    kMsgSelectPhoto = 0x8333,           // wParam photo id or -1
    kMsgAddPhotoToSelection = 0x8334,  // wParam photo id
    kMsgSortLatDesc = 0x833E,
    kMsgSortLatAsc = 0x833F,
    kMsgSortLonAsc = 0x8340,
    kMsgSortLonDesc = 0x8341,
    kMsgResetFlowPane = 0x8343,
};

// A handler of a message that another part of the program carries out (a dialog, an output, the view).
using AppMessageHandler = std::function<qintptr(qintptr wParam, qintptr lParam)>;

// What the frame's own message handlers need of the panes and the view. Each pane fills in its part when
// it is docked; a part left empty is skipped.
struct FramePaneLinks
{
    // The photo pane: its selected rows (photo index + 1, in selection order), setting them, refilling
    // and emptying the list.
    std::function<std::vector<int>()> selectedPhotoRows;
    std::function<void(const std::vector<int>&)> selectPhotoRows;
    std::function<void()> fillPhotoList;
    std::function<void()> clearPhotoList;
    // The photo pane's columns for a view mode and photo-number kind.
    std::function<void(int viewMode, int numberKind)> applyViewMode;
    // The location-map pane: its current map index (-1 for none), refilling and emptying its list.
    std::function<int()> currentMapIndex;
    std::function<void()> fillMapList;
    std::function<void()> clearMapList;
    // The flow pane shows a stage (0 to 3).
    std::function<void(int)> showFlowStage;
    // Every pane's controls on or off (the busy state), and their states from the rules.
    std::function<void(bool)> enablePaneControls;
    std::function<void()> updatePaneButtons;
    // The modeless dialogs: the property dialog reloads its fields; all of them close (their pending
    // edits are kept first).
    std::function<void()> reloadPropertyDialog;
    std::function<void()> commitPropertyDialog;
    std::function<void()> closeModelessDialogs;
    // The ledger and the property dialog follow the photo selection; the overlap strip empties.
    std::function<void()> syncLedgerRow;
    std::function<void()> syncPropertyDialog;
    std::function<void()> refillLedger;
    std::function<void()> clearOverlapStrip;
    // The photo pane's overlap strip lists the photos of one click, or drops some of them (ids); the pane
    // follows the view's mode.
    std::function<void(const std::vector<int>&)> setOverlapPhotos;
    std::function<void(const std::vector<int>&)> removeFromOverlap;
    std::function<void(int)> photoPaneViewMode;
    // The view draws its picture again; starts afresh on the site overview; fits the overview to the
    // photos with positions from an index of the photo list to its end.
    std::function<void()> refreshView;
    std::function<void()> restartView;
    std::function<void(int)> fitViewToPhotos;
    // The centre of the web map the view shows.
    std::function<fe::geo::GeoPoint()> mapCentre;
    // The location-map pane selects a map (−1: none); the site location map dialog while it exists.
    std::function<void(int)> selectMap;
    // The location-map pane's base-map buttons: checks button k (0 to 2 also store the kind, 3 checks the
    // stored kind's button again, -1 none), and the stored kind (0 standard, 1 pale, 2 aerial photo).
    std::function<void(int)> setMapKind;
    std::function<int()> mapKind;
    std::function<CCmdSiteMapDlg*()> siteMapDialog;
};

}  // namespace app
