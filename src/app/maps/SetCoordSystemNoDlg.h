#pragma once

#include <QLabel>
#include <QString>
#include <vector>

#include "app/KeyPolicyDialog.h"
#include "model/ZoneOutlines.h"

class AppSettings;
class QPushButton;

namespace app {

class CExpButton;
class CSpread7U;

// The zone map of the zone dialog: reports the clicked point in the picture's own pixels.
class CZoneMapLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void Clicked(QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// "平面直角座標系番号設定": picks the plane rectangular zone (I to XIX) of a new web location map in a
// table of the zones or by a click on the zone map (outlines from Systems/keiarea.csv). It starts on the
// settings' zone. OK (flag 1) writes the selected zone into the settings; "設定しない" (flag 0) sets the
// settings' zone back to what it was when the dialog opened; both close with Accepted, Cancel with
// Rejected and changes nothing.
class CSetCoordSystemNoDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // The applicable-area text of zone 1 to 19; empty for another zone.
    static QString AreaText(int zone);
    // "129度30分0秒" of an angle in degrees.
    static QString DegreeMinuteSecond(double degrees);

    explicit CSetCoordSystemNoDlg(AppSettings& settings, QWidget* parent = nullptr);

    int ZoneChosen() const { return m_zoneChosen; }
    int SelectedZone() const { return m_selectedZone; }

    // A click on the table's row (the column does not matter).
    void OnGridClick(int col, int row);
    // A click on the zone map at the picture point, in screen pixels of the shown picture.
    void OnMapClick(QPoint position);
    // Outlines read from another file (tests).
    void SetOutlines(std::vector<ZoneOutline> outlines) { m_outlines = std::move(outlines); }

    CSpread7U* Grid() const { return m_grid; }
    QLabel* AreaLabel() const { return m_area; }
    CZoneMapLabel* MapLabel() const { return m_map; }
    QPushButton* NoZoneButton() const { return m_noZone; }

private:
    void ShowSelection();
    void ColourRows();
    void ShowAreaText();
    int CheckedRow() const;
    void OnOk();
    void OnNoZone();

    AppSettings& m_settings;
    CSpread7U* m_grid = nullptr;
    CExpButton* m_help = nullptr;
    QLabel* m_area = nullptr;
    CZoneMapLabel* m_map = nullptr;
    QPushButton* m_noZone = nullptr;
    int m_initialZone = 0;
    std::vector<ZoneOutline> m_outlines;
    int m_zoneChosen = 0;
    int m_selectedZone = 0;
};

}  // namespace app
