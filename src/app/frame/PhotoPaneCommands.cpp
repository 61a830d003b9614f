#include "app/frame/PhotoPaneCommands.h"

#include <QPointer>
#include <memory>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/photos/ImportConditionsDlg.h"
#include "app/photos/PropertyPhotoDlg.h"
#include "model/ProjectResult.h"

namespace app {

void EditPhotoImportConditions(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document)
        return;
    CSetConfigPhotoImportDlg dialog(document->GetProject().importSettings, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PhotoImportSettings settings = dialog.Settings();
    (void)document->Change(ProjectChange::Settings, [&settings](Project& project) {
        if (project.importSettings == settings)
            return false;
        project.importSettings = settings;
        return true;
    });
}

namespace {

// The one photo properties dialog of the frame and the place it had when it was last closed.
struct PropertyDialogHolder
{
    QPointer<CPropertyPhotoDlg> dialog;
    QRect placement;

    void Close()
    {
        if (!dialog)
            return;
        placement = dialog->geometry();
        dialog->hide();
        dialog->deleteLater();
        dialog = nullptr;
    }
};

// Runs `added` after what the link did before.
void Chain(std::function<void()>& link, std::function<void()> added)
{
    link = [earlier = link, added = std::move(added)] {
        CallIfSet(earlier);
        added();
    };
}

void InstallPropertyDialog(CMainFrame& frame)
{
    auto holder = std::make_shared<PropertyDialogHolder>();
    frame.SetMessageHandler(kMsgOpenPhotoPropertyDlg, [&frame, holder](qintptr index, qintptr) {
        if (index < 0) {
            if (holder->dialog)
                holder->dialog->hide();
            return qintptr(1);
        }
        if (!frame.Document())
            return qintptr(0);
        (void)frame.SendAppMessage(kMsgCloseLedgerDlg, 1);
        if (!holder->dialog) {
            holder->dialog = new CPropertyPhotoDlg(frame);
            holder->dialog->setAttribute(Qt::WA_DeleteOnClose, false);
            if (holder->placement.width() > 10 && holder->placement.height() > 10)
                holder->dialog->setGeometry(holder->placement);
        }
        holder->dialog->SetPhotoIndex(int(index));
        holder->dialog->show();
        holder->dialog->raise();
        return qintptr(1);
    });
    frame.SetMessageHandler(kMsgClosePhotoPropertyDlg, [holder](qintptr, qintptr) {
        holder->Close();
        return qintptr(1);
    });
    FramePaneLinks& links = frame.PaneLinks();
    Chain(links.reloadPropertyDialog, [holder] {
        if (holder->dialog)
            holder->dialog->LoadPhotoFields();
    });
    Chain(links.commitPropertyDialog, [holder] {
        if (holder->dialog)
            holder->dialog->StorePhotoFields(false);
    });
    // A shown dialog moves to the first selected photo.
    Chain(links.syncPropertyDialog, [&frame, holder] {
        if (!holder->dialog || !holder->dialog->isVisible())
            return;
        const auto& selected = frame.PaneLinks().selectedPhotoRows;
        const std::vector<int> rows = selected ? selected() : std::vector<int>();
        holder->dialog->SetPhotoIndex(rows.empty() ? -1 : rows.front() - 1);
    });
    Chain(links.closeModelessDialogs, [holder] { holder->Close(); });
    Chain(MapHooks(frame).hideModelessDialogs, [holder] {
        if (holder->dialog)
            holder->dialog->hide();
    });
}

}  // namespace

void InstallPhotoPaneCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdImportSettings, [&frame] { EditPhotoImportConditions(frame); });
    InstallPropertyDialog(frame);
}

}  // namespace app
