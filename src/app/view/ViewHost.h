#pragma once

#include <vector>

namespace app {

// What the main view needs of the window around it: the status-bar coordinates, the state of the modeless
// dialogs that change what the view shows (site location map, photo ledger), and the photo pane's overlap
// strip. The main frame implements it; tests use their own. Every answer defaults to "no such dialog".
class ViewHost
{
public:
    virtual ~ViewHost() = default;

    // Status bar: picture pixels (mode 1), plane coordinates of the zone (mode 2, shown X from `x`),
    // latitude/longitude (modes 0 and 3, with the plane zone of the map shown, 0 for none), and the
    // coordinate system of a new view mode.
    virtual void SetStatusPixel(int x, int y) { (void)x, (void)y; }
    virtual void SetStatusPlaneXY(int zone, double y, double x) { (void)zone, (void)y, (void)x; }
    virtual void SetStatusLatLong(double latitude, double longitude, int zone)
    {
        (void)latitude, (void)longitude, (void)zone;
    }
    virtual void ViewModeChanged(int mode, bool hasCurrentMap, int zone) { (void)mode, (void)hasCurrentMap, (void)zone; }

    // The site location map dialog: shown, its check box "写真位置確認", and its grid's active row
    // (1-based; −1000 when none).
    virtual bool IsSiteMapDialogVisible() const { return false; }
    virtual bool SiteMapShowsPhotos() const { return false; }
    virtual int SiteMapActiveRow() const { return -1000; }

    // The photo ledger: shown, its numbering dialog shown, and its line switch.
    virtual bool IsLedgerDialogVisible() const { return false; }
    virtual bool IsNumberingDialogShown() const { return false; }
    virtual bool LedgerLineSwitch() const { return false; }

    // The photo pane's strip of overlapping marks; empty clears it.
    virtual void ShowOverlapCandidates(const std::vector<int>& photoIds) { (void)photoIds; }

    // What the context menus read: the photo pane's selected photos (ids, in row order), the location-map
    // pane's current map (an index of the project's maps; −1 for none), the track dialog shown, the photo
    // ledger open.
    virtual std::vector<int> SelectedPhotoIds() const { return {}; }
    virtual int PaneMapIndex() const { return -1; }
    virtual bool IsTrackDialogVisible() const { return false; }
    // The track dialog makes the point of its selected track its current point.
    virtual void SelectTrackPoint(int pointIndex) { (void)pointIndex; }
    virtual bool IsLedgerDialogOpen() const { return false; }
    // Selection messages of a click on a mark (−1 clears the selection), and the refreshes after an edit
    // was saved: the current map's thumbnail, the photo list and the photo-properties dialog.
    virtual void SelectPhoto(int photoId) { (void)photoId; }
    virtual void AddPhotoToSelection(int photoId) { (void)photoId; }
    virtual void RefreshSelectedMapThumbnail() {}
    virtual void RefreshPhotoList() {}
    // The site-map dialog is told while a click sets a callout anchor, so that it ignores the change.
    virtual void HoldCalloutAnchoring(bool held) { (void)held; }

    // Runs a command of the frame chosen in a context menu (its own rule decides whether it runs).
    virtual void RunFrameCommand(int command) { (void)command; }
    // The photo ledger reads its grid back into the current map, sorts the map's photos along the line and
    // fills its grid again.
    virtual void SortAlongLine() {}
};

}  // namespace app
