#pragma once

#include <QSize>
#include <functional>

#include "app/KeyPolicyDialog.h"
#include "fe/geo/GeoPoint.h"

class AppSettings;
class CTavrelDoc;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace app {

class CExpEdit;
class CSpread7U;

// What the track dialog needs of the main window and the view. Members left empty do nothing.
struct TrackDialogHooks
{
    // The zone (1 to 19) of the current location map when it is a background map in a plane zone, 0 for
    // any other current map, -1 when no map is current.
    std::function<int()> currentMapZone;
    // The view's mode; 0 is the site overview over web tiles.
    std::function<int()> viewMode;
    // The view's client size in pixels, and showing the overview at a centre and a zoom.
    std::function<QSize()> viewSize;
    std::function<void(const fe::geo::GeoPoint& centre, int zoom)> showOverview;
    // The frame's placing of the selected photos on the selected track.
    std::function<void()> placePhotos;
    // The dialog ended ("閉じる" or the close box): the frame deletes it (deleteLater) and clears the
    // tracks' current points (ClearTrackCurrentPoints).
    std::function<void()> closed;
};

// "軌跡(ichimill)": the modeless dialog that lists the project's GNSS tracks and the points of the selected
// one, reads track files, deletes tracks, finds the point nearest a time of day, copies the point table
// and starts placing the selected photos on the selected track. A change of a track's current point is
// made through the document as a selection change, which the view follows.
class CIchimillLocusDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // `doc` and `settings` (not owned) outlive the dialog; the settings are saved at `settingsPath`.
    CIchimillLocusDlg(CTavrelDoc& doc, AppSettings& settings, QString settingsPath, TrackDialogHooks hooks,
                      QWidget* parent = nullptr);

    // The view switched maps: the buttons follow, and the table leaves plane coordinates when the new map
    // has none.
    void OnLocationMapChanged();
    // A click on a track point on the map: that point becomes current and its row active.
    void SelectTrackPoint(int pointIndex);
    // The selected track, -1 for none.
    int SelectedTrack() const { return selectedTrack_; }
    bool PlaneMode() const;

    // Controls, for the frame's tests and the dialog's own.
    CSpread7U* TrackGrid() const { return tracks_; }
    CSpread7U* PointGrid() const { return points_; }
    QPushButton* ReadButton() const { return read_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* SettingsButton() const { return settingsButton_; }
    QPushButton* SearchButton() const { return search_; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* PlaceButton() const { return place_; }
    QPushButton* CloseButton() const { return close_; }
    QRadioButton* LatLonRadio() const { return latLon_; }
    QRadioButton* PlaneRadio() const { return plane_; }
    CExpEdit* HourField() const { return hour_; }
    CExpEdit* MinuteField() const { return minute_; }
    QToolButton* HourStep(bool up) const { return up ? hourUp_ : hourDown_; }
    QToolButton* MinuteStep(bool up) const { return up ? minuteUp_ : minuteDown_; }

    void accept() override;
    void reject() override;

private:
    void FillTracks();
    void FillPoints();
    void SetHeaders();
    void UpdateButtons();
    int Zone() const;
    void SetCurrentPoint(int track, int point);
    void ShowTimeOf(int point);
    void OnTrackRowLeaving(int row, int newRow);
    void OnPointRowLeaving(int row, int newRow);
    void ReadFile();
    void DeleteTrack();
    void EditSettings();
    void CopyTable();
    void CentreOnSelectedTrack();
    void HourLeft();
    void MinuteLeft();
    // The time-field rule on leaving a field (or after a step): a valid value searches.
    void LeaveTimeField(CExpEdit* field, int& lastValid, int maximum);
    void StepHour(int step);
    void StepMinute(int step);
    void Search();

    CTavrelDoc& doc_;
    AppSettings& settings_;
    QString settingsPath_;
    TrackDialogHooks hooks_;
    int selectedTrack_ = -1;
    int lastHour_ = 0;
    int lastMinute_ = 0;
    bool guard_ = false;

    CSpread7U* tracks_ = nullptr;
    CSpread7U* points_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* place_ = nullptr;
    QPushButton* close_ = nullptr;
    QRadioButton* latLon_ = nullptr;
    QRadioButton* plane_ = nullptr;
    CExpEdit* hour_ = nullptr;
    CExpEdit* minute_ = nullptr;
    QToolButton* hourUp_ = nullptr;
    QToolButton* hourDown_ = nullptr;
    QToolButton* minuteUp_ = nullptr;
    QToolButton* minuteDown_ = nullptr;
};

// Every track's current point back to none, through the document (a selection change).
void ClearTrackCurrentPoints(CTavrelDoc& doc);

}  // namespace app
