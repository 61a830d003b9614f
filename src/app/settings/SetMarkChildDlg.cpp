#include "app/settings/SetMarkChildDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/BlankValues.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/RefPictureDialogs.h"

namespace app {
namespace {

struct FieldRule
{
    const char* label;
    bool real;
    int maxChars;
    double minimum, maximum;
};

// In the order of CSetMarkChildDlg::Field. Lengths have one decimal; their arrows step by 1.0.
constexpr FieldRule kFields[CSetMarkChildDlg::kFieldCount] = {
    {"撮影位置（芯）半径", false, 3, 1, 999},
    {"縁取太さ", false, 3, 1, 999},
    {"線太さ", false, 2, 1, 50},
    {"フォントサイズ", false, 3, 1, 999},
    {"矢印長さ", true, 4, 0.1, 99.9},
    {"矢印先端長さ", true, 4, 0.1, 99.9},
    {"写真位置からの離れ", true, 4, 0.1, 99.9},
};

double FieldValue(const locmap::MarkSetting& s, int field)
{
    switch (field) {
        case CSetMarkChildDlg::kCoreRadius:
            return s.coreRadius;
        case CSetMarkChildDlg::kOutlineWidth:
            return s.outlineWidth;
        case CSetMarkChildDlg::kLineWidth:
            return s.lineWidth;
        case CSetMarkChildDlg::kFontSize:
            return s.fontSize;
        case CSetMarkChildDlg::kArrowLength:
            return s.arrowLength;
        case CSetMarkChildDlg::kArrowHeadLength:
            return s.arrowHeadLength;
        default:
            return s.labelDistance;
    }
}

void SetFieldValue(locmap::MarkSetting& s, int field, double value)
{
    switch (field) {
        case CSetMarkChildDlg::kCoreRadius:
            s.coreRadius = std::int32_t(value);
            break;
        case CSetMarkChildDlg::kOutlineWidth:
            s.outlineWidth = std::int32_t(value);
            break;
        case CSetMarkChildDlg::kLineWidth:
            s.lineWidth = std::int32_t(value);
            break;
        case CSetMarkChildDlg::kFontSize:
            s.fontSize = std::int32_t(value);
            break;
        case CSetMarkChildDlg::kArrowLength:
            s.arrowLength = float(value);
            break;
        case CSetMarkChildDlg::kArrowHeadLength:
            s.arrowHeadLength = value;
            break;
        default:
            s.labelDistance = float(value);
            break;
    }
}

// The value typed in a field, when it is a whole entry within the field's range.
bool ReadField(const CExpEdit& edit, int field, double& value)
{
    const FieldRule& rule = kFields[field];
    bool ok = false;
    const QString text = edit.text().trimmed();
    value = rule.real ? text.toDouble(&ok) : double(text.toInt(&ok));
    return ok && !text.isEmpty() && value >= rule.minimum - 1e-9 && value <= rule.maximum + 1e-9;
}

}  // namespace

CSetMarkChildDlg::CSetMarkChildDlg(int page, locmap::MarkSetting& live, QWidget* parent)
    : QWidget(parent), m_page(page), m_live(live)
{
    auto* grid = new QGridLayout;
    for (int f = 0; f < kFieldCount; ++f) {
        const FieldRule& rule = kFields[f];
        auto* edit = new CExpEdit(this);
        if (rule.real)
            edit->SetRealMode(rule.maxChars, 1, rule.minimum, rule.maximum, kBlankReal);
        else
            edit->SetIntegerMode(rule.maxChars, int(rule.minimum), int(rule.maximum), kBlankInt);
        edit->setFixedWidth(56);
        edit->setObjectName(QStringLiteral("edit%1").arg(f));
        auto* up = new QToolButton(this);
        auto* down = new QToolButton(this);
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        up->setAccessibleName(QString::fromUtf8(rule.label) + QStringLiteral("を増やす"));
        down->setAccessibleName(QString::fromUtf8(rule.label) + QStringLiteral("を減らす"));
        for (QToolButton* arrow : {up, down}) {
            arrow->setAutoRepeat(true);
            arrow->setFixedSize(18, 11);
        }
        auto* arrows = new QVBoxLayout;
        arrows->setSpacing(0);
        arrows->addWidget(up);
        arrows->addWidget(down);
        grid->addWidget(new QLabel(QString::fromUtf8(rule.label), this), f, 0);
        grid->addWidget(edit, f, 1);
        grid->addLayout(arrows, f, 2);
        m_edits[size_t(f)] = edit;
        m_up[size_t(f)] = up;
        m_down[size_t(f)] = down;
        connect(edit, &QLineEdit::textChanged, this, [this] { Apply(); });
        connect(up, &QToolButton::clicked, this, [this, f] { StepField(f, 1); });
        connect(down, &QToolButton::clicked, this, [this, f] { StepField(f, -1); });
    }
    m_unit = new QLabel(QStringLiteral("pt"), this);
    grid->addWidget(m_unit, kFontSize, 3);
    m_unit->setVisible(page == 0);
    grid->setColumnStretch(4, 1);

    m_arrow = new QCheckBox(QStringLiteral("撮影方向（矢印）表示"), this);
    m_background = new QCheckBox(QStringLiteral("文字背景の塗りつぶし"), this);
    m_leader = new QCheckBox(QStringLiteral("引き出し線の表示"), this);
    for (QCheckBox* check : {m_arrow, m_background, m_leader})
        connect(check, &QCheckBox::toggled, this, [this] { Apply(); });

    m_copy = new QPushButton(
        page == 0 ? QStringLiteral("「Excel出力」の設定をコピー") : QStringLiteral("「画面」の設定をコピー"),
        this);
    connect(m_copy, &QPushButton::clicked, this, [this] { CopyFromOtherPage(); });
    auto* help = new QPushButton(QStringLiteral("?"), this);
    help->setToolTip(QStringLiteral("項目の説明"));
    help->setFixedWidth(28);
    connect(help, &QPushButton::clicked, this, [this] {
        ShowRefPictureFile(this, QStringLiteral("Ref/refPhotoMark.png"), QStringLiteral("項目の説明"));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addStretch();
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_arrow);
    layout->addWidget(m_background);
    layout->addWidget(m_leader);
    layout->addStretch();
    layout->addLayout(buttons);
    Fill();
}

void CSetMarkChildDlg::SetShapeKind(int kind)
{
    m_kind = kind;
    const bool label = kind != 1;
    m_edits[kLabelDistance]->setEnabled(label);
    m_up[kLabelDistance]->setEnabled(label);
    m_down[kLabelDistance]->setEnabled(label);
    m_leader->setEnabled(label);
}

void CSetMarkChildDlg::Fill()
{
    m_filling = true;
    for (int f = 0; f < kFieldCount; ++f) {
        if (kFields[f].real)
            m_edits[size_t(f)]->SetReal(FieldValue(m_live, f));
        else
            m_edits[size_t(f)]->SetInt(int(FieldValue(m_live, f)));
    }
    m_arrow->setChecked(m_live.arrow != 0);
    m_background->setChecked(m_live.textBackClear == 0);
    m_leader->setChecked(m_live.leader != 0);
    SetShapeKind(m_kind);
    m_filling = false;
}

void CSetMarkChildDlg::Apply()
{
    if (m_filling)
        return;
    for (int f = 0; f < kFieldCount; ++f) {
        double value = 0;
        if (ReadField(*m_edits[size_t(f)], f, value))
            SetFieldValue(m_live, f, value);
    }
    const std::uint8_t arrow = m_arrow->isChecked() ? 1 : 0;
    const std::uint8_t clear = m_background->isChecked() ? 0 : 1;
    const std::uint8_t leader = m_leader->isChecked() ? 1 : 0;
    const bool arrowChanged = arrow != m_live.arrow;
    const bool clearChanged = clear != m_live.textBackClear;
    const bool leaderChanged = leader != m_live.leader;
    m_live.arrow = arrow;
    m_live.textBackClear = clear;
    m_live.leader = leader;
    if (m_other && (arrowChanged || clearChanged || leaderChanged)) {
        const QString question = m_page == 0 ? QStringLiteral("「Excel出力」も変更しますか？")
                                             : QStringLiteral("「画面」も変更しますか？");
        if (ShowMessage(this, question, kProductName, PromptIcon::Information, PromptButtons::YesNo) ==
            PromptAnswer::Yes) {
            if (arrowChanged)
                m_other->m_live.arrow = arrow;
            if (clearChanged)
                m_other->m_live.textBackClear = clear;
            if (leaderChanged)
                m_other->m_live.leader = leader;
            m_other->Fill();
        }
    }
    Changed();
}

void CSetMarkChildDlg::StepField(int field, int direction)
{
    const FieldRule& rule = kFields[field];
    CExpEdit* edit = m_edits[size_t(field)];
    double value = 0;
    if (!ReadField(*edit, field, value))
        value = FieldValue(m_live, field);
    if (rule.real) {
        // In tenths, one click being ten of them; kept within 0.1 to 99.9.
        const int position = std::clamp(int(std::lround(value * 10)) + 10 * direction, 1, 999);
        edit->SetReal(position * 0.1);
    } else {
        edit->SetInt(std::clamp(int(value) + direction, int(rule.minimum), int(rule.maximum)));
    }
}

void CSetMarkChildDlg::CopyFromOtherPage()
{
    if (!m_other)
        return;
    m_live = m_other->m_live;
    Fill();
    Changed();
}

void CSetMarkChildDlg::Changed()
{
    if (changed)
        changed();
}

}  // namespace app
