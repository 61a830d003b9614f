#include "app/panes/PaneVarious.h"

#include <QAction>
#include <QDockWidget>
#include <algorithm>

#include "app/controls/ScreenDpi.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/panes/FlowPane.h"
#include "app/panes/MapPane.h"

namespace app {

CPaneVarious::CPaneVarious(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaneVarious"));
    m_flow = new CPaneFlowDlg(this);
    m_maps = new CPaneVariousDlg(this);
    LayOut();
}

void CPaneVarious::EnableAll(bool on)
{
    m_flow->EnableAll(on);
    m_maps->EnableAll(on);
}

void CPaneVarious::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CPaneVarious::LayOut()
{
    const int flowHeight = FlowHeight(ScreenDpi().height());
    m_flow->setGeometry(0, 0, width(), flowHeight);
    m_maps->setGeometry(0, flowHeight, width(), std::max(0, height() - flowHeight));
}

void InstallPanes(CMainFrame& frame)
{
    QDockWidget* dock = frame.FlowPane();
    auto* various = new CPaneVarious(dock);
    if (QWidget* old = dock->widget())
        various->setMinimumSize(old->minimumSize());
    dock->setWidget(various);

    CPaneFlowDlg* flow = various->Flow();
    flow->sendToFrame = [&frame](int message, qintptr wParam, qintptr lParam) {
        return frame.SendAppMessage(message, wParam, lParam);
    };
    flow->importPhotos = [&frame] { frame.RunCommand(kCmdImportPhotos); };
    CPaneVariousDlg* maps = various->Maps();
    maps->SetDocument(frame.Document());
    maps->sendToFrame = flow->sendToFrame;
    maps->runCommand = [&frame](int command) { frame.RunCommand(command); };
    maps->commitLedger = [&frame] { frame.CommitLedgerGrid(); };

    FramePaneLinks& links = frame.PaneLinks();
    links.showFlowStage = [flow](int stage) { flow->SelectStage(stage); };
    links.enablePaneControls = [various](bool on) { various->EnableAll(on); };
    links.updatePaneButtons = [flow, maps, &frame] {
        const UiState state = frame.CurrentState();
        flow->UpdateButtons(state);
        maps->UpdateButtons(state);
    };
    links.currentMapIndex = [maps] { return maps->SelectedMap(); };
    links.fillMapList = [maps] { maps->FillList(); };
    links.selectMap = [maps](int index) { maps->SelectMap(index); };
    links.clearMapList = [maps] { maps->ClearList(); };
    // A map command's new current map is selected in the list and shown by the view.
    MapHooks(frame).showMap = [maps, &frame](int index) {
        maps->SelectMap(index);
        if (maps->SelectedMap() >= 0)
            (void)frame.SendAppMessage(kMsgSelectLocationMap, maps->SelectedMap(), -1);
    };
    links.setMapKind = [maps](int kind) { maps->SetMapKind(kind); };
    links.mapKind = [maps] { return maps->MapKind(); };
    // The web maps' thumbnails read the view's tile cache while its worker rests.
    maps->stopTiles = [&frame] { CallIfSet(MapHooks(frame).stopTiles); };
    maps->restartTiles = [&frame] { CallIfSet(MapHooks(frame).restartTiles); };
    if (CTavrelDoc* document = frame.Document()) {
        // The list follows every change of the maps.
        QObject::connect(document, &CTavrelDoc::ProjectChanged, maps, [maps](ProjectChanges kinds) {
            if (kinds & (ProjectChange::Maps | ProjectChange::PlacedPhotos))
                maps->FillList();
        });
    }
}

}  // namespace app
