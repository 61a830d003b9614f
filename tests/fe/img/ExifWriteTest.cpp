#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>

#include "ExifTestFiles.h"
#include "TempFolder.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"

namespace {

// The bytes from the first scan's data to the end: the coded picture itself.
QByteArray ScanData(const QString& path)
{
    const QByteArray bytes = exiftest::ReadBytes(path);
    const qsizetype scan = fe::img::JpegScanDataOffset(bytes);
    return scan < 0 ? QByteArray() : bytes.mid(scan);
}

// A camera-style photo with tags of its own beside the ones the program writes.
QString MakeCameraPhoto(const TempFolder& temp, const QString& name)
{
    const QString photo = temp.file(name);
    EXPECT_TRUE(exiftest::MakeJpeg(photo, 320, 240));
    EXPECT_TRUE(exiftest::PutTags(photo, {{"Exif.Image.Make", "Ascii", "Site Camera"},
                                          {"Exif.Photo.ExposureTime", "Rational", "1/250"},
                                          {"Exif.GPSInfo.GPSAltitude", "Rational", "1234/10"},
                                          {"Exif.Image.Orientation", "Short", "1"},
                                          {"Exif.Photo.DateTimeOriginal", "Ascii", "2020:01:02 03:04:05"}}));
    return photo;
}

}  // namespace

TEST(ExifWrite, ReadsBackWithExiftoolAndKeepsThePictureAndOtherTags)
{
    const struct
    {
        double latitude, longitude, direction;
        const char *latRef, *lonRef;
        double direction10;  // the direction as stored, in hundredths
    } cases[] = {
        {35.681236, 139.767125, 123.456, "N", "E", 12345},
        {-35.5, -58.25, 7.0, "S", "W", 700},   // southern and western positions keep their sign
        {-0.25, 0.5, -10.0, "S", "E", 35000},  // a negative direction is written as the same bearing
        {12.0, -179.99, 359.999, "N", "W", 35999},
    };
    TempFolder temp;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latitude << " " << c.longitude << " " << c.direction);
        const QString photo = MakeCameraPhoto(temp, QStringLiteral("現場写真.jpg"));
        const QByteArray pictureBefore = ScanData(photo);
        ASSERT_FALSE(pictureBefore.isEmpty());

        ExifInfo info;
        info.m_latitude = c.latitude;
        info.m_longitude = c.longitude;
        info.m_direction = c.direction;
        info.m_dateTime = QStringLiteral("2024:11:30 14:15:16");
        info.m_orientation = 8;
        ASSERT_TRUE(info.WriteFile(photo));

        EXPECT_EQ(ScanData(photo), pictureBefore);  // tags written in place, picture not encoded again
        const QJsonObject tags = exiftest::ExiftoolRead(photo);
        EXPECT_EQ(tags[QStringLiteral("GPSLatitudeRef")].toString(), QString::fromLatin1(c.latRef));
        EXPECT_EQ(tags[QStringLiteral("GPSLongitudeRef")].toString(), QString::fromLatin1(c.lonRef));
        EXPECT_NEAR(tags[QStringLiteral("GPSLatitude")].toDouble(), std::fabs(c.latitude), 1e-6);
        EXPECT_NEAR(tags[QStringLiteral("GPSLongitude")].toDouble(), std::fabs(c.longitude), 1e-6);
        EXPECT_EQ(tags[QStringLiteral("GPSImgDirectionRef")].toString(), QStringLiteral("T"));
        EXPECT_DOUBLE_EQ(tags[QStringLiteral("GPSImgDirection")].toDouble(), c.direction10 / 100.0);
        EXPECT_EQ(tags[QStringLiteral("DateTimeOriginal")].toString(), QStringLiteral("2024:11:30 14:15:16"));
        EXPECT_EQ(tags[QStringLiteral("Orientation")].toInt(), 8);
        EXPECT_EQ(tags[QStringLiteral("Make")].toString(), QStringLiteral("Site Camera"));
        EXPECT_DOUBLE_EQ(tags[QStringLiteral("ExposureTime")].toDouble(), 0.004);
        EXPECT_DOUBLE_EQ(tags[QStringLiteral("GPSAltitude")].toDouble(), 123.4);

        ExifInfo back;
        EXPECT_EQ(back.ReadFile(photo), 0x1F);
        EXPECT_NEAR(back.m_latitude, c.latitude, 1e-6);
        EXPECT_NEAR(back.m_longitude, c.longitude, 1e-6);
        EXPECT_EQ(QImage(photo).size(), QSize(320, 240));
        QFile::remove(photo);
    }
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
              0);  // no copies left
}

TEST(ExifWrite, StoresWholeMinutesAndThousandthsOfSeconds)
{
    TempFolder temp;
    const QString photo = MakeCameraPhoto(temp, QStringLiteral("a.jpg"));
    ExifInfo info;
    info.m_latitude = 35.75;
    info.m_longitude = 139.7671252;
    info.m_direction = 123.456;
    ASSERT_TRUE(info.WriteFile(photo));
    EXPECT_EQ(exiftest::TagText(photo, "Exif.GPSInfo.GPSLatitude"), QStringLiteral("35/1 45/1 0/1000"));
    EXPECT_EQ(exiftest::TagText(photo, "Exif.GPSInfo.GPSLongitude"), QStringLiteral("139/1 46/1 1650/1000"));
    EXPECT_EQ(exiftest::TagText(photo, "Exif.GPSInfo.GPSImgDirection"), QStringLiteral("12345/100"));
    // An empty date-time and a negative orientation keep what the file has.
    EXPECT_EQ(exiftest::TagText(photo, "Exif.Photo.DateTimeOriginal"), QStringLiteral("2020:01:02 03:04:05"));
    EXPECT_EQ(exiftest::TagText(photo, "Exif.Image.Orientation"), QStringLiteral("1"));
}

TEST(ExifWrite, UnsetPositionAndDirectionRemoveTheirTags)
{
    TempFolder temp;
    const QString photo = MakeCameraPhoto(temp, QStringLiteral("a.jpg"));
    ExifInfo info;
    info.m_latitude = 35.0;
    info.m_longitude = 139.0;
    info.m_direction = 90.0;
    ASSERT_TRUE(info.WriteFile(photo));

    ExifInfo cleared;
    cleared.m_latitude = 35.0;  // a position needs both coordinates
    ASSERT_TRUE(cleared.WriteFile(photo));
    for (const char* key :
         {"Exif.GPSInfo.GPSLatitudeRef", "Exif.GPSInfo.GPSLatitude", "Exif.GPSInfo.GPSLongitudeRef",
          "Exif.GPSInfo.GPSLongitude", "Exif.GPSInfo.GPSImgDirectionRef", "Exif.GPSInfo.GPSImgDirection"})
        EXPECT_EQ(exiftest::TagText(photo, key), QStringLiteral("<none>")) << key;
    EXPECT_EQ(exiftest::TagText(photo, "Exif.GPSInfo.GPSAltitude"), QStringLiteral("1234/10"));

    // A photo without any EXIF gets its first tags.
    const QString plain = temp.file(QStringLiteral("plain.jpg"));
    ASSERT_TRUE(exiftest::MakeJpeg(plain));
    ASSERT_TRUE(info.WriteFile(plain));
    ExifInfo back;
    EXPECT_EQ(back.ReadFile(plain), 2 | 4 | 8);
}

TEST(ExifWrite, RefusesBrokenFilesAndLeavesThemUntouched)
{
    TempFolder temp;
    const QString whole = MakeCameraPhoto(temp, QStringLiteral("whole.jpg"));
    const QByteArray bytes = exiftest::ReadBytes(whole);

    const auto writeFile = [&](const QString& name, const QByteArray& content) {
        const QString path = temp.file(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    };
    QByteArray png;
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(temp.file(QStringLiteral("p.png")), "PNG"));
        png = exiftest::ReadBytes(temp.file(QStringLiteral("p.png")));
    }
    const QString paths[] = {
        writeFile(QStringLiteral("truncated.jpg"), bytes.left(bytes.size() * 2 / 3)),
        writeFile(QStringLiteral("headeronly.jpg"), bytes.left(200)),
        writeFile(QStringLiteral("png.jpg"), png),
        writeFile(QStringLiteral("text.jpg"), QByteArray("plain text, not a photo")),
        writeFile(QStringLiteral("empty.jpg"), QByteArray()),
    };
    ExifInfo info;
    info.m_latitude = 35.0;
    info.m_longitude = 139.0;
    for (const QString& path : paths) {
        const QByteArray before = exiftest::ReadBytes(path);
        EXPECT_FALSE(info.WriteFile(path)) << path.toStdString();
        EXPECT_EQ(exiftest::ReadBytes(path), before) << path.toStdString();
    }
    EXPECT_FALSE(info.WriteFile(temp.file(QStringLiteral("missing.jpg"))));
    EXPECT_FALSE(QFile::exists(temp.file(QStringLiteral("missing.jpg"))));

    // Values that cannot be a position are refused rather than stored wrapped.
    for (const auto& [latitude, longitude] :
         {std::pair{91.0, 0.0}, std::pair{0.0, -180.5}, std::pair{double(NAN), 1.0}}) {
        ExifInfo bad;
        bad.m_latitude = latitude;
        bad.m_longitude = longitude;
        EXPECT_FALSE(bad.WriteFile(whole));
    }
    EXPECT_EQ(exiftest::ReadBytes(whole), bytes);
}
