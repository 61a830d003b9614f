// The run of the location-map report: the workbooks of the ticked maps, the cover, and the file names.
#include "report/LocationMapReport.h"

#include <QDir>
#include <algorithm>

#include "fe/AppFolders.h"
#include "fe/PumpMessages.h"
#include "report/ReportTexts.h"

const char* const kReportFailedText = "Excel出力に失敗しました。";
const char* const kReportCancelledText = "Excel出力がキャンセルされました。";
const char* const kReportWebSourceText = "出典：地理院タイルに写真位置を追記して掲載";

namespace {

const char* const kProgressTitle = "帳票出力準備中";
// Every map's workbook is probed with this sheet before it is written, so the template must hold it.
const char* const kProbeSheet = "#写真位置図V";

bool IsTicked(const LocationMap& map)
{
    return map.outputFlag != 0;
}

}  // namespace

LocationMapReportProject::LocationMapReportProject(const Project& source) : project(source)
{
    for (PhotoRecord& photo : project.photos.photos)
        photo.flags &= ~PhotoRecord::kFlagSelected;
}

LocationMapReport::LocationMapReport(const Project& source, const QString& templatePath)
    : LocationMapReportProject(source), CExcelReportWriter(&photoSource), m_templatePath(templatePath)
{
}

QString LocationMapReport::DefaultTemplatePath()
{
    const QString exe = fe::GetExeFolder();
    return exe.isEmpty() ? QString() : QDir(exe).filePath(QStringLiteral("Systems/report.xlsx"));
}

QString LocationMapReport::ResultMessage(int result) const
{
    if (result == kCancelled)
        return QString::fromUtf8(kReportCancelledText);
    if (result == kFailed)
        return errorText.isEmpty() ? QString::fromUtf8(kReportFailedText) : errorText;
    return QString();
}

QString LocationMapReport::MakeReportFileName(int mapIndex) const
{
    const QString prefix = project.outputOptions.fileNamePrefix;
    if (!project.maps.IsValidIndex(mapIndex))
        return prefix + QStringLiteral("表紙.xlsx");
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    return prefix + QString::number(mapIndex + 1) + FileNamePart(map.name) + QStringLiteral(".xlsx");
}

void LocationMapReport::PutNamedCell(const QString& placeholder, const QString& text)
{
    if (Report())
        Report()->Cell(placeholder).PutValueStringW(text);
}

void LocationMapReport::SetProgressTitle(const QString& title)
{
    if (Progress())
        Progress()->SetTitle(title);
}

void LocationMapReport::AdvanceProgress()
{
    if (Progress())
        Progress()->Advance();
}

int LocationMapReport::Run(const QString& outputFolder)
{
    errorText.clear();
    writtenCount = 0;
    const ReportOutputOptions& options = project.outputOptions;
    int steps = options.outputCover ? 1 : 0;
    for (const LocationMap& map : project.maps.maps) {
        if (IsTicked(map))
            steps += int(options.outputMapSheets != 0) + int(options.outputLedger != 0) +
                     int(options.outputPhotoList != 0);
    }
    folder = outputFolder;
    QDir().mkpath(folder);
    if (proxy.ReadRegistry() != 0)
        proxy.SetEnabled(false);

    OpenProgress(steps);
    int result = WriteReportSheets();
    // Sheets left in a workbook that no map wrote (the cover of a run whose maps added nothing).
    if (result == kDone && writtenCount == 0 && Report() && Report()->page.PageTotalCount() > 0)
        result = OutputFile(MakeReportFileName(-1)) == 0 ? kDone : kFailed;
    Release();
    CloseProgress();
    return result;
}

int LocationMapReport::WriteReportSheets()
{
    if (Cache().Path().isEmpty())
        return kFailed;
    const ReportOutputOptions& options = project.outputOptions;
    const bool anyMapOutput = options.outputMapSheets || options.outputLedger || options.outputPhotoList;
    const bool anyTicked = std::any_of(project.maps.maps.begin(), project.maps.maps.end(), IsTicked);
    if (options.outputCover && (!anyMapOutput || !anyTicked))
        return WriteCoverOnly();
    for (int i = 0; i < project.maps.Count(); ++i) {
        if (!IsTicked(project.maps.maps[size_t(i)]))
            continue;
        const int result = WriteMapWorkbook(i);
        if (result != kDone)
            return result;
        PumpMessages();
        if (Cancelled())
            return kCancelled;
    }
    return kDone;
}

int LocationMapReport::WriteCoverOnly()
{
    // Each step is checked: a cover that was not written is a failure, not a finished run.
    if (StartFromTemplate(m_templatePath) != 0 || WriteCoverSheet() != kDone)
        return kFailed;
    return OutputFile(MakeReportFileName(-1)) == 0 ? kDone : kFailed;
}

int LocationMapReport::WriteMapWorkbook(int mapIndex)
{
    const ReportOutputOptions& options = project.outputOptions;
    const LocationMap& map = project.maps.maps[size_t(mapIndex)];
    const QString fileName = MakeReportFileName(mapIndex);
    if (!CanWriteFromTemplate(m_templatePath, fileName, QString::fromUtf8(kProbeSheet)))
        return kFailed;
    PumpMessages();
    if (StartFromTemplate(m_templatePath) != 0)
        return kFailed;
    if (writtenCount == 0 && WriteCoverSheet() != kDone) {
        Release();
        return kFailed;
    }
    SetProgressTitle(map.name.isEmpty() ? QString::fromUtf8(kProgressTitle)
                                        : QString::fromUtf8(kProgressTitle) + QStringLiteral(" - ") + map.name);
    const auto step = [&](bool wanted, const std::function<int()>& writer) {
        if (!wanted)
            return int(kContinue);
        const int result = writer();
        PumpMessages();
        AdvanceProgress();
        return result;
    };
    for (const auto& [wanted, writer] : {
             std::pair<bool, std::function<int()>>{options.outputMapSheets != 0,
                                                   [&] { return WriteMapSheet(mapIndex); }},
             std::pair<bool, std::function<int()>>{options.outputLedger != 0,
                                                   [&] { return WriteLedgerSheet(mapIndex); }},
             std::pair<bool, std::function<int()>>{options.outputPhotoList != 0,
                                                   [&] { return WritePhotoListSheet(mapIndex); }},
         }) {
        const int result = step(wanted, writer);
        if (result == kDone || result == kContinue)
            continue;
        Release();
        return result == kCancelled ? kCancelled : kFailed;
    }
    if (Report() && Report()->page.PageTotalCount() > 0 && OutputFile(fileName) != 0)
        return kFailed;
    Release();
    return kDone;
}

int LocationMapReport::WriteCoverSheet()
{
    const ReportOutputOptions& options = project.outputOptions;
    if (!options.outputCover)
        return kDone;
    if (!Report())
        return kFailed;
    PumpMessages();
    SetProgressTitle(QString::fromUtf8(kProgressTitle) + QStringLiteral(" - 表紙"));
    CXlsxPage& page = Report()->page;
    if (!page.PageBeginW(options.coverLandscape ? QStringLiteral("#Face_H") : QStringLiteral("#Face_V"),
                         QStringLiteral("1")) ||
        !page.PageNameW(QStringLiteral("表紙")))
        return kFailed;
    const auto& values = project.headerValues.texts;
    const auto& labels = project.headerLabels.texts;
    PutNamedCell(QStringLiteral("**タイトル"), values[0]);
    const char* const items[] = {"所属", "報告者", "発生日時", "報告日付"};
    for (int k = 0; k < 4; ++k)
        PutNamedCell(QStringLiteral("**") + QString::fromUtf8(items[k]), values[size_t(k + 1)]);
    for (int k = 0; k < 4; ++k)
        PutNamedCell(QStringLiteral("**項目名_") + QString::fromUtf8(items[k]), labels[size_t(k + 1)]);
    if (!page.PageEnd())
        return kFailed;
    AdvanceProgress();
    return kDone;
}
