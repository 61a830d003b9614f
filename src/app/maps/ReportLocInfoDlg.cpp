#include "app/maps/ReportLocInfoDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "app/Prompts.h"
#include "app/controls/BitmapResources.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/maps/MapTexts.h"
#include "fe/Unset.h"
#include "model/FixedItemNames.h"
#include "model/LocationMap.h"

namespace app {
namespace {

const QColor kLockedBack(219, 255, 255);
const QColor kInputBack(255, 255, 207);
const QColor kGreyBack(225, 225, 225);
constexpr int kNameRow = 1;
constexpr int kValue4Rows[3] = {5, 6, 7};
constexpr int kItemNameRows[4] = {2, 3, 4, 6};

}  // namespace

CReportLocInfoDlg::CReportLocInfoDlg(LocationMap& map, const FixedItemNames& presets, QWidget* parent)
    : CKeyPolicyDialog(parent), m_map(map), m_presets(presets)
{
    setWindowTitle(QStringLiteral("位置図名称・属性"));

    auto* kindGroup = new QGroupBox(QStringLiteral("位置図座標系"), this);
    auto* kindLayout = new QVBoxLayout(kindGroup);
    const char16_t* kindNames[5] = {u"座標系なし", u"平面直角座標系", u"緯度経度(国土地理院地図 標準地図)",
                                    u"緯度経度(国土地理院地図 淡色地図)", u"緯度経度(国土地理院地図 写真)"};
    for (size_t k = 0; k < m_kinds.size(); ++k) {
        m_kinds[k] = new QRadioButton(QString::fromUtf16(kindNames[k]), kindGroup);
        m_kinds[k]->setObjectName(QStringLiteral("Kind%1").arg(1101 + k));
        kindLayout->addWidget(m_kinds[k]);
    }
    auto* help = new CExpButton(kindGroup);
    help->SetBitmaps(kBitmapHelp, kBitmapHelpPressed, true);
    help->setAccessibleName(QStringLiteral("背景地図切替の説明"));
    connect(help, &CExpButton::clicked, this,
            [this] { ShowRefPicture(this, kBitmapRefBaseMap, QStringLiteral("背景地図切替")); });
    kindLayout->addWidget(help, 0, Qt::AlignRight);

    m_items = new CSpread7U(this);
    m_items->setObjectName(QStringLiteral("ItemGrid"));
    m_items->SetCols(2);
    m_items->SetRows(7);
    m_items->verticalHeader()->setVisible(false);
    m_items->horizontalHeader()->setVisible(false);
    m_items->SetColWidth(1, 14);
    m_items->SetColWidth(2, 34);
    m_items->SetLockedBackColor(kLockedBack);
    SetSpreadCellText(*m_items, 1, kNameRow, QStringLiteral("位置図名称"));
    for (int row : {1, 5, 7}) {
        m_items->SetCol(1);
        m_items->SetRow(row);
        m_items->SetLock(true);
    }
    SetSpreadBlockBackColor(*m_items, 2, 1, 2, 7, kInputBack);
    m_items->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_items->setFixedHeight(m_items->verticalHeader()->length() + m_items->frameWidth() * 2 + 2);
    m_items->setMinimumWidth(m_items->horizontalHeader()->length() + m_items->frameWidth() * 2 + 2);
    connect(m_items, &CSpread7U::KeyDown, this, &CReportLocInfoDlg::OnItemKeyDown);
    // Entering a cell starts editing it, except the label of the name.
    connect(m_items, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (row < 0 || (row == 0 && col == 0))
            return;
        QTimer::singleShot(0, m_items, [grid = m_items, row, col] {
            if (!grid->EditMode() && grid->currentRow() == row && grid->currentColumn() == col)
                grid->SetEditMode(true);
        });
    });

    m_range = new CSpread7U(this);
    m_range->setObjectName(QStringLiteral("RangeGrid"));
    m_range->SetCols(2);
    m_range->SetRows(2);
    m_range->horizontalHeader()->setVisible(false);
    SetSpreadCellText(*m_range, kSpreadHeader, 1, QStringLiteral("緯度範囲"));
    SetSpreadCellText(*m_range, kSpreadHeader, 2, QStringLiteral("経度範囲"));
    m_range->SetBlockMode(true);
    m_range->SetCol(1);
    m_range->SetRow(1);
    m_range->SetCol2(2);
    m_range->SetRow2(2);
    m_range->SetLock(true);
    m_range->SetBlockMode(false);
    m_range->SetColWidth(1, 14);
    m_range->SetColWidth(2, 14);
    const bool boxSet =
        !IsUnset(map.box.x0) && !IsUnset(map.box.x1) && !IsUnset(map.box.y0) && !IsUnset(map.box.y1);
    m_range->SetLockedBackColor(boxSet ? kInputBack : kGreyBack);
    m_range->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_range->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_range->setFixedSize(m_range->verticalHeader()->sizeHint().width() + m_range->horizontalHeader()->length() +
                              m_range->frameWidth() * 2 + 2,
                          m_range->verticalHeader()->length() + m_range->frameWidth() * 2 + 2);

    m_northArrow = new QCheckBox(QStringLiteral("方位マークの表示"), this);
    m_scaleBar = new QCheckBox(QStringLiteral("スケールバーの表示"), this);
    m_zoomLabel = new QLabel(QStringLiteral("ズームレベル"), this);
    m_zoom = new CExpEdit(this);
    m_zoom->SetIntegerMode(2, 0, 20, INT_MIN);
    m_zoom->setEnabled(false);
    m_zoomSpin = new QSpinBox(this);
    m_zoomSpin->setRange(0, 20);
    m_zoomSpin->setEnabled(false);
    m_zoomNote = new QLabel(QStringLiteral("※ 変更可能範囲\n　  0～18"), this);
    m_zoomNote->setVisible(false);

    auto* presetsRow = new QHBoxLayout;
    presetsRow->addWidget(new QLabel(QStringLiteral("定型項目名セット："), this));
    for (int n = 1; n <= FixedItemNames::kPresetCount; ++n) {
        auto* button = new QPushButton(QString::number(n), this);
        button->setObjectName(QStringLiteral("Preset%1").arg(n));
        button->setAutoDefault(false);
        button->setFixedWidth(32);
        connect(button, &QPushButton::clicked, this, [this, n] { ApplyPreset(n); });
        presetsRow->addWidget(button);
    }
    presetsRow->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(ok, &QPushButton::clicked, this, &CReportLocInfoDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CReportLocInfoDlg::reject);
    SetOkButton(ok);
    SetCancelButton(cancel);

    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(m_zoomLabel);
    zoomRow->addWidget(m_zoom);
    zoomRow->addWidget(m_zoomSpin);
    zoomRow->addWidget(m_zoomNote);
    zoomRow->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_range);
    right->addWidget(m_northArrow);
    right->addWidget(m_scaleBar);
    right->addLayout(zoomRow);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(kindGroup);
    top->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(presetsRow);
    layout->addWidget(m_items);
    layout->addLayout(buttons);

    m_recordedKind = map.kind;
    m_recordedZoom = map.tileZoom;
    FillControls();
}

void CReportLocInfoDlg::FillControls()
{
    // Exclusive buttons cannot all be unchecked while exclusive.
    for (QRadioButton* radio : m_kinds) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    if (LocationMap::IsKnownKind(m_map.kind))
        m_kinds[static_cast<size_t>(m_map.kind)]->setChecked(true);
    m_zoomSpin->setValue(m_map.tileZoom);
    m_zoom->SetInt(m_map.tileZoom);
    if (!m_map.IsWebMap())
        m_zoomNote->clear();

    SetSpreadCellText(*m_items, 2, kNameRow, m_map.name);
    for (int k = 0; k < 3; ++k)
        SetSpreadCellText(*m_items, 2, 2 + k, m_map.itemValues.texts[static_cast<size_t>(k)]);
    const std::array<QString, 3> lines = SplitThreeLines(m_map.itemValues.texts[3]);
    for (size_t k = 0; k < lines.size(); ++k)
        SetSpreadCellText(*m_items, 2, kValue4Rows[k], lines[k]);
    for (size_t k = 0; k < 4; ++k)
        SetSpreadCellText(*m_items, 1, kItemNameRows[k], m_map.itemNames.texts[k]);

    SetSpreadCellLatLong(*m_range, 1, 1, QString(), m_map.box.y1, kUnset);
    SetSpreadCellLatLong(*m_range, 2, 1, QString(), m_map.box.y0, kUnset);
    SetSpreadCellLatLong(*m_range, 1, 2, QString(), m_map.box.x0, kUnset);
    SetSpreadCellLatLong(*m_range, 2, 2, QString(), m_map.box.x1, kUnset);
    m_northArrow->setChecked(m_map.overlay.showNorthArrow != 0);
    m_scaleBar->setChecked(m_map.overlay.showScaleBar != 0);
    UpdateEnabling();
}

void CReportLocInfoDlg::UpdateEnabling()
{
    const bool registered = m_map.kind == LocationMap::kRegisteredPicture;
    const bool web = m_map.IsWebMap();
    m_zoomLabel->setEnabled(web);
    m_zoom->setEnabled(false);
    m_zoomSpin->setEnabled(false);
    m_northArrow->setEnabled(registered || web);
    m_scaleBar->setEnabled(registered || (web && m_map.zone != 0 && m_map.zone != 20));
    m_kinds[0]->setEnabled(false);
    m_kinds[1]->setEnabled(false);
    for (size_t k = 2; k < m_kinds.size(); ++k)
        m_kinds[k]->setEnabled(web);
    SetSpreadBlockBackColor(*m_range, 1, 1, 2, 2, web ? QColor(255, 255, 255) : kGreyBack);
}

void CReportLocInfoDlg::ApplyPreset(int n)
{
    if (n < 1 || n > static_cast<int>(m_presets.itemNames.size()))
        return;
    const MapItemTexts& names = m_presets.itemNames[static_cast<size_t>(n - 1)];
    for (size_t k = 0; k < 4; ++k)
        SetSpreadCellText(*m_items, 1, kItemNameRows[k], names.texts[k]);
}

void CReportLocInfoDlg::OnItemKeyDown(int* keyCode, int /*shift*/)
{
    if (*keyCode != kKeyDelete || m_items->EditMode())
        return;
    const CSpread7U::Block block = m_items->SelectedBlock();
    ClearSpreadUnlockedCells(*m_items, block.col, block.row, block.col2, block.row2);
}

bool CReportLocInfoDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_items || m_items->isAncestorOf(focus) || CKeyPolicyDialog::KeepsEnter(focus);
}

void CReportLocInfoDlg::OnOk()
{
    if (m_items->EditMode())
        m_items->SetEditMode(false);
    if (!IsUsableMapName(GetSpreadCellText(*m_items, 2, kNameRow))) {
        ShowMessage(this, kMapNameRefusedText, kMapNameRefusedCaption, PromptIcon::Warning);
        return;
    }
    WriteBack();
    accept();
}

void CReportLocInfoDlg::WriteBack()
{
    std::int32_t kind = 0;
    for (size_t k = 0; k < m_kinds.size(); ++k) {
        if (m_kinds[k]->isChecked()) {
            kind = static_cast<std::int32_t>(k);
            break;
        }
    }
    m_map.kind = kind;
    m_map.name = GetSpreadCellText(*m_items, 2, kNameRow);
    for (int k = 0; k < 3; ++k)
        m_map.itemValues.texts[static_cast<size_t>(k)] = GetSpreadCellText(*m_items, 2, 2 + k);
    std::array<QString, 3> lines;
    for (size_t k = 0; k < lines.size(); ++k)
        lines[k] = GetSpreadCellText(*m_items, 2, kValue4Rows[k]);
    m_map.itemValues.texts[3] = JoinThreeLines(lines);
    for (size_t k = 0; k < 4; ++k)
        m_map.itemNames.texts[k] = GetSpreadCellText(*m_items, 1, kItemNameRows[k]);
    m_map.overlay.showNorthArrow = m_northArrow->isChecked() ? 1 : 0;
    m_map.overlay.showScaleBar = m_scaleBar->isChecked() ? 1 : 0;
}

}  // namespace app
