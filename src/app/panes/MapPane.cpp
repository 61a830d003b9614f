#include "app/panes/MapPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>

#include "app/controls/BitmapResources.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/MapThumbnails.h"

namespace app {
namespace {

// The base-map buttons' pictures, standard / pale / aerial photo: normal 8045 to 8047, pressed 8048 to 8050.
constexpr int kBitmapBaseMapStandard = 8045;
constexpr int kBitmapBaseMapStandardPressed = 8048;

QLabel* Label(const QString& text, const QColor& back, const QColor& fore, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    label->setPalette(palette);
    label->setContentsMargins(4, 2, 4, 2);
    return label;
}

CExpButton* FlatButton(const QString& text, QWidget* parent)
{
    auto* button = new CExpButton(text, parent);
    button->style = 3;
    button->textColor = Qt::black;
    button->accentColor = Qt::black;
    button->faceColor = button->checkedFaceColor = button->hotFaceColor = QColor(195, 239, 255);
    button->highlightColor = QColor(198, 198, 198);
    button->lightColor = QColor(227, 227, 227);
    button->shadowColor = QColor(70, 70, 70);
    button->darkShadowColor = QColor(35, 35, 35);
    button->setMinimumHeight(26);
    return button;
}

}  // namespace

CPaneVariousDlg::CPaneVariousDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MapPane"));
    modifiers = [] { return QApplication::keyboardModifiers(); };
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(237, 255, 247));
    setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 7, 8);
    layout->setSpacing(6);
    layout->addWidget(Label(QStringLiteral(" メインビュー"), QColor(153, 180, 209), Qt::black, this));

    layout->addWidget(Label(QStringLiteral("地　図"), QColor(0, 80, 176), Qt::white, this));
    auto* kinds = new QHBoxLayout;
    const QString kindTexts[3] = {QStringLiteral("標準地図"), QStringLiteral("淡色地図"), QStringLiteral("写真")};
    for (int k = 0; k < 3; ++k) {
        // A picture of the base map with its name; the pressed picture also shows the checked kind.
        auto* button = new CExpButton(this);
        button->SetBitmaps(kBitmapBaseMapStandard + k, kBitmapBaseMapStandardPressed + k, true);
        button->setFixedSize(button->normalBitmap.isNull() ? QSize(70, 37) : button->normalBitmap.size());
        button->setToolTip(kindTexts[k]);
        button->setAccessibleName(kindTexts[k]);
        button->setObjectName(QStringLiteral("MapKind%1").arg(k));
        connect(button, &CExpButton::clicked, this, [this, k] {
            if (sendToFrame)
                sendToFrame(kMsgShowWebMap, k, 0);
            SetMapKind(k);
        });
        kinds->addWidget(button);
        m_kinds[size_t(k)] = button;
    }
    kinds->addStretch(1);
    layout->addLayout(kinds);

    layout->addWidget(Label(QStringLiteral("写真位置図"), QColor(204, 0, 0), Qt::white, this));
    auto* buttons = new QHBoxLayout;
    m_copy = FlatButton(QStringLiteral("コピー"), this);
    m_delete = FlatButton(QStringLiteral("削除"), this);
    m_up = new CExpButton(this);
    m_up->SetBitmapsWithDisabled(kBitmapUpArrow, kBitmapUpArrow, kBitmapUpArrowDisabled);
    m_up->setFixedSize(24, 20);
    m_up->setAccessibleName(QStringLiteral("写真位置図を上へ移動"));
    m_down = new CExpButton(this);
    m_down->SetBitmapsWithDisabled(kBitmapDownArrow, kBitmapDownArrow, kBitmapDownArrowDisabled);
    m_down->setFixedSize(24, 20);
    m_down->setAccessibleName(QStringLiteral("写真位置図を下へ移動"));
    buttons->addWidget(m_copy);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    layout->addLayout(buttons);
    connect(m_copy, &CExpButton::clicked, this, [this] {
        if (runCommand)
            runCommand(kCmdCopyMap);
    });
    connect(m_delete, &CExpButton::clicked, this, [this] {
        if (runCommand)
            runCommand(kCmdDeleteMap);
    });
    connect(m_up, &CExpButton::clicked, this, [this] { MoveMap(-1); });
    connect(m_down, &CExpButton::clicked, this, [this] { MoveMap(1); });

    m_grid = new CSpread7U(this);
    m_grid->setObjectName(QStringLiteral("MapGrid"));
    m_grid->SetCols(3);
    m_grid->SetCol(3);
    m_grid->SetColKind(SpreadCellKind::Picture);
    m_grid->SetEmptyAreaColor(QColor(219, 255, 255));
    const QString headers[3] = {QStringLiteral("No."), QStringLiteral("名称"), QStringLiteral("図")};
    for (int col = 1; col <= 3; ++col) {
        m_grid->SetCol(col);
        m_grid->SetRow(-1000);
        m_grid->SetText(headers[col - 1]);
    }
    m_grid->setColumnWidth(0, 36);
    m_grid->setColumnWidth(2, kThumbWidth + 4);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_grid, 1);

    connect(m_grid, &CSpread7U::LeaveCell, this, [this](int, int row, int, int newRow, bool*) {
        if (newRow > 0) {
            ClickRow(newRow);
            SelectionByUser(newRow - 1, row - 1);
            m_leaveHandled = true;
        }
        UpdateOwnButtons();
    });
    connect(m_grid, &CSpread7U::Click, this, [this](int, int row) {
        if (row > 0 && !m_leaveHandled) {
            ClickRow(row);
            SelectionByUser(row - 1, row - 1);
            UpdateOwnButtons();
        }
        m_leaveHandled = false;
    });
    connect(m_grid, &CSpread7U::DblClick, this, [this](int col, int row) {
        if (row > 0 && col == 2 && !(modifiers() & Qt::ControlModifier) && sendToFrame)
            sendToFrame(kMsgLocationMapInfo, 0, 0);
    });
    CheckKindButtons(m_kind);
    UpdateOwnButtons();
}

void CPaneVariousDlg::SelectionByUser(int index, int previous)
{
    if (!sendToFrame)
        return;
    sendToFrame(kMsgCurrentMapChanged, 0, 0);
    sendToFrame(kMsgSelectLocationMap, index, previous);
}

void CPaneVariousDlg::FillList()
{
    const int count = m_document ? m_document->GetProject().maps.Count() : 0;
    m_thumbs.assign(size_t(count), QImage());
    m_grid->SetRows(count);
    for (int row = 1; row <= count; ++row) {
        const LocationMap& map = m_document->GetProject().maps.maps[size_t(row - 1)];
        m_grid->SetRow(row);
        m_grid->SetCol(1);
        m_grid->SetText(QString::number(row));
        m_grid->SetCol(2);
        m_grid->SetText(map.name);
        m_grid->setRowHeight(row - 1, kThumbHeight + 4);
    }
    if (m_selected >= count)
        m_selected = -1;
    ShowThumbnails();
    if (m_grid->ActiveRow() == 1 && m_selected < 0)
        m_grid->SetActiveCell(-1000, -1000);
    ColorRows();
    UpdateOwnButtons();
}

void CPaneVariousDlg::ClearList()
{
    m_selected = -1;
    m_thumbs.clear();
    m_grid->SetActiveCell(-1000, -1000);
    m_grid->SetRows(0);
    UpdateOwnButtons();
}

bool CPaneVariousDlg::NeedsTiles(int index) const
{
    return m_document && index >= 0 && index < int(m_thumbs.size()) && m_thumbs[size_t(index)].isNull() &&
           m_document->GetProject().maps.IsValidIndex(index) &&
           m_document->GetProject().maps.maps[size_t(index)].IsWebMap();
}

QImage CPaneVariousDlg::Thumbnail(int index)
{
    if (!m_document || index < 0 || index >= int(m_thumbs.size()))
        return QImage();
    QImage& cached = m_thumbs[size_t(index)];
    const Project& project = m_document->GetProject();
    if (!cached.isNull() || !project.maps.IsValidIndex(index))
        return cached;
    const QSize size(kThumbWidth, kThumbHeight);
    if (project.maps.maps[size_t(index)].IsPictureMap()) {
        cached = PictureMapThumbnail(project, index, size);
    } else if (project.maps.maps[size_t(index)].IsWebMap()) {
        // The thumbnail reads and fills the tile cache the view's worker uses: the worker rests meanwhile.
        const bool rest = !m_tilesResting;
        if (rest && stopTiles)
            stopTiles();
        cached = WebMapThumbnail(project, index, size, m_document->appSettings);
        if (rest && restartTiles)
            restartTiles();
    }
    return cached;
}

void CPaneVariousDlg::ShowThumbnails()
{
    // The view's tile worker rests once for all the web maps' thumbnails still to be made.
    bool tiles = false;
    for (int index = 0; index < m_grid->Rows() && !tiles; ++index)
        tiles = NeedsTiles(index);
    if (tiles && stopTiles)
        stopTiles();
    m_tilesResting = tiles;
    m_grid->SetCol(3);
    for (int row = 1; row <= m_grid->Rows(); ++row) {
        m_grid->SetRow(row);
        const QImage thumbnail = Thumbnail(row - 1);
        m_grid->SetCellPicture(thumbnail.isNull() ? QPixmap() : QPixmap::fromImage(thumbnail));
    }
    m_tilesResting = false;
    if (tiles && restartTiles)
        restartTiles();
}

void CPaneVariousDlg::ClickRow(int row)
{
    if (row <= 0)
        m_selected = -1;
    else if ((modifiers() & Qt::ControlModifier) && row - 1 == m_selected)
        m_selected = -1;
    else
        m_selected = row - 1;
    if (m_selected < 0)
        m_grid->SetActiveCell(-1000, -1000);
    ColorRows();
    CheckKindButtons(m_selected < 0 ? m_kind : -1);
}

void CPaneVariousDlg::SelectMap(int index)
{
    m_selected = index >= 0 && index < m_grid->Rows() ? index : -1;
    if (m_selected < 0) {
        m_grid->SetActiveCell(-1000, -1000);
        CheckKindButtons(m_kind);
    } else {
        m_grid->SetActiveCell(std::max(1, m_grid->ActiveCol()), m_selected + 1);
        CheckKindButtons(-1);
    }
    ColorRows();
    UpdateOwnButtons();
}

void CPaneVariousDlg::SetMapKind(int kind)
{
    CheckKindButtons(kind);
    if (kind >= 0 && kind <= 2) {
        m_kind = kind;
        m_selected = -1;
        m_grid->SetActiveCell(-1000, -1000);
        ColorRows();
        UpdateOwnButtons();
    } else if (kind == 3) {
        CheckKindButtons(m_kind);
    }
}

void CPaneVariousDlg::CheckKindButtons(int kind)
{
    for (int k = 0; k < 3; ++k) {
        CExpButton* button = m_kinds[size_t(k)];
        if (button->checked != (k == kind)) {
            button->checked = k == kind;
            button->update();
        }
    }
}

void CPaneVariousDlg::ColorRows()
{
    const int rows = m_grid->Rows();
    if (rows == 0)
        return;
    m_grid->SetCol(1);
    m_grid->SetRow(1);
    m_grid->SetCol2(2);
    m_grid->SetRow2(rows);
    m_grid->SetBlockMode(true);
    m_grid->SetBackColor(Qt::white);
    if (m_selected >= 0 && m_selected < rows) {
        m_grid->SetRow(m_selected + 1);
        m_grid->SetRow2(m_selected + 1);
        m_grid->SetBackColor(QColor(255, 242, 0));
    }
    m_grid->SetBlockMode(false);
}

void CPaneVariousDlg::UpdateButtons(const UiState& state)
{
    m_siteMapDialog = state.siteMapDialogVisible;
    UpdateOwnButtons();
}

void CPaneVariousDlg::UpdateOwnButtons()
{
    const int rows = m_grid->Rows();
    const bool selected = m_selected >= 0 && m_selected < rows;
    const bool free = !m_siteMapDialog;
    m_grid->setEnabled(free);
    m_copy->setEnabled(free && selected);
    m_delete->setEnabled(free && selected);
    m_up->setEnabled(free && selected && m_selected > 0);
    m_down->setEnabled(free && selected && m_selected < rows - 1);
}

void CPaneVariousDlg::EnableAll(bool on)
{
    for (CExpButton* button : m_kinds)
        button->setEnabled(on);
    for (QWidget* control : {static_cast<QWidget*>(m_grid), static_cast<QWidget*>(m_copy),
                             static_cast<QWidget*>(m_delete), static_cast<QWidget*>(m_up),
                             static_cast<QWidget*>(m_down)})
        control->setEnabled(on);
}

void CPaneVariousDlg::MoveMap(int step)
{
    const int count = m_grid->Rows();
    const int from = m_selected;
    const int to = from + step;
    if (!m_document || !m_document->GetProject().HasPath() || from < 0 || to < 0 || to >= count)
        return;
    if (commitLedger)
        commitLedger();
    (void)m_document->Change(ProjectChange::Maps, [from, to](Project& project) {
        if (!project.maps.IsValidIndex(from) || !project.maps.IsValidIndex(to))
            return false;
        std::swap(project.maps.maps[size_t(from)], project.maps.maps[size_t(to)]);
        return true;
    });
    m_selected = to;
    FillList();
    SelectMap(to);
    if (sendToFrame)
        sendToFrame(kMsgSelectLocationMap, to, -1);
}

}  // namespace app
