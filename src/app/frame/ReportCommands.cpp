#include "app/frame/ReportCommands.h"

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameScopes.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MapCommandSupport.h"
#include "app/frame/MapCommands.h"
#include "app/report/LocationMapReportRun.h"
#include "app/report/OutputDlg.h"
#include "model/AppSettings.h"
#include "model/Project.h"

namespace app {

void OutputReportCommand(CMainFrame& frame)
{
    CTavrelDoc* document = frame.Document();
    if (!document || !document->GetProject().HasPath())
        return;
    if (document->GetProject().maps.Count() == 0) {
        ShowMessage(&frame, QStringLiteral("出力できるものがありません。"), QStringLiteral("ケルヴォル"));
        return;
    }
    COutputDlg dialog(*document, document->appSettings ? &document->appSettings->fixedItemNames : nullptr, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog stored and saved the choices; the run reads the project as it now stands.
    BusyFrame busy(frame);
    // The modeless dialogs step aside; the ledger's pending edits go into the project first, so that the
    // workbooks hold what the ledger showed.
    CallIfSet(MapHooks(frame).hideModelessDialogs);
    if (document->GetProject().outputOptions.outputKind == 0) {
        ShowMessage(&frame, QStringLiteral("Word出力はありません。"), QStringLiteral("ケルヴォル"));
        return;
    }
    // The report draws the web maps' tiles itself: the view's download worker rests for the whole run
    // and starts again once it has ended, however it ended.
    const mapcmd::TileWorkerRest resting(frame);
    (void)OutputLocationMapReport(*document, &frame);
}

void InstallReportCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(kCmdOutputReport, [&frame] { OutputReportCommand(frame); });
}

}  // namespace app
