// Loading the stored photos and map pictures, with a placeholder for a file that has gone missing.
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "fe/PathUtil.h"
#include "fe/gdi/Checkered.h"
#include "fe/gdi/LogFont.h"
#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"
#include "fe/img/Image.h"
#include "fe/img/PictureRead.h"
#include "model/Project.h"

namespace {

constexpr int kPlaceholderWidth = 6000;
constexpr int kPlaceholderHeight = 4000;
constexpr int kCheckerCell = 200;
// Loads the picture file as it is stored (no turning by its EXIF orientation: the program turns photos by
// their own rotation), decoded at the size it is shown at.
bool LoadPictureFile(fe::img::Image& picture, const QString& path, QSize box)
{
    QImage image;
    if (!fe::img::ReadPictureFile(path, box, image))
        return false;
    picture.Picture() = std::move(image);
    return true;
}

// A missing file is replaced by the placeholder; any other file is loaded. Without a project folder there
// is nothing to load (a bare file name would be looked for in the working folder).
bool LoadOrPlaceholder(fe::img::Image& picture, const QString& folder, const QString& fileName, QSize box)
{
    picture.Release();
    if (folder.isEmpty()) {
        return false;
    }
    const QString path = fe::StoredFilePath(folder, fileName);
    if (path.isEmpty()) {
        return false;
    }
    if (!QFileInfo::exists(path)) {
        return MakeMissingPicturePlaceholder(picture, fileName);
    }
    return LoadPictureFile(picture, path, box);
}

}  // namespace

bool MakeMissingPicturePlaceholder(fe::img::Image& picture, const QString& fileName)
{
    if (!picture.Create(kPlaceholderWidth, kPlaceholderHeight)) {
        return false;
    }
    QPainter* painter = picture.GetDC();
    if (painter == nullptr) {
        return false;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(100, 100, 100));
    fe::gdi::DrawRectangle(*painter, 0, 0, kPlaceholderWidth, kPlaceholderHeight);
    painter->setBrush(QColor(120, 120, 120));
    fe::gdi::FillCheckerCells(*painter, kPlaceholderWidth / kCheckerCell, kPlaceholderHeight / kCheckerCell,
                              kCheckerCell);

    fe::gdi::LogFont logFont;
    logFont.height = 240;
    logFont.weight = 700;
    logFont.charSet = fe::gdi::kShiftJisCharSet;
    logFont.faceName = QStringLiteral("メイリオ");
    painter->setFont(fe::gdi::ToQFont(logFont));
    const QString text = fileName + QStringLiteral("が読み込めません");
    fe::gdi::DrawOutlinedText(*painter, kPlaceholderWidth / 2, kPlaceholderHeight / 2, text,
                              fe::gdi::TA_CENTER | fe::gdi::TA_TOP);

    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    fe::gdi::DrawRectangle(*painter, 0, 0, kPlaceholderWidth, kPlaceholderHeight);
    painter->restore();
    picture.ReleaseDC();
    return true;
}

bool Project::LoadPhotoImage(fe::img::Image& picture, int photoIndex, QSize box) const
{
    if (photoIndex < 0 || photoIndex >= static_cast<int>(photos.photos.size())) {
        return false;
    }
    return LoadOrPlaceholder(picture, PhotoFolder(),
                             photos.photos[static_cast<size_t>(photoIndex)].FileName(), box);
}

bool Project::LoadPhotoThumbnail(fe::img::Image& picture, int photoIndex) const
{
    picture.Release();
    const QString folder = ThumbFolderS();
    if (photoIndex < 0 || photoIndex >= static_cast<int>(photos.photos.size()) || folder.isEmpty()) {
        return false;
    }
    const QString path = fe::StoredFilePath(folder, photos.photos[static_cast<size_t>(photoIndex)].FileName());
    return !path.isEmpty() && LoadPictureFile(picture, path, QSize());
}

bool Project::LoadMapImage(fe::img::Image& picture, int mapIndex, QSize box) const
{
    if (!maps.IsValidIndex(mapIndex)) {
        return false;
    }
    const LocationMap& map = maps.maps[static_cast<size_t>(mapIndex)];
    if (!map.IsPictureMap()) {
        picture.Release();
        return false;
    }
    return LoadOrPlaceholder(picture, MapFolder(), map.ImageFileName(), box);
}
