#pragma once

class CMainFrame;
class CTavrelView;

namespace app {

// The frame's messages that choose what the main view shows: the web base map of the site overview
// (kMsgShowWebMap) and a location map, or the site map while its dialog shows (kMsgSelectLocationMap).
// Both bring the location-map pane's buttons, the ledger, the photo pane's columns and selection, the
// track dialog, the caption and the status texts along.
void InstallMapViewMessages(CMainFrame& frame, CTavrelView& view);

// The view on the site overview over the base map chosen in the location-map pane.
void ShowOverviewOnPaneBaseMap(CMainFrame& frame, CTavrelView& view);

// The end shared by the messages that change what the view shows: the photo pane's columns for the view
// mode, the track dialog told of the change, the photo pane's caption, the status texts and the panes'
// controls.
void FinishViewChange(CMainFrame& frame, CTavrelView* view);

}  // namespace app
