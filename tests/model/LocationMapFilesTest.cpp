// Stored picture names, .mhc registration files and making maps from pictures and web boxes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <numbers>

#include "ModelFixtures.h"
#include "TempFolder.h"
#include "fe/PathUtil.h"
#include "model/LocationMap.h"

TEST(LocationMapNames, StoredPictureNameByKindAndFormat)
{
    struct Case
    {
        int kind;
        int format;
        const char* name;
    };
    const Case cases[] = {
        {0, 0, "m000007.jpg"}, {1, 1, "m000007.png"}, {0, 2, "m000007.gif"},
        {0, 3, "m000007.tif"}, {1, 4, "m000007.bmp"}, {0, 5, "m000007.error"},
        {2, 1, "---"},         {4, 0, "---"},         {7, 0, "?"},
    };
    for (const Case& c : cases) {
        LocationMap map(7, 1);
        map.kind = c.kind;
        map.pictureFormat = c.format;
        EXPECT_EQ(map.ImageFileName(), QString::fromLatin1(c.name)) << c.kind << "/" << c.format;
    }
}

TEST(LocationMapRegistration, WrittenWithCrLfSixDecimalsAndTheZoneLastWhateverTheLocale)
{
    TempFolder temp;
    LocationMap map(1, 1);
    map.reference.picture1 = {12.5, -3.25};
    map.reference.picture2 = {4000, 3000};
    map.reference.plane1 = {-12345.678901, 98765.4321};
    map.reference.plane2 = {1e-7, 2};
    map.zone = 9;
    {
        DecimalCommaLocale locale;
        ASSERT_TRUE(locale.Active()) << "the de_DE.UTF-8 locale is needed (tools/install-deps.sh test)";
        ASSERT_TRUE(map.WriteRegistration(temp.file("a.mhc")));
    }
    EXPECT_EQ(ReadBytes(temp.file("a.mhc")),
              QByteArray("2\r\n12.500000\r\n-3.250000\r\n4000.000000\r\n3000.000000\r\n"
                         "-12345.678901\r\n98765.432100\r\n0.000000\r\n2.000000\r\n9"));

    LocationMap back(2, 2);
    {
        DecimalCommaLocale locale;
        ASSERT_TRUE(back.ReadRegistration(temp.file("a.mhc")));
    }
    EXPECT_EQ(back.reference.picture1, map.reference.picture1);
    EXPECT_EQ(back.reference.plane1, map.reference.plane1);
    EXPECT_EQ(back.reference.plane2, Point2(0.0, 2.0));
    EXPECT_EQ(back.zone, 9);
}

TEST(LocationMapRegistration, VersionOneHasNoZoneAndLfLinesAreRead)
{
    TempFolder temp;
    ASSERT_TRUE(WriteBytes(temp.file("v1.mhc"), "1\n0\n0\n200\n100\n0\n100\n200\n0\n"));
    LocationMap map(1, 1);
    map.zone = 6;
    ASSERT_TRUE(map.ReadRegistration(temp.file("v1.mhc")));
    EXPECT_EQ(map.zone, 6);
    EXPECT_EQ(map.reference.picture2, Point2(200, 100));
    EXPECT_EQ(map.reference.plane1, Point2(0, 100));
}

TEST(LocationMapRegistration, IncompleteOrDegenerateFilesAreRefusedAndChangeNothing)
{
    TempFolder temp;
    const std::pair<const char*, QByteArray> cases[] = {
        {"missing file", QByteArray()},
        {"empty", ""},
        {"truncated", "2\r\n0\r\n0\r\n200\r\n100\r\n0\r\n"},
        {"no zone", "2\r\n0\r\n0\r\n200\r\n100\r\n0\r\n100\r\n200\r\n0\r\n"},
        {"garbage value", "2\r\n0\r\n0\r\nabc\r\n100\r\n0\r\n100\r\n200\r\n0\r\n9"},
        {"zone out of range", "2\r\n0\r\n0\r\n200\r\n100\r\n0\r\n100\r\n200\r\n0\r\n25"},
        {"picture points coincide", "2\r\n5\r\n5\r\n5\r\n5\r\n0\r\n100\r\n200\r\n0\r\n9"},
        {"plane points coincide", "2\r\n0\r\n0\r\n200\r\n100\r\n7\r\n7\r\n7\r\n7\r\n9"},
        {"not a number at all", "nan\r\nnan\r\nnan\r\nnan\r\nnan\r\nnan\r\nnan\r\nnan\r\nnan\r\n9"},
    };
    for (const auto& [what, bytes] : cases) {
        const QString path = temp.file(QString::fromLatin1(what) + ".mhc");
        if (!bytes.isNull()) {
            ASSERT_TRUE(WriteBytes(path, bytes));
        }
        LocationMap map(1, 1);
        map.zone = 3;
        map.reference.picture2 = {1, 1};
        const MapReference before = map.reference;
        EXPECT_FALSE(map.ReadRegistration(path)) << what;
        EXPECT_EQ(map.reference, before) << what;
        EXPECT_EQ(map.zone, 3) << what;
        EXPECT_FALSE(map.ApplyRegistration(path)) << what;
        EXPECT_EQ(map.kind, 0) << what;
    }
}

TEST(LocationMapMaking, PictureWithoutCoordinates)
{
    TempFolder temp;
    const QString mapFolder = temp.file("project/map/");  // made on demand
    ASSERT_TRUE(WritePicture(temp.file("現場写真.png"), 300, 200));
    LocationMap map(3, 3);
    map.overlay.showNorthArrow = 1;
    ASSERT_TRUE(map.LoadPicture(mapFolder, temp.file("現場写真.png")));
    EXPECT_EQ(map.kind, 0);
    EXPECT_EQ(map.pictureFormat, 1);
    EXPECT_EQ(std::make_pair(map.pictureWidth, map.pictureHeight), std::make_pair(300, 200));
    EXPECT_EQ(map.frame.rectA, Rect2(0, 0, 300, 200));
    EXPECT_EQ(map.reference.picture1, Point2(1.0, 0.0));
    EXPECT_EQ(map.reference.picture2, Point2(0.0, 1.0));
    EXPECT_EQ(map.sourcePictureName, QStringLiteral("現場写真.png"));
    EXPECT_TRUE(map.outline.empty());
    EXPECT_EQ(map.overlay.showNorthArrow, 0);
    EXPECT_EQ(map.overlay.showScaleBar, 0);
    EXPECT_TRUE(QFileInfo::exists(mapFolder + "m000003.png"));

    // The stored copy of this id is never overwritten, and a refused load leaves the map as it was.
    ASSERT_TRUE(WritePicture(temp.file("other.png"), 10, 10));
    map.name = "残る";
    EXPECT_FALSE(map.LoadPicture(mapFolder, temp.file("other.png")));
    EXPECT_EQ(map.name, QStringLiteral("残る"));
    EXPECT_EQ(map.pictureWidth, 300);

    LocationMap other(4, 4);
    EXPECT_FALSE(other.LoadPicture(mapFolder, temp.file("missing.png")));
    ASSERT_TRUE(WriteBytes(temp.file("notes.txt"), "x"));
    EXPECT_FALSE(other.LoadPicture(mapFolder, temp.file("notes.txt")));
    ASSERT_TRUE(WriteBytes(temp.file("broken.png"), "not a picture"));
    EXPECT_FALSE(other.LoadPicture(mapFolder, temp.file("broken.png")));
    EXPECT_FALSE(QFileInfo::exists(mapFolder + "m000004.png"));
}

TEST(LocationMapMaking, RegisteredPictureNorthUp)
{
    TempFolder temp;
    const QString mapFolder = temp.file("map/");
    ASSERT_TRUE(WritePicture(temp.file("plan.png"), 200, 100));
    const QString tempFolder = fe::MakeTempFolder();
    ASSERT_FALSE(tempFolder.isEmpty());
    ASSERT_TRUE(WriteBytes(tempFolder + "plan.mhc", NorthUpRegistration(6)));

    LocationMap map(5, 5);
    EXPECT_FALSE(map.LoadRegisteredPicture(mapFolder, temp.file("plan.png"), tempFolder + "plan.mhc", 0));
    EXPECT_FALSE(map.LoadRegisteredPicture(mapFolder, temp.file("plan.png"), tempFolder + "plan.mhc", 20));
    ASSERT_TRUE(map.LoadRegisteredPicture(mapFolder, temp.file("plan.png"), tempFolder + "plan.mhc", 9));
    EXPECT_EQ(map.kind, 1);
    EXPECT_EQ(map.zone, 9);  // the given zone replaces the file's
    EXPECT_EQ(map.transform.kind, 1);
    EXPECT_EQ(map.frame.rectA, Rect2(0, 0, 200, 100));
    EXPECT_TRUE(QFileInfo::exists(mapFolder + "m000005.png"));
    EXPECT_NEAR(map.NorthAngle(), 0.0, 1e-9);
    EXPECT_NEAR(map.overlay.northArrowAngle, 0.0, 1e-9);
    EXPECT_EQ(map.overlay.northArrowX, 40.0);
    EXPECT_EQ(map.overlay.scaleBarY, 40.0);

    // The outline follows the frame's corners: north-west, south-west, south-east, north-east; the
    // picture's bottom-left corner is the zone-9 origin.
    ASSERT_EQ(map.outline.size(), 4u);
    const double originLon = 139.83333333333334;
    EXPECT_NEAR(map.outline[0].longitude, originLon, 1e-9);
    EXPECT_NEAR(map.outline[0].latitude, 36.0009013, 1e-6);  // 100 m north
    EXPECT_NEAR(map.outline[1].longitude, originLon, 1e-9);
    EXPECT_NEAR(map.outline[1].latitude, 36.0, 1e-9);
    EXPECT_NEAR(map.outline[2].latitude, 36.0, 1e-6);
    EXPECT_NEAR(map.outline[2].longitude, 139.8355518, 1e-6);  // 200 m east
    EXPECT_NEAR(map.outline[3].longitude, map.outline[2].longitude, 1e-6);
    EXPECT_NEAR(map.outline[3].latitude, map.outline[0].latitude, 1e-6);

    // Reloading replaces the stored copy.
    ASSERT_TRUE(WritePicture(temp.file("plan.png"), 200, 100, Qt::red));
    ASSERT_TRUE(map.LoadRegisteredPicture(mapFolder, temp.file("plan.png"), tempFolder + "plan.mhc", 9));
    EXPECT_EQ(QImage(mapFolder + "m000005.png").pixelColor(0, 0), QColor(Qt::red));
}

TEST(LocationMapMaking, NorthAngleOfATurnedRegistrationAndTheFrameOrientation)
{
    LocationMap map(1, 1);
    map.kind = 1;
    map.zone = 9;
    // Turned upside down: pixel (u, v) lies at X = −u (north), Y = −v (east), so the picture's up points
    // east. The file order of each plane point is east, north.
    map.reference.picture1 = {0, 0};
    map.reference.picture2 = {100, 100};
    map.reference.plane1 = {0, 0};
    map.reference.plane2 = {-100, -100};
    EXPECT_NEAR(map.NorthAngle(), std::numbers::pi / 2, 1e-9);
    map.frame.angle = 0.25;
    EXPECT_NEAR(map.NorthAngle(), std::numbers::pi / 2, 1e-9);
    map.runtime.frameOriented = 1;
    EXPECT_NEAR(map.NorthAngle(), std::numbers::pi / 2 - 0.25, 1e-9);

    LocationMap web(2, 2);
    ASSERT_TRUE(web.SetWebMap(3, Rect2(135, 34, 136, 35), 14));
    web.frame.angle = 0.25;
    EXPECT_EQ(web.NorthAngle(), 0.0);
    web.runtime.frameOriented = 1;
    EXPECT_EQ(web.NorthAngle(), -0.25);
    LocationMap picture(3, 3);
    picture.runtime.frameOriented = 1;
    picture.frame.angle = 1.0;
    EXPECT_EQ(picture.NorthAngle(), 0.0);
}

TEST(LocationMapMaking, FrameOrientationPointsTheNorthArrow)
{
    // A registered picture whose up points east, a web map and a plain picture, each turned by 0.25.
    LocationMap registered(1, 1);
    registered.kind = 1;
    registered.zone = 9;
    registered.reference = {{0, 0}, {100, 100}, {0, 0}, {-100, -100}};
    LocationMap web(2, 2);
    ASSERT_TRUE(web.SetWebMap(3, Rect2(135, 34, 136, 35), 14));
    LocationMap picture(3, 3);
    const struct
    {
        LocationMap* map;
        double framed;
        double upright;
    } cases[] = {
        {&registered, -(std::numbers::pi / 2 - 0.25), -std::numbers::pi / 2},
        {&web, -0.25, 0.0},
        {&picture, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        c.map->frame.angle = 0.25;
        c.map->UseFrameOrientation();
        EXPECT_EQ(c.map->runtime.frameOriented, 1);
        EXPECT_NEAR(c.map->overlay.northArrowAngle, c.framed, 1e-9) << c.map->kind;
        c.map->UseMapOrientation();
        EXPECT_EQ(c.map->runtime.frameOriented, 0);
        EXPECT_NEAR(c.map->overlay.northArrowAngle, c.upright, 1e-9) << c.map->kind;
    }
}

TEST(LocationMapMaking, WebMapAndItsOutline)
{
    LocationMap map(6, 6);
    EXPECT_FALSE(map.SetWebMap(1, Rect2(135, 34, 136, 35), 14));
    EXPECT_FALSE(map.SetWebMap(5, Rect2(135, 34, 136, 35), 14));
    ASSERT_TRUE(map.SetWebMap(4, Rect2(135, 34, 136, 35), 14));
    EXPECT_EQ(map.kind, 4);
    EXPECT_EQ(map.tileZoom, 14);
    EXPECT_EQ(map.transform.kind, 2);
    EXPECT_EQ(map.ImageFileName(), QStringLiteral("---"));
    EXPECT_EQ(map.overlay.northArrowX, 40.0);
    ASSERT_EQ(map.outline.size(), 4u);
    const std::pair<double, double> corners[] = {{135, 35}, {136, 35}, {136, 34}, {135, 34}};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(map.outline[k].longitude, corners[k].first);
        EXPECT_EQ(map.outline[k].latitude, corners[k].second);
    }

    map.frame.angle = 5e-5;  // below the threshold: still the box
    map.UpdateOutline();
    EXPECT_EQ(map.outline[0].longitude, 135.0);
    EXPECT_EQ(map.outline[0].latitude, 35.0);

    map.frame.angle = 2e-4;  // turned: every corner moves, the centre stays
    map.UpdateOutline();
    ASSERT_EQ(map.outline.size(), 4u);
    EXPECT_NE(map.outline[0].longitude, 135.0);
    EXPECT_NE(map.outline[0].latitude, 35.0);
    const double meanLon = (map.outline[0].longitude + map.outline[2].longitude) / 2;
    EXPECT_NEAR(meanLon, 135.5, 1e-9);

    map.frame.angle = std::numbers::pi / 2;  // a quarter turn puts the north-west corner south-west
    map.UpdateOutline();
    EXPECT_LT(map.outline[0].latitude, 34.6);
    EXPECT_LT(map.outline[0].longitude, 135.5);
}
