#pragma once

#include "app/KeyPolicyDialog.h"

class CTavrelDoc;
class QSlider;

namespace app {

// "マウスでソート設定": the contact width of a map's line sort on a slider from 細 (5) to 太 (105). Every
// move of the slider gives the map the width at once, so the view redraws the band around the line;
// キャンセル puts the width the dialog started with back. The width is run-time state of the map: the
// project is not saved.
class CSetLinearSortDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    static constexpr int kMinWidth = 5;
    static constexpr int kMaxWidth = 105;

    // `doc` (not owned) outlives the dialog; `mapIndex` names one of its location maps.
    CSetLinearSortDlg(CTavrelDoc& doc, int mapIndex, QWidget* parent = nullptr);

    QSlider* Slider() const { return m_slider; }

    void accept() override;
    void reject() override;

private:
    // The map's contact width := `width`, announced so that the view redraws the band.
    void StoreContactWidth(int width);

    CTavrelDoc& m_doc;
    int m_mapIndex;
    int m_kept = 50;  // the width when the dialog opened
    QSlider* m_slider = nullptr;
};

}  // namespace app
