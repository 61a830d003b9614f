#include "app/panes/PaneVarious.h"

#include <QAction>
#include <QDockWidget>
#include <algorithm>

#include "app/controls/ScreenDpi.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/panes/FlowPane.h"

namespace app {

CPaneVarious::CPaneVarious(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaneVarious"));
    m_flow = new CPaneFlowDlg(this);
    LayOut();
}

void CPaneVarious::SetMapPane(QWidget* pane)
{
    delete m_mapPane;
    m_mapPane = pane;
    if (pane) {
        pane->setParent(this);
        pane->show();
    }
    LayOut();
}

void CPaneVarious::EnableAll(bool on)
{
    m_flow->EnableAll(on);
    if (m_mapPane)
        m_mapPane->setEnabled(on);
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
    if (m_mapPane)
        m_mapPane->setGeometry(0, flowHeight, width(), std::max(0, height() - flowHeight));
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
    flow->importPhotos = [&frame] {
        if (QAction* import = frame.Action(kCmdImportPhotos))
            import->trigger();
    };
    FramePaneLinks& links = frame.PaneLinks();
    links.showFlowStage = [flow](int stage) { flow->SelectStage(stage); };
    links.enablePaneControls = [various](bool on) { various->EnableAll(on); };
    links.updatePaneButtons = [flow, &frame] { flow->UpdateButtons(frame.CurrentState()); };
}

}  // namespace app
