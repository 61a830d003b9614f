#pragma once

#include <vector>

namespace app {

// One selected row of the photo pane, as the command rules see it.
struct SelectedPhotoState
{
    bool valid = true;             // names a photo of the project
    bool placedOnCurrent = false;  // placed on the current location map
    bool hasLatLong = false;       // has both latitude and longitude
    bool hasDirection = false;     // has a shooting direction
};

// Everything the enabling rules of the frame's commands read: a snapshot taken before menus open, on
// the frame's state timer and again inside each handler.
struct UiState
{
    bool hasDocument = true;
    bool busy = false;
    bool project = false;  // the project has both a folder and a name
    bool siteMapDialogVisible = false;
    bool ledgerDialogVisible = false;
    bool ledgerDialogExists = false;
    bool trackDialogVisible = false;
    int viewMode = 0;  // 0 site overview on web tiles, 1 and 2 picture maps, 3 web location map
    int mapCount = 0;
    bool currentMap = false;  // the location-map pane's current index is valid
    int currentMapKind = 0;
    int currentMapZone = 0;
    bool currentMapNorthArrow = false;
    bool currentMapScaleBar = false;
    int currentMapPlacedCount = 0;
    int photoCount = 0;
    std::vector<SelectedPhotoState> selected;
    // The view's display switches and its photo-number kind (0 the photo's place in the photo list, 1 the
    // placed number), as the 表示 menu shows them checked.
    bool showShotPhotos = false;
    bool showOverviewFrames = false;
    bool showMapPhotos = false;
    bool showMapFrames = false;
    bool showGreyMarks = false;
    bool showTracks = false;  // the background picture's drawer
    int numberKind = 1;
};

// Whether the command may run in the state. A command without a rule of its own is always enabled;
// every command with a rule is disabled while busy, and without a document only busy is tested.
bool CommandEnabled(int command, const UiState& state);
// Whether a checkable command shows its check mark (north arrow, scale bar, the 表示 menu's switches).
bool CommandChecked(int command, const UiState& state);

}  // namespace app
