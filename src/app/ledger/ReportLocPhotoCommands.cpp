// The photo ledger's commands: moves and sorts, comments and keys of the grid, removal, numbering,
// the photo's turn, closing.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/ledger/CropFrame.h"
#include "app/ledger/LedgerOrder.h"
#include "app/ledger/LedgerPreview.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "model/Project.h"

namespace app {
namespace {

// The stored photo's size in pixels; the size of the stand-in picture when the file cannot be read.
QSize StoredPhotoSize(const Project& project, const PhotoRecord& photo)
{
    const QSize size = QImageReader(project.PhotoFolder() + photo.FileName()).size();
    return size.isValid() ? size : QSize(6000, 4000);
}

}  // namespace

void CReportLocPhotoDlg::ReorderAndRefill(ProjectChanges kinds,
                                          const std::function<void(Project&, LocationMap&)>& sort)
{
    ReadGrid();
    (void)ChangeMap(kinds, [&](Project& project, LocationMap& map) {
        sort(project, map);
        return true;
    });
}

void CReportLocPhotoDlg::MoveCurrent(bool up)
{
    const LocationMap* map = Map();
    const int r = m_currentRow;
    if (!map || r <= 0 || (up && r < 2) || (!up && r >= map->photos.Count()))
        return;
    const int a = up ? r - 2 : r - 1;
    ReorderAndRefill(ProjectChange::PlacedPhotos, [a](Project&, LocationMap& m) {
        std::swap(m.photos.entries[size_t(a)], m.photos.entries[size_t(a + 1)]);
    });
    FillGrid(false);
    SetCurrentRow(up ? r - 1 : r + 1);
    UpdateSortMarks(true);
}

void CReportLocPhotoDlg::OrderByDirection(int direction)
{
    if (!Bound())
        return;
    const bool webTiles = m_hooks.viewMode && m_hooks.viewMode() == 3;
    ReorderAndRefill(ProjectChange::PlacedPhotos, [&](Project& project, LocationMap& map) {
        SortLedgerByDirection(map.photos, project.photos, direction, webTiles);
    });
    FillGrid(true);
    SetCurrentRow(m_currentRow);
    UpdateSortMarks(true);
}

void CReportLocPhotoDlg::OnHeaderClicked(int col)
{
    if (!Bound() || (col != kColNumber && col != kColDate && col != kColTime))
        return;
    m_ascending = !m_ascending;
    m_sortedColumn = col;
    UpdateSortMarks(false);
    const int currentPhoto = m_currentRow > 0 ? m_rows[size_t(m_currentRow - 1)].photoId : -1;
    const bool ascending = m_ascending;
    ReorderAndRefill(ProjectChange::PlacedPhotos, [col, ascending](Project& project, LocationMap& map) {
        if (col == kColNumber)
            map.photos.SortByNumberText(ascending);
        else
            map.photos.SortByShotTime(project.photos, ascending);
    });
    FillGrid(false);
    const LocationMap* map = Map();
    SetCurrentRow(map && currentPhoto >= 0 ? map->photos.IndexOfPhoto(currentPhoto) + 1 : 0);
}

void CReportLocPhotoDlg::SortAlongLine()
{
    if (!Bound() || !m_hooks.sortAlongLine)
        return;
    ReorderAndRefill(ProjectChange::PlacedPhotos,
                     [this](Project& project, LocationMap& map) { m_hooks.sortAlongLine(map, project.photos); });
    FillGrid(true);
    SetCurrentRow(m_currentRow);
    UpdateSortMarks(true);
}

void CReportLocPhotoDlg::OnCellChanged(int col, int row)
{
    if (m_filling)
        return;
    ReadGrid();
    if ((col == kColDate || col == kColTime) && m_hooks.refreshPhotoRow && row >= 1 && row <= int(m_rows.size())) {
        const int index = m_doc.GetProject().photos.IndexOfId(m_rows[size_t(row - 1)].photoId);
        if (index >= 0)
            m_hooks.refreshPhotoRow(index);
    }
}

void CReportLocPhotoDlg::OnRightClick(int col, int row, const QPoint& global)
{
    if (row <= 0 || row > m_grid->Rows())
        return;
    if (row != m_currentRow || col != m_grid->ActiveCol()) {
        m_filling = true;
        m_grid->SetActiveCell(col, row);
        m_filling = false;
        m_preview->ResetZoom();
        SetCurrentRow(row);
        if (m_hooks.clearOverlapStrip)
            m_hooks.clearOverlapStrip();
    }
    if (col != kColComment)
        return;
    if (std::unique_ptr<QMenu> menu = MakeTemplateMenu()) {
        m_grid->SetEditMode(true);
        menu->exec(global);
    } else if (std::unique_ptr<QMenu> none = MakeNoTemplatesMenu()) {
        none->exec(global);
    }
}

bool CReportLocPhotoDlg::OnEditorContextMenu(const QPoint& global)
{
    // The comment cell's editor offers the templates in place of the edit menu, or says there are none.
    if (m_grid->ActiveCol() != kColComment)
        return false;
    std::unique_ptr<QMenu> menu = MakeTemplateMenu();
    if (!menu)
        menu = MakeNoTemplatesMenu();
    if (!menu)
        return false;
    // Shown once the editor's event is over: a template chosen closes the editor, which must not go
    // while its own event is being delivered. The dialog owns the menu until it is shown.
    QMenu* shown = menu.release();
    QTimer::singleShot(0, shown, [shown, global] {
        shown->exec(global);
        shown->deleteLater();
    });
    return true;
}

void CReportLocPhotoDlg::SetCommentCategory(int category)
{
    m_category = category;
    const bool valid = category >= 0 && category < int(m_templates.categories.size());
    m_categoryLabel->setText(valid ? m_templates.categories[size_t(category)].name : QString());
}

void CReportLocPhotoDlg::ChooseCommentCategory()
{
    if (!m_hooks.chooseCommentCategory)
        return;
    // The templates may have been edited since the ledger opened: the picker and the menu offer the
    // file as it is now.
    CommentTemplateSet current;
    (void)current.Load(m_templatePath);
    m_templates = current;
    const int chosen = m_hooks.chooseCommentCategory(this, m_templatePath, m_category);
    SetCommentCategory(chosen >= 0 ? chosen : m_category);
}

std::unique_ptr<QMenu> CReportLocPhotoDlg::MakeTemplateMenu()
{
    if (m_currentRow <= 0 || m_grid->ActiveCol() != kColComment || m_category < 0 ||
        m_category >= int(m_templates.categories.size()) || m_rows[size_t(m_currentRow - 1)].locked)
        return nullptr;
    const QStringList& lines = m_templates.categories[size_t(m_category)].lines;
    if (lines.size() < 2)
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    for (int i = 0; i < lines.size(); ++i) {
        QAction* action = menu->addAction(lines[i]);
        action->setData(33608 + i);
        connect(action, &QAction::triggered, this, [this, i] { ApplyCommentTemplate(i); });
    }
    return menu;
}

std::unique_ptr<QMenu> CReportLocPhotoDlg::MakeNoTemplatesMenu()
{
    if (m_currentRow <= 0 || m_grid->ActiveCol() != kColComment || m_rows[size_t(m_currentRow - 1)].locked)
        return nullptr;
    // The file as it is now: templates made since the ledger opened count.
    CommentTemplateSet current;
    (void)current.Load(m_templatePath);
    if (!current.categories.empty())
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("NoCommentTemplates"));
    QAction* none = menu->addAction(QStringLiteral("コメント定型文がありません（設定 → コメント定型文編集...）"));
    none->setEnabled(false);
    return menu;
}

void CReportLocPhotoDlg::ApplyCommentTemplate(int index)
{
    if (m_currentRow <= 0 || m_category < 0 || m_category >= int(m_templates.categories.size()))
        return;
    const QStringList& lines = m_templates.categories[size_t(m_category)].lines;
    if (index < 0 || index >= lines.size() || m_rows[size_t(m_currentRow - 1)].locked)
        return;
    if (m_grid->EditMode())
        m_grid->SetEditMode(false);
    const QString comment = GetSpreadCellText(*m_grid, kColComment, m_currentRow);
    SetSpreadCellText(*m_grid, kColComment, m_currentRow, AppendCommentTemplate(comment, lines[index]));
    ReadGrid();
}

void CReportLocPhotoDlg::OnKeyDown(int* keyCode, int shift)
{
    if (*keyCode == kKeyDelete && !m_grid->EditMode()) {
        // Of the editable columns, only those that begin or end the block are emptied.
        const CSpread7U::Block block = m_grid->SelectedBlock();
        const int first = std::min(block.col, block.col2), last = std::max(block.col, block.col2);
        const int top = std::min(block.row, block.row2), bottom = std::max(block.row, block.row2);
        if (top <= 0)
            return;
        for (int col : {int(kColWorkNumber), int(kColDate), int(kColTime), int(kColComment)})
            if (col == first || col == last)
                ClearSpreadUnlockedCells(*m_grid, col, top, col, bottom);
        ReadGrid();
        *keyCode = 0;
        return;
    }
    if (*keyCode == 'V' && (shift & kCtrlBit) && m_grid->ActiveCol() == kColComment) {
        const int row = m_grid->ActiveRow();
        if (row <= 0 || row > int(m_rows.size()) || m_rows[size_t(row - 1)].locked)
            return;
        // The pasted text stays in the cell until the next read-back.
        SetSpreadCellText(*m_grid, kColComment, row, QGuiApplication::clipboard()->text());
        *keyCode = 0;
    }
}

void CReportLocPhotoDlg::RemoveCurrentPhoto()
{
    if (m_currentRow <= 0)
        return;
    if (ShowMessage(this, QStringLiteral("位置図から選択写真を外しますか?"), kProductName, PromptIcon::Question,
                    PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    ReadGrid();
    if (m_hooks.removeSelectedFromMap)
        m_hooks.removeSelectedFromMap();
}

void CReportLocPhotoDlg::OpenNumberingDialog()
{
    ReadGrid();
    if (!Bound() || !m_hooks.makeNumberingDialog)
        return;
    if (!m_numbering) {
        m_numbering = m_hooks.makeNumberingDialog(*this, m_mapIndex);
        if (!m_numbering)
            return;
        m_numbering->setWindowTitle(QStringLiteral("番号付番"));
    }
    const QSize size = m_numbering->frameGeometry().size();
    if (m_numberingRect.width() > 10 && m_numberingRect.height() > 10) {
        m_numbering->move(m_numberingRect.topLeft());
    } else {
        const QRect own = frameGeometry();
        const QScreen* screen = this->screen();
        const int desktopRight = screen ? screen->availableGeometry().right() : own.right() + size.width();
        const int x = desktopRight < own.right() + size.width()
                          ? own.left() - size.width()
                          : own.left() + m_controls[kCtlAllowDateEdit]->pos().x() + 70;
        m_numbering->move(x, own.top() + (own.height() - size.height()) / 2);
    }
    m_numbering->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_numbering->show();
    FillGrid(true);
    UpdateControls();
}

void CReportLocPhotoDlg::NumberSerially()
{
    ReadGrid();
    const CSpread7U::Block block = m_grid->SelectedBlock();
    const int top = std::min(block.row, block.row2), bottom = std::max(block.row, block.row2);
    (void)ChangeMap(ProjectChange::PlacedPhotos, [&](Project&, LocationMap& map) {
        if (top >= 1 && bottom > top)
            NumberLedgerEntries(map.photos, top - 1, bottom - 1);
        else
            map.photos.AssignDisplayNumbers();
        return true;
    });
    FillGrid(true);
}

void CReportLocPhotoDlg::ApplyNewNumbers()
{
    ReadGrid();
    (void)ChangeMap(ProjectChange::PlacedPhotos, [](Project&, LocationMap& map) {
        for (PlacedPhoto& entry : map.photos.entries)
            if (!entry.workNumber.isEmpty())
                entry.numberText = entry.workNumber;
        map.photos.ClearDisplayNumbers();
        return true;
    });
    FillGrid(true);
    if (m_hooks.updateNumberColumns)
        m_hooks.updateNumberColumns();
    if (m_hooks.clearOverlapStrip)
        m_hooks.clearOverlapStrip();
    if (m_hooks.refreshView)
        m_hooks.refreshView();
}

void CReportLocPhotoDlg::CloseNumberingDialog()
{
    if (!NumberingDialogShown())
        return;
    m_numberingRect = m_numbering->frameGeometry();
    QWidget* numbering = m_numbering;
    m_numbering = nullptr;
    // The numbering dialog may be on the stack (its own button): it goes once its event is handled.
    numbering->hide();
    numbering->deleteLater();
    FillGrid(true);
    UpdateControls();
}

void CReportLocPhotoDlg::TurnPhoto(bool left)
{
    const int index = GetCurrentPhotoIndex();
    if (index >= 0) {
        ReadGrid();
        const std::int32_t photoId = m_doc.GetProject().photos.photos[size_t(index)].id;
        (void)ChangeMap(ProjectChange::Photos | ProjectChange::PlacedPhotos, [&](Project& project, LocationMap&) {
            PhotoRecord* photo = project.photos.Find(photoId);
            if (!photo)
                return false;
            photo->rotation = left ? RotationTurnedLeft(photo->rotation) : RotationTurnedRight(photo->rotation);
            QSize size = StoredPhotoSize(project, *photo);
            if (photo->rotation == 90 || photo->rotation == 270)
                size.transpose();
            // The turn is shared by every map: each frame on the photo starts again as the whole picture.
            const Rect2 whole = WholePictureFrame(size.width(), size.height());
            for (std::vector<LocationMap>* maps : {&project.maps.maps, &project.siteMaps.maps})
                for (LocationMap& map : *maps)
                    if (PlacedPhoto* entry = map.photos.FindByPhotoId(photoId))
                        entry->frame = whole;
            (void)project.RemakeThumbnails(project.photos.IndexOfId(photoId));
            return true;
        });
        if (m_hooks.refreshPhotoRow && GetCurrentPhotoIndex() >= 0)
            m_hooks.refreshPhotoRow(GetCurrentPhotoIndex());
    }
    m_firstThumb = m_lastThumb = 0;
    LoadVisibleThumbnails();
    LoadPreviewPhoto(index < 0);
}

void CReportLocPhotoDlg::OnClose()
{
    ReadGrid();
    if (m_lineSwitch)
        static_cast<QCheckBox*>(m_controls[kCtlMouseSort])->setChecked(false);  // tells the view
    if (m_hooks.closeRequested)
        m_hooks.closeRequested();
    else
        hide();
}

void CReportLocPhotoDlg::EditContactWidth()
{
    if (Bound() && m_hooks.editContactWidth)
        m_hooks.editContactWidth(this, m_mapIndex);
}

void CReportLocPhotoDlg::ShowHelp()
{
    CRefCommonTabDlg help(this);
    help.SetTitle(QStringLiteral("ヘルプ"));
    help.AddPage(398, QStringLiteral("写真の出力順編集(ソート)"));
    help.AddPage(479, QStringLiteral("マウスでソート"));
    (void)help.exec();
}

}  // namespace app
