#include "app/frame/MapViewMessages.h"

#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/TrackCommands.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/track/IchimillLocusDlg.h"
#include "app/view/TavrelView.h"
#include "model/AppSettings.h"
#include "model/LocationMap.h"

namespace app {
namespace {

bool LedgerExists(const CMainFrame& frame)
{
    const CLedgerCommands* ledger = CLedgerCommands::Of(frame);
    return ledger && ledger->Dialog();
}

int PaneMapIndex(CMainFrame& frame)
{
    const auto& link = frame.PaneLinks().currentMapIndex;
    return link ? link() : -1;
}

int PaneMapKind(CMainFrame& frame)
{
    const auto& link = frame.PaneLinks().mapKind;
    return link ? link() : 0;
}

void PaneSetMapKind(CMainFrame& frame, int kind)
{
    if (const auto& link = frame.PaneLinks().setMapKind)
        link(kind);
}

// The view on base map `choice` (0 standard, 1 pale, 2 aerial photo): map kind 2 to 4 on tile site 0 to 2
// of the settings. A site the settings lack leaves the tiles as they are.
void SetBaseMap(CTavrelView& view, int choice)
{
    const auto& sites = view.Settings().tileSites;
    if (choice >= 0 && choice < 3 && size_t(choice) < sites.size())
        view.SetMapKind(choice + 2, sites[size_t(choice)]);
}

qintptr ShowWebMap(CMainFrame& frame, CTavrelView& view, qintptr choice)
{
    const Project& project = frame.Document()->GetProject();
    // The site-map dialog shows its own map over the tiles.
    if (frame.CurrentState().siteMapDialogVisible && project.siteMaps.Count() > 0)
        return 0;
    // Leaving a web map keeps its zoom on the overview.
    int zoom = -1;
    const int current = PaneMapIndex(frame);
    if (project.maps.IsValidIndex(current) && project.maps.maps[size_t(current)].IsWebMap())
        zoom = project.maps.maps[size_t(current)].tileZoom;
    if (const auto& select = frame.PaneLinks().selectMap)
        select(-1);
    if (LedgerExists(frame))
        (void)frame.SendAppMessage(kMsgCloseLedgerDlg, 1);
    {
        WaitCursor wait;
        (void)view.SelectLocationMap(-1);
        SetBaseMap(view, int(choice));
        PaneSetMapKind(frame, int(choice));
        if (zoom >= 0) {
            view.MapServer().SetZoom(zoom);
            view.MapServer().Server().RaiseNewTileFlag();
        }
        view.RenderAndUpdate();
        FinishViewChange(frame, &view);
    }
    return 1;
}

qintptr SelectLocationMap(CMainFrame& frame, CTavrelView& view, qintptr index, qintptr previous)
{
    WaitCursor wait;
    if (previous >= 0 && LedgerExists(frame))
        frame.CommitLedgerGrid();
    // Another map than the one left shows everything again.
    if (index != previous) {
        view.showShotPhotos = 1;
        view.showMapPhotos = 1;
        view.showOverviewFrames = 1;
        view.showMapFrames = 1;
        view.showGreyMarks = 1;
    }
    if (frame.CurrentState().siteMapDialogVisible) {
        (void)view.SelectSiteMap(int(index));
        PaneSetMapKind(frame, 3);
        view.RenderAndUpdate();
    } else if (PaneMapIndex(frame) < 0) {
        (void)frame.SendAppMessage(kMsgCloseLedgerDlg, 1);
        ShowOverviewOnPaneBaseMap(frame, view);
        PaneSetMapKind(frame, 3);
        view.RenderAndUpdate();
    } else {
        (void)view.SelectLocationMap(int(index));
        if (const auto& refill = frame.PaneLinks().refillLedger)
            refill();  // bound to the shown map and filled again
        PaneSetMapKind(frame, -1);
        const CLedgerCommands* ledger = CLedgerCommands::Of(frame);
        if (!ledger || !ledger->DialogVisible()) {
            // Without the ledger the photos selected on the last map are let go.
            if (const auto& select = frame.PaneLinks().selectPhotoRows)
                select({});
            (void)frame.SendAppMessage(kMsgPhotoSelectionChanged);
        }
    }
    FinishViewChange(frame, &view);
    return 1;
}

}  // namespace

void ShowOverviewOnPaneBaseMap(CMainFrame& frame, CTavrelView& view)
{
    (void)view.SelectLocationMap(-1);
    SetBaseMap(view, PaneMapKind(frame));
}

void FinishViewChange(CMainFrame& frame, CTavrelView* view)
{
    if (view) {
        if (const auto& columns = frame.PaneLinks().photoPaneViewMode)
            columns(view->ViewMode());
        const LocationMap* map = view->CurrentMap();
        frame.UpdateStatusCoordSystem(view->ViewMode(), map != nullptr, map ? map->zone : 0);
    }
    if (const CTrackCommands* tracks = CTrackCommands::Of(frame))
        if (CIchimillLocusDlg* dialog = tracks->Dialog())
            dialog->OnLocationMapChanged();
    frame.UpdatePhotoPaneTitle();
    frame.UpdatePaneControls(false);
    frame.UpdateCommandStates();
}

void InstallMapViewMessages(CMainFrame& frame, CTavrelView& view)
{
    frame.SetMessageHandler(kMsgShowWebMap,
                            [&frame, &view](qintptr choice, qintptr) { return ShowWebMap(frame, view, choice); });
    frame.SetMessageHandler(kMsgSelectLocationMap, [&frame, &view](qintptr index, qintptr previous) {
        return SelectLocationMap(frame, view, index, previous);
    });
}

}  // namespace app
