#pragma once

#include <functional>

class CMainFrame;

// Helpers shared by the files of the location-map commands.
namespace app::mapcmd {

// The current map of the location-map pane when it names a map of the project, else -1.
int CurrentMap(CMainFrame& frame);
// The pane selects the map and the view shows it; -1 returns to the site overview.
void ShowMap(CMainFrame& frame, int index);
void Refresh(CMainFrame& frame);

// The view's tile download worker rests while the guard lives (a run that reads and fills the tile cache
// itself) and starts again when it goes, however the run ended.
class TileWorkerRest
{
public:
    explicit TileWorkerRest(CMainFrame& frame);
    ~TileWorkerRest();
    TileWorkerRest(const TileWorkerRest&) = delete;
    TileWorkerRest& operator=(const TileWorkerRest&) = delete;

private:
    CMainFrame& m_frame;
};

}  // namespace app::mapcmd
