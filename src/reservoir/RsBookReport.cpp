// The survey workbooks: one per ticked map, its 27 sheets in order, the header and summary cells.
#include "reservoir/RsBookReport.h"

#include <QDir>
#include <algorithm>

#include "fe/AppFolders.h"
#include "fe/PumpMessages.h"
#include "report/ListReportWriter.h"
#include "report/ReportTexts.h"

namespace {

using Role = RsBookReport::SheetRole;

const RsBookReport::TemplateSheet kSheets[RsBookReport::kSheetCount] = {
    {"#目次", 35, 40, Role::Copy, -1},
    {"#1-1", 35, 41, Role::Header, -1},
    {"#1-2(写真)", 35, 49, Role::Photos, 0},
    {"#2-1", 35, 43, Role::Header, -1},
    {"#2-2(写真)", 35, 49, Role::Photos, 1},
    {"#3-1", 35, 46, Role::Header, -1},
    {"#3-2", 35, 45, Role::Copy, -1},
    {"#3-3(写真)", 35, 49, Role::Photos, 2},
    {"#4-1-1", 35, 29, Role::Header, -1},
    {"#4-1-2(写真)", 35, 49, Role::Photos, 3},
    {"#4-1表(洪水吐きコンクリート構造)", 53, 41, Role::Copy, -1},
    {"#4-2-1", 35, 46, Role::Header, -1},
    {"#4-2-2(写真)", 35, 49, Role::Photos, 4},
    {"#5-1", 35, 47, Role::Header, -1},
    {"#5-2(写真)", 35, 44, Role::Photos, 5},
    {"#5表(斜樋)", 53, 32, Role::Copy, -1},
    {"#5表(取水トンネル)", 53, 35, Role::Copy, -1},
    {"#5表(底樋)", 53, 19, Role::Copy, -1},
    {"#5表(放流施設)", 53, 38, Role::Copy, -1},
    {"#6-1", 35, 33, Role::Header, -1},
    {"#6-2(写真)", 35, 48, Role::Photos, 6},
    {"#7-1", 35, 34, Role::Header, -1},
    {"#7-2(写真)", 35, 48, Role::Photos, 7},
    {"#詳細診断調査", 53, 34, Role::Copy, -1},
    {"#健全度評価表1", 52, 38, Role::Copy, -1},
    {"#健全度評価表2", 52, 33, Role::Copy, -1},
    {"#総括表", 35, 37, Role::Summary, -1},
};

const char* const kProgressTitle = "帳票出力準備中";
// Every workbook is probed with this sheet before it is written, so the template must hold it.
const char* const kProbeSheet = "#目次";

}  // namespace

const RsBookReport::TemplateSheet& RsBookReport::Sheet(int index)
{
    return kSheets[std::clamp(index, 0, kSheetCount - 1)];
}

RsBookReport::RsBookReport(const Project& source, const QString& templatePath)
    : RsBookReportProject(source), CExcelReportWriter(&photoSource), m_templatePath(templatePath)
{
}

QString RsBookReport::DefaultTemplatePath()
{
    const QString exe = fe::GetExeFolder();
    return exe.isEmpty() ? QString() : QDir(exe).filePath(QStringLiteral("Systems/RsBook.xlsx"));
}

QString RsBookReport::WorkbookName(int mapIndex, const QString& mapName)
{
    return QString::number(mapIndex + 1) + FileNamePart(mapName) + QStringLiteral("_劣化状況評価調査表");
}

const ReservoirSheet& RsBookReport::Survey() const
{
    return project.maps.maps[size_t(currentMap)].reservoir;
}

bool RsBookReport::WriteRsBook()
{
    errorText.clear();
    writtenCount = 0;
    const auto& maps = project.maps.maps;
    const int ticked = int(std::count_if(maps.begin(), maps.end(),
                                         [](const LocationMap& map) { return map.reservoir.includeInBook != 0; }));
    if (ticked == 0)
        return true;
    if (Cache().Path().isEmpty()) {
        errorText = ListReportResultText(kFailed);
        return false;
    }
    OpenProgress(ticked * kSheetCount);
    bool ok = true;
    for (int i = 0; i < int(maps.size()) && ok; ++i) {
        if (maps[size_t(i)].reservoir.includeInBook == 0)
            continue;
        currentMap = i;
        if (!CanWriteFromTemplate(m_templatePath, WorkbookName(i, maps[size_t(i)].name),
                                  QString::fromUtf8(kProbeSheet))) {
            ok = false;
            break;
        }
        const int result = WriteRsBookSheets();
        if (result == kDone)
            continue;
        // The engine's own text (a template it cannot read, a workbook it could not write) says more than
        // the general one.
        if (result != kFailed || errorText.isEmpty())
            errorText = ListReportResultText(result);
        ok = false;
    }
    Release();
    CloseProgress();
    return ok;
}

int RsBookReport::WriteRsBookSheets()
{
    if (!project.maps.IsValidIndex(currentMap))
        return kFailed;
    if (StartFromTemplate(m_templatePath) != 0)
        return kFailed;
    PumpMessages();
    if (Progress())
        Progress()->SetTitle(QString::fromUtf8(kProgressTitle) + QStringLiteral(" - ") +
                             project.maps.maps[size_t(currentMap)].name);
    for (int k = 0; k < kSheetCount; ++k) {
        const int result = WriteStep(k);
        PumpAndAdvance();
        if (result != kDone) {
            Release();
            return result;
        }
    }
    PumpMessages();
    // A workbook that could not be written ends the run with the engine's text naming it.
    if (OutputFile(WorkbookName(currentMap, project.maps.maps[size_t(currentMap)].name)) != 0) {
        Release();
        return kFailed;
    }
    return kDone;
}

void RsBookReport::PumpAndAdvance()
{
    if (!Progress())
        return;
    PumpMessages();
    Progress()->Advance();
    PumpMessages();
}

int RsBookReport::WriteStep(int k)
{
    switch (Sheet(k).role) {
    case SheetRole::Header:
        return WriteHeaderSheet(k);
    case SheetRole::Photos:
        return WriteItemSheet(Sheet(k).table);
    case SheetRole::Summary:
        return WriteSummarySheet();
    case SheetRole::Copy:
        break;
    }
    return WriteCopySheet(k);
}

void RsBookReport::PutPrintArea(int k, int lastRow)
{
    (void)Report()->page.PageAttrPrintArea(0, 0, Sheet(k).lastColumn, lastRow);
}

int RsBookReport::WriteCopySheet(int k)
{
    const int begun = BeginTemplatePage(QString::fromUtf8(Sheet(k).name));
    if (begun != 0 || !Report())
        return kFailed;
    PutPrintArea(k, Sheet(k).lastRow);
    if (!Report()->page.PageEnd())
        return kFailed;
    return Cancelled() ? kCancelled : kDone;
}

int RsBookReport::WriteHeaderSheet(int k)
{
    if (!project.maps.IsValidIndex(currentMap) || BeginTemplatePage(QString::fromUtf8(Sheet(k).name)) != 0)
        return kFailed;
    PutPrintArea(k, Sheet(k).lastRow);
    const ReservoirSheet& survey = Survey();
    PutCellText(QStringLiteral("AB4"), survey.reservoirId + QStringLiteral(" ") + survey.reservoirName);
    PutCellText(QStringLiteral("AB5"), survey.surveyDate);
    if (!Report()->page.PageEnd())
        return kFailed;
    if (!Progress())
        return kDone;
    PumpMessages();
    return Cancelled() ? kCancelled : kDone;
}

int RsBookReport::WriteSummarySheet()
{
    // The summary keeps the template's own print area.
    if (!project.maps.IsValidIndex(currentMap) || BeginTemplatePage(QStringLiteral("#総括表")) != 0)
        return kFailed;
    const ReservoirSheet& survey = Survey();
    PutCellText(QStringLiteral("Y3"), survey.reservoirName);
    PutCellText(QStringLiteral("Y4"), survey.reservoirId);
    PutCellText(QStringLiteral("G4"), survey.surveyDate);
    return Report()->page.PageEnd() ? kDone : kFailed;
}
