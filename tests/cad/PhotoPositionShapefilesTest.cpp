// The photo-position shapefile sets as pyshp and GDAL read them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <cmath>
#include <limits>

#include "ExternalReaders.h"
#include "TempFolder.h"
#include "cad/PhotoPositionShapefiles.h"
#include "model/PhotoRecord.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct PhotoCase
{
    double lon, lat, direction;
    const char* date;
    const char* time;
    // What both sets hold: the point's coordinates ("" for a Null record) and the ANGLE.
    bool positioned;
    const char* angle;
    int dirPoints;
};

// Directions 0, 90 and 237, one photo without direction, one without position; then values that
// are not numbers, which count as unset.
const PhotoCase kPhotos[] = {
    {139.7, 35.6, 0.0, "2024/05/09", "10:15:30", true, "0.0", 56},
    {139.71, 35.61, 90.0, "2024/05/10", "11:00:00", true, "90.0", 56},
    {139.72, 35.62, 237.0, "2024/5/9", "12:00:00", true, "237.0", 56},
    {139.73, 35.63, kUnset, "2024/05/11", "13:00:00", true, nullptr, 51},
    {kUnset, kUnset, 45.0, "2024/05/12", "14:00:00", false, "45.0", 0},
    {139.74, 35.64, kNaN, "2024/05/13", "15:00:00", true, nullptr, 51},
    {kInf, 35.65, 10.0, "2024/05/14", "16:00:00", false, "10.0", 0},
};

PhotoList MakePhotos()
{
    PhotoList list;
    for (const PhotoCase& c : kPhotos) {
        PhotoRecord photo(list.nextId++);
        photo.position = fe::geo::GeoPoint(c.lon, c.lat);
        photo.direction = c.direction;
        photo.date = c.date;
        photo.time = c.time;
        list.photos.push_back(photo);
    }
    return list;
}

QJsonObject ReadSet(const QString& path)
{
    return ReadWithScript("shp_summary.py", {path});
}

}  // namespace

TEST(PhotoPositionShapefiles, BothSetsHoldEveryPhoto)
{
    TempFolder folder;
    ASSERT_TRUE(WritePhotoPositionShapefiles(MakePhotos(), folder.path(), QStringLiteral("現場")));

    const QJsonObject points = ReadSet(folder.file("現場_point"));
    const QJsonObject marks = ReadSet(folder.file("現場_dir"));
    EXPECT_EQ(points["shapeType"].toInt(), 1);
    EXPECT_EQ(marks["shapeType"].toInt(), 3);
    const QJsonArray fields = points["fields"].toArray();
    EXPECT_EQ(fields, QJsonArray({QJsonArray({"ID", "N", 5, 0}), QJsonArray({"LONGITUDE", "F", 12, 7}),
                                  QJsonArray({"LATITUDE", "F", 12, 7}), QJsonArray({"ANGLE", "F", 6, 1}),
                                  QJsonArray({"DATE", "D", 8, 0}), QJsonArray({"TIME", "C", 10, 0})}));
    EXPECT_EQ(marks["fields"].toArray(), fields);

    const int n = int(std::size(kPhotos));
    ASSERT_EQ(points["numRecords"].toInt(), n);
    ASSERT_EQ(marks["numRecords"].toInt(), n);
    for (int i = 0; i < n; ++i) {
        const PhotoCase& c = kPhotos[i];
        SCOPED_TRACE(i);
        const QJsonObject point = points["shapes"].toArray()[i].toObject();
        const QJsonObject mark = marks["shapes"].toArray()[i].toObject();
        const QJsonArray record = points["records"].toArray()[i].toArray();
        EXPECT_EQ(marks["records"].toArray()[i].toArray(), record);
        EXPECT_EQ(record[0].toString(), QString::number(i + 1));
        EXPECT_EQ(record[3], c.angle ? QJsonValue(c.angle) : QJsonValue());
        EXPECT_EQ(record[5].toString(), c.time);
        if (!c.positioned) {
            EXPECT_EQ(point["type"].toInt(), 0);
            EXPECT_EQ(mark["type"].toInt(), 0);
            EXPECT_EQ(record[1], QJsonValue());
            EXPECT_EQ(record[2], QJsonValue());
            continue;
        }
        EXPECT_EQ(point["points"].toArray(), QJsonArray({QJsonArray({c.lon, c.lat})}));
        EXPECT_EQ(record[1].toString().toDouble(), c.lon);
        EXPECT_EQ(record[2].toString().toDouble(), c.lat);
        const QJsonArray line = mark["points"].toArray();
        ASSERT_EQ(line.size(), c.dirPoints);
        EXPECT_EQ(mark["parts"].toArray(), QJsonArray({0}));
        // The circle closes on its first point, which follows the arrow's five points.
        EXPECT_EQ(line[c.dirPoints == 56 ? 5 : 0], line.last());
        if (c.dirPoints == 56) {
            // The tip lies 2.7e-5° from the photo along its direction (clockwise from north).
            const double d = c.direction * M_PI / 180;
            const QJsonArray tip = line[1].toArray();
            EXPECT_NEAR(tip[0].toDouble(), c.lon + 2.7e-5 * std::sin(d), 1e-12);
            EXPECT_NEAR(tip[1].toDouble(), c.lat + 2.7e-5 * std::cos(d), 1e-12);
            EXPECT_EQ(line[3].toArray(), tip);
        }
    }
    // The date without its slashes; one written with single-digit month and day still gives a date.
    EXPECT_EQ(points["records"].toArray()[0].toArray()[4].toString(), "2024-05-09");
    EXPECT_EQ(points["records"].toArray()[2].toArray()[4].toString(), "2024-05-09");
}

TEST(PhotoPositionShapefiles, GdalReadsBothSetsAsWgs84)
{
    TempFolder folder;
    ASSERT_TRUE(WritePhotoPositionShapefiles(MakePhotos(), folder.path() + "/", QStringLiteral("site")));
    for (const char* suffix : {"_point", "_dir"}) {
        SCOPED_TRACE(suffix);
        const ToolResult info =
            RunTool("ogrinfo", {"-ro", "-al", folder.file(QStringLiteral("site") + suffix + ".shp")});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains("ID[\"EPSG\",4326]"));
        EXPECT_TRUE(info.out.contains(QStringLiteral("Feature Count: %1").arg(std::size(kPhotos))));
        EXPECT_TRUE(info.out.contains("DATE (Date) = 2024/05/09"));
        EXPECT_TRUE(info.out.contains("LONGITUDE (Real) = (null)"));
    }
    // The time is stored as it stands, padded to the column's width.
    QFile dbf(folder.file("site_point.dbf"));
    ASSERT_TRUE(dbf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dbf.readAll().contains("2024050910:15:30  "));
}

TEST(PhotoPositionShapefiles, NoPhotosWritesNothing)
{
    TempFolder folder;
    EXPECT_TRUE(WritePhotoPositionShapefiles(PhotoList(), folder.path(), QStringLiteral("site")));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A set that cannot be written makes the export fail, whichever it is, but the other set is written all
// the same.
TEST(PhotoPositionShapefiles, OneFailingSetLeavesTheOther)
{
    const struct
    {
        const char* blocked;
        const char* written;
    } cases[] = {{"site_point", "site_dir"}, {"site_dir", "site_point"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blocked);
        TempFolder folder;
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("%1.shp").arg(c.blocked)));
        EXPECT_FALSE(WritePhotoPositionShapefiles(MakePhotos(), folder.path(), QStringLiteral("site")));
        for (const char* ext : {".shp", ".shx", ".dbf", ".prj"})
            EXPECT_TRUE(QFileInfo(folder.file(QString::fromUtf8(c.written) + ext)).isFile()) << ext;
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("%1.dbf").arg(c.blocked))));
    }

    TempFolder folder;
    EXPECT_FALSE(WritePhotoPositionShapefiles(MakePhotos(), folder.file("missing"), QStringLiteral("site")));
}
