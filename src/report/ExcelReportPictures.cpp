// Pictures fitted and centred in boxes given in millimetres: picture files and project photos.
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "fe/PumpMessages.h"
#include "report/ExcelReportWriter.h"
#include "report/ReportGeometry.h"
#include "view/ViewPhotoLink.h"

namespace {

bool IsQuarterTurn(int rotation)
{
    return rotation == 90 || rotation == 180 || rotation == 270;
}

QImage ReadPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

}  // namespace

bool CExcelReportWriter::PlacePicture(const QString& file, const QString& cell, double xPx, double yPx,
                                      double widthPx, double heightPx, double x, double y)
{
    if (!m_report)
        return false;
    CXlsxCell& target = m_report->Cell(cell);
    return target.drawing.DrawingAddImageW(file, PixelsToMm(xPx) + x, PixelsToMm(yPx) + y, 0, 0,
                                           PixelsToMm(widthPx), PixelsToMm(heightPx)) != 0;
}

bool CExcelReportWriter::MakeRenderTarget(QImage& target, const QSize& render)
{
    if (render.width() < 10 || render.height() < 10)
        return false;
    target = QImage(render, QImage::Format_RGB32);
    if (target.isNull())
        return false;
    target.fill(Qt::white);
    return true;
}

bool CExcelReportWriter::InsertPictureFile(const QString& path, int rotation, const QString& cell, double x,
                                           double y, double width, double height)
{
    if (!QFileInfo(path).isFile())
        return false;
    double boxW = MmToPixels(width), boxH = MmToPixels(height);
    double offsetX = 0, offsetY = 0;
    QString file = path;
    QSize size;
    if (IsQuarterTurn(rotation)) {
        const QImage turned = locmap::ViewPhotoLink::TurnedPhoto(ReadPicture(path), rotation);
        if (turned.isNull() || !m_cache.SaveImage(turned, 0, file))
            return false;
        size = turned.size();
    } else {
        size = QImageReader(path).size();
    }
    if (size.isValid() && !size.isEmpty()) {
        const QSize fit =
            FitSizeInBox(size.width(), size.height(), static_cast<int>(boxW), static_cast<int>(boxH));
        if (fit.width() > 10) {
            const double dx = (boxW - fit.width()) * 0.5;
            offsetX = dx >= 1 ? dx : 0;
            boxW = fit.width();
        }
        if (fit.height() > 10) {
            const double dy = (boxH - fit.height()) * 0.5;
            offsetY = dy >= 0 ? dy : 0;
            boxH = fit.height();
        }
    }
    return PlacePicture(file, cell, offsetX, offsetY, boxW, boxH, x, y);
}

bool CExcelReportWriter::InsertPhotoPicture(int photoId, const QString& cell, double x, double y,
                                            double width, double height)
{
    ReportPhotoSource::Photo photo;
    if (!m_document || !m_document->FindPhoto(photoId, photo))
        return false;
    int outX = 0, outY = 0, outW = 0, outH = 0;
    QString file;
    {
        const PhotoPictureClock clock(*this);
        QImage image;
        const RenderResult result = RenderPhoto(image, photoId, static_cast<int>(MmToPixels(width)),
                                                static_cast<int>(MmToPixels(height)), outX, outY, outW, outH);
        if (result == kRenderFailed)
            return false;
        if (result == kUseStoredPhoto && QFileInfo(photo.storedFile).isFile())
            file = photo.storedFile;
        else if (!m_cache.SaveImage(image, 0, file))
            return false;
    }
    return PlacePicture(file, cell, outX, outY, outW, outH, x, y);
}

CExcelReportWriter::RenderResult CExcelReportWriter::RenderPhoto(QImage& target, int photoId, int boxWidth,
                                                                 int boxHeight, int& outX, int& outY,
                                                                 int& outWidth, int& outHeight)
{
    ReportPhotoSource::Photo photo;
    if (!m_document || !m_document->FindPhoto(photoId, photo))
        return kRenderFailed;
    outX = outY = 0;
    outWidth = boxWidth;
    outHeight = boxHeight;
    // Standard and high quality never render larger than their size, so the photo is read no larger
    // than that (a JPEG is then decoded at a reduced scale); the highest quality reads it whole.
    const int quality = m_document->PhotoQuality();
    QSize readBox;
    if (quality == 0)
        readBox = QSize(static_cast<int>(standardSize), static_cast<int>(standardSize));
    else if (quality == 1)
        readBox = QSize(static_cast<int>(highSize), static_cast<int>(highSize));
    QImage picture = m_document->LoadPhotoImage(photoId, readBox);
    if (picture.isNull() || (photo.rotation != 0 && !IsQuarterTurn(photo.rotation)))
        return kRenderFailed;
    if (photo.rotation != 0)
        picture = locmap::ViewPhotoLink::TurnedPhoto(picture, photo.rotation);
    PumpMessages();
    if (picture.isNull() || boxWidth <= 0 || boxHeight <= 0)
        return kRenderFailed;

    const double pw = picture.width(), ph = picture.height();
    double fitW = 0, fitH = 0;
    if (static_cast<double>(boxWidth) / boxHeight >= pw / ph) {
        fitW = std::trunc(boxHeight * pw / ph);
        fitH = boxHeight;
    } else {
        fitW = boxWidth;
        fitH = std::trunc(boxWidth * ph / pw);
    }
    if (fitW <= 0 || fitH <= 0)
        return kRenderFailed;
    // A square picture in a tall box stays at the top of the box.
    if (static_cast<double>(boxWidth) / boxHeight >= fitW / fitH)
        outX = static_cast<int>(std::fabs(boxWidth - boxHeight * fitW / fitH) * 0.5);
    else if (fitW != fitH)
        outY = static_cast<int>(std::fabs(boxHeight - boxWidth * fitH / fitW) * 0.5);
    outWidth = std::min(boxWidth, static_cast<int>(fitW));
    outHeight = std::min(boxHeight, static_cast<int>(fitH));

    QSize render;
    if (quality == 0) {
        render =
            FitSizeInBox(outWidth, outHeight, static_cast<int>(standardSize), static_cast<int>(standardSize));
    } else if (quality == 1) {
        render = FitSizeInBox(outWidth, outHeight, static_cast<int>(highSize), static_cast<int>(highSize));
    } else {
        if ((boxWidth >= 150 || boxHeight >= 150) && photo.rotation == 0)
            return kUseStoredPhoto;
        const bool larger = picture.width() > boxWidth || picture.height() > boxHeight;
        const QSize limit = larger ? picture.size() : QSize(boxWidth, boxHeight);
        render = FitSizeInBox(outWidth, outHeight, limit.width(), limit.height());
    }
    if (boxWidth < 100 && boxHeight < 100)
        render = FitSizeInBox(outWidth, outHeight, 240, 180);
    if (!MakeRenderTarget(target, render))
        return kRenderFailed;
    QPainter painter(&target);
    locmap::ViewPhotoLink drawer;
    drawer.SetupResources();
    drawer.mapping.X().Set(Span(0, picture.width()), Span(0, render.width()));
    drawer.mapping.Y().Set(Span(0, picture.height()), Span(0, render.height()));
    if (!drawer.Begin(&painter))
        return kRenderFailed;
    drawer.DrawImage(picture);
    drawer.End();
    return kPhotoDrawn;
}
