#include "app/ledger/OutputItemEditDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "model/FixedItemNames.h"

namespace app {
namespace {

constexpr int kColumns = 4;
constexpr int kRows = 5;

}  // namespace

COutputItemEditDlg::COutputItemEditDlg(FixedItemNames& names, QWidget* parent)
    : CKeyPolicyDialog(parent), m_names(names)
{
    setWindowTitle(QStringLiteral("定型項目名編集"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("表紙　定型項目名"), this));
    m_cover = MakeGrid();
    m_cover->setObjectName(QStringLiteral("ctl1109"));
    layout->addWidget(m_cover);
    layout->addWidget(new QLabel(QStringLiteral("写真位置図　定型項目名"), this));
    m_map = MakeGrid();
    m_map->setObjectName(QStringLiteral("ctl1110"));
    layout->addWidget(m_map);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &COutputItemEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COutputItemEditDlg::reject);
    layout->addWidget(buttons);
    SetOkButton(buttons->button(QDialogButtonBox::Ok));
    SetCancelButton(buttons->button(QDialogButtonBox::Cancel));
    FillGrids();
}

CSpread7U* COutputItemEditDlg::MakeGrid()
{
    auto* grid = new CSpread7U(this);
    grid->SetCols(kColumns);
    grid->SetRows(kRows);
    grid->SetEmptyAreaColor(QColor(219, 255, 255));
    grid->SetLockedBackColor(QColor(255, 255, 207));
    for (int col = 1; col <= kColumns; ++col) {
        SetSpreadCellText(*grid, col, kSpreadHeader, QString::number(col));
        grid->SetColWidth(col, 14);
    }
    // Row 1 names what the preset's first text is; it is not one of the presets' texts.
    for (int col = 1; col <= kColumns; ++col) {
        grid->SetCol(col);
        grid->SetRow(1);
        grid->SetLock(true);
    }
    grid->verticalHeader()->setVisible(false);
    grid->setMinimumSize(4 * grid->columnWidth(0) + 4, grid->horizontalHeader()->height() + kRows * grid->rowHeight(0) + 4);
    connect(grid, &CSpread7U::KeyDown, this, [this, grid](int* keyCode, int) {
        if (*keyCode == kKeyDelete && !grid->EditMode()) {
            ClearSelection(*grid);
            *keyCode = 0;
        }
    });
    return grid;
}

int COutputItemEditDlg::PresetCount() const
{
    const int lists = int(std::min(m_names.headerLabels.size(), m_names.itemNames.size()));
    return std::max(0, std::min({int(m_names.count), kColumns, lists}));
}

void COutputItemEditDlg::FillGrids()
{
    const int n = PresetCount();
    for (int i = 1; i <= n; ++i) {
        const ReportHeader& labels = m_names.headerLabels[size_t(i - 1)];
        const MapItemTexts& items = m_names.itemNames[size_t(i - 1)];
        SetSpreadCellText(*m_cover, i, 1, QStringLiteral("タイトル"));
        SetSpreadCellText(*m_map, i, 1, QStringLiteral("位置図名称"));
        for (int row = 2; row <= kRows; ++row) {
            SetSpreadCellText(*m_cover, i, row, labels.texts[size_t(row - 1)]);
            SetSpreadCellText(*m_map, i, row, items.texts[size_t(row - 2)]);
        }
    }
}

void COutputItemEditDlg::StoreGrids()
{
    const int n = PresetCount();
    for (int t = 1; t <= n; ++t) {
        ReportHeader& labels = m_names.headerLabels[size_t(t - 1)];
        MapItemTexts& items = m_names.itemNames[size_t(t - 1)];
        for (int row = 2; row <= kRows; ++row) {
            labels.texts[size_t(row - 1)] = GetSpreadCellText(*m_cover, t, row);
            items.texts[size_t(row - 2)] = GetSpreadCellText(*m_map, t, row);
        }
    }
}

void COutputItemEditDlg::ClearSelection(CSpread7U& grid)
{
    const CSpread7U::Block block = grid.SelectedBlock();
    ClearSpreadUnlockedCells(grid, std::min(block.col, block.col2), std::min(block.row, block.row2),
                             std::max(block.col, block.col2), std::max(block.row, block.row2));
    StoreGrids();
}

void COutputItemEditDlg::accept()
{
    if (m_cover->EditMode())
        m_cover->SetEditMode(false);
    if (m_map->EditMode())
        m_map->SetEditMode(false);
    StoreGrids();
    CKeyPolicyDialog::accept();
}

}  // namespace app
