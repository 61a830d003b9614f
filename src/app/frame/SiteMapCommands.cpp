#include "app/frame/SiteMapCommands.h"

#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <memory>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/frame/MapViewMessages.h"
#include "app/report/ReportProgressWindow.h"
#include "app/sitemap/CmdSiteMapDlg.h"
#include "app/view/TavrelView.h"
#include "model/Project.h"
#include "report/SiteMapReport.h"

namespace app {
namespace {

using DialogSlot = std::shared_ptr<QPointer<CCmdSiteMapDlg>>;

CTavrelView* MainView(CMainFrame& frame)
{
    return qobject_cast<CTavrelView*>(frame.centralWidget());
}

bool DialogVisible(const DialogSlot& slot)
{
    return *slot && (*slot)->isVisible();
}

qintptr OpenSiteMapDialog(CMainFrame& frame, const DialogSlot& slot)
{
    CTavrelDoc* document = frame.Document();
    if (!document)
        return 0;
    CTavrelView* view = MainView(frame);
    // The view leaves a location map for the overview; the dialog then shows the site map.
    if (view && view->CurrentMap()) {
        if (frame.PaneLinks().selectMap)
            frame.PaneLinks().selectMap(-1);
        (void)frame.SendAppMessage(kMsgShowWebMap, 0);
    }
    if (!*slot) {
        *slot = new CCmdSiteMapDlg(
            *document, view,
            [&frame](int message, qintptr wParam, qintptr lParam) {
                return frame.SendAppMessage(message, wParam, lParam);
            },
            &frame);
    }
    (*slot)->show();
    (*slot)->raise();
    (*slot)->activateWindow();
    frame.UpdatePaneControls(false);
    frame.menuBar()->setEnabled(false);
    frame.UpdateCommandStates();
    (*slot)->SendSelectionToFrame();
    return 1;
}

void DestroySiteMapDialog(const DialogSlot& slot)
{
    CCmdSiteMapDlg* dialog = slot->data();
    slot->clear();
    // The dialog may be on the stack (its own button): it goes once its event has been handled.
    dialog->hide();
    dialog->deleteLater();
}

// The dialog's end: the project saved when it asks for it, and the view back on the location-map pane's
// choice (the overview over its base map, as the dialog left no map selected).
qintptr CloseSiteMapDialog(CMainFrame& frame, const DialogSlot& slot, bool save)
{
    if (!*slot)
        return 1;
    if (save && frame.Document())
        (void)frame.Document()->SaveProject();
    DestroySiteMapDialog(slot);
    (void)frame.SendAppMessage(kMsgSelectLocationMap, 0, 0);
    frame.UpdatePaneControls(false);
    frame.menuBar()->setEnabled(!frame.IsBusy());
    frame.UpdateCommandStates();
    return 1;
}

// Only while the dialog shows: the view shows the first site map whichever row was chosen, or the
// overview over the pane's base map when there is none.
qintptr ShowSiteMaps(CMainFrame& frame, const DialogSlot& slot)
{
    if (!DialogVisible(slot) || !frame.Document())
        return 0;
    CTavrelView* view = MainView(frame);
    WaitCursor wait;
    if (view) {
        if (frame.Document()->GetProject().siteMaps.Count() > 0)
            (void)view->SelectSiteMap(0);
        else
            ShowOverviewOnPaneBaseMap(frame, *view);
    }
    if (const auto& setKind = frame.PaneLinks().setMapKind)
        setKind(3);
    if (view)
        view->RenderAndUpdate();
    FinishViewChange(frame, view);
    return 1;
}

}  // namespace

int OutputSiteMaps(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document || !document->GetProject().HasPath())
        return 0;
    const Project& project = document->GetProject();
    bool flagged = false;
    for (const LocationMap& siteMap : project.siteMaps.maps)
        flagged = flagged || siteMap.outputFlag != 0;
    if (!flagged) {
        ShowMessage(&frame, QString::fromUtf8(kNoSiteMapToOutputText), kProductName, PromptIcon::Warning);
        return 0;
    }
    if (!AskYesNo(&frame, QStringLiteral("現場位置図の出力を行いますか?"), kProductName))
        return 0;
    const QString folder = project.DatedExcelFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        ShowMessage(&frame, QStringLiteral("Excel出力に失敗しました。"), kProductName, PromptIcon::Warning);
        return 0;
    }
    int written = 0;
    // One command of the document: nothing else changes the project while the workbook is made.
    const bool ran = document->RunCommand([&] {
        BusyFrame busy(frame);
        SiteMapReport report(nullptr, &project);
        report.SetProgressFactory(MakeReportProgressFactory(&frame));
        report.folder = folder;
        report.fileName = QStringLiteral("現場位置図");
        if (CTavrelView* view = MainView(frame)) {
            report.stopTileRequests = [view] { (void)view->StopTileRequests(); };
            report.restartTileRequests = [view] { (void)view->RestartTileRequests(); };
        }
        if (!report.WriteSiteMapBook()) {
            ShowMessage(&frame, report.errorText, kProductName, PromptIcon::Warning);
        } else if (report.writtenCount > 0) {
            written = 1;
            ShowOutputFolder(&frame, folder);
        } else {
            ShowMessage(&frame, QStringLiteral("出力可能な帳票が存在しません。"), kProductName);
        }
    });
    return ran ? written : 0;
}

void InstallSiteMapCommands(CMainFrame& frame)
{
    auto slot = std::make_shared<QPointer<CCmdSiteMapDlg>>();
    FramePaneLinks& links = frame.PaneLinks();
    links.siteMapDialog = [slot] { return slot->data(); };
    links.closeModelessDialogs = [earlier = links.closeModelessDialogs, slot, &frame] {
        CallIfSet(earlier);
        if (!*slot)
            return;
        DestroySiteMapDialog(slot);
        frame.menuBar()->setEnabled(!frame.IsBusy());
        frame.UpdateCommandStates();
    };
    // Before a modal run the dialog closes (its changes were saved as they were made), so that the view and
    // the panes leave the site map with it.
    MapCommandHooks& hooks = MapHooks(frame);
    hooks.hideModelessDialogs = [earlier = hooks.hideModelessDialogs, slot, &frame] {
        CallIfSet(earlier);
        (void)CloseSiteMapDialog(frame, slot, false);
    };
    frame.SetStateSource([slot](UiState& state) { state.siteMapDialogVisible = DialogVisible(slot); });
    frame.SetMessageHandler(kMsgOpenSiteMapDlg,
                            [&frame, slot](qintptr, qintptr) { return OpenSiteMapDialog(frame, slot); });
    frame.SetMessageHandler(kMsgCloseSiteMapDlg,
                            [&frame, slot](qintptr save, qintptr) {
                                return CloseSiteMapDialog(frame, slot, save == 1);
                            });
    frame.SetMessageHandler(kMsgSiteMapsChanged,
                            [&frame, slot](qintptr, qintptr) { return ShowSiteMaps(frame, slot); });
    frame.SetMessageHandler(kMsgOutputSiteMap, [&frame](qintptr, qintptr) { return qintptr(OutputSiteMaps(frame)); });
}

}  // namespace app
