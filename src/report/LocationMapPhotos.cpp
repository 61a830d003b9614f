// Photo pictures on the report sheets: the placers beside and around the map, the pictures of placed
// photos cut to their crop frames, and the comment box below a picture.
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>

#include "fe/PumpMessages.h"
#include "fe/Unset.h"
#include "fe/img/Image.h"
#include "report/LocationMapReport.h"
#include "report/ReportGeometry.h"
#include "report/ReportTexts.h"
#include "report/TextBoxFit.h"
#include "view/ViewPhotoLink.h"

namespace {

// The picture box of every photo beside or around a map.
const QSize kListBox(113, 84);
// Around an A3 map with comments: a slot has six rows of 4.15 mm (24.9 mm) between its number row and the
// next one, so the picture (18.3 mm) and its comment box below (a third of that) are made smaller to fit.
const QSize kAroundWithCommentsBox(113, 69);
// The smallest margins a picture keeps from its cell's edges (mm); its comment box keeps them as well.
constexpr double kPictureMarginX = 0.5;
constexpr double kPictureMarginY = 0.2;
// Comments: 7-point type where it fits, else smaller down to 5 points, then cut.
constexpr double kCommentPoints = 7.0;
constexpr double kSmallestCommentPoints = 5.0;
constexpr double kCommentMargin = 0.3;
// Boxes narrower and lower than this hold small pictures, rendered at most 240 × 180.
constexpr int kSmallBox = 150;

constexpr int kColumnB = 2, kColumnE = 5, kColumnAC = 29, kColumnAF = 32, kColumnAJ = 36;

std::vector<int> EveryThirdColumn(int first, int last)
{
    std::vector<int> columns;
    for (int c = first; c <= last; c += 3)
        columns.push_back(c);
    return columns;
}

}  // namespace

QString BesideMapSlot(const QString& startCell, int rowStep, int k)
{
    const int column = ColumnNumberFromCell(startCell) + 2 * (k / 6);
    return CellReference(column, RowNumberFromCell(startCell) + (k % 6) * rowStep);
}

std::vector<QString> A3PhotoSlots(int arrangement)
{
    std::vector<QString> places;
    if (arrangement == 0) {
        const std::vector<int> across = EveryThirdColumn(kColumnB, kColumnAF);
        for (int c : across)
            places.push_back(CellReference(c, 3));
        for (int row = 10; row <= 52; row += 7) {
            places.push_back(CellReference(kColumnB, row));
            places.push_back(CellReference(kColumnAF, row));
        }
        for (int c : across)
            places.push_back(CellReference(c, 61));
    } else if (arrangement == 1 || arrangement == 2) {
        const std::vector<int> columns = arrangement == 1 ? std::vector<int>{kColumnB, kColumnAF}
                                                          : std::vector<int>{kColumnB, kColumnE, kColumnAC, kColumnAF};
        for (int c : columns)
            for (int row = 3; row <= 57; row += 9)
                places.push_back(CellReference(c, row));
    }
    return places;
}

QString A3OverflowSlot(int arrangement, int k)
{
    const int perColumn = arrangement == 0 ? 9 : 7;
    const int step = arrangement == 0 ? 7 : 9;
    return CellReference(kColumnAJ + 2 * (k / perColumn), 3 + (k % perColumn) * step);
}

void LocationMapReport::PlacePhotosBesideMap(int mapIndex, const QString& startCell, int rowStep)
{
    if (!placePhotosAroundMapEnabled || !project.maps.IsValidIndex(mapIndex) || !project.outputOptions.placePhotos)
        return;
    const bool comments = project.outputOptions.ShouldPlacePhotoComments();
    const PlacedPhotoList& list = project.maps.maps[size_t(mapIndex)].photos;
    int slot = 0;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        const PlacedPhoto& entry = list.entries[i];
        PumpMessages();
        if (Cancelled())
            return;
        // A photo that is gone leaves its slot to the next one.
        if (project.photos.IndexOfId(entry.photoId) < 0)
            continue;
        const QString cell = BesideMapSlot(startCell, rowStep, slot++);
        (void)PutListPhotoPicture(entry, cell, kListBox, comments);
        PutCellText(CellReference(ColumnNumberFromCell(cell), RowNumberFromCell(cell) - 1), list.NumberText(int(i)));
    }
}

void LocationMapReport::PlacePhotosAroundMap(int mapIndex, int arrangement)
{
    if (!placePhotosAroundMapEnabled || !project.maps.IsValidIndex(mapIndex) || !project.outputOptions.placePhotos)
        return;
    const bool comments = project.outputOptions.ShouldPlacePhotoComments();
    const QSize box = comments && arrangement == 0 ? kAroundWithCommentsBox : kListBox;
    const std::vector<QString> places = A3PhotoSlots(arrangement);
    const PlacedPhotoList& list = project.maps.maps[size_t(mapIndex)].photos;
    size_t slot = 0;
    int overflow = 0;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        const PlacedPhoto& entry = list.entries[i];
        PumpMessages();
        if (Cancelled())
            return;
        const bool exists = project.photos.IndexOfId(entry.photoId) >= 0;
        // Around the map a photo that is gone keeps its slot empty; in the overflow it takes none.
        QString cell;
        if (slot < places.size())
            cell = places[slot++];
        else if (exists)
            cell = A3OverflowSlot(arrangement, overflow++);
        if (exists && !cell.isEmpty()) {
            (void)PutListPhotoPicture(entry, cell, box, comments);
            PutCellText(CellReference(ColumnNumberFromCell(cell), RowNumberFromCell(cell) - 1), list.NumberText(int(i)));
        }
        PumpMessages();
        if (Cancelled())
            return;
    }
}

CExcelReportWriter::RenderResult LocationMapReport::RenderPlacedPhoto(QImage& target, const PlacedPhoto& entry,
                                                                     const QSize& box, double& x, double& y,
                                                                     double& width, double& height)
{
    const PhotoRecord* record = project.photos.Find(entry.photoId);
    if (record == nullptr || box.width() <= 0 || box.height() <= 0)
        return kRenderFailed;
    x = y = 0;
    width = box.width();
    height = box.height();
    const int rotation = record->rotation;
    if (rotation != 0 && rotation != 90 && rotation != 180 && rotation != 270)
        return kRenderFailed;
    const int index = project.photos.IndexOfId(entry.photoId);
    const bool quarterTurn = rotation == 90 || rotation == 270;
    // The photo's size is taken from its file's header and the picture is read further down at the size
    // it is drawn at, never whole for a small box. A photo whose size cannot be read that way (a missing
    // one shows the placeholder) is read whole here.
    fe::img::Image loaded;
    QSize stored = QImageReader(project.PhotoFolder() + PhotoFileName(entry.photoId)).size();
    if (!stored.isValid() || stored.isEmpty()) {
        if (!project.LoadPhotoImage(loaded, index))
            return kRenderFailed;
        stored = QSize(loaded.Width(), loaded.Height());
        PumpMessages();
    }
    const QSize whole = quarterTurn ? stored.transposed() : stored;
    if (whole.isEmpty())
        return kRenderFailed;

    // An unset crop frame, or one without width or height, stands for the whole turned photo.
    const Rect2& f = entry.frame;
    QRectF crop(QPointF(std::min(f.x0, f.x1), std::min(f.y0, f.y1)),
                QPointF(std::max(f.x0, f.x1), std::max(f.y0, f.y1)));
    const bool unset = IsUnset(f.x0) || IsUnset(f.x1) || IsUnset(f.y0) || IsUnset(f.y1);
    if (unset || !std::isfinite(crop.width()) || !std::isfinite(crop.height()) || crop.width() < 1 ||
        crop.height() < 1)
        crop = QRectF(QPointF(0, 0), QSizeF(whole));
    const bool wholePhoto = crop == QRectF(QPointF(0, 0), QSizeF(whole));
    const double cw = crop.width(), ch = crop.height();
    const double bw = box.width(), bh = box.height();

    double fitW = 0, fitH = 0;
    if (bw / bh >= cw / ch) {
        fitW = std::trunc(bh * cw / ch);
        fitH = bh;
    } else {
        fitW = bw;
        fitH = std::trunc(bw * ch / cw);
    }
    if (fitW < 1 || fitH < 1)
        return kRenderFailed;
    if (bw / bh >= fitW / fitH)
        x = std::fabs(bw - bh * fitW / fitH) * 0.5;
    else if (fitW != fitH)
        y = std::fabs(bh - bw * fitH / fitW) * 0.5;
    width = std::min(bw, fitW);
    height = std::min(bh, fitH);

    const int outW = int(width), outH = int(height);
    QSize render;
    const int quality = project.outputOptions.photoQuality;
    if (quality == 1) {
        render = FitSizeInBox(outW, outH, 1200, 900);
    } else if (quality == 2) {
        if ((box.width() >= kSmallBox || box.height() >= kSmallBox) && rotation == 0 && wholePhoto) {
            // The stored file goes into the workbook as it is: it is read first, small, to know it reads.
            if (loaded.IsNull() && !project.LoadPhotoImage(loaded, index, QSize(64, 64)))
                return kRenderFailed;
            return kUseStoredPhoto;
        }
        const bool larger = cw > bw || ch > bh;
        render = larger ? FitSizeInBox(outW, outH, int(cw), int(ch)) : FitSizeInBox(outW, outH, box.width(), box.height());
    } else {
        render = FitSizeInBox(outW, outH, 640, 480);
    }
    if (box.width() < kSmallBox && box.height() < kSmallBox)
        render = FitSizeInBox(outW, outH, 240, 180);
    // The crop frame onto the whole picture at one scale; the picture is read no larger than that scale
    // needs.
    const double s = std::min(render.width() / cw, render.height() / ch);
    if (loaded.IsNull()) {
        const double readScale = std::min(1.0, s);
        const QSize read(std::max(1, int(std::ceil(whole.width() * readScale))),
                         std::max(1, int(std::ceil(whole.height() * readScale))));
        if (!project.LoadPhotoImage(loaded, index, quarterTurn ? read.transposed() : read))
            return kRenderFailed;
    }
    const QImage photo =
        rotation == 0 ? loaded.Picture() : locmap::ViewPhotoLink::TurnedPhoto(loaded.Picture(), rotation);
    loaded.Release();
    PumpMessages();
    if (photo.isNull() || !MakeRenderTarget(target, render))
        return kRenderFailed;
    const double fx = double(photo.width()) / whole.width(), fy = double(photo.height()) / whole.height();
    const QRectF source(crop.x() * fx, crop.y() * fy, crop.width() * fx, crop.height() * fy);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0, 0, cw * s, ch * s), photo, source);
    return kPhotoDrawn;
}

bool LocationMapReport::PlacePicture(const QString& file, const QString& cell, double x, double y, double width,
                                     double height)
{
    return Report() && Report()->Cell(cell).drawing.DrawingAddImageW(file, x, y, 0, 0, width, height) != 0;
}

bool LocationMapReport::PutPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box, PictureUse use,
                                   double insetX, double insetY)
{
    double x = 0, y = 0, w = 0, h = 0;
    QString file;
    {
        const PhotoPictureClock clock(*this);
        QImage image;
        const RenderResult result = RenderPlacedPhoto(image, entry, box, x, y, w, h);
        if (result == kRenderFailed)
            return false;
        const QString stored = project.PhotoFolder() + PhotoFileName(entry.photoId);
        if (result == kUseStoredPhoto && use != PictureUse::RenderedOnly && QFileInfo(stored).isFile())
            file = stored;
        else if (image.isNull() || !Cache().SaveImage(image, 0, file))
            return false;
    }
    double xMm = PixelsToMm(x + (use == PictureUse::Inset ? insetX : 0));
    double yMm = PixelsToMm(y + (use == PictureUse::Inset ? insetY : 0));
    if (use != PictureUse::Inset) {
        // Small margins keep the picture off the cell's lines.
        if (xMm < kPictureMarginX)
            xMm += kPictureMarginX;
        if (yMm < kPictureMarginY)
            yMm += kPictureMarginY;
    }
    return PlacePicture(file, cell, xMm, yMm, PixelsToMm(w), PixelsToMm(h));
}

bool LocationMapReport::PutPhotoPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box)
{
    return PutPicture(entry, cell, box, PictureUse::StoredOrRendered, 0, 0);
}

bool LocationMapReport::PutPhotoPictureInset(const PlacedPhoto& entry, const QString& cell, const QSize& box,
                                             double insetX, double insetY)
{
    return PutPicture(entry, cell, box, PictureUse::Inset, insetX, insetY);
}

bool LocationMapReport::PutListPhotoPicture(const PlacedPhoto& entry, const QString& cell, const QSize& box,
                                            bool comment)
{
    if (!PutPicture(entry, cell, box, PictureUse::RenderedOnly, 0, 0))
        return false;
    if (comment && !entry.comment.isEmpty() && Report()) {
        // A white box as wide as the picture box and a third of its height, below the picture and its
        // margin; the comment is broken into lines and sized to stay inside it.
        const double w = box.width() * kReportMmPerPixel, h = box.height() * kReportMmPerPixel;
        const FittedText fitted = FitTextInBox(entry.comment, QSizeF(w, h / 3), kCommentMargin,
                                               kCommentPoints, kSmallestCommentPoints);
        CXlsxDrawingT& drawing = Report()->Cell(cell).drawing;
        drawing.FillColor = 0xFFFFFFu;
        drawing.FontPoint = fitted.points;
        drawing.TextMargin = kCommentMargin;
        if (!drawing.DrawingAddTextBoxW(fitted.text, kPictureMarginX, h + kPictureMarginY, 0, 0, w, h / 3))
            return false;
    }
    return true;
}
