#include "app/settings/SetTileDlg.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Prompts.h"
#include "app/controls/GroupTitleStyle.h"
#include "app/controls/OkCancelRow.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "model/AppSettings.h"

namespace app {
namespace {

constexpr int kColumns = 4;

QString CellText(const CSpread7U& grid, int col)
{
    auto& cursor = const_cast<CSpread7U&>(grid);
    cursor.SetCol(col);
    cursor.SetRow(1);
    return cursor.Text();
}

void PutCell(CSpread7U& grid, int col, const QString& text)
{
    grid.SetCol(col);
    grid.SetRow(1);
    grid.SetText(text);
}

std::optional<int> ZoomOf(const QLineEdit& edit)
{
    bool ok = false;
    const int value = edit.text().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

CSetTileDlg::CSetTileDlg(const fe::geo::TileSiteVector& sites, const QString& cacheFolder, const QString& listPath,
                         QWidget* parent)
    : CKeyPolicyDialog(parent), m_cacheFolder(cacheFolder), m_listPath(listPath)
{
    setWindowTitle(QStringLiteral("地図タイル設定"));
    auto* layout = new QVBoxLayout(this);
    const QString titles[3] = {QStringLiteral("地図1（標準）"), QStringLiteral("地図2（淡色）"),
                               QStringLiteral("地図3（写真）")};
    const QString headers[kColumns] = {QStringLiteral("地図タイトル"), QStringLiteral("サーバー"),
                                       QStringLiteral("サーバー以下URL"), QStringLiteral("タイルファイルの拡張子")};
    const double widths[kColumns] = {14, 26, 20, 12};
    for (int g = 0; g < 3; ++g) {
        auto* box = new QGroupBox(titles[g], this);
        box->setStyle(GroupTitleStyle());
        auto* grid = new CSpread7U(box);
        grid->SetCols(kColumns);
        grid->SetRows(1);
        for (int c = 1; c <= kColumns; ++c) {
            grid->SetCol(c);
            grid->SetRow(kSpreadHeader);
            grid->SetText(headers[c - 1]);
            grid->SetColWidth(c, widths[c - 1]);
        }
        // One row, every column in view: the grid never scrolls, and is as wide as its columns.
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(grid, &CSpread7U::KeyDown, this, [this, grid](int* keyCode, int) {
            if (*keyCode == kKeyDelete && !grid->EditMode())
                ClearUnlockedSelection(grid);
        });
        auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), box);
        auto* low = new QLineEdit(box);
        auto* high = new QLineEdit(box);
        for (QLineEdit* edit : {low, high}) {
            edit->setValidator(digits);
            edit->setMaximumWidth(48);
        }
        auto* transparent = new QCheckBox(QStringLiteral("透過色があるタイル"), box);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("ズームレベル"), box));
        row->addWidget(low);
        row->addWidget(new QLabel(QStringLiteral("～"), box));
        row->addWidget(high);
        row->addSpacing(16);
        row->addWidget(transparent);
        row->addStretch();
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(grid);
        inner->addLayout(row);
        layout->addWidget(box);
        m_grids[static_cast<size_t>(g)] = grid;
        m_zoomLow[static_cast<size_t>(g)] = low;
        m_zoomHigh[static_cast<size_t>(g)] = high;
        m_transparent[static_cast<size_t>(g)] = transparent;
    }
    m_reset = new QPushButton(QStringLiteral("初期設定に戻す"), this);
    connect(m_reset, &QPushButton::clicked, this, [this] { FillFromSites(AppSettings::BuiltInBaseMaps()); });
    const OkCancelRow buttons = MakeOkCancelRow(*this);
    buttons.layout->insertWidget(0, m_reset);
    layout->addLayout(buttons.layout);
    FillFromSites(sites);
}

void CSetTileDlg::FitGrid(CSpread7U& grid)
{
    // Each column takes at least its header and its text; the grid shows them all and its one row whole.
    const int padding = 2 * grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 12;
    QHeaderView* rowHeader = grid.verticalHeader();
    int width = rowHeader->isHidden() ? 0 : std::max(rowHeader->width(), rowHeader->sizeHint().width());
    for (int c = 1; c <= kColumns; ++c) {
        grid.SetCol(c);
        grid.SetRow(kSpreadHeader);
        const QString header = grid.Text();
        const int needed = std::max(grid.horizontalHeader()->fontMetrics().horizontalAdvance(header),
                                    grid.fontMetrics().horizontalAdvance(CellText(grid, c))) +
                           padding;
        if (grid.columnWidth(c - 1) < needed)
            grid.setColumnWidth(c - 1, needed);
        width += grid.columnWidth(c - 1);
    }
    const int frame = 2 * grid.frameWidth();
    grid.setMinimumWidth(width + frame);
    grid.setFixedHeight(grid.horizontalHeader()->sizeHint().height() + grid.rowHeight(0) + frame);
}

void CSetTileDlg::FillFromSites(const fe::geo::TileSiteVector& sites)
{
    const int count = std::min<int>(3, static_cast<int>(sites.size()));
    for (int g = 0; g < count; ++g) {
        const TileSiteFields fields = TileSiteFields::Of(sites[static_cast<size_t>(g)]);
        CSpread7U& grid = *m_grids[static_cast<size_t>(g)];
        PutCell(grid, 1, fields.title);
        PutCell(grid, 2, fields.baseUrl);
        PutCell(grid, 3, fields.path);
        PutCell(grid, 4, fields.extension);
        m_zoomLow[static_cast<size_t>(g)]->setText(QString::number(*fields.zoomLow));
        m_zoomHigh[static_cast<size_t>(g)]->setText(QString::number(*fields.zoomHigh));
        m_transparent[static_cast<size_t>(g)]->setChecked(fields.transparent);
    }
    for (CSpread7U* grid : m_grids)
        FitGrid(*grid);
}

TileSiteGroups CSetTileDlg::Groups() const
{
    TileSiteGroups groups;
    for (size_t g = 0; g < groups.size(); ++g) {
        const CSpread7U& grid = *m_grids[g];
        groups[g] = {CellText(grid, 1),       CellText(grid, 2),       CellText(grid, 3),
                     CellText(grid, 4),       ZoomOf(*m_zoomLow[g]),   ZoomOf(*m_zoomHigh[g]),
                     m_transparent[g]->isChecked()};
    }
    return groups;
}

void CSetTileDlg::ClearUnlockedSelection(CSpread7U* grid)
{
    const CSpread7U::Block block = grid->SelectedBlock();
    if ((block.row >= -1 && block.row2 <= 4) || (block.row <= 4 && block.row2 >= -1))
        ClearSpreadUnlockedCells(*grid, block.col, block.row, block.col2, block.row2);
}

bool CSetTileDlg::KeepsEnter(QWidget* focus) const
{
    for (CSpread7U* grid : m_grids) {
        if (focus == grid || grid->isAncestorOf(focus) || grid->EditMode())
            return true;
    }
    return CKeyPolicyDialog::KeepsEnter(focus);
}

void CSetTileDlg::accept()
{
    const TileSiteGroups groups = Groups();
    const QString refused = CheckTileSites(groups, m_cacheFolder);
    if (!refused.isEmpty()) {
        ShowMessage(this, refused, QStringLiteral("ケルヴォル"), PromptIcon::Warning);
        return;
    }
    if (!WriteTileSiteList(m_listPath, groups)) {
        Warn(this, QStringLiteral("地図タイル設定を保存できませんでした。\n\n") + QDir::toNativeSeparators(m_listPath));
        return;
    }
    CKeyPolicyDialog::accept();
}

}  // namespace app
