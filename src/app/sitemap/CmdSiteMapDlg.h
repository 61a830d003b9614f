#pragma once

#include <QString>
#include <functional>

#include "app/KeyPolicyDialog.h"
#include "app/doc/ProjectChange.h"

class CTavrelDoc;
class CTavrelView;
class LocationMap;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct Project;

namespace app {

class CSpread7U;

// "現場位置図": the modeless dialog in which the user sets up the site location map: its extent taken from
// the main view, its base map (standard, pale or aerial-photo tiles), its plane zone (for the scale bar) and
// the location maps whose outlines and callouts it shows. While it is visible the view shows the first site
// map; a click in the view puts the callout of the grid's current map there. Every change is one change of
// the document, saved at once; a failed save is told once until a save succeeds again.
class CCmdSiteMapDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // sendToFrame carries the dialog's messages to the main frame (site maps changed, close). The view may
    // be null: the commands that need it then do nothing.
    CCmdSiteMapDlg(CTavrelDoc& document, CTavrelView* view,
                   std::function<qintptr(int, qintptr, qintptr)> sendToFrame, QWidget* parent = nullptr);

    // The first site location map of the project, or null.
    static const LocationMap* GetSiteMap(const CTavrelDoc* document);
    const LocationMap* GetSiteMap() const { return GetSiteMap(m_document); }
    // The zone shown for a site-map zone: "Ⅰ" … "ⅩⅨ", "－" for none.
    static QString ZoneLabelText(int zone);

    // What the view reads: the check box "写真位置確認", the grid's current row (1-based, −1000 when none),
    // and the hold the view puts on the dialog while it stores a callout.
    bool ShowsPhotos() const;
    int ActiveRow() const;
    void HoldCalloutAnchoring(bool held) { m_calloutHeld = held; }

    // The view shows the first site map, or the overview when there is none.
    void SendSelectionToFrame();
    void RefreshControls();
    // The grid's show flags into the project (saved when they changed).
    void StoreControls();
    void UpdateControlStates();

    // The commands of the buttons, radios and grid.
    void OnSetFromView();
    void OnBaseMap(int kind);
    void OnClear();
    void OnSetZone();
    void OnPhotoCheck();
    void OnGridLeaveCell(int col, int row, int newCol, int newRow);
    void OnGridCheck(int col, int row);
    void OnClose();

    CSpread7U* Grid() const { return m_grid; }
    QPushButton* SetFromViewButton() const { return m_setFromView; }
    QPushButton* ClearButton() const { return m_clear; }
    QPushButton* ZoneButton() const { return m_setZone; }
    QPushButton* CloseButton() const { return m_close; }
    QCheckBox* PhotoCheck() const { return m_photos; }
    QRadioButton* BaseMapRadio(int kind) const;
    QLabel* ZoomLabel() const { return m_zoom; }
    QLabel* ZoneLabel() const { return m_zone; }
    QLabel* CalloutHint() const { return m_hint; }

protected:
    bool KeepsEnter(QWidget* focus) const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ColourGrid();
    // Runs an edit of the project as one change; false when it did not run or changed nothing.
    bool Change(ProjectChanges kinds, const std::function<bool(Project&)>& edit);
    void OnProjectChanged(ProjectChanges kinds);
    void RefreshView();
    void FitView();

    CTavrelDoc* m_document = nullptr;
    CTavrelView* m_view = nullptr;
    std::function<qintptr(int, qintptr, qintptr)> m_sendToFrame;
    CSpread7U* m_grid = nullptr;
    QPushButton* m_setFromView = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_setZone = nullptr;
    QPushButton* m_close = nullptr;
    QCheckBox* m_photos = nullptr;
    QRadioButton* m_radios[3] = {};
    QLabel* m_zoom = nullptr;
    QLabel* m_zone = nullptr;
    QLabel* m_hint = nullptr;
    bool m_busy = false;          // the controls are being refilled: radio notifications are ignored
    bool m_changing = false;      // one of the dialog's own changes runs
    bool m_calloutHeld = false;   // the view stores a callout
};

}  // namespace app
