#include <gtest/gtest.h>

#include <QJsonObject>

#include "ExifTestFiles.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/img/ExifInfo.h"

namespace {

QByteArray Segment(char marker, const QByteArray& payload)
{
    const qsizetype length = payload.size() + 2;
    return QByteArray("\xFF", 1) + marker + char(length >> 8) + char(length & 0xFF) + payload;
}

// The file without its EXIF segment (the first APP1 starting "Exif\0\0"), found independently of the
// code under test; the file itself when it has none.
QByteArray WithoutExif(const QByteArray& jpeg)
{
    qsizetype at = jpeg.indexOf(QByteArrayView("\xFF\xE1", 2));
    while (at >= 0 && jpeg.mid(at + 4, 6) != QByteArray("Exif\0\0", 6))
        at = jpeg.indexOf(QByteArrayView("\xFF\xE1", 2), at + 1);
    if (at < 0)
        return jpeg;
    const qsizetype length = (qsizetype(uchar(jpeg[at + 2])) << 8) | uchar(jpeg[at + 3]);
    return jpeg.left(at) + jpeg.mid(at + 2 + length);
}

}  // namespace

TEST(ExifWrite, EveryByteOutsideTheExifSegmentIsKeptInItsPlace)
{
    TempFolder temp;
    const QString photo = temp.file(QStringLiteral("a.jpg"));
    ASSERT_TRUE(exiftest::MakeJpeg(photo, 160, 120));
    // A comment and a colour-profile-like APP2 segment after the JFIF header, as cameras and editors
    // leave them.
    QByteArray bytes = ReadAll(photo);
    const qsizetype afterJfif = 4 + ((qsizetype(uchar(bytes[4])) << 8) | uchar(bytes[5]));
    ASSERT_EQ(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
    bytes.insert(afterJfif, Segment('\xFE', "site note") + Segment('\xE2', QByteArray(300, '\x11')));
    WriteAll(photo, bytes);
    const QByteArray original = ReadAll(photo);

    struct Step
    {
        double latitude, longitude, direction;
        const char* dateTime;
    };
    // The first write adds an EXIF segment, the next ones replace it: growing (more tags) and shrinking.
    const Step steps[] = {{35.5, 139.25, kUnset, ""},
                          {35.5, 139.25, 45.0, "2024:01:02 03:04:05"},
                          {kUnset, kUnset, kUnset, ""}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.direction);
        ExifInfo info;
        info.m_latitude = step.latitude;
        info.m_longitude = step.longitude;
        info.m_direction = step.direction;
        info.m_dateTime = QString::fromLatin1(step.dateTime);
        ASSERT_TRUE(info.WriteFile(photo));
        const QByteArray written = ReadAll(photo);
        EXPECT_TRUE(WithoutExif(written) == original);
        // The EXIF segment sits after the JFIF header, where readers look for it.
        EXPECT_EQ(written.left(afterJfif), original.left(afterJfif));
        const QJsonObject tags = exiftest::ExiftoolRead(photo);
        EXPECT_EQ(tags.contains(QStringLiteral("GPSLatitude")), step.latitude != kUnset);
        EXPECT_EQ(tags.contains(QStringLiteral("GPSImgDirection")), step.direction != kUnset);
    }
}
