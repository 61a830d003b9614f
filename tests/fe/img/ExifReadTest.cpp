#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "ExifTestFiles.h"
#include "TempFolder.h"
#include "fe/img/ExifInfo.h"

using exiftest::PutTags;
using exiftest::RawTag;

namespace {

constexpr const char* kLat = "Exif.GPSInfo.GPSLatitude";
constexpr const char* kLatRef = "Exif.GPSInfo.GPSLatitudeRef";
constexpr const char* kLon = "Exif.GPSInfo.GPSLongitude";
constexpr const char* kLonRef = "Exif.GPSInfo.GPSLongitudeRef";
constexpr const char* kDir = "Exif.GPSInfo.GPSImgDirection";
constexpr const char* kDirRef = "Exif.GPSInfo.GPSImgDirectionRef";

void ExpectAllUnset(const ExifInfo& info)
{
    EXPECT_EQ(info.m_latitude, kUnset);
    EXPECT_EQ(info.m_longitude, kUnset);
    EXPECT_EQ(info.m_direction, kUnset);
    EXPECT_TRUE(info.m_dateTime.isEmpty());
    EXPECT_EQ(info.m_orientation, -1);
}

}  // namespace

TEST(ExifRead, CameraStyleFile)
{
    TempFolder temp;
    const QString photo = temp.file(QStringLiteral("写真 1.jpg"));
    ASSERT_TRUE(exiftest::MakeJpeg(photo));
    ASSERT_TRUE(PutTags(photo, {{"Exif.Image.Orientation", "Short", "6"},
                                {"Exif.Photo.DateTimeOriginal", "Ascii", "2024:05:06 07:08:09"},
                                {kLatRef, "Ascii", "N"},
                                {kLat, "Rational", "35/1 3012/100 123456/10000"},
                                {kLonRef, "Ascii", "E"},
                                {kLon, "Rational", "139/1 45/1 3/1"},
                                {kDirRef, "Ascii", "T"},
                                {kDir, "Rational", "24691/200"}}));
    ExifInfo info;
    EXPECT_EQ(info.ReadFile(photo), 0x1F);
    EXPECT_EQ(info.m_orientation, 6);
    EXPECT_EQ(info.m_dateTime, QStringLiteral("2024:05:06 07:08:09"));
    EXPECT_DOUBLE_EQ(info.m_latitude, 35.0 + 30.12 / 60.0 + 12.3456 / 3600.0);
    EXPECT_DOUBLE_EQ(info.m_longitude, 139.0 + 45.0 / 60.0 + 3.0 / 3600.0);
    EXPECT_DOUBLE_EQ(info.m_direction, 123.455);
}

TEST(ExifRead, PositionAndDirectionCases)
{
    const struct
    {
        const char* name;
        std::initializer_list<RawTag> tags;
        int flags;
        double latitude, longitude, direction;
    } cases[] = {
        {"south and west",
         {{kLatRef, "Ascii", "S"},
          {kLat, "Rational", "35/1 30/1 0/1"},
          {kLonRef, "Ascii", "W"},
          {kLon, "Rational", "58/1 15/1 0/1"}},
         6,
         -35.5,
         -58.25,
         kUnset},
        {"latitude without its reference",
         {{kLat, "Rational", "35/1 30/1 0/1"}, {kLonRef, "Ascii", "E"}, {kLon, "Rational", "139/1 0/1 0/1"}},
         0,
         kUnset,
         kUnset,
         kUnset},
        {"latitude of two elements",
         {{kLatRef, "Ascii", "N"}, {kLat, "Rational", "35/1 30/1"}},
         0,
         kUnset,
         kUnset,
         kUnset},
        {"latitude but no longitude",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 30/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "Rational", "90/1"}},
         2,
         35.5,
         kUnset,
         kUnset},
        {"zero denominator counts as 0",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 30/0 36/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "SRational", "139/1 30/1 0/0"}},
         6,
         35.01,
         139.5,
         kUnset},
        {"magnetic direction at the reference point",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "37/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "138/1 0/1 0/1"},
          {kDirRef, "Ascii", "M"},
          {kDir, "Rational", "10/1"}},
         14,
         37.0,
         138.0,
         17.620016666666666},
        {"magnetic direction wraps past north",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "37/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "138/1 0/1 0/1"},
          {kDirRef, "Ascii", "M"},
          {kDir, "Rational", "355/1"}},
         14,
         37.0,
         138.0,
         362.620016666666666 - 360.0},
        {"direction of two elements: the last wins",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "SRational", "10/1 -20/1"}},
         14,
         35.0,
         139.0,
         340.0},  // -20 is the same direction within [0, 360)
        {"direction that is not a rational",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "Short", "90"}},
         6,
         35.0,
         139.0,
         kUnset},
        {"latitude 95 is no position",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "95/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"}},
         0,
         kUnset,
         kUnset,
         kUnset},
        {"latitude 2e9 is no position",
         {{kLatRef, "Ascii", "S"},
          {kLat, "Rational", "2000000000/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"}},
         0,
         kUnset,
         kUnset,
         kUnset},
        {"longitude 500 is no position",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "W"},
          {kLon, "Rational", "500/1 0/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "Rational", "90/1"}},
         2,
         35.0,
         kUnset,
         kUnset},
        {"the edges of the globe are positions",
         {{kLatRef, "Ascii", "S"},
          {kLat, "Rational", "90/1 0/1 0/1"},
          {kLonRef, "Ascii", "W"},
          {kLon, "Rational", "180/1 0/1 0/1"}},
         6,
         -90.0,
         -180.0,
         kUnset},
        {"direction 7200 is north",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "Rational", "7200/1"}},
         14,
         35.0,
         139.0,
         0.0},
        {"direction -90 is west",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"},
          {kDirRef, "Ascii", "T"},
          {kDir, "SRational", "-90/1"}},
         14,
         35.0,
         139.0,
         270.0},
        {"direction without its reference",
         {{kLatRef, "Ascii", "N"},
          {kLat, "Rational", "35/1 0/1 0/1"},
          {kLonRef, "Ascii", "E"},
          {kLon, "Rational", "139/1 0/1 0/1"},
          {kDir, "Rational", "90/1"}},
         6,
         35.0,
         139.0,
         kUnset},
    };
    TempFolder temp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString photo = temp.file(QStringLiteral("p.jpg"));
        QFile::remove(photo);
        ASSERT_TRUE(exiftest::MakeJpeg(photo));
        ASSERT_TRUE(PutTags(photo, c.tags));
        ExifInfo info;
        EXPECT_EQ(info.ReadFile(photo), c.flags);
        EXPECT_DOUBLE_EQ(info.m_latitude, c.latitude);
        EXPECT_DOUBLE_EQ(info.m_longitude, c.longitude);
        EXPECT_DOUBLE_EQ(info.m_direction, c.direction);
    }
}

TEST(ExifRead, FilesWithoutTagsOrNotJpegReadNothing)
{
    TempFolder temp;
    const QString plain = temp.file(QStringLiteral("plain.jpg"));
    ASSERT_TRUE(exiftest::MakeJpeg(plain));
    const QString png = temp.file(QStringLiteral("picture.jpg"));  // a PNG under a JPEG name
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(png, "PNG"));
    const QString text = temp.file(QStringLiteral("note.jpg"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a photograph");
    file.close();
    const QString truncated = temp.file(QStringLiteral("cut.jpg"));
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(exiftest::ReadBytes(plain).left(10));
    cut.close();

    for (const QString& path :
         {plain, png, text, truncated, temp.file(QStringLiteral("missing.jpg")), temp.path()}) {
        SCOPED_TRACE(path.toStdString());
        ExifInfo info;
        info.m_latitude = 1.0;  // reading starts from unset fields
        info.m_orientation = 3;
        EXPECT_EQ(info.ReadFile(path), 0);
        ExpectAllUnset(info);
    }
}
