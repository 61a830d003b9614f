#include "fe/img/PictureRead.h"

#include <QFile>
#include <QImageReader>

#include "fe/img/ExifSupport.h"
#include "fe/img/JpegDecode.h"

namespace fe::img {

namespace {

bool StartsAsJpeg(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(3) == QByteArrayLiteral("\xFF\xD8\xFF");
}

bool ReadJpegFile(const QString& path, QSize box, QImage& picture)
{
    QByteArray bytes;
    QSize size;
    return ReadPhotoBytes(path, bytes) && ReadJpegSize(bytes, size) &&
           DecodeJpeg(bytes, SizeShownIn(size, box), picture, JpegDamage::kShowWhatIsThere);
}

bool ReadOtherFile(const QString& path, QSize box, QImage& picture)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!IsReadablePictureSize(size))
        return false;
    const QSize shown = SizeShownIn(size, box);
    if (shown != size)
        reader.setScaledSize(shown);
    QImage image;
    if (!reader.read(&image))
        return false;
    picture = image.convertToFormat(QImage::Format_RGB32);
    return !picture.isNull();
}

}  // namespace

bool ReadPictureFile(const QString& path, QSize box, QImage& picture)
{
    picture = QImage();
    return StartsAsJpeg(path) ? ReadJpegFile(path, box, picture) : ReadOtherFile(path, box, picture);
}

}  // namespace fe::img
