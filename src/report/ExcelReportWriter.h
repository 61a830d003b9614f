#pragma once

#include <QImage>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

#include "fe/img/ImageCache.h"
#include "report/CXlsxReport.h"
#include "report/ReportPhotoSource.h"
#include "report/ReportProgress.h"

// The common core of the Excel writers: starts a workbook from a template or from nothing, checks
// beforehand that the target can be written, begins sheets from '#' template sheets, writes texts,
// numbers and latitude/longitude cells, runs the progress dialog, places pictures fitted into boxes
// given in millimetres, writes the workbook into the output folder and lets go of it. A workbook of
// which the library refused any part is not written: its output fails with the library's message.
// Start, output and page operations return 0 for success and 1 for failure.
class CExcelReportWriter
{
public:
    static constexpr double kUnset = 1.7976931348623157e308;  // the largest double: no value

    // The document supplies the project's photos; it may be null (no project open). The application's
    // windows stay above this layer: the progress window comes in through SetProgressFactory.
    explicit CExcelReportWriter(ReportPhotoSource* document);
    CExcelReportWriter(const CExcelReportWriter&) = delete;
    CExcelReportWriter& operator=(const CExcelReportWriter&) = delete;
    virtual ~CExcelReportWriter();

    void Reset();
    void Release();
    [[nodiscard]] int StartFromTemplate(const QString& templatePath);
    [[nodiscard]] int StartNewWorkbook();
    void ApplyDefaultOptions();
    [[nodiscard]] int BeginTemplatePage(const QString& templateSheet);
    [[nodiscard]] int OutputFile(const QString& fileName);
    [[nodiscard]] bool CanWriteFromTemplate(const QString& templatePath, const QString& fileName,
                                            const QString& templateSheet);
    [[nodiscard]] bool CanWriteFile(const QString& fileName, const QString& sheetName);

    void PutCellText(const QString& cell, const QString& text);
    void PutCellNumber(const QString& cell, double value, double skipValue);
    void PutLatLonCell(const QString& cell, bool dms, double value);

    // The application's progress window; without it runs show no progress and cannot be cancelled.
    void SetProgressFactory(ReportProgressFactory factory) { m_progressFactory = std::move(factory); }
    void OpenProgress(int steps);
    void CloseProgress();
    ReportProgress* Progress() const { return m_progress.get(); }
    // True once the user has asked the progress window to stop.
    bool Cancelled() const;

    [[nodiscard]] bool InsertPictureFile(const QString& path, int rotation, const QString& cell, double x,
                                         double y, double width, double height);
    [[nodiscard]] bool InsertPhotoPicture(int photoId, const QString& cell, double x, double y, double width,
                                          double height);
    // How RenderPhoto went (the numbers of the first version's writers).
    enum RenderResult : int
    {
        kPhotoDrawn = 0,      // the photo was drawn into target
        kUseStoredPhoto = 1,  // the stored photo file is used as it is
        kRenderFailed = 2,
    };
    [[nodiscard]] RenderResult RenderPhoto(QImage& target, int photoId, int boxWidth, int boxHeight,
                                           int& outX, int& outY, int& outWidth, int& outHeight);

    // A white picture of the render size for a photo; false for a size under 10 pixels either way or a
    // picture that cannot be made.
    [[nodiscard]] static bool MakeRenderTarget(QImage& target, const QSize& render);

    CXlsxReport* Report() const { return m_report.get(); }
    fe::img::ImageCache& Cache() { return m_cache; }

    // The time this writer has spent so far making the pictures of photos: reading each photo, reducing
    // it into its box and saving the scratch picture (placing the picture in the workbook not counted).
    std::chrono::steady_clock::duration PhotoPictureTime() const { return m_photoPictureTime; }

    QString fileName;
    QString folder;
    QString errorText;
    double highSize = 2000;
    double standardSize = 1200;
    int writtenCount = 0;

protected:
    // Frames the range in the automatic colour: kind 0x1000000 thin, 0x2000000 medium (see xlsx::Book);
    // inner 1 also draws every inner edge, 0 the outline only.
    void Box(const QString& range, unsigned kind, int inner);

    ReportPhotoSource* m_document = nullptr;

    // Counts the time from its making to its end as the writer's photo picture time.
    class PhotoPictureClock
    {
    public:
        explicit PhotoPictureClock(CExcelReportWriter& writer)
            : m_writer(writer), m_start(std::chrono::steady_clock::now())
        {
        }
        ~PhotoPictureClock() { m_writer.m_photoPictureTime += std::chrono::steady_clock::now() - m_start; }
        PhotoPictureClock(const PhotoPictureClock&) = delete;
        PhotoPictureClock& operator=(const PhotoPictureClock&) = delete;

    private:
        CExcelReportWriter& m_writer;
        std::chrono::steady_clock::time_point m_start;
    };

private:
    int StartReport(const QString* templatePath);
    bool PreCheck(const QString* templatePath, const QString& fileName, const QString& sheetName);
    bool PlacePicture(const QString& file, const QString& cell, double xPx, double yPx, double widthPx,
                      double heightPx, double x, double y);

    std::unique_ptr<CXlsxReport> m_report;
    ReportProgressFactory m_progressFactory;
    std::unique_ptr<ReportProgress> m_progress;
    fe::img::ImageCache m_cache;
    std::chrono::steady_clock::duration m_photoPictureTime{};
};

// Texts the Excel writers show.
extern const char* const kExcelModuleFailedText;    // the library cannot be started
extern const char* const kExcelCannotWriteText;     // the target cannot be written; the file name follows
extern const char* const kExcelTemplateFailedText;  // the template cannot be read; its path follows
// The library refused part of the workbook; the file name and the library's message follow.
extern const char* const kExcelRefusedText;
