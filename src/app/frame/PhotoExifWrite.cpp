#include "app/frame/PhotoExifWrite.h"

#include "fe/SimpleDate.h"
#include "fe/img/ExifInfo.h"
#include "model/PhotoRecord.h"

namespace app {

QString ExifDateTimeText(const QString& date, const QString& time)
{
    fe::SimpleDate day;
    QString text = day.Parse(date) ? QStringLiteral("%1:%2:%3")
                                         .arg(day.year, 4, 10, QLatin1Char('0'))
                                         .arg(day.month, 2, 10, QLatin1Char('0'))
                                         .arg(day.day, 2, 10, QLatin1Char('0'))
                                   : date;
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    fe::SimpleTime moment;
    if (moment.Parse(time))
        text += QStringLiteral("%1:%2:%3")
                    .arg(moment.hour, 2, 10, QLatin1Char('0'))
                    .arg(moment.minute, 2, 10, QLatin1Char('0'))
                    .arg(moment.second, 2, 10, QLatin1Char('0'));
    return text;
}

std::int16_t ExifOrientationOf(std::int32_t rotation)
{
    switch (rotation) {
        case 90:
            return 8;
        case 180:
            return 3;
        case 270:
            return 6;
        default:
            return -1;
    }
}

ExifInfo ExifOfPhoto(const PhotoRecord& photo)
{
    ExifInfo exif;
    exif.m_longitude = photo.position.longitude;
    exif.m_latitude = photo.position.latitude;
    exif.m_direction = photo.direction;
    exif.m_dateTime = ExifDateTimeText(photo.date, photo.time);
    exif.m_orientation = ExifOrientationOf(photo.rotation);
    return exif;
}

QString ExifBatchMessage(const ExifBatchResult& result)
{
    QString text;
    if (result.cancelled) {
        text = QStringLiteral("書き込みが中断されました。\n完了： %1 件 / 未処理： %2件")
                   .arg(result.written)
                   .arg(result.photos - result.written - result.failed);
    } else {
        text = result.failed == 0 ? QStringLiteral("書き込みが完了しました。")
                                  : QStringLiteral("%1枚の写真のうち %2枚に書き込みました。")
                                        .arg(result.photos)
                                        .arg(result.written);
    }
    if (result.failed > 0)
        text += QStringLiteral("\n書き込めなかった写真： %1 件").arg(result.failed);
    return text;
}

}  // namespace app
