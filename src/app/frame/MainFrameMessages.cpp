// The main frame's private messages: one synchronous dispatch, the handlers the frame carries out itself
// (flow stages, a new project, photo selection, current map, sorting and moving photos), and the hand-over
// of the others to the handlers their owners set.
#include <QWidget>
#include <algorithm>
#include <cstdint>

#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/PhotoOrdering.h"

namespace {

// Messages that do what a command of the menus does: without a handler of their own they run the
// command, checked by its rule like a menu click.
int CommandOfMessage(int message)
{
    switch (message) {
        case app::kMsgAddLocationMap:
            return app::kCmdAddLocationMap;
        case app::kMsgOutputReport:
            return app::kCmdOutputReport;
        case app::kMsgOpenIchimillDlg:
            return app::kCmdTrack;
        default:
            return 0;
    }
}

app::PhotoSortOrder SortOrderOf(int message)
{
    switch (message) {
        case app::kMsgSortLatDesc:
            return app::PhotoSortOrder::LatitudeDescending;
        case app::kMsgSortLatAsc:
            return app::PhotoSortOrder::LatitudeAscending;
        case app::kMsgSortLonAsc:
            return app::PhotoSortOrder::LongitudeAscending;
        default:
            return app::PhotoSortOrder::LongitudeDescending;
    }
}

}  // namespace

void CMainFrame::SetMessageHandler(int message, app::AppMessageHandler handler)
{
    m_messageHandlers.insert(message, std::move(handler));
}

qintptr CMainFrame::SendAppMessage(int message, qintptr wParam, qintptr lParam)
{
    switch (message) {
        case app::kMsgFlowStageCommon:
            SelectFlowStage(0);
            return 0;
        case app::kMsgFlowStageLocmap:
            SelectFlowStage(1);
            return 0;
        case app::kMsgFlowStageOutput:
            SelectFlowStage(2);
            return 0;
        case app::kMsgFlowStageArrange:
            SelectFlowStage(3);
            return 0;
        case app::kMsgResetFlowPane:
            if (m_links.showFlowStage)
                m_links.showFlowStage(0);
            SelectFlowStage(0);
            return 0;
        case app::kMsgNewProject:
            return RunAsCommand([this] { return qintptr(OnNewProject()); });
        default:
            break;
    }
    if (!m_document)
        return 0;
    switch (message) {
        case app::kMsgPhotoSelectionChanged:
            return OnPhotoSelectionChanged(m_links.selectedPhotoRows ? m_links.selectedPhotoRows()
                                                                     : std::vector<int>());
        case app::kMsgCurrentMapChanged:
            return OnCurrentMapChanged();
        case app::kMsgSelectPhoto:
            return OnSelectPhoto(wParam, false);
        case app::kMsgAddPhotoToSelection:
            return OnSelectPhoto(wParam, true);
        case app::kMsgSortLatDesc:
        case app::kMsgSortLatAsc:
        case app::kMsgSortLonAsc:
        case app::kMsgSortLonDesc:
            return RunAsCommand([this, message] { return OnSortPhotos(message); });
        case app::kMsgMovePhotosUp:
        case app::kMsgMovePhotosDown:
            return RunAsCommand([this, message, wParam, lParam] {
                return OnMovePhotos(wParam, lParam, message == app::kMsgMovePhotosUp);
            });
        default:
            break;
    }
    const auto handler = m_messageHandlers.constFind(message);
    if (handler != m_messageHandlers.cend())
        return handler.value()(wParam, lParam);
    if (const int command = CommandOfMessage(message)) {
        Trigger(command);
        return 1;
    }
    return 0;
}

qintptr CMainFrame::RunAsCommand(const std::function<qintptr()>& handler)
{
    // A message that changes the project is refused while a command runs: a long command lets events
    // through, and a pane button pressed then must not start a second change of the project.
    if (!m_document || IsBusy())
        return 0;
    qintptr result = 0;
    if (!m_document->RunCommand([&] { result = handler(); }))
        return 0;
    UpdateCommandStates();
    return result;
}

void CMainFrame::SelectFlowStage(int stage)
{
    const app::UiState state = CurrentState();
    if (state.siteMapDialogVisible || state.ledgerDialogVisible) {
        if (m_links.showFlowStage)
            m_links.showFlowStage(m_flowStage);
        return;
    }
    if (stage < 0 || stage > 3 || stage == m_flowStage)
        return;
    m_flowStage = stage;
    if (m_links.showFlowStage)
        m_links.showFlowStage(stage);
}

void CMainFrame::RefreshView()
{
    if (m_links.refreshView)
        m_links.refreshView();
    else if (centralWidget())
        centralWidget()->update();
}

qintptr CMainFrame::OnPhotoSelectionChanged(const std::vector<int>& rows)
{
    if (m_document->GetProject().photos.photos.empty())
        return 0;
    (void)m_document->Change(ProjectChange::Selection, [&rows](Project& project) {
        std::vector<PhotoRecord>& photos = project.photos.photos;
        for (PhotoRecord& photo : photos)
            photo.flags &= ~PhotoRecord::kFlagSelected;
        for (int row : rows)
            if (row >= 1 && row <= int(photos.size()))
                photos[size_t(row - 1)].flags |= PhotoRecord::kFlagSelected;
        if (!rows.empty())
            project.SyncPlacedPhotos();
        return true;
    });
    app::CallIfSet(m_links.syncLedgerRow);
    RefreshView();
    app::CallIfSet(m_links.syncPropertyDialog);
    UpdatePhotoPaneTitle();
    return 1;
}

qintptr CMainFrame::OnCurrentMapChanged()
{
    const int current = m_links.currentMapIndex ? m_links.currentMapIndex() : -1;
    bool moved = false;
    (void)m_document->Change(ProjectChange::Selection, [current, &moved](Project& project) {
        for (int k = 0; k < project.maps.Count(); ++k) {
            LocationMap& map = project.maps.maps[size_t(k)];
            moved = moved || map.IsCurrent() != (k == current);
            map.flags &= ~LocationMap::kFlagCurrent;
            if (k == current)
                map.flags |= LocationMap::kFlagCurrent;
        }
        return true;
    });
    // The photo list shows the numbers and placing of the current map, its caption the count on it.
    if (moved && m_links.fillPhotoList)
        m_links.fillPhotoList();
    UpdatePhotoPaneTitle();
    RefreshView();
    return 1;
}

qintptr CMainFrame::OnSelectPhoto(qintptr photoId, bool add)
{
    const PhotoList& photos = m_document->GetProject().photos;
    const int index = photoId < 0 || photoId > INT32_MAX ? -1 : photos.IndexOfId(std::int32_t(photoId));
    std::vector<int> rows;
    if (add && index >= 0 && m_links.selectedPhotoRows)
        rows = m_links.selectedPhotoRows();
    if (index >= 0)
        rows.push_back(index + 1);
    if (m_links.selectPhotoRows)
        m_links.selectPhotoRows(rows);
    return OnPhotoSelectionChanged(rows);
}

void CMainFrame::SyncSelectionFromPhotos()
{
    std::vector<int> rows;
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    for (size_t k = 0; k < photos.size(); ++k)
        if (photos[k].flags & PhotoRecord::kFlagSelected)
            rows.push_back(int(k) + 1);
    if (m_links.selectPhotoRows)
        m_links.selectPhotoRows(rows);
    app::CallIfSet(m_links.syncPropertyDialog);
    UpdatePhotoPaneTitle();
}

qintptr CMainFrame::OnSortPhotos(int message)
{
    // The new order is saved like every other change, so that it survives the end of the program.
    const ProjectChangeOutcome outcome =
        m_document->Change(ProjectChange::Photos, [order = SortOrderOf(message)](Project& project) {
            app::SortPhotos(project.photos.photos, order);
            return true;
        });
    app::CallIfSet(m_links.fillPhotoList);
    SyncSelectionFromPhotos();
    RefreshView();
    return outcome.refused ? 0 : 1;
}

qintptr CMainFrame::OnMovePhotos(qintptr wParam, qintptr lParam, bool up)
{
    app::MovedPhotoBlock moved;
    const ProjectChangeOutcome outcome = m_document->Change(ProjectChange::Photos, [&](Project& project) {
        moved = app::MovePhotoBlock(project.photos.photos, wParam, lParam, up);
        return !moved.Empty();
    });
    if (outcome.refused || moved.Empty())
        return 0;
    app::CallIfSet(m_links.fillPhotoList);
    std::vector<int> rows;
    for (int k = moved.first; k <= moved.last; ++k)
        rows.push_back(k + 1);
    if (m_links.selectPhotoRows)
        m_links.selectPhotoRows(rows);
    app::CallIfSet(m_links.refillLedger);
    app::CallIfSet(m_links.syncPropertyDialog);
    app::CallIfSet(m_links.clearOverlapStrip);
    RefreshView();
    return 1;
}
