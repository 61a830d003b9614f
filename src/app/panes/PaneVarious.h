#pragma once

#include <QWidget>

class CMainFrame;

namespace app {

class CPaneFlowDlg;
class CPaneVariousDlg;

// The body of the left docking pane: the work-flow pane at the top, 330 pixels high at 96 DPI, and the
// location-map pane in the rest.
class CPaneVarious : public QWidget
{
    Q_OBJECT

public:
    explicit CPaneVarious(QWidget* parent = nullptr);

    CPaneFlowDlg* Flow() const { return m_flow; }
    CPaneVariousDlg* Maps() const { return m_maps; }
    // The step buttons of the flow pane and the controls of the location-map pane on or off.
    void EnableAll(bool on);

    // The flow pane's height: 330 at 96 DPI, truncated.
    static int FlowHeight(int dpiY) { return 330 * dpiY / 96; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    CPaneFlowDlg* m_flow = nullptr;
    CPaneVariousDlg* m_maps = nullptr;
};

// Docks the panes into the frame's left pane and links them to the frame's messages and states.
void InstallPanes(CMainFrame& frame);

}  // namespace app
