#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "fe/geo/GeoPoint.h"

class CMainFrame;

namespace app {

class CIchimillLocusDlg;

// The frame's track commands: "軌跡(ichimill)..." opens the modeless track dialog (one at most, a child
// of the frame), the dialog's end destroys it and clears every track's current point, and
// "軌跡上に配置" (the dialog's placing button and the view's context command) gives the selected photos
// the selected track's position at their shot time. Opening, creating or resetting a project destroys
// the dialog; the message kMsgCloseIchimillDlg ends it as its own close does. One object per frame, a
// child of it.
class CTrackCommands : public QObject
{
    Q_OBJECT

public:
    explicit CTrackCommands(CMainFrame& frame);

    // The frame's track commands, null before InstallTrackCommands.
    static CTrackCommands* Of(const CMainFrame& frame);

    // The view's showing of the site overview at a centre and zoom, with which the dialog centres a newly
    // read track; empty does nothing.
    std::function<void(const fe::geo::GeoPoint& centre, int zoom)> showOverview;

    // The open dialog, null when none is open.
    CIchimillLocusDlg* Dialog() const;
    bool DialogVisible() const;

    // "軌跡(ichimill)...": the open and shown dialog comes to the front; otherwise the view is asked to
    // leave a current location map for the standard web map, and the dialog is made when needed and shown.
    void OpenDialog();
    // The dialog ended: it is deleted once its own event has been handled, and no track has a current
    // point any more.
    void CloseDialog();
    // Places the photos selected in the photo pane on the dialog's selected track, only while the dialog
    // is shown. Without a track or without a photo it says so; outside the site overview it does nothing.
    void PlaceSelectedPhotos();

private:
    void DestroyDialog();

    CMainFrame& m_frame;
    QPointer<CIchimillLocusDlg> m_dialog;
};

// Whether the frame's track dialog exists and is shown.
bool IsTrackDialogVisible(const CMainFrame& frame);

// Sets the track commands' handlers on the frame.
void InstallTrackCommands(CMainFrame& frame);

}  // namespace app
