#include "app/frame/CommandRules.h"

#include <algorithm>

#include "app/frame/CommandIds.h"

namespace app {
namespace {

bool AnySelected(const UiState& s)
{
    return !s.selected.empty();
}

template <typename Test>
bool AllSelected(const UiState& s, Test test)
{
    return std::all_of(s.selected.begin(), s.selected.end(), test);
}

template <typename Test>
bool NoneSelected(const UiState& s, Test test)
{
    return std::none_of(s.selected.begin(), s.selected.end(), test);
}

// The scale bar belongs to maps with a metric scale: a registered picture, or a web map with a zone.
bool MapHasScale(const UiState& s)
{
    return s.currentMap && (s.currentMapKind == 1 || (s.currentMapKind >= 2 && s.currentMapKind <= 4 &&
                                                      s.currentMapZone != 0 && s.currentMapZone != 20));
}

// The rule of a command that has one, given a document and not busy; -1 for a command without a rule.
int Rule(int command, const UiState& s)
{
    const bool noDialog = !s.siteMapDialogVisible;
    switch (command) {
        case kCmdFileNew:
        case kCmdFileOpen:
            return !s.siteMapDialogVisible && !s.ledgerDialogVisible;
        case kCmdFileSave:
        case kCmdExit:
            return true;
        case kCmdOpenProjectFolder:
        case kCmdImportPhotos:
        case kCmdImportSettings:
            return s.project;
        case kCmdOutputReport:
            return s.project && s.mapCount > 0 && noDialog;
        case kCmdAddLocationMap:
        case kCmdTrack:
            return s.project && noDialog;
        case kCmdCopyMap:
        case kCmdDeleteMap:
            return s.project && s.currentMap;
        case kCmdPlaceOnMap:
            return s.project && AnySelected(s) && s.viewMode != 0 &&
                   NoneSelected(s, [](const SelectedPhotoState& p) { return p.placedOnCurrent; });
        case kCmdRemoveFromMap:
            return s.project && s.viewMode != 0 &&
                   (!s.currentMap || (AnySelected(s) && AllSelected(s, [](const SelectedPhotoState& p) {
                                          return p.placedOnCurrent;
                                      })));
        case kCmdPlaceInsideMap:
            return s.project && s.viewMode != 0 && (!s.currentMap || s.currentMapKind != 0);
        case kCmdSelectAllOnMap:
            return s.project && s.viewMode != 0 && (!s.currentMap || s.currentMapPlacedCount > 0) &&
                   !s.ledgerDialogExists;
        case kCmdNorthArrow:
            return s.project && s.currentMap && s.currentMapKind != 0;
        case kCmdScaleBar:
            return s.project && MapHasScale(s);
        case kCmdDeletePhotos:
            return s.project && AnySelected(s) && s.selected.front().valid;
        case kCmdPlaceOnWebMap:
            return s.project && AnySelected(s) && s.viewMode == 0 &&
                   NoneSelected(s, [](const SelectedPhotoState& p) { return p.hasLatLong; });
        case kCmdClearLatLong:
            return s.project && AnySelected(s) && s.viewMode == 0 &&
                   AllSelected(s, [](const SelectedPhotoState& p) { return p.hasLatLong; });
        case kCmdClearDirection:
            return s.project && s.photoCount > 0 && AnySelected(s) && s.viewMode == 0 &&
                   AllSelected(s, [](const SelectedPhotoState& p) { return p.hasDirection; });
        case kCmdCommentTemplates:
        case kCmdTileSettings:
            return true;
        case kCmdPlaceOnTrack:
            return s.project && AnySelected(s) && s.trackDialogVisible;
        case kCmdMarkSettings:
        case kCmdFixedItemNames:
            return noDialog;
        case kCmdViewAll:
            return s.viewMode != 0;
        case kCmdShowPhotoPositions:
        case kCmdShowMapFramesOnWeb:
            return s.project && (s.viewMode == 0 || s.siteMapDialogVisible);
        case kCmdShowMapPhotoPositions:
        case kCmdShowMapFramesOnMap:
            return s.project && s.viewMode != 0 && noDialog;
        case kCmdShowGreyPhotoMarks:
            return s.project && (s.viewMode == 2 || s.viewMode == 3);
        case kCmdShowTrack:
            return s.project;
        case kCmdPhotoNumbers:
        case kCmdMapPhotoNumbers:
            return s.project && s.viewMode != 0;
        case kCmdWriteExif:
            return s.project && s.photoCount > 0 && noDialog;
        default:
            return -1;
    }
}

}  // namespace

bool CommandEnabled(int command, const UiState& state)
{
    if (command == kCmdAttribution)
        return state.hasDocument && (state.viewMode == 0 || state.viewMode == 3);
    const bool hasRule = Rule(command, UiState()) >= 0;
    if (!hasRule)
        return true;
    if (state.busy)
        return false;
    if (!state.hasDocument)
        return true;
    return Rule(command, state) > 0;
}

bool CommandChecked(int command, const UiState& state)
{
    if (command == kCmdNorthArrow)
        return state.currentMap && state.currentMapKind != 0 && state.currentMapNorthArrow;
    switch (command) {
        case kCmdScaleBar:
            return MapHasScale(state) && state.currentMapScaleBar;
        case kCmdShowPhotoPositions:
            return state.showShotPhotos;
        case kCmdShowMapFramesOnWeb:
            return state.showOverviewFrames;
        case kCmdShowMapPhotoPositions:
            return state.showMapPhotos;
        case kCmdShowMapFramesOnMap:
            return state.showMapFrames;
        case kCmdShowGreyPhotoMarks:
            return state.showGreyMarks;
        case kCmdShowTrack:
            return state.showTracks;
        case kCmdPhotoNumbers:
            return state.numberKind == 0;
        case kCmdMapPhotoNumbers:
            return state.numberKind == 1;
        default:
            return false;
    }
}

}  // namespace app
