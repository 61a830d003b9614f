#include "app/panes/PhotoPane.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/ListExportCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/panes/OverlapStrip.h"
#include "fe/geo/MapHelmart.h"
#include "fe/img/Image.h"

namespace app {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kThumbColumn(230, 230, 230);
const QColor kMissingValue(225, 225, 225);
const QColor kSelectedRow(255, 242, 0);

bool Sortable(int column)
{
    return column == kColMapNumber || column == kColShotTime || column == kColFileName ||
           column == kColSourceName;
}

// The photo's small thumbnail, or the photo itself reduced when the thumbnail cannot be read.
QPixmap ThumbnailOf(const Project& project, int index)
{
    const PhotoRecord& photo = project.photos.photos[size_t(index)];
    QImage thumbnail(project.ThumbFolderS() + photo.FileName());
    if (!thumbnail.isNull())
        return QPixmap::fromImage(thumbnail);
    fe::img::Image picture;
    if (project.LoadPhotoImage(picture, index, QSize(CPanePhotoDlg::kThumbWidth, CPanePhotoDlg::kThumbHeight)))
        return QPixmap::fromImage(picture.Picture());
    return QPixmap();
}

}  // namespace

CPanePhotoDlg::CPanePhotoDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PhotoList"));
    modifiers = [] { return QApplication::keyboardModifiers(); };
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xED, 0xFF, 0xF7));
    setPalette(palette);

    m_grid = new CSpread7U(this);
    m_grid->setObjectName(QStringLiteral("PhotoGrid"));
    m_grid->SetCols(kPhotoColumnCount);
    m_grid->SetCol(kColPlaced);
    m_grid->SetColKind(SpreadCellKind::Check);
    m_grid->SetCol(kColThumbnail);
    m_grid->SetColKind(SpreadCellKind::Picture);
    const double widths[kPhotoColumnCount] = {4, 5, 3.5, 8.5, 12, 10, 11, 9, 12};
    for (int col = 1; col <= kPhotoColumnCount; ++col)
        m_grid->SetColWidth(col, widths[col - 1]);
    m_grid->SetEmptyAreaColor(QColor(0xDB, 0xFF, 0xFF));
    ResetHeaders();
    FitListWidth();

    connect(m_grid, &CSpread7U::LeaveCell, this,
            [this](int, int, int newCol, int newRow, bool*) { OnLeaveCell(newCol, newRow); });
    connect(m_grid, &CSpread7U::Click, this, &CPanePhotoDlg::OnClick);
    connect(m_grid, &CSpread7U::KeyDown, this, &CPanePhotoDlg::OnKeyDown);
    connect(m_grid, &CSpread7U::DblClick, this, [this](int, int row) {
        if (row > 0 && !(modifiers() & Qt::ControlModifier) && sendToFrame)
            sendToFrame(kMsgOpenPhotoPropertyDlg, row - 1, 0);
    });
    connect(m_grid, &CSpread7U::ButtonClicked, this, &CPanePhotoDlg::OnCheckClicked);
    connect(m_grid, &CSpread7U::TopLeftChange, this, [this] { LoadVisibleThumbnails(); });
    // A taller list shows more rows: their pictures are loaded once the grid has its new size.
    m_grid->viewport()->installEventFilter(this);

    m_overlap = new CPaneOverlapDlg(this);
    m_overlap->hide();
    m_overlap->currentMapIndex = [this] { return currentMapIndex ? currentMapIndex() : -1; };
    m_overlap->sendToFrame = [this](int message, qintptr wParam, qintptr lParam) {
        return sendToFrame ? sendToFrame(message, wParam, lParam) : qintptr(0);
    };
    BuildButtons();
    ClearList();
}

bool CPanePhotoDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        LoadVisibleThumbnails();
    return QWidget::eventFilter(watched, event);
}

void CPanePhotoDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
    LoadVisibleThumbnails();
}

void CPanePhotoDlg::ResetHeaders()
{
    for (int col = 1; col <= kPhotoColumnCount; ++col) {
        m_grid->SetCol(col);
        m_grid->SetRow(-1000);
        m_grid->SetText(PhotoColumnTitle(col));
    }
}

const LocationMap* CPanePhotoDlg::CurrentMap() const
{
    if (!m_document || !currentMapIndex)
        return nullptr;
    const int index = currentMapIndex();
    const LocationMapList& maps = m_document->GetProject().maps;
    return maps.IsValidIndex(index) ? &maps.maps[size_t(index)] : nullptr;
}

void CPanePhotoDlg::WriteRow(int row, const LocationMap* map)
{
    const PhotoRecord& photo = m_document->GetProject().photos.photos[size_t(row - 1)];
    const int placed = map ? map->photos.IndexOfPhoto(photo.id) : -1;
    m_grid->SetRow(row);
    m_grid->SetCol(kColPhotoNumber);
    m_grid->SetText(QString::number(row));
    m_grid->SetCol(kColMapNumber);
    m_grid->SetText(placed >= 0 ? map->photos.NumberText(placed) : QString());
    if (m_viewMode >= 1 && m_viewMode <= 3) {
        m_grid->SetEventEnabled(kSpreadEventClick, false);
        m_grid->SetCol(kColPlaced);
        m_grid->SetValue(placed >= 0 ? QStringLiteral("1") : QStringLiteral("0"));
        m_grid->SetEventEnabled(kSpreadEventClick, true);
    }
    m_grid->SetCol(kColShotTime);
    m_grid->SetText(PhotoShotText(photo));
    m_grid->SetCol(kColPosition);
    m_grid->SetText(PhotoPositionText(photo));
    // Plane coordinates: only over a registered picture in a plane zone, for a photo placed on it.
    bool known = false;
    Point2 plane;
    if (m_viewMode == 2 && map && map->HasPlaneZone() && placed >= 0) {
        fe::geo::MapHelmart forward;
        fe::geo::MapHelmart inverse;
        const PlacedPhoto& entry = map->photos.entries[size_t(placed)];
        if (map->MakeHelmertPair(forward, inverse) && !IsUnset(entry.x) && !IsUnset(entry.y)) {
            plane = forward.Map(Point2{entry.x, entry.y});
            known = true;
        }
    }
    m_grid->SetCol(kColPlaneXY);
    m_grid->SetText(PlaneXYText(known, plane.x, plane.y));
    m_grid->SetCol(kColFileName);
    m_grid->SetText(photo.FileName());
    m_grid->SetCol(kColSourceName);
    m_grid->SetText(photo.sourceName);
}

void CPanePhotoDlg::FillList()
{
    if (!m_document)
        return;
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    const LocationMap* map = CurrentMap();
    m_grid->SetPainting(false);
    m_grid->SetRows(int(photos.size()));
    for (int row = 1; row <= int(photos.size()); ++row)
        WriteRow(row, map);
    for (int row = 1; row <= int(photos.size()); ++row)
        m_grid->setRowHeight(row - 1, kThumbHeight + 2);
    m_grid->SetPainting(true);
    m_firstThumb = m_lastThumb = 0;
    LoadVisibleThumbnails();
    m_selection.Prune(int(photos.size()));
    if (photos.empty())
        m_selection.Clear();
    else if (m_grid->ActiveRow() == 1 && m_selection.Empty())
        m_grid->SetActiveCell(-1000, -1000);
    ColorRows();
    FitListWidth();
    UpdateControls();
}

void CPanePhotoDlg::FitListWidth()
{
    // The widest texts a column shows: its header's lines and, for the text columns, sample values.
    const QString samples[kPhotoColumnCount] = {
        QStringLiteral("0000"),       QStringLiteral("0000"),        QString(),
        QString(),                    QStringLiteral("-000.000000"), QStringLiteral("0000/00/00"),
        QStringLiteral("-000000.00"), QStringLiteral("p000000.jpg"), QString()};
    const QFontMetrics cells = m_grid->fontMetrics();
    const QFontMetrics headers = m_grid->horizontalHeader()->fontMetrics();
    constexpr int kPadding = 10;
    int width = 0;
    for (int col = 1; col <= kPhotoColumnCount; ++col) {
        int needed = cells.horizontalAdvance(samples[col - 1]);
        for (const QString& line : PhotoColumnTitle(col).split(QLatin1Char('\n')))
            needed = std::max(needed, headers.horizontalAdvance(line));
        if (m_grid->columnWidth(col - 1) < needed + kPadding)
            m_grid->setColumnWidth(col - 1, needed + kPadding);
        if (!m_grid->isColumnHidden(col - 1))
            width += m_grid->columnWidth(col - 1);
    }
    QHeaderView* rowHeader = m_grid->verticalHeader();
    width += rowHeader->isHidden() ? 0 : std::max(rowHeader->width(), rowHeader->sizeHint().width());
    width += m_grid->verticalScrollBar()->sizeHint().width() + 2 * m_grid->frameWidth();
    setMinimumWidth(std::max(m_leastWidth, width + 16));  // LayOut leaves 8 pixels on either side
}

void CPanePhotoDlg::UpdatePhotoRows(const std::vector<int>& rows)
{
    if (!m_document || rows.empty())
        return;
    const LocationMap* map = CurrentMap();
    const int count = int(m_document->GetProject().photos.photos.size());
    if (m_grid->Rows() != count) {
        FillList();
        return;
    }
    for (int row : rows)
        if (row >= 1 && row <= count)
            WriteRow(row, map);
    m_selection.Prune(count);
    LoadVisibleThumbnails();
    ColorRows();
}

void CPanePhotoDlg::ClearList()
{
    m_grid->SetActiveCell(-1000, -1000);
    m_grid->SetRows(0);
    m_selection.Clear();
    m_sortColumn = -1;
    m_ascending = true;
    m_firstThumb = m_lastThumb = 0;
    ResetHeaders();
    UpdateControls();
}

void CPanePhotoDlg::ApplyViewMode(int viewMode, int numberKind)
{
    // While the site location map dialog shows the view's site map, the list keeps the overview's columns.
    if (frameState && frameState().siteMapDialogVisible)
        viewMode = 0;
    m_viewMode = viewMode;
    m_numberKind = numberKind;
    m_overlap->SetLabelKind(viewMode, numberKind);
    const bool picture = viewMode >= 1 && viewMode <= 3;
    const bool mapNumbers = picture && numberKind == 1;
    const bool hidden[kPhotoColumnCount] = {mapNumbers, !mapNumbers, !picture, false, false,
                                            false,      viewMode != 2, false, false};
    for (int col = 1; col <= kPhotoColumnCount; ++col) {
        m_grid->SetCol(col);
        m_grid->SetColHidden(hidden[col - 1]);
    }
    FillList();  // fits the pane to the columns now shown
    if (sendToFrame)
        sendToFrame(kMsgPositionEditOff, 0, 0);
}

void CPanePhotoDlg::ColorRows()
{
    if (!m_document)
        return;
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    const int n = int(photos.size());
    if (n == 0 || m_grid->Rows() != n)
        return;
    const auto paint = [this](int col, int row, int col2, int row2, const QColor& colour) {
        m_grid->SetCol(col);
        m_grid->SetRow(row);
        m_grid->SetCol2(col2);
        m_grid->SetRow2(row2);
        m_grid->SetBlockMode(true);
        m_grid->SetBackColor(colour);
        m_grid->SetBlockMode(false);
    };
    paint(1, 1, kPhotoColumnCount, n, kWhite);
    paint(kColThumbnail, 1, kColThumbnail, n, kThumbColumn);
    for (int row = 1; row <= n; ++row) {
        const PhotoRecord& photo = photos[size_t(row - 1)];
        if (photo.date.isEmpty() && photo.time.isEmpty())
            paint(kColShotTime, row, kColShotTime, row, kMissingValue);
        if (!photo.HasPosition())
            paint(kColPosition, row, kColPosition, row, kMissingValue);
    }
    for (int row : m_selection.Rows())
        if (row >= 1 && row <= n)
            paint(kColPhotoNumber, row, kColMapNumber, row, kSelectedRow);
}

void CPanePhotoDlg::LoadVisibleThumbnails()
{
    if (!m_document || m_grid->Rows() == 0)
        return;
    const int top = std::max(1, m_grid->TopRow());
    const int inView = std::max(1, m_grid->viewport()->height() / (kThumbHeight + 2) + 1);
    const int last = std::min(m_grid->Rows(), top + inView);
    if (m_firstThumb == top && m_lastThumb >= last)
        return;
    // Only the rows in view hold a picture, so a project of any size keeps one screenful of them.
    const Project& project = m_document->GetProject();
    m_grid->SetCol(kColThumbnail);
    for (int row = 1; row <= m_grid->Rows(); ++row) {
        const bool wasLoaded = m_firstThumb > 0 && row >= m_firstThumb && row <= m_lastThumb;
        const bool wanted = row >= top && row <= last;
        if (wanted == wasLoaded)
            continue;
        m_grid->SetRow(row);
        m_grid->SetCellPicture(wanted ? ThumbnailOf(project, row - 1) : QPixmap());
    }
    m_firstThumb = top;
    m_lastThumb = last;
}

std::vector<int> CPanePhotoDlg::GetSelectedRows(bool sorted) const
{
    return sorted ? m_selection.Sorted() : m_selection.Rows();
}

void CPanePhotoDlg::SetSelectedPhotos(const std::vector<int>& rows)
{
    m_selection.Set(rows);
    if (rows.empty())
        m_grid->SetActiveCell(-1000, -1000);
    else
        m_grid->SetActiveCell(std::max(1, m_grid->ActiveCol()), rows.front());
    ColorRows();
    UpdateControls();
}

void CPanePhotoDlg::SelectionChangedByUser()
{
    ColorRows();
    UpdateControls();
    if (sendToFrame)
        sendToFrame(kMsgPhotoSelectionChanged, 0, 0);
}

void CPanePhotoDlg::OnLeaveCell(int newCol, int newRow)
{
    Q_UNUSED(newCol);
    if (newRow <= 0 || !m_document)
        return;
    const Qt::KeyboardModifiers keys = modifiers();
    m_selection.Toggle(newRow, keys & Qt::ControlModifier, keys & Qt::ShiftModifier);
    m_activeMoved = true;
    HideOverlapStrip();
    SelectionChangedByUser();
}

void CPanePhotoDlg::OnClick(int col, int row)
{
    if (!m_document)
        return;
    if (row < 1) {
        m_activeMoved = false;
        if (Sortable(col))
            SortByColumn(col);
        return;
    }
    const Qt::KeyboardModifiers keys = modifiers();
    if ((keys & Qt::ShiftModifier) && m_activeMoved && !m_selection.Empty()) {
        m_selection.ExtendTo(row);
        SelectionChangedByUser();
    } else if (!m_activeMoved) {
        // A click on the cell that is already active.
        m_selection.Toggle(row, keys & Qt::ControlModifier, keys & Qt::ShiftModifier);
        HideOverlapStrip();
        SelectionChangedByUser();
    }
    m_activeMoved = false;
}

void CPanePhotoDlg::OnKeyDown(int* keyCode, int shift)
{
    if (!m_document || !keyCode)
        return;
    const bool ctrlA = (*keyCode == 'A' && (shift & kCtrlBit));
    if (ctrlA)
        SelectAll();
}

void CPanePhotoDlg::OnCheckClicked(int col, int row, int state)
{
    if (col != kColPlaced || row < 1 || !m_document || m_viewMode < 1 || m_viewMode > 3)
        return;
    m_grid->SetEventEnabled(kSpreadEventClick, false);
    // The place and remove commands work on the selection, so the clicked row stays in it.
    const Qt::KeyboardModifiers keys = modifiers();
    m_selection.Toggle(row, keys & Qt::ControlModifier, keys & Qt::ShiftModifier);
    if (!m_selection.Contains(row))
        m_selection.Toggle(row, true, false);
    SelectionChangedByUser();
    const LocationMap* map = CurrentMap();
    const Project& project = m_document->GetProject();
    if (project.HasPath() && map && row <= int(project.photos.photos.size()) && runCommand) {
        const bool placed = map->photos.IndexOfPhoto(project.photos.photos[size_t(row - 1)].id) >= 0;
        if (state != 0 && !placed)
            runCommand(kCmdPlaceOnMap);
        else if (state == 0 && placed)
            runCommand(kCmdRemoveFromMap);
    }
    m_grid->SetEventEnabled(kSpreadEventClick, true);
}

void CPanePhotoDlg::SortByColumn(int column)
{
    // The photo at the properties dialog's index may move.
    if (sendToFrame)
        sendToFrame(kMsgOpenPhotoPropertyDlg, -1, 0);
    m_ascending = !m_ascending;
    ResetHeaders();
    m_sortColumn = column;
    m_grid->SetCol(column);
    m_grid->SetRow(-1000);
    m_grid->SetText(PhotoColumnTitle(column) + (m_ascending ? QStringLiteral("\n▲") : QStringLiteral("\n▼")));

    const LocationMap* map = CurrentMap();
    const PlacedPhotoList placed = map ? map->photos : PlacedPhotoList();
    const bool hasMap = map != nullptr;
    const bool ascending = m_ascending;
    // The new order is saved like every change, so that it is still there at the next start.
    (void)m_document->Change(ProjectChange::Photos, [&](Project& project) {
        std::vector<PhotoRecord>& photos = project.photos.photos;
        switch (column) {
            case kColShotTime:
                project.photos.SortByShotTime(ascending);
                return true;
            case kColFileName:
                project.photos.SortByFileName(ascending);
                return true;
            case kColSourceName:
                std::stable_sort(photos.begin(), photos.end(), [ascending](const PhotoRecord& a, const PhotoRecord& b) {
                    const int order = QString::compare(a.sourceName, b.sourceName, Qt::CaseSensitive);
                    return ascending ? order < 0 : order > 0;
                });
                return true;
            default:
                if (!hasMap)
                    return false;
                SortPhotosByMapNumber(photos, placed, ascending);
                return true;
        }
    });
    m_selection.Clear();
    m_grid->SetActiveCell(-1000, -1000);
    FillList();
    if (sendToFrame)
        sendToFrame(kMsgPhotoSelectionChanged, 0, 0);
}

void InstallPhotoPane(CMainFrame& frame)
{
    QDockWidget* dock = frame.PhotoPane();
    auto* pane = new CPanePhotoDlg(dock);
    if (QWidget* old = dock->widget())
        pane->SetLeastSize(old->minimumSize());
    dock->setWidget(pane);
    pane->SetDocument(frame.Document());
    pane->sendToFrame = [&frame](int message, qintptr wParam, qintptr lParam) {
        return frame.SendAppMessage(message, wParam, lParam);
    };
    pane->runCommand = [&frame](int command) { frame.RunCommand(command); };
    pane->frameState = [&frame] { return frame.CurrentState(); };
    pane->hideModelessDialogs = [&frame] {
        if (const auto& hide = MapHooks(frame).hideModelessDialogs)
            hide();
    };
    pane->exportPhotoList = [&frame, pane] {
        const auto& current = frame.PaneLinks().currentMapIndex;
        ExportPhotoListExcel(frame, current ? current() : -1, pane);
    };
    pane->exportPhotoSet = [&frame](const PhotoList& photos, QWidget* caller) {
        ExportPhotoSetExcel(frame, photos.photos, caller);
    };
    pane->afterPhotosDeleted = [&frame] {
        frame.UpdatePhotoPaneTitle();
        if (const auto& refill = frame.PaneLinks().refillLedger)
            refill();
        frame.RefreshView();
    };
    FramePaneLinks& links = frame.PaneLinks();
    pane->currentMapIndex = [&links] { return links.currentMapIndex ? links.currentMapIndex() : -1; };
    links.selectedPhotoRows = [pane] { return pane->GetSelectedRows(); };
    links.selectPhotoRows = [pane](const std::vector<int>& rows) { pane->SetSelectedPhotos(rows); };
    links.fillPhotoList = [pane] { pane->FillList(); };
    links.clearPhotoList = [pane] { pane->ClearList(); };
    links.clearOverlapStrip = [pane] { pane->SetOverlapPhotos({}); };
    links.setOverlapPhotos = [pane](const std::vector<int>& ids) { pane->SetOverlapPhotos(ids); };
    links.removeFromOverlap = [pane](const std::vector<int>& ids) { pane->RemoveFromOverlap(ids); };
    // The number columns follow the photo-number kind of the view's labels (the checked 表示 item), also
    // on the first map shown, before any number command was chosen.
    links.photoPaneViewMode = [pane, &frame](int mode) {
        const int numberKind = frame.CurrentState().numberKind;
        if (mode != pane->ViewMode() || numberKind != pane->NumberKind())
            pane->ApplyViewMode(mode, numberKind);
    };
    // The pane's buttons follow the frame's state with the other panes'.
    links.updatePaneButtons = [pane, earlier = links.updatePaneButtons] {
        if (earlier)
            earlier();
        pane->UpdateControls();
    };
    links.applyViewMode = [pane](int viewMode, int numberKind) { pane->ApplyViewMode(viewMode, numberKind); };
    pane->ApplyViewMode(0);
    if (CTavrelDoc* document = frame.Document()) {
        // The list follows every change of the photos and of what is placed on the maps.
        QObject::connect(document, &CTavrelDoc::ProjectChanged, pane, [pane](ProjectChanges kinds) {
            if (kinds & (ProjectChange::Photos | ProjectChange::PlacedPhotos | ProjectChange::Maps))
                pane->FillList();
        });
    }
}

}  // namespace app
