#pragma once

#include <QString>
#include <cstdint>

struct PhotoRecord;
class ExifInfo;

namespace app {

// The EXIF date-time of a photo's date and time texts: "YYYY:MM:DD hh:mm:ss" when both read as
// numbers; a date text that does not read is written as it stands, and the time part is left out when
// the time does not read.
QString ExifDateTimeText(const QString& date, const QString& time);
// The EXIF orientation of a rotation (degrees counter-clockwise): 90 → 8, 180 → 3, 270 → 6, else -1.
std::int16_t ExifOrientationOf(std::int32_t rotation);
// The EXIF fields written for a photo: its position, direction, date-time and orientation.
ExifInfo ExifOfPhoto(const PhotoRecord& photo);

// How a batch write of the photos' EXIF went.
struct ExifBatchResult
{
    int photos = 0;
    int written = 0;
    int failed = 0;
    bool cancelled = false;
};

// The message after the batch: "書き込みが完了しました。" when every photo was written; otherwise it
// names the photos that could not be written, and after a cancel how many were done and are left.
QString ExifBatchMessage(const ExifBatchResult& result);

}  // namespace app
