#include "app/cad/OutputCadDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/controls/ExpStatic.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "cad/CadOutputRun.h"
#include "fe/StaticTables.h"
#include "model/Project.h"

namespace app {

namespace {

const QColor kEmptyArea(219, 255, 255);
const QColor kEligibleRow(255, 255, 207);
const QColor kTickCell(255, 255, 255);
const QColor kOtherRow(225, 225, 225);
const QColor kWarningText(128, 0, 0);

}  // namespace

COutputCadDlg::COutputCadDlg(Project& project, const MarkStyle* markStyle, QWidget* parent)
    : CKeyPolicyDialog(parent), project_(project), markStyle_(markStyle)
{
    setWindowTitle(QStringLiteral("写真位置CAD出力"));

    grid_ = new CSpread7U(this);
    grid_->SetCols(4);
    const QStringList headers{QStringLiteral("No"), QStringLiteral("位置図名称"), QStringLiteral("出力"),
                              QStringLiteral("写真数")};
    for (int col = 1; col <= 4; ++col) {
        SetSpreadCellText(*grid_, col, kSpreadHeader, headers[col - 1]);
    }
    grid_->SetCol(kColTick);
    grid_->SetColKind(SpreadCellKind::Check);
    grid_->SetColWidth(kColNumber, 4);
    grid_->SetColWidth(kColName, 24);
    grid_->SetColWidth(kColTick, 5);
    grid_->SetColWidth(kColPhotos, 6);
    grid_->SetEmptyAreaColor(kEmptyArea);

    fileKind_ = new QComboBox(this);
    // The only kind offered; the drawings are always written as that version.
    fileKind_->addItem(fe::tables::DxfFilterLabel());
    fileKind_->setCurrentIndex(0);

    warning_ = new CExpStatic(
        QStringLiteral("※ ケルヴォルVersion1で取り込まれた位置図ではCAD出力ができ\n　 ません。\n"
                       "　 位置図を取込しなおす必要があります。"),
        this);
    warning_->textColor = kWarningText;
    warning_->background = palette().brush(QPalette::Window);

    allOn_ = new QPushButton(QStringLiteral("全ON"), this);
    allOff_ = new QPushButton(QStringLiteral("全OFF"), this);
    write_ = new QPushButton(QStringLiteral("DXF出力"), this);
    close_ = new QPushButton(QStringLiteral("閉じる"), this);

    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(allOn_);
    tickButtons->addWidget(allOff_);
    tickButtons->addStretch();
    auto* output = new QHBoxLayout;
    output->addWidget(new QLabel(QStringLiteral("ファイルの種類"), this));
    output->addWidget(fileKind_, 1);
    output->addWidget(write_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tickButtons);
    // The grid ends 4 pixels above the warning, or 8 pixels above the buttons without it.
    layout->addWidget(grid_, 1);
    layout->addSpacing(4);
    layout->addWidget(warning_);
    layout->addSpacing(4);
    layout->addLayout(output);
    layout->addLayout(bottom);

    connect(allOn_, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(allOff_, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(write_, &QPushButton::clicked, this, &COutputCadDlg::WriteDxf);
    connect(close_, &QPushButton::clicked, this, [this] {
        StoreTicks();
        accept();
    });
    SetOkButton(close_);

    warning_->setVisible(HasMapWithoutCadRegistration(project_));
    FillGrid();
    resize(560, 400);
}

bool COutputCadDlg::KeepsEnter(QWidget* focus) const
{
    return focus == grid_ || grid_->isAncestorOf(focus) || grid_->EditMode();
}

void COutputCadDlg::FillGrid()
{
    const int count = project_.maps.Count();
    grid_->SetRows(count);
    for (int row = 1; row <= count; ++row) {
        const LocationMap& map = project_.maps.maps[static_cast<size_t>(row - 1)];
        const bool eligible = IsCadEligible(map);
        SetSpreadCellText(*grid_, kColNumber, row, QString::number(row));
        SetSpreadCellText(*grid_, kColName, row, map.name);
        SetSpreadCellCheck(*grid_, kColTick, row, eligible && map.cadOutputFlag != 0 ? 1 : 0);
        SetSpreadCellText(*grid_, kColPhotos, row, QString::number(map.photos.Count()));
        SetSpreadBlockBackColor(*grid_, kColNumber, row, kColPhotos, row,
                                eligible ? kEligibleRow : kOtherRow);
        if (eligible) {
            SetSpreadBlockBackColor(*grid_, kColTick, row, kColTick, row, kTickCell);
        }
    }
    ApplyLocks();
}

void COutputCadDlg::ApplyLocks()
{
    for (int row = 1; row <= grid_->Rows(); ++row) {
        grid_->SetCol(kColTick);
        grid_->SetRow(row);
        grid_->SetLock(!IsCadEligible(project_.maps.maps[static_cast<size_t>(row - 1)]));
    }
}

void COutputCadDlg::TickAll(bool on)
{
    for (int row = 1; row <= grid_->Rows(); ++row) {
        grid_->SetCol(kColTick);
        grid_->SetRow(row);
        if (!on || !grid_->Lock()) {
            SetSpreadCellCheck(*grid_, kColTick, row, on ? 1 : 0);
        }
    }
    ApplyLocks();
}

bool COutputCadDlg::AnyTicked() const
{
    for (int row = 1; row <= grid_->Rows(); ++row) {
        grid_->SetCol(kColTick);
        grid_->SetRow(row);
        if (!grid_->Lock() && GetSpreadCellCheck(*grid_, kColTick, row) != 0) {
            return true;
        }
    }
    return false;
}

void COutputCadDlg::StoreTicks()
{
    for (int row = 1; row <= grid_->Rows() && row <= project_.maps.Count(); ++row) {
        grid_->SetCol(kColTick);
        grid_->SetRow(row);
        if (!grid_->Lock()) {
            project_.maps.maps[static_cast<size_t>(row - 1)].cadOutputFlag =
                GetSpreadCellCheck(*grid_, kColTick, row) != 0 ? 1 : 0;
        }
    }
}

void COutputCadDlg::WriteDxf()
{
    if (grid_->Rows() == 0 || !AnyTicked()) {
        ShowMessage(this, QStringLiteral("出力可能な位置図が選択されていません。"), kProductName);
        return;
    }
    StoreTicks();
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CadOutputRunResult result = WriteTickedMapsDxf(project_, markStyle_);
    QApplication::restoreOverrideCursor();
    if (result.HasFailures()) {
        ShowMessage(this, result.FailureMessage(), kProductName, PromptIcon::Error);
    }
    if (result.written > 0) {
        OpenFolder(project_.CadFolder());
    }
    setEnabled(true);
}

}  // namespace app
