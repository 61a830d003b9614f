// The site location map workbook: one sheet per site map with its title, picture and tile source.
#include "report/SiteMapReport.h"

#include <QFileInfo>
#include <cmath>

#include "fe/PumpMessages.h"
#include "fe/img/Image.h"
#include "model/LocationMap.h"
#include "model/Project.h"
#include "report/ListReportWriter.h"
#include "report/ReportGeometry.h"
#include "report/ReportTexts.h"

const char* const kNoSiteMapToOutputText = "出力可能な現場位置図が設定されていません。";

namespace {

const char* const kBookName = "現場位置図";

// The picture box at A2 and the aspect of the picture inside it, in pixels at 96 dpi.
constexpr int kBoxWidth = 715;
constexpr int kBoxHeight = 1015;
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 1000;

}  // namespace

SiteMapReport::SiteMapReport(ReportPhotoSource* document, const Project* project)
    : CExcelReportWriter(document), m_project(project)
{
}

SiteMapReport::~SiteMapReport()
{
    Release();
}

QString SiteMapReport::TileSourceTitle(int kind) const
{
    const int site = kind - LocationMap::kWebStandard;
    if (kind < LocationMap::kWebStandard || kind > LocationMap::kWebPhoto ||
        site >= int(settings.tileSites.size()))
        return {};
    return settings.tileSites[size_t(site)].title;
}

bool SiteMapReport::WriteSiteMapBook()
{
    if (!m_project)
        return false;
    int flagged = 0;
    for (const LocationMap& map : m_project->siteMaps.maps)
        flagged += map.outputFlag != 0 ? 1 : 0;
    if (flagged == 0) {
        errorText = QString::fromUtf8(kNoSiteMapToOutputText);
        return false;
    }
    if (!CanWriteFile(fileName, QString::fromUtf8(kBookName)))
        return false;
    // Load falls back to the defaults with the tile sites of TileSiteList.txt when setting.bin is unusable.
    (void)settings.Load(AppSettings::FilePath());
    OpenProgress(flagged);
    if (Progress())
        Progress()->SetRange(flagged);
    const int result = WriteSiteMapSheets();
    CloseProgress();
    Release();
    const QString text = ListReportResultText(result);
    if (text.isEmpty())
        return true;
    // A failure that said why keeps its own text.
    if (result != kListFailed || errorText.isEmpty())
        errorText = text;
    return false;
}

int SiteMapReport::WriteSiteMapSheets()
{
    if (!m_project)
        return 1;
    if (const int started = StartNewWorkbook(); started != 0)
        return started;
    m_sheetNames.clear();
    for (int i = 0; i < m_project->siteMaps.Count(); ++i) {
        siteMapIndex = i;
        if (const int written = WriteSiteMapSheet(); written != 0)
            return written;
        if (Progress()) {
            PumpMessages();
            if (Cancelled())
                return 2;
            Progress()->Advance();
            PumpMessages();
        }
    }
    return OutputFile(fileName);
}

int SiteMapReport::WriteSiteMapSheet()
{
    if (!m_project || !Report() || !m_project->siteMaps.IsValidIndex(siteMapIndex))
        return 1;
    const LocationMap& siteMap = m_project->siteMaps.maps[size_t(siteMapIndex)];
    CXlsxReport& report = *Report();
    CXlsxPage& page = report.page;
    if (!page.PageBeginW(QString(), QStringLiteral("1")))
        return 1;
    // The tab a reader sees carries the site map's name, made a valid and unique sheet name.
    const QString sheetName = SheetNameFromTitle(siteMap.name, m_sheetNames, QString::fromUtf8(kBookName));
    if (!page.PageNameW(sheetName))
        return 1;
    m_sheetNames.append(sheetName);
    page.PageAttrMargin(24, 10, 19, 14, 8, 5);
    report.printer.PrintQuality = 600;
    page.PageAttrSize(2, 100, 9);
    report.Cell(QStringLiteral("A1")).ColWidth = 7.0;
    report.Cell(QStringLiteral("B1")).ColWidth = 80.75;
    report.Cell(QStringLiteral("A1")).RowHeight = 33.0;
    report.Cell(QStringLiteral("A2:B48")).RowHeight = 16.5;
    report.Cell(QStringLiteral("A1")).attr.FontPoint = 16.0;
    PutCellText(QStringLiteral("A1"), QString::fromUtf8(kBookName));
    CXlsxCell& sheet = report.Cell(QStringLiteral("A1:B48"));
    sheet.attr.PosVert = 2;
    sheet.attr.FontNameW = QStringLiteral("ＭＳ ゴシック");
    report.Cell(QStringLiteral("A2:B47"));
    XlsxReportAttrPutBox(report.Handle(), 0x2000000, 0, 0x80000008);
    CXlsxCell& source = report.Cell(QStringLiteral("B48"));
    source.attr.FontPoint = 9.0;
    PutCellText(QStringLiteral("B48"), QStringLiteral("出典：地理院タイル「") +
                                           TileSourceTitle(siteMap.kind) + QStringLiteral("」から引用"));
    report.Cell(QStringLiteral("B48")).attr.PosHorz = 23;
    page.PageAttrPrintArea(0, 0, 1, 47);
    // A map whose picture cannot be made keeps its sheet without the picture.
    (void)InsertSiteMapPicture(siteMap, QStringLiteral("A2"), kBoxWidth, kBoxHeight, kPictureWidth,
                               kPictureHeight);
    page.PageEnd();
    return 0;
}

bool SiteMapReport::InsertSiteMapPicture(const LocationMap& siteMap, const QString& cell, int boxWidth,
                                         int boxHeight, int pictureWidth, int pictureHeight)
{
    // Only web maps have tiles to render.
    if (!m_project || !siteMap.IsWebMap() || pictureWidth <= 0 || pictureHeight <= 0)
        return false;
    const QSize size = FitSizeInBox(pictureWidth, pictureHeight, 4000, 2050);
    if (size.isEmpty())
        return false;
    const double scale = double(size.height()) / pictureHeight;
    fe::img::Image picture;
    if (!picture.Create(size.width(), size.height()))
        return false;
    if (stopTileRequests)
        stopTileRequests();
    const bool rendered = RenderSiteMap(picture, *m_project, siteMap, scale);
    if (restartTileRequests)
        restartTileRequests();
    if (!rendered)
        return false;
    QString file;
    picture.ReleaseDC();
    // Aerial photographs keep well as JPEG; drawn maps stay sharp as PNG.
    const int format = siteMap.kind == LocationMap::kWebPhoto ? 0 : 1;
    if (!Cache().SaveImage(picture.Picture(), format, file))
        return false;
    const QSize fitted = FitSizeInBox(size.width(), size.height(), pictureWidth, pictureHeight);
    const double x = std::abs(boxWidth - fitted.width()) * 0.5 / 96 * kReportMmPerInch;
    const double y = std::abs(boxHeight - fitted.height()) * 0.5 / 96 * kReportMmPerInch;
    return InsertPictureFile(file, 0, cell, x, y, PixelsToMm(fitted.width()), PixelsToMm(fitted.height()));
}
