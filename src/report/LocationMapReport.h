#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "fe/geo/ProxySettings.h"
#include "model/MarkSetting.h"
#include "model/Project.h"
#include "report/ExcelReportWriter.h"
#include "report/ProjectPhotoSource.h"

struct PlacedPhoto;

// The run's own copy of the project, made before the engine that is handed its photo source.
struct LocationMapReportProject
{
    explicit LocationMapReportProject(const Project& source);

    Project project;
    ProjectPhotoSource photoSource{project};
};

// The photo location maps and photo ledgers of a project as workbooks, from the template workbook
// Systems/report.xlsx: one workbook per map ticked for the report, with the cover in the first workbook
// written, the map's location-map sheet ("写真位置図") in the chosen layout with the rendered map and the
// photos around it, and its photo ledger ("写真台帳") in one of six layouts.
//
// The sheet writers return a Result. The run works on a copy of the project in which no photo is
// selected, so every mark is drawn unselected while the user's selection stays as it was.
class LocationMapReport : private LocationMapReportProject, public CExcelReportWriter
{
public:
    enum Result : int
    {
        kDone = 0,       // sheets were added
        kFailed = 1,     // errorText says why when it is not empty
        kCancelled = 2,  // the user stopped the run in the progress window
        kContinue = 3,   // the writer had nothing to add
    };

    LocationMapReport(const Project& project, const QString& templatePath);

    // The program's template: Systems/report.xlsx in the executable's folder.
    static QString DefaultTemplatePath();

    // Writes the workbooks into the folder (made when missing): kDone, kFailed or kCancelled. Workbooks of
    // earlier maps stay written when a later one fails.
    [[nodiscard]] int Run(const QString& outputFolder);
    // The message the user is shown for a run that did not finish.
    QString ResultMessage(int result) const;

    // Full name of a map's workbook (prefix, position from 1, title), or of the cover alone for an index
    // outside the map list.
    QString MakeReportFileName(int mapIndex) const;

    // The sheet writers, on the workbook being written.
    int WriteCoverSheet();
    int WriteMapSheet(int mapIndex);
    int WriteLedgerSheet(int mapIndex);
    // "写真一覧": small pictures of the map's photos, 99 to a page of 64 rows, with their numbers and, with
    // listOriginalFileName, each photo's original file name in 8-point type above its picture.
    int WritePhotoListSheet(int mapIndex);

    // The map rendered at the box's size (or larger at the high map quality), saved in the run's picture
    // folder and anchored at the cell at the box's size in millimetres. False when nothing was placed.
    bool WriteMapPicture(const QString& cell, const QSize& box, int mapIndex);

    // The photos of the map beside it (V and H layouts: from the start cell down by the step, six slots a
    // column, then two columns to the right) and around it (A3, by the arrangement).
    void PlacePhotosBesideMap(int mapIndex, const QString& startCell, int rowStep);
    void PlacePhotosAroundMap(int mapIndex, int arrangement);

    // A placed photo's picture, cut to its crop frame, fitted and centred in the box (pixels), anchored at
    // the cell. The inset variant moves it by the inset instead of keeping small margins; the list variant
    // always writes the rendered picture and can add the comment in a box below.
    bool PutPhotoPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box);
    bool PutPhotoPictureInset(const PlacedPhoto& entry, const QString& cell, const QSize& box, double insetX,
                              double insetY);
    bool PutListPhotoPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box, bool comment);

    // Draws the entry's photo, turned and cut to its crop frame, at the size the photo quality allows; the
    // offsets and size of the fitted picture in the box come back in pixels.
    RenderResult RenderPlacedPhoto(QImage& target, const PlacedPhoto& entry, const QSize& box, double& x,
                                   double& y, double& width, double& height);

    const Project& ReportProject() const { return project; }

    // Around a web-map render: the caller stops the main view's tile worker and restarts it afterwards.
    std::function<void()> stopTileRequests;
    std::function<void()> restartTileRequests;
    // The mark template the map pictures are drawn with, and the proxy of tile downloads.
    MarkStyle markStyle;
    fe::geo::ProxySettings proxy;
    // Photos are placed around maps only when the output settings dialog allowed it.
    bool placePhotosAroundMapEnabled = true;

private:
    // Lets events through; after a cancel the open sheet is ended and true comes back.
    bool SheetCancelled();
    void PutNamedCell(const QString& placeholder, const QString& text);
    void SetProgressTitle(const QString& title);
    void AdvanceProgress();
    int WriteReportSheets();
    int WriteCoverOnly();
    int WriteMapWorkbook(int mapIndex);
    bool PlacePicture(const QString& file, const QString& cell, double x, double y, double width,
                      double height);
    enum class PictureUse
    {
        StoredOrRendered,
        Inset,
        RenderedOnly
    };
    bool PutPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box, PictureUse use,
                    double insetX, double insetY);

    QString m_templatePath;
};

// Texts of the run's results.
extern const char* const kReportFailedText;     // "Excel出力に失敗しました。"
extern const char* const kReportCancelledText;  // "Excel出力がキャンセルされました。"
extern const char* const kReportWebSourceText;  // the source note of web maps

// The slots of the photos around an A3 map: the fixed slots of the arrangement (0 around, 1 two columns,
// 2 four columns) and the k-th slot of the overflow columns from AJ.
std::vector<QString> A3PhotoSlots(int arrangement);
QString A3OverflowSlot(int arrangement, int k);
// The k-th slot beside a V or H map: six rows from the start by the step, then two columns right.
QString BesideMapSlot(const QString& startCell, int rowStep, int k);
