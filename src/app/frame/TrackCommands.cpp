#include "app/frame/TrackCommands.h"

#include <vector>

#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/track/IchimillLocusDlg.h"
#include "app/track/TrackCommands.h"
#include "model/AppSettings.h"

namespace app {
namespace {

// The track dialog's answer for the current map: its zone when it is a background map in a plane
// zone, 0 for any other map, -1 without a current map.
int PlaneZoneOfCurrentMap(const UiState& state)
{
    if (!state.currentMap)
        return -1;
    const bool planeZone = state.currentMapZone >= 1 && state.currentMapZone <= 19;
    return state.currentMapKind == 1 && planeZone ? state.currentMapZone : 0;
}

}  // namespace

CTrackCommands::CTrackCommands(CMainFrame& frame) : QObject(&frame), m_frame(frame)
{
    setObjectName(QStringLiteral("TrackCommands"));
    if (CTavrelDoc* document = m_frame.Document()) {
        // The dialog belongs to the project it was opened on.
        connect(document, &CTavrelDoc::ProjectChanged, this, [this](ProjectChanges kinds) {
            if (kinds == kWholeProject)
                DestroyDialog();
        });
    }
}

CTrackCommands* CTrackCommands::Of(const CMainFrame& frame)
{
    return frame.findChild<CTrackCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

CIchimillLocusDlg* CTrackCommands::Dialog() const
{
    return m_dialog;
}

bool CTrackCommands::DialogVisible() const
{
    return m_dialog && m_dialog->isVisible();
}

void CTrackCommands::OpenDialog()
{
    if (DialogVisible()) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    CTavrelDoc* document = m_frame.Document();
    if (!document || !document->appSettings)
        return;
    if (m_frame.CurrentState().currentMap)
        (void)m_frame.SendAppMessage(kMsgShowWebMap, 0, 0);
    if (!m_dialog) {
        TrackDialogHooks hooks;
        hooks.currentMapZone = [this] { return PlaneZoneOfCurrentMap(m_frame.CurrentState()); };
        hooks.viewMode = [this] { return m_frame.CurrentState().viewMode; };
        hooks.viewSize = [this] {
            const QWidget* view = m_frame.centralWidget();
            return view ? view->size() : QSize();
        };
        hooks.showOverview = [this](const fe::geo::GeoPoint& centre, int zoom) {
            if (showOverview)
                showOverview(centre, zoom);
        };
        hooks.placePhotos = [this, document] {
            (void)document->RunCommand([this] { PlaceSelectedPhotos(); });
        };
        hooks.closed = [this] { CloseDialog(); };
        m_dialog = new CIchimillLocusDlg(*document, *document->appSettings, AppSettings::FilePath(),
                                         std::move(hooks), &m_frame);
        m_dialog->setObjectName(QStringLiteral("IchimillLocusDlg"));
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_frame.UpdateCommandStates();
}

void CTrackCommands::DestroyDialog()
{
    if (!m_dialog)
        return;
    CIchimillLocusDlg* dialog = m_dialog;
    m_dialog = nullptr;
    // The dialog may be on the stack (its own close button): it goes once its event has been handled.
    dialog->hide();
    dialog->deleteLater();
    m_frame.UpdateCommandStates();
}

void CTrackCommands::CloseDialog()
{
    DestroyDialog();
    if (CTavrelDoc* document = m_frame.Document())
        ClearTrackCurrentPoints(*document);
}

void CTrackCommands::PlaceSelectedPhotos()
{
    CTavrelDoc* document = m_frame.Document();
    if (!DialogVisible() || !document)
        return;
    const UiState state = m_frame.CurrentState();
    // The pane's rows are photo index + 1; rows outside the photo list are passed over.
    std::vector<int> photos;
    if (m_frame.PaneLinks().selectedPhotoRows) {
        const int count = static_cast<int>(document->GetProject().photos.photos.size());
        for (int row : m_frame.PaneLinks().selectedPhotoRows())
            if (row >= 1 && row <= count)
                photos.push_back(row - 1);
    }
    const int track = m_dialog->SelectedTrack();
    // The messages for a missing track or photo come first; the positions change only on the overview.
    if (track >= 0 && !photos.empty() && state.viewMode != 0)
        return;
    (void)PlacePhotosOnTrack(*document, track, photos, m_dialog);
}

bool IsTrackDialogVisible(const CMainFrame& frame)
{
    const CTrackCommands* commands = CTrackCommands::Of(frame);
    return commands && commands->DialogVisible();
}

void InstallTrackCommands(CMainFrame& frame)
{
    auto* commands = new CTrackCommands(frame);
    frame.SetCommandHandler(kCmdTrack, [commands] { commands->OpenDialog(); });
    frame.SetCommandHandler(kCmdPlaceOnTrack, [commands] { commands->PlaceSelectedPhotos(); });
    frame.SetMessageHandler(kMsgCloseIchimillDlg, [commands](qintptr, qintptr) {
        commands->CloseDialog();
        return qintptr(1);
    });
    // Before a modal run the dialog is hidden; "軌跡(ichimill)..." shows it again as it was.
    MapCommandHooks& hooks = MapHooks(frame);
    hooks.hideModelessDialogs = [commands, &frame, earlier = hooks.hideModelessDialogs] {
        CallIfSet(earlier);
        if (CIchimillLocusDlg* dialog = commands->Dialog(); dialog && dialog->isVisible()) {
            dialog->hide();
            frame.UpdateCommandStates();
        }
    };
}

}  // namespace app
