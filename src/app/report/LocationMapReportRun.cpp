#include "app/report/LocationMapReportRun.h"

#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/report/ReportProgressWindow.h"
#include "fe/AppFolders.h"
#include "model/MarkSettingSet.h"
#include "report/LocationMapReport.h"

namespace app {
namespace {

// The mark template in use, as the view keeps it in MarkSetting.bin; the first factory template when the
// file cannot be read.
MarkStyle CurrentMarkTemplate()
{
    MarkSettingSet set;
    set.Load(fe::GetWritableFolder() + QStringLiteral("MarkSetting.bin"));
    const MarkStyle* current = set.Current();
    return current ? *current : MarkStyle();
}

}  // namespace

int OutputLocationMapReport(CTavrelDoc& document, QWidget* parent, const ReportViewHooks& view)
{
    const Project& project = document.GetProject();
    if (!project.HasPath())
        return LocationMapReport::kFailed;
    LocationMapReport report(project, LocationMapReport::DefaultTemplatePath());
    report.SetProgressFactory(MakeReportProgressFactory(parent));
    report.markStyle = CurrentMarkTemplate();
    report.stopTileRequests = view.stopTileRequests;
    report.restartTileRequests = view.restartTileRequests;
    const QString folder = project.DatedExcelFolder();
    const int result = folder.isEmpty() ? int(LocationMapReport::kFailed) : report.Run(folder);
    if (result == LocationMapReport::kDone)
        ShowOutputFolder(parent, folder);
    else
        ShowMessage(parent, report.ResultMessage(result));
    return result;
}

}  // namespace app
