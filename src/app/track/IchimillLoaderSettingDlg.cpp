#include "app/track/IchimillLoaderSettingDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/controls/ExpEdit.h"
#include "model/IchimillLoaderParams.h"

namespace app {
namespace {

constexpr int kPresetSeconds[3] = {0, 5, 10};
constexpr int kCustom = 3;

}  // namespace

CIchimillLoaderSettingDlg::CIchimillLoaderSettingDlg(IchimillLoaderParams& params, QWidget* parent)
    : CKeyPolicyDialog(parent), params_(params)
{
    setWindowTitle(QStringLiteral("読込設定"));

    auto* modeGroup = new QGroupBox(QStringLiteral("読込測位状況選択"), this);
    auto* modeLayout = new QVBoxLayout(modeGroup);
    const char16_t* modeNames[4] = {u"単独測位", u"DGPS", u"RTK fix", u"RTK float"};
    for (size_t k = 0; k < modes_.size(); ++k) {
        modes_[k] = new QCheckBox(QString::fromUtf16(modeNames[k]), modeGroup);
        modeLayout->addWidget(modes_[k]);
    }

    auto* intervalGroup = new QGroupBox(QStringLiteral("読込間隔"), this);
    auto* intervalLayout = new QVBoxLayout(intervalGroup);
    const char16_t* radioNames[4] = {u"短い", u"通常", u"長い", u"指定"};
    for (size_t k = 0; k < radios_.size(); ++k) {
        radios_[k] = new QRadioButton(QString::fromUtf16(radioNames[k]), intervalGroup);
        connect(radios_[k], &QRadioButton::clicked, this, [this, k] { ChooseRadio(static_cast<int>(k)); });
    }
    interval_ = new CExpEdit(intervalGroup);
    interval_->SetIntegerMode(3, 0, 999, kEmptyInterval);
    for (int k = 0; k < kCustom; ++k)
        intervalLayout->addWidget(radios_[static_cast<size_t>(k)]);
    auto* customRow = new QHBoxLayout;
    customRow->addWidget(radios_[kCustom]);
    customRow->addWidget(interval_);
    customRow->addWidget(new QLabel(QStringLiteral("(s)"), intervalGroup));
    intervalLayout->addLayout(customRow);

    auto* ok = new QPushButton(QStringLiteral("設定"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(ok, &QPushButton::clicked, this, &CIchimillLoaderSettingDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CIchimillLoaderSettingDlg::reject);
    SetOkButton(ok);
    SetCancelButton(cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* groups = new QHBoxLayout;
    groups->addWidget(modeGroup);
    groups->addWidget(intervalGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(new QLabel(QStringLiteral("※読込間隔が長いほど、表示が軽くなります。"), this));
    layout->addLayout(buttons);

    const std::uint8_t flags[4] = {params.acceptSingle, params.acceptDgps, params.acceptRtkFix,
                                   params.acceptRtkFloat};
    for (size_t k = 0; k < modes_.size(); ++k)
        modes_[k]->setChecked(flags[k] != 0);
    interval_->SetInt(params.thinningInterval);
    int radio = kCustom;
    for (int k = 0; k < kCustom; ++k) {
        if (params.thinningInterval == kPresetSeconds[k])
            radio = k;
    }
    radios_[static_cast<size_t>(radio)]->setChecked(true);
    interval_->setReadOnly(radio != kCustom);
}

void CIchimillLoaderSettingDlg::ChooseRadio(int k)
{
    if (k < kCustom)
        interval_->SetInt(kPresetSeconds[k]);
    interval_->setReadOnly(k != kCustom);
}

void CIchimillLoaderSettingDlg::accept()
{
    params_.acceptSingle = modes_[0]->isChecked() ? 1 : 0;
    params_.acceptDgps = modes_[1]->isChecked() ? 1 : 0;
    params_.acceptRtkFix = modes_[2]->isChecked() ? 1 : 0;
    params_.acceptRtkFloat = modes_[3]->isChecked() ? 1 : 0;
    params_.thinningInterval = interval_->GetInt();
    CKeyPolicyDialog::accept();
}

}  // namespace app
