#pragma once

#include <array>

#include "app/KeyPolicyDialog.h"

class QCheckBox;
class QRadioButton;
struct IchimillLoaderParams;

namespace app {

class CExpEdit;

// "読込設定": which positioning modes the track reader keeps and the interval at which it keeps points.
// OK ("設定") writes the four accept flags and the interval into the parameters; the caller saves the
// settings file. Cancel changes nothing. Esc does not close; Enter moves the focus on unless OK has it.
class CIchimillLoaderSettingDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // The interval an empty "指定" field stores: only jumps of the maximum distance are then kept.
    static constexpr int kEmptyInterval = 2147483647;

    // `params` (not owned) must outlive the dialog.
    explicit CIchimillLoaderSettingDlg(IchimillLoaderParams& params, QWidget* parent = nullptr);

    QCheckBox* ModeBox(int k) const
    {
        return modes_[static_cast<size_t>(k)];
    }  // 単独測位, DGPS, RTK fix, RTK float
    QRadioButton* IntervalRadio(int k) const
    {
        return radios_[static_cast<size_t>(k)];
    }  // 短い, 通常, 長い, 指定
    CExpEdit* IntervalField() const { return interval_; }

    void accept() override;

private:
    void ChooseRadio(int k);

    IchimillLoaderParams& params_;
    std::array<QCheckBox*, 4> modes_{};
    std::array<QRadioButton*, 4> radios_{};
    CExpEdit* interval_ = nullptr;
};

}  // namespace app
