#include "CameraPhotos.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include "fe/img/ExifInfo.h"

bool MakeCameraPhoto(const QString& path, int width, int height, const CameraShot& shot)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 200));
    QPainter(&picture).fillRect(0, 0, width, std::max(1, height / 8), QColor(230, 20, 20));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    if (!writer.write(picture))
        return false;
    if (shot.longitude == kUnset && shot.direction == kUnset && shot.dateTime.isEmpty() &&
        shot.orientation < 0)
        return true;
    ExifInfo exif;
    exif.m_longitude = shot.longitude;
    exif.m_latitude = shot.latitude;
    exif.m_direction = shot.direction;
    exif.m_dateTime = shot.dateTime;
    exif.m_orientation = static_cast<std::int16_t>(shot.orientation);
    return exif.WriteFile(path);
}

bool IsRed(const QColor& color)
{
    return color.red() > 150 && color.green() < 100 && color.blue() < 100;
}
