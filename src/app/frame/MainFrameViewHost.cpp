// The main frame as the host of the main view.
#include "app/frame/MainFrameViewHost.h"

#include <QAction>

#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/DisplayCommands.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/frame/MapViewMessages.h"
#include "app/frame/TrackCommands.h"
#include "app/sitemap/CmdSiteMapDlg.h"
#include "app/track/IchimillLocusDlg.h"
#include "app/view/TavrelView.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/view/ViewContextMenu.h"
#include "app/view/ViewHost.h"
#include "model/AppSettings.h"
#include "model/LocationMap.h"

namespace app {
namespace {

class FrameViewHost final : public ViewHost
{
public:
    explicit FrameViewHost(CMainFrame& frame) : m_frame(frame) {}

    void SetStatusPixel(int x, int y) override { m_frame.SetStatusPixel(x, y); }
    void SetStatusPlaneXY(int zone, double y, double x) override { m_frame.SetStatusPlaneXY(zone, y, x); }
    void SetStatusLatLong(double latitude, double longitude, int zone) override
    {
        m_frame.SetStatusLatLong(latitude, longitude, zone);
    }
    void ViewModeChanged(int mode, bool hasCurrentMap, int zone) override
    {
        m_frame.UpdateStatusCoordSystem(mode, hasCurrentMap, zone);
        if (const auto& link = m_frame.PaneLinks().photoPaneViewMode)
            link(mode);
        // The track dialog's placing button and plane table follow the map now shown.
        if (const CTrackCommands* tracks = CTrackCommands::Of(m_frame))
            if (CIchimillLocusDlg* dialog = tracks->Dialog())
                dialog->OnLocationMapChanged();
    }
    bool IsSiteMapDialogVisible() const override
    {
        const CCmdSiteMapDlg* dialog = SiteMapDialog();
        return dialog && dialog->isVisible();
    }
    bool SiteMapShowsPhotos() const override
    {
        const CCmdSiteMapDlg* dialog = SiteMapDialog();
        return dialog && dialog->ShowsPhotos();
    }
    int SiteMapActiveRow() const override
    {
        const CCmdSiteMapDlg* dialog = SiteMapDialog();
        return dialog ? dialog->ActiveRow() : -1000;
    }
    void HoldCalloutAnchoring(bool held) override
    {
        if (CCmdSiteMapDlg* dialog = SiteMapDialog())
            dialog->HoldCalloutAnchoring(held);
    }
    // The photo pane's selected rows (photo index + 1); without the pane, the photos marked selected.
    std::vector<int> SelectedPhotoIds() const override
    {
        std::vector<int> ids;
        const CTavrelDoc* document = m_frame.Document();
        if (!document)
            return ids;
        const PhotoList& photos = document->GetProject().photos;
        if (const auto& rows = m_frame.PaneLinks().selectedPhotoRows) {
            for (const int row : rows())
                if (row >= 1 && row <= int(photos.photos.size()))
                    ids.push_back(photos.photos[size_t(row - 1)].id);
            return ids;
        }
        for (const PhotoRecord& photo : photos.photos)
            if (photo.flags & PhotoRecord::kFlagSelected)
                ids.push_back(photo.id);
        return ids;
    }
    bool IsTrackDialogVisible() const override { return app::IsTrackDialogVisible(m_frame); }
    void SelectTrackPoint(int pointIndex) override
    {
        if (CTrackCommands* tracks = CTrackCommands::Of(m_frame))
            if (CIchimillLocusDlg* dialog = tracks->Dialog())
                dialog->SelectTrackPoint(pointIndex);
    }
    int PaneMapIndex() const override
    {
        const auto& link = m_frame.PaneLinks().currentMapIndex;
        return link ? link() : -1;
    }
    void SelectPhoto(int photoId) override { (void)m_frame.SendAppMessage(kMsgSelectPhoto, photoId); }
    void AddPhotoToSelection(int photoId) override
    {
        (void)m_frame.SendAppMessage(kMsgAddPhotoToSelection, photoId);
    }
    void RefreshPhotoList() override
    {
        CallIfSet(m_frame.PaneLinks().fillPhotoList);
        CallIfSet(m_frame.PaneLinks().reloadPropertyDialog);
    }

    // The photo ledger.
    bool IsLedgerDialogVisible() const override { return app::IsLedgerDialogVisible(m_frame); }
    bool IsLedgerDialogOpen() const override { return Ledger() != nullptr; }
    bool IsNumberingDialogShown() const override { return Ledger() && Ledger()->NumberingDialogShown(); }
    bool LedgerLineSwitch() const override { return Ledger() && Ledger()->LineSwitch(); }
    void SortAlongLine() override
    {
        if (CReportLocPhotoDlg* ledger = Ledger())
            ledger->SortAlongLine();
    }

    // Through the frame's action: its rule and its handler decide, as for the menu bar.
    void RunFrameCommand(int command) override
    {
        if (const int message = SortMessageOfCommand(command))
            (void)m_frame.SendAppMessage(message);
        else  // also the commands without a menu item (placing on a track, the browser)
            m_frame.RunCommand(command);
    }
    void ShowOverlapCandidates(const std::vector<int>& photoIds) override
    {
        if (const auto& link = m_frame.PaneLinks().setOverlapPhotos)
            link(photoIds);
    }

private:
    CCmdSiteMapDlg* SiteMapDialog() const
    {
        const auto& link = m_frame.PaneLinks().siteMapDialog;
        return link ? link() : nullptr;
    }
    CReportLocPhotoDlg* Ledger() const
    {
        const CLedgerCommands* commands = CLedgerCommands::Of(m_frame);
        return commands ? commands->Dialog() : nullptr;
    }

    CMainFrame& m_frame;
};

}  // namespace

std::unique_ptr<ViewHost> MakeMainFrameViewHost(CMainFrame& frame)
{
    return std::make_unique<FrameViewHost>(frame);
}

void InstallMainView(CMainFrame& frame, CTavrelView* view)
{
    frame.SetCentralView(view);
    InstallDisplayCommands(frame, *view);
    FramePaneLinks& links = frame.PaneLinks();
    links.refreshView = [view] { view->RenderAndUpdate(); };
    links.restartView = [view] {
        view->InitViewAfterCreate();
        view->RenderAndUpdate();
    };
    links.fitViewToPhotos = [view](int first) { view->FitToPhotos(first); };
    links.mapCentre = [view] { return view->MapServer().Center(); };
    MapCommandHooks& maps = MapHooks(frame);
    maps.viewCentreOnPicture = [view] { return view->ClientCentreOnPicture(); };
    maps.viewTileZoom = [view] { return view->Zoom(); };
    maps.stopTiles = [view] { (void)view->StopTileRequests(); };
    maps.restartTiles = [view] { (void)view->RestartTileRequests(); };
    maps.fitCurrentMap = [view] { view->FitCurrentMap(); };
    InstallMapViewMessages(frame, *view);
    frame.SetStateSource([view](UiState& state) {
        state.viewMode = view->ViewMode();
        if (const LocationMap* map = view->CurrentMap()) {
            state.currentMap = true;
            state.currentMapKind = map->kind;
            state.currentMapZone = map->zone;
            state.currentMapPlacedCount = map->photos.Count();
            state.currentMapNorthArrow = map->overlay.showNorthArrow != 0;
            state.currentMapScaleBar = map->overlay.showScaleBar != 0;
        }
    });
}

}  // namespace app
