// The photo pane's buttons, right-button menus, help, select-all, list select and the overlap strip.
#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>

#include "app/controls/ExpButton.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/panes/OverlapStrip.h"
#include "app/panes/PhotoPane.h"
#include "app/thumbs/ListSelect.h"

namespace app {
namespace {

constexpr int kButtonRowHeight = 26;
constexpr int kOverlapHeight = 120;

struct ButtonLook
{
    int id;
    const char* tooltip;
    int normal, pressed, disabled;  // bitmap ids; 0 for none
};

// The visible row, left to right.
const ButtonLook kButtonLooks[] = {
    {kButtonListSelect, "一覧選択", 8083, 8083, 8082},
    {kButtonDelete, "削除", 8081, 8079, 8080},
    {kButtonExcelList, "撮影写真リスト出力(Excel)", 8073, 8071, 8072},
    {kButtonWriteExif, "Exif一括書込", 8084, 8084, 8085},
    {kButtonHelp, "撮影写真一覧ヘルプ", 371, 370, 0},
};

}  // namespace

void CPanePhotoDlg::SetDocument(CTavrelDoc* document)
{
    m_document = document;
    m_overlap->SetDocument(document);
}

void CPanePhotoDlg::BuildButtons()
{
    for (const ButtonLook& look : kButtonLooks) {
        auto* button = new CExpButton(this);
        button->setObjectName(QStringLiteral("PhotoPaneButton%1").arg(look.id));
        button->setProperty("controlId", look.id);
        button->setToolTip(QString::fromUtf8(look.tooltip));
        button->setAccessibleName(QString::fromUtf8(look.tooltip));  // the button shows only its picture
        if (look.disabled)
            button->SetBitmapsWithDisabled(look.normal, look.pressed, look.disabled);
        else
            button->SetBitmaps(look.normal, look.pressed, false);
        m_buttons.push_back(button);
    }
    connect(Button(kButtonListSelect), &CExpButton::clicked, this, &CPanePhotoDlg::ListSelect);
    connect(Button(kButtonDelete), &CExpButton::clicked, this, [this] {
        if (runCommand)
            runCommand(kCmdDeletePhotos);
    });
    connect(Button(kButtonExcelList), &CExpButton::clicked, this, [this] {
        if (exportPhotoList)
            exportPhotoList();
    });
    connect(Button(kButtonWriteExif), &CExpButton::clicked, this, [this] {
        if (runCommand)
            runCommand(kCmdWriteExif);
    });
    connect(Button(kButtonHelp), &CExpButton::clicked, this, &CPanePhotoDlg::ShowHelp);
    m_menuIcons = LoadMenuIcons();
}

CExpButton* CPanePhotoDlg::Button(int id) const
{
    for (CExpButton* button : m_buttons)
        if (button->property("controlId").toInt() == id)
            return button;
    return nullptr;
}

void CPanePhotoDlg::LayOut()
{
    const int width = std::max(0, this->width() - 16);
    int x = 8;
    for (CExpButton* button : m_buttons) {
        button->setGeometry(x, 6, 40, 22);
        x += 44;
    }
    const int top = 8 + kButtonRowHeight;
    const int overlap = m_overlap->isVisibleTo(this) ? kOverlapHeight : 0;
    const int gridHeight = std::max(0, height() - top - 8 - overlap);
    m_grid->setGeometry(8, top, width, gridHeight);
    if (overlap)
        m_overlap->setGeometry(8, top + gridHeight, width, overlap);
}

void CPanePhotoDlg::UpdateControls()
{
    const UiState state = frameState ? frameState() : UiState();
    if (state.siteMapDialogVisible) {
        setEnabled(false);
        return;
    }
    setEnabled(true);
    const int rows = m_grid->Rows();
    m_selection.Prune(rows);
    const bool any = rows > 0;
    Button(kButtonDelete)->setEnabled(any && !m_selection.Empty());
    Button(kButtonListSelect)->setEnabled(any);
    Button(kButtonExcelList)->setEnabled(any);
    Button(kButtonWriteExif)->setEnabled(any);
    update();
}

void CPanePhotoDlg::SelectAll()
{
    m_selection.SelectRange(1, m_grid->Rows());
    m_selection.Prune(m_grid->Rows());  // an empty list selects nothing
    SelectionChangedByUser();
}

void CPanePhotoDlg::ShowHelp()
{
    CRefCommonTabDlg help(this);
    help.SetTitle(QStringLiteral("ヘルプ"));
    help.showOk = false;
    help.AddPage(397, QStringLiteral("並べ替え"));
    help.AddPage(404, QStringLiteral("位置がない時"));
    help.exec();
}

void CPanePhotoDlg::ListSelect()
{
    if (!m_document)
        return;
    const int mapIndex = currentMapIndex ? currentMapIndex() : -1;
    if (hideModelessDialogs)
        hideModelessDialogs();
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    std::vector<std::int32_t> ids;
    for (int row : m_selection.Rows())
        if (row >= 1 && row <= int(photos.size()))
            ids.push_back(photos[size_t(row - 1)].id);
    const ListSelectOutcome outcome =
        RunListSelect(*m_document, mapIndex, ids, this, exportPhotoSet, runPhotoWall);
    if (!outcome.accepted)
        return;
    if (outcome.deleted > 0) {
        FillList();
        // The strip lists no photo that is gone.
        std::vector<int> gone;
        for (int id : m_overlap->Ids())
            if (m_document->GetProject().photos.IndexOfId(id) < 0)
                gone.push_back(id);
        RemoveFromOverlap(gone);
        if (afterPhotosDeleted)
            afterPhotosDeleted();
    }
    std::vector<int> rows;
    for (std::int32_t id : outcome.selectedIds) {
        const int index = m_document->GetProject().photos.IndexOfId(id);
        if (index >= 0)
            rows.push_back(index + 1);
    }
    SetSelectedPhotos(rows);
    if (sendToFrame)
        sendToFrame(kMsgPhotoSelectionChanged, 0, 0);
}

std::unique_ptr<QMenu> CPanePhotoDlg::BuildContextMenu()
{
    if (!m_document || !isEnabled() || m_viewMode < 0 || m_viewMode > 3)
        return nullptr;
    const UiState frame = frameState ? frameState() : UiState();
    ViewMenuState state;
    state.photoPane = true;
    state.menuMode = m_viewMode;
    state.viewMode = m_viewMode;
    state.trackDialogVisible = frame.trackDialogVisible;
    state.ledgerDialogOpen = frame.ledgerDialogExists;
    state.numberKind = m_numberKind;
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    std::vector<int> ids;
    for (int row : m_selection.Rows())
        ids.push_back(row >= 1 && row <= int(photos.size()) ? photos[size_t(row - 1)].id : -1);
    FillMenuState(state, m_document->GetProject(), currentMapIndex ? currentMapIndex() : -1, ids);
    std::unique_ptr<QMenu> menu = BuildViewContextMenu(state, m_menuIcons, this);
    connect(menu.get(), &QMenu::triggered, this, [this](QAction* action) { RunMenuCommand(action->data().toInt()); });
    return menu;
}

void CPanePhotoDlg::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (const std::unique_ptr<QMenu> menu = BuildContextMenu())
        menu->exec(event->globalPos());
}

void CPanePhotoDlg::RunMenuCommand(int command)
{
    if (command == kCmdSelectAllPhotos) {
        SelectAll();
        return;
    }
    if (const int message = SortMessageOfCommand(command)) {
        if (sendToFrame)
            sendToFrame(message, 0, 0);
        return;
    }
    if (runCommand)
        runCommand(command);
}

void CPanePhotoDlg::SetOverlapPhotos(const std::vector<int>& ids)
{
    m_overlap->SetPhotos(ids);
    m_overlap->setVisible(m_overlap->Ids().size() >= 2);
    LayOut();
}

void CPanePhotoDlg::RemoveFromOverlap(const std::vector<int>& ids)
{
    if (!m_overlap->RemovePhotos(ids))
        HideOverlapStrip();
}

void CPanePhotoDlg::HideOverlapStrip()
{
    m_overlap->Clear();
    m_overlap->hide();
    LayOut();
}

}  // namespace app
