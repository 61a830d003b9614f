#include "app/frame/LedgerCommands.h"

#include <QDir>
#include <vector>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/ListExportCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommandSupport.h"
#include "app/frame/MapCommands.h"
#include "app/frame/SettingsCommands.h"
#include "app/ledger/LedgerNumbering.h"
#include "app/ledger/OutputItemEditDlg.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/linesort/SetLinearSortDlg.h"
#include "app/settings/CommentTemplate.h"
#include "app/settings/CommentTemplateDlg.h"
#include "model/AppSettings.h"
#include "model/Project.h"

namespace app {
namespace {

}  // namespace

CLedgerCommands::CLedgerCommands(CMainFrame& frame) : QObject(&frame), m_frame(frame)
{
    setObjectName(QStringLiteral("LedgerCommands"));
    if (CTavrelDoc* document = m_frame.Document()) {
        // The dialog belongs to the project it was opened on; the switch committed it already.
        connect(document, &CTavrelDoc::ProjectChanged, this, [this](ProjectChanges kinds) {
            if (kinds == kWholeProject)
                Destroy();
        });
    }
}

CLedgerCommands* CLedgerCommands::Of(const CMainFrame& frame)
{
    return frame.findChild<CLedgerCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

CReportLocPhotoDlg* CLedgerCommands::Dialog() const
{
    return m_dialog;
}

bool CLedgerCommands::DialogVisible() const
{
    return m_dialog && m_dialog->isVisible();
}

LedgerHooks CLedgerCommands::MakeHooks()
{
    LedgerHooks hooks;
    CMainFrame& frame = m_frame;
    hooks.viewMode = [&frame] { return frame.CurrentState().viewMode; };
    hooks.currentRowChanged = [&frame] { (void)frame.SendAppMessage(kMsgLedgerSelectionChanged); };
    hooks.closeRequested = [&frame] { (void)frame.SendAppMessage(kMsgCloseLedgerDlg, 1); };
    hooks.refreshView = [&frame] { frame.RefreshView(); };
    hooks.removeSelectedFromMap = [&frame] { frame.RunCommand(kCmdRemoveFromMap); };
    hooks.exportList = [&frame](int mapIndex, QWidget* caller) { ExportLedgerListExcel(frame, mapIndex, caller); };
    hooks.refreshPhotoRow = [&frame](int) {
        CallIfSet(frame.PaneLinks().fillPhotoList);
        CallIfSet(frame.PaneLinks().reloadPropertyDialog);
    };
    hooks.clearOverlapStrip = [&frame] { CallIfSet(frame.PaneLinks().clearOverlapStrip); };
    hooks.updateNumberColumns = [&frame] { CallIfSet(frame.PaneLinks().fillPhotoList); };
    hooks.chooseCommentCategory = [](QWidget* parent, const QString& templatePath, int current) {
        CCommentTemplateDlg picker(templatePath, current, parent);
        return picker.exec() == QDialog::Accepted ? picker.CurrentIndex() : -1;
    };
    CTavrelDoc* document = frame.Document();
    hooks.makeNumberingDialog = [document](CReportLocPhotoDlg& ledger, int mapIndex) {
        return MakeLedgerNumberingDialog(*document, ledger, mapIndex);
    };
    hooks.rebindNumberingDialog = [document](CReportLocPhotoDlg& ledger, QWidget* numbering, int mapIndex) {
        return RebindLedgerNumberingDialog(*document, ledger, numbering, mapIndex);
    };
    hooks.sortAlongLine = [](LocationMap& map, const PhotoList& photos) { map.SortPhotosAlongLine(photos); };
    hooks.editContactWidth = [document](QWidget* parent, int mapIndex) {
        CSetLinearSortDlg dialog(*document, mapIndex, parent);
        (void)dialog.exec();
    };
    return hooks;
}

qintptr CLedgerCommands::Open()
{
    CTavrelDoc* document = m_frame.Document();
    if (!document)
        return 0;
    (void)m_frame.SendAppMessage(kMsgClosePhotoPropertyDlg, 1);
    int map = mapcmd::CurrentMap(m_frame);
    if (map < 0) {
        if (document->GetProject().maps.Count() == 0)
            return 0;
        mapcmd::ShowMap(m_frame, 0);
        map = 0;
    }
    if (m_dialog) {
        Commit();
    } else {
        m_dialog = new CReportLocPhotoDlg(*document, MakeHooks(), CommentTemplatePath(), &m_frame);
        m_dialog->setObjectName(QStringLiteral("ReportLocPhotoDlg"));
        m_dialog->setWindowFlag(Qt::Dialog, true);
    }
    m_dialog->SetLocationMap(map);
    m_dialog->FillGrid(true);
    m_dialog->SetCurrentRow(1);
    if (!m_dialog->isVisible() && m_keptRect.width() > 10 && m_keptRect.height() > 10)
        m_dialog->resize(m_keptRect.size());
    m_dialog->show();
    m_dialog->raise();
    m_frame.UpdateCommandStates();
    return 1;
}

qintptr CLedgerCommands::Close(bool commit)
{
    if (!m_dialog)
        return 1;
    if (commit)
        Commit();
    m_keptRect = m_dialog->frameGeometry();
    Destroy();
    return 1;
}

void CLedgerCommands::Hide()
{
    if (!m_dialog || !m_dialog->isVisible())
        return;
    Commit();
    // Its renumbering window is a window of its own: it goes rather than stay on the screen alone.
    m_dialog->CloseNumberingDialog();
    m_keptRect = m_dialog->frameGeometry();
    m_dialog->hide();
    m_frame.UpdateCommandStates();
    m_frame.RefreshView();
}

void CLedgerCommands::Destroy()
{
    if (!m_dialog)
        return;
    CReportLocPhotoDlg* dialog = m_dialog;
    m_dialog = nullptr;
    // The dialog may be on the stack (its own button): it goes once its event has been handled.
    dialog->hide();
    dialog->deleteLater();
    m_frame.UpdateCommandStates();
    m_frame.RefreshView();
}

qintptr CLedgerCommands::TakeSelectionFromLedger()
{
    CTavrelDoc* document = m_frame.Document();
    if (!m_dialog || !document || document->GetProject().photos.photos.empty())
        return 0;
    const int index = m_dialog->GetCurrentPhotoIndex();
    (void)document->Change(ProjectChange::Selection, [index](Project& project) {
        std::vector<PhotoRecord>& photos = project.photos.photos;
        for (PhotoRecord& photo : photos)
            photo.flags &= ~PhotoRecord::kFlagSelected;
        if (index >= 0 && index < int(photos.size()))
            photos[size_t(index)].flags |= PhotoRecord::kFlagSelected;
        return true;
    });
    if (m_frame.PaneLinks().selectPhotoRows)
        m_frame.PaneLinks().selectPhotoRows(index >= 0 ? std::vector<int>{index + 1} : std::vector<int>());
    m_frame.RefreshView();
    CallIfSet(m_frame.PaneLinks().syncPropertyDialog);
    m_frame.RefreshView();
    return 1;
}

void CLedgerCommands::Commit()
{
    if (m_dialog)
        m_dialog->ReadGrid();
}

void CLedgerCommands::Refill()
{
    if (!m_dialog)
        return;
    Commit();
    const int map = mapcmd::CurrentMap(m_frame);
    if (map >= 0 && map != m_dialog->MapIndex())
        m_dialog->SetLocationMap(map);
    m_dialog->SetLedgerTitle();
    m_dialog->FillGrid(true);
}

void CLedgerCommands::FollowSelection()
{
    CTavrelDoc* document = m_frame.Document();
    if (!m_dialog || !document || !m_frame.PaneLinks().selectedPhotoRows)
        return;
    const Project& project = document->GetProject();
    const int map = m_dialog->MapIndex();
    if (project.photos.photos.empty() || map < 0 || map >= project.maps.Count())
        return;
    int row = -1;
    for (const int selected : m_frame.PaneLinks().selectedPhotoRows()) {
        if (selected < 1 || selected > int(project.photos.photos.size()))
            continue;
        const int placed = project.maps.maps[size_t(map)].photos.IndexOfPhoto(project.photos.photos[size_t(selected - 1)].id);
        if (placed >= 0) {
            row = placed + 1;
            break;
        }
    }
    // The selection came from elsewhere: the row follows it without choosing the photo again.
    m_dialog->FollowRow(row);
    m_frame.RefreshView();
}

bool IsLedgerDialogVisible(const CMainFrame& frame)
{
    const CLedgerCommands* commands = CLedgerCommands::Of(frame);
    return commands && commands->DialogVisible();
}

void EditFixedItemNames(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document || !document->appSettings)
        return;
    COutputItemEditDlg dialog(document->appSettings->fixedItemNames, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!document->appSettings->Save(SettingsFilePath()))
        Warn(&frame, QStringLiteral("設定ファイルを保存できませんでした。\n\n") +
                         QDir::toNativeSeparators(SettingsFilePath()));
}

void InstallLedgerCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdFixedItemNames, [&frame] { EditFixedItemNames(frame); });
    auto* commands = new CLedgerCommands(frame);
    frame.SetMessageHandler(kMsgOpenLedgerDlg, [commands](qintptr, qintptr) { return commands->Open(); });
    frame.SetMessageHandler(kMsgCloseLedgerDlg,
                            [commands](qintptr save, qintptr) { return commands->Close(save == 1); });
    frame.SetMessageHandler(kMsgLedgerSelectionChanged,
                            [commands](qintptr, qintptr) { return commands->TakeSelectionFromLedger(); });
    FramePaneLinks& links = frame.PaneLinks();
    links.refillLedger = [commands] { commands->Refill(); };
    links.syncLedgerRow = [commands] { commands->FollowSelection(); };
    auto closeOthers = links.closeModelessDialogs;
    links.closeModelessDialogs = [commands, closeOthers] {
        (void)commands->Close(true);
        CallIfSet(closeOthers);
    };
    MapCommandHooks& hooks = MapHooks(frame);
    hooks.hideModelessDialogs = [commands, earlier = hooks.hideModelessDialogs] {
        CallIfSet(earlier);
        commands->Hide();
    };
    frame.SetBeforeProjectSwitch([commands] { commands->Commit(); });
    frame.SetStateSource([commands](UiState& state) {
        state.ledgerDialogExists = commands->Dialog() != nullptr;
        state.ledgerDialogVisible = commands->DialogVisible();
    });
}

}  // namespace app
