// Thumbnails of imported photos: one reduced decode per photo, three fitted and turned pictures.
#include <QBuffer>
#include <QImageWriter>

#include "fe/AtomicSave.h"
#include "fe/img/ExifSupport.h"
#include "fe/img/JpegDecode.h"
#include "fe/img/Rotate.h"
#include "model/PhotoImport.h"
#include "model/PhotoRecord.h"
#include "model/Project.h"

QSize ThumbnailSize(QSize picture, int boxWidth, int boxHeight)
{
    if (picture.isEmpty() || boxWidth <= 0 || boxHeight <= 0)
        return QSize();
    const float scale = std::min(static_cast<float>(boxHeight) / static_cast<float>(picture.height()),
                                 static_cast<float>(boxWidth) / static_cast<float>(picture.width()));
    return QSize(static_cast<int>(static_cast<float>(picture.width()) * scale),
                 static_cast<int>(static_cast<float>(picture.height()) * scale));
}

bool DecodeForThumbnails(const QByteArray& jpeg, QImage& reduced, QSize& originalSize)
{
    reduced = QImage();
    originalSize = QSize();
    QSize size;
    if (!fe::img::IsWholeJpeg(jpeg) || !fe::img::ReadJpegSize(jpeg, size))
        return false;
    const QSize largest = ThumbnailSize(size, kThumbnailBoxes[2][0], kThumbnailBoxes[2][1]);
    if (largest.isEmpty() || !fe::img::DecodeJpeg(jpeg, largest, reduced, fe::img::JpegDamage::kRefuse))
        return false;
    originalSize = size;
    return true;
}

QByteArray ThumbnailJpeg(const QImage& picture, QSize originalSize, int rotation, int boxWidth, int boxHeight)
{
    const QSize size = ThumbnailSize(originalSize, boxWidth, boxHeight);
    if (size.isEmpty() || picture.isNull())
        return {};
    QImage thumbnail = picture.size() == size
                           ? picture
                           : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The box is fitted before turning, so a photo turned by a quarter gets an upright thumbnail.
    if (rotation == 90 || rotation == 180 || rotation == 270) {
        QImage turned;
        PlgImage(turned, thumbnail, rotation);
        thumbnail = turned;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    if (!writer.write(thumbnail.convertToFormat(QImage::Format_RGB32)))
        return {};
    return jpeg;
}

bool PhotoRecord::MakeThumbnail(const QString& path, const QImage& picture, QSize originalSize, int boxWidth,
                                int boxHeight) const
{
    const QByteArray jpeg = ThumbnailJpeg(picture, originalSize, rotation, boxWidth, boxHeight);
    return !jpeg.isEmpty() && fe::SaveBytesAtomically(path, jpeg);
}

bool Project::RemakeThumbnails(int photoIndex)
{
    if (photoIndex < 0 || static_cast<size_t>(photoIndex) >= photos.photos.size())
        return false;
    const PhotoRecord& photo = photos.photos[static_cast<size_t>(photoIndex)];
    QByteArray bytes;
    QImage reduced;
    QSize originalSize;
    const ProjectFolders folders = Folders();
    if (!fe::img::ReadPhotoBytes(folders.photo + photo.FileName(), bytes) ||
        !DecodeForThumbnails(bytes, reduced, originalSize))
        return false;
    const std::array<QString, 3> thumbFolders = folders.Thumbs();
    bool all = true;
    for (int k = 0; k < 3; ++k) {
        if (!photo.MakeThumbnail(thumbFolders[k] + photo.FileName(), reduced, originalSize,
                                 kThumbnailBoxes[k][0], kThumbnailBoxes[k][1]))
            all = false;
    }
    return all;
}
