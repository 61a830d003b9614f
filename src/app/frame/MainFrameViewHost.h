#pragma once

#include <memory>

class CMainFrame;
class CTavrelView;

namespace app {
class ViewHost;

// The main frame's side of the view's host: status-bar coordinates and, once they exist, the modeless
// dialogs the view asks about. Lives as long as the frame.
std::unique_ptr<ViewHost> MakeMainFrameViewHost(CMainFrame& frame);

// Puts the view in the frame's centre and lets it supply the view mode and the current map of the command
// state.
void InstallMainView(CMainFrame& frame, CTavrelView* view);

}  // namespace app
