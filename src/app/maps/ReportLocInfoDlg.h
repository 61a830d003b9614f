#pragma once

#include <array>
#include <cstdint>

#include "app/KeyPolicyDialog.h"

class LocationMap;
class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
struct FixedItemNames;

namespace app {

class CExpEdit;
class CSpread7U;

// "位置図名称・属性": edits one location map's name, its four item names and values, the base map of a
// web map and the north-arrow and scale-bar switches; shows its latitude/longitude range and tile zoom.
// The map is changed only on OK, after the name passed the file-name check; the tile zoom is never
// written. The caller compares the recorded kind and zoom with the map's afterwards.
class CReportLocInfoDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    CReportLocInfoDlg(LocationMap& map, const FixedItemNames& presets, QWidget* parent = nullptr);

    std::int32_t RecordedKind() const { return m_recordedKind; }
    std::int32_t RecordedZoom() const { return m_recordedZoom; }

    // Fills column 1 (rows 2, 3, 4 and 6) with preset n (1 to 4) of the fixed item names.
    void ApplyPreset(int n);

    CSpread7U* ItemGrid() const { return m_items; }
    CSpread7U* RangeGrid() const { return m_range; }
    QRadioButton* KindRadio(int kind) const { return m_kinds[static_cast<size_t>(kind)]; }
    QCheckBox* NorthArrowCheck() const { return m_northArrow; }
    QCheckBox* ScaleBarCheck() const { return m_scaleBar; }
    CExpEdit* ZoomEdit() const { return m_zoom; }
    QLabel* ZoomLabel() const { return m_zoomLabel; }

protected:
    bool KeepsEnter(QWidget* focus) const override;

private:
    void FillControls();
    void UpdateEnabling();
    void OnOk();
    void WriteBack();
    void OnItemKeyDown(int* keyCode, int shift);

    LocationMap& m_map;
    const FixedItemNames& m_presets;
    std::array<QRadioButton*, 5> m_kinds{};
    CSpread7U* m_items = nullptr;
    CSpread7U* m_range = nullptr;
    QCheckBox* m_northArrow = nullptr;
    QCheckBox* m_scaleBar = nullptr;
    QLabel* m_zoomLabel = nullptr;
    CExpEdit* m_zoom = nullptr;
    QSpinBox* m_zoomSpin = nullptr;
    QLabel* m_zoomNote = nullptr;
    std::int32_t m_recordedKind = 0;
    std::int32_t m_recordedZoom = 15;
};

}  // namespace app
