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
    : CKeyPolicyDialog(parent), m_project(project), m_markStyle(markStyle)
{
    setWindowTitle(QStringLiteral("写真位置CAD出力"));

    m_grid = new CSpread7U(this);
    m_grid->SetCols(4);
    const QStringList headers{QStringLiteral("No"), QStringLiteral("位置図名称"), QStringLiteral("出力"),
                              QStringLiteral("写真数")};
    for (int col = 1; col <= 4; ++col) {
        SetSpreadCellText(*m_grid, col, kSpreadHeader, headers[col - 1]);
    }
    m_grid->SetCol(kColTick);
    m_grid->SetColKind(SpreadCellKind::Check);
    m_grid->SetColWidth(kColNumber, 4);
    m_grid->SetColWidth(kColName, 24);
    m_grid->SetColWidth(kColTick, 5);
    m_grid->SetColWidth(kColPhotos, 6);
    m_grid->SetEmptyAreaColor(kEmptyArea);

    m_fileKind = new QComboBox(this);
    // The only kind offered; the drawings are always written as that version.
    m_fileKind->addItem(fe::tables::DxfFilterLabel());
    m_fileKind->setCurrentIndex(0);

    m_warning = new CExpStatic(
        QStringLiteral("※ ケルヴォルVersion1で取り込まれた位置図ではCAD出力ができ\n　 ません。\n"
                       "　 位置図を取込しなおす必要があります。"),
        this);
    m_warning->textColor = kWarningText;
    m_warning->background = palette().brush(QPalette::Window);

    m_allOn = new QPushButton(QStringLiteral("全ON"), this);
    m_allOff = new QPushButton(QStringLiteral("全OFF"), this);
    m_write = new QPushButton(QStringLiteral("DXF出力"), this);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);

    auto* tickButtons = new QHBoxLayout;
    tickButtons->addWidget(m_allOn);
    tickButtons->addWidget(m_allOff);
    tickButtons->addStretch();
    auto* output = new QHBoxLayout;
    output->addWidget(new QLabel(QStringLiteral("ファイルの種類"), this));
    output->addWidget(m_fileKind, 1);
    output->addWidget(m_write);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tickButtons);
    // The grid ends 4 pixels above the warning, or 8 pixels above the buttons without it.
    layout->addWidget(m_grid, 1);
    layout->addSpacing(4);
    layout->addWidget(m_warning);
    layout->addSpacing(4);
    layout->addLayout(output);
    layout->addLayout(bottom);

    connect(m_allOn, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(m_allOff, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(m_write, &QPushButton::clicked, this, &COutputCadDlg::WriteDxf);
    connect(m_close, &QPushButton::clicked, this, [this] {
        StoreTicks();
        accept();
    });
    SetOkButton(m_close);

    m_warning->setVisible(HasMapWithoutCadRegistration(m_project));
    FillGrid();
    resize(560, 400);
}

bool COutputCadDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_grid || m_grid->isAncestorOf(focus) || m_grid->EditMode();
}

void COutputCadDlg::FillGrid()
{
    const int count = m_project.maps.Count();
    m_grid->SetRows(count);
    for (int row = 1; row <= count; ++row) {
        const LocationMap& map = m_project.maps.maps[static_cast<size_t>(row - 1)];
        const bool eligible = IsCadEligible(map);
        SetSpreadCellText(*m_grid, kColNumber, row, QString::number(row));
        SetSpreadCellText(*m_grid, kColName, row, map.name);
        SetSpreadCellCheck(*m_grid, kColTick, row, eligible && map.cadOutputFlag != 0 ? 1 : 0);
        SetSpreadCellText(*m_grid, kColPhotos, row, QString::number(map.photos.Count()));
        SetSpreadBlockBackColor(*m_grid, kColNumber, row, kColPhotos, row,
                                eligible ? kEligibleRow : kOtherRow);
        if (eligible) {
            SetSpreadBlockBackColor(*m_grid, kColTick, row, kColTick, row, kTickCell);
        }
    }
    ApplyLocks();
}

void COutputCadDlg::ApplyLocks()
{
    for (int row = 1; row <= m_grid->Rows(); ++row) {
        m_grid->SetCol(kColTick);
        m_grid->SetRow(row);
        m_grid->SetLock(!IsCadEligible(m_project.maps.maps[static_cast<size_t>(row - 1)]));
    }
}

void COutputCadDlg::TickAll(bool on)
{
    for (int row = 1; row <= m_grid->Rows(); ++row) {
        m_grid->SetCol(kColTick);
        m_grid->SetRow(row);
        if (!on || !m_grid->Lock()) {
            SetSpreadCellCheck(*m_grid, kColTick, row, on ? 1 : 0);
        }
    }
    ApplyLocks();
}

bool COutputCadDlg::AnyTicked() const
{
    for (int row = 1; row <= m_grid->Rows(); ++row) {
        m_grid->SetCol(kColTick);
        m_grid->SetRow(row);
        if (!m_grid->Lock() && GetSpreadCellCheck(*m_grid, kColTick, row) != 0) {
            return true;
        }
    }
    return false;
}

void COutputCadDlg::StoreTicks()
{
    for (int row = 1; row <= m_grid->Rows() && row <= m_project.maps.Count(); ++row) {
        m_grid->SetCol(kColTick);
        m_grid->SetRow(row);
        if (!m_grid->Lock()) {
            m_project.maps.maps[static_cast<size_t>(row - 1)].cadOutputFlag =
                GetSpreadCellCheck(*m_grid, kColTick, row) != 0 ? 1 : 0;
        }
    }
}

void COutputCadDlg::WriteDxf()
{
    if (m_grid->Rows() == 0 || !AnyTicked()) {
        ShowMessage(this, QStringLiteral("出力可能な位置図が選択されていません。"), kProductName);
        return;
    }
    StoreTicks();
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CadOutputRunResult result = WriteTickedMapsDxf(m_project, m_markStyle);
    QApplication::restoreOverrideCursor();
    if (result.HasFailures()) {
        ShowMessage(this, result.FailureMessage(), kProductName, PromptIcon::Error);
    }
    if (result.written > 0) {
        ShowOutputFolder(this, m_project.CadFolder());
    }
    setEnabled(true);
}

}  // namespace app
