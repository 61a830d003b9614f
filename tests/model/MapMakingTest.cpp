// The background-map import's hand-over files, adding the tool's picture as a map, the zone outlines of
// the zone map, and placing photos on a map, taking them off and selecting the placed ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "CadMapFixture.h"
#include "ModelFixtures.h"
#include "TempFolder.h"
#include "fe/PathUtil.h"
#include "model/MapImportFiles.h"
#include "model/Project.h"
#include "model/ZoneOutlines.h"

namespace {

TEST(MapImportFiles, StartupSettingHoldsTheCacheFolderAsUtf16)
{
    ASSERT_TRUE(WriteBgxStartupSetting(QStringLiteral("ab")));
    const QByteArray expected("\x01\0\0\0\0\0\0\0\0\0\0\0\x02\0\0\0a\0b\0", 20);
    EXPECT_EQ(ReadBytes(fe::GetTempFolderPath() + QLatin1String(kBgxStartupSettingName)), expected);
    ASSERT_TRUE(WriteBgxStartupSetting(QStringLiteral("タイル")));
    EXPECT_EQ(ReadBytes(fe::GetTempFolderPath() + QLatin1String(kBgxStartupSettingName)).size(), 16 + 6);
}

TEST(MapImportFiles, RegistrationPathsKeepDotsOfTheName)
{
    QString registration;
    fe::DeleteFolderTree(fe::GetTempFolderPath());
    EXPECT_FALSE(FindRegistrationFile(QStringLiteral("/x/plan.rev.png"), registration, false));
    EXPECT_EQ(registration, fe::GetTempFolderPath() + QStringLiteral("plan.rev.mhc"));
    EXPECT_FALSE(QFileInfo::exists(fe::GetTempFolderPath()));
    EXPECT_FALSE(FindRegistrationFile(QStringLiteral("/x/plan.rev.png"), registration, true));
    EXPECT_TRUE(QFileInfo(fe::GetTempFolderPath()).isDir());
    ASSERT_TRUE(WriteBytes(registration, NorthUpRegistration(9)));
    EXPECT_TRUE(FindRegistrationFile(QStringLiteral("/x/plan.rev.png"), registration, false));

    EXPECT_EQ(CadRegistrationOf(QStringLiteral("/t/plan.rev.mhc")), QStringLiteral("/t/plan.revCAD.mhc"));
    EXPECT_EQ(CadRegistrationOf(QStringLiteral(".mhc")), QString());
    EXPECT_EQ(CadRegistrationOf(QStringLiteral("/t/plan.png")), QString());
}

class ImportedMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fe::DeleteFolderTree(fe::GetTempFolderPath());
        ASSERT_EQ(project.CreateNew(QStringLiteral("現場"), parent.path()), kProjectOk);
        picture = fe::MakeTempFolder() + QStringLiteral("plan.rev.png");
        ASSERT_TRUE(WritePicture(picture, 200, 100));
    }
    void TearDown() override { fe::DeleteFolderTree(fe::GetTempFolderPath()); }

    QString Temp(const QString& name) const { return fe::GetTempFolderPath() + name; }

    TempFolder parent;
    Project project;
    QString picture;
};

TEST_F(ImportedMap, RegistrationDecidesKindAndZone)
{
    const QByteArray version1("1\r\n0\r\n0\r\n200\r\n100\r\n0\r\n100\r\n200\r\n0\r\n");
    struct Case
    {
        const char* what;
        QByteArray registration;  // empty: none
        std::int32_t settingsZone;
        std::int32_t kind;
        std::int32_t zone;  // of the map and, afterwards, of the settings
    };
    const Case cases[] = {
        {"no registration", {}, 5, LocationMap::kPicture, 5},
        {"zone in the file", NorthUpRegistration(9), 5, LocationMap::kRegisteredPicture, 9},
        {"version 1: the settings' zone", version1, 7, LocationMap::kRegisteredPicture, 7},
        {"zone 0 and no usable settings zone", NorthUpRegistration(0), 0, LocationMap::kPicture, 0},
        {"damaged registration", QByteArray("2\r\n0\r\n"), 5, LocationMap::kPicture, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(Temp(QStringLiteral("plan.rev.mhc")));
        if (!c.registration.isEmpty()) {
            ASSERT_TRUE(WriteBytes(Temp(QStringLiteral("plan.rev.mhc")), c.registration));
        }
        const int before = project.maps.Count();
        std::int32_t zone = c.settingsZone;
        ASSERT_TRUE(project.AddImportedMap(picture, zone));
        ASSERT_EQ(project.maps.Count(), before + 1);
        const LocationMap& map = project.maps.maps.back();
        EXPECT_EQ(map.kind, c.kind);
        EXPECT_EQ(zone, c.zone);
        if (c.kind == LocationMap::kRegisteredPicture) {
            EXPECT_EQ(map.zone, c.zone);
        }
        EXPECT_TRUE(QFileInfo(project.MapFolder() + map.ImageFileName()).isFile());
    }
}

TEST_F(ImportedMap, CadRegistrationIsCopiedBesideTheStoredPicture)
{
    ASSERT_TRUE(WriteBytes(Temp(QStringLiteral("plan.rev.mhc")), NorthUpRegistration(9)));
    const QByteArray cad("1\r\n2\r\n0\r\n0\r\n10\r\n10\r\n2\r\n0\r\n0\r\n20\r\n20\r\n0\r\n0\r\n");
    ASSERT_TRUE(WriteBytes(Temp(QStringLiteral("plan.revCAD.mhc")), cad));
    std::int32_t zone = 1;
    ASSERT_TRUE(project.AddImportedMap(picture, zone));
    const QString target = project.MapCadRegistrationPath(0);
    EXPECT_EQ(QFileInfo(target).fileName(), QStringLiteral("m000001CAD.mhc"));
    EXPECT_EQ(ReadBytes(target), cad);

    EXPECT_EQ(project.MapCadRegistrationPath(1), QString());
    zone = 1;
    EXPECT_FALSE(project.AddImportedMap(Temp(QStringLiteral("missing.png")), zone));
    EXPECT_FALSE(project.AddImportedMap(QString(), zone));
    EXPECT_EQ(project.maps.Count(), 1);
}

TEST(ZoneOutlines, ParsesPolygonsAndSkipsMalformedLines)
{
    const QString text = QStringLiteral(
        "0,0\r\n10,0\r\n10,10\r\n0,10\r\n0,0\r\n"
        "KEI\r\n"
        ",,\r\n"       // no piece: skipped
        "7\r\n"        // one piece: skipped
        "x,1\r\n"      // not a number: skipped
        "nan,5\r\n5,inf\r\n-inf,nan\r\n1e999,3\r\n"  // not finite: skipped
        "20,0,\r\n30,0\r\n30,10\r\n20,10\r\n20,0\r\n"
        "KEI\r\nKEI\r\n");
    const std::vector<ZoneOutline> outlines = ParseZoneOutlines(text);
    ASSERT_EQ(outlines.size(), 2u);
    ASSERT_EQ(outlines[0].size(), 5u);
    EXPECT_EQ(outlines[0][2], Point2(10, 490));
    ASSERT_EQ(outlines[1].size(), 5u);
    for (const ZoneOutline& outline : outlines)
        for (const Point2& point : outline)
            EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y)) << point.x << "," << point.y;

    struct Case
    {
        Point2 point;
        int zone;
    };
    const Case cases[] = {
        {{5, 495}, 1},
        {{25, 495}, 2},
        {{15, 495}, 0},
        {{50, 495}, 0},
        {{12, 495}, 0},
        {{5, 485}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(ZoneAtPoint(outlines, c.point), c.zone);
    }
}

TEST(ZoneOutlines, UnclosedRingIsTestedWithoutItsClosingEdge)
{
    const std::vector<ZoneOutline> outlines = ParseZoneOutlines(u"0,0\n10,0\n10,10\n0,10\n");
    // A closed square would have the point outside; without the left edge it counts as inside.
    EXPECT_EQ(ZoneAtPoint(outlines, {-5, 495}), 1);
    EXPECT_EQ(ZoneAtPoint({}, {5, 495}), 0);
}

TEST(ZoneOutlines, MissingOrOversizedFileGivesNoOutlines)
{
    TempFolder temp;
    EXPECT_TRUE(ReadZoneOutlines(temp.file("none.csv")).empty());
    QByteArray big(static_cast<int>(kMaxZoneOutlineFileBytes) + 1, '1');
    ASSERT_TRUE(WriteBytes(temp.file("big.csv"), big));
    EXPECT_TRUE(ReadZoneOutlines(temp.file("big.csv")).empty());
    ASSERT_TRUE(WriteBytes(temp.file("ok.csv"), "0,0\n10,0\n10,10\n0,0\n"));
    EXPECT_EQ(ReadZoneOutlines(temp.file("ok.csv")).size(), 1u);
}

class MapPhotos : public ::testing::Test
{
protected:
    int AddPhoto(bool positioned)
    {
        PhotoRecord photo(fixture.project.photos.nextId++);
        if (positioned) {
            photo.position = fixture.PictureToGeo({400, 300});
        }
        fixture.project.photos.photos.push_back(photo);
        return static_cast<int>(fixture.project.photos.photos.size()) - 1;
    }

    CadMapFixture fixture;
};

TEST_F(MapPhotos, PlacingFollowsTheMapKind)
{
    Project& project = fixture.project;
    fixture.AddMap(QStringLiteral("registered"), 0.0, false);
    LocationMap plain = project.maps.MakeNewMap();
    plain.kind = LocationMap::kPicture;
    plain.pictureWidth = 1000;
    plain.pictureHeight = 800;
    plain.frame.rectA = Rect2(0, 0, 1000, 800);
    project.maps.Append(plain);
    ASSERT_TRUE(project.maps.AddWebMap(LocationMap::kWebPale, Rect2(139.0, 35.9, 139.2, 36.1), 15, false));

    const int unplaced = AddPhoto(false);
    const int positioned = AddPhoto(true);
    const Point2 viewPoint(250, 150);
    const fe::geo::GeoPoint webCentre(139.1, 36.0);

    // Registered picture: the unpositioned photo takes the view centre's position through the registration.
    Project::PlaceOutcome outcome = project.PlacePhotosOnMap(0, {unplaced, positioned}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed, 2);
    const fe::geo::GeoPoint expected = fixture.PictureToGeo(viewPoint);
    EXPECT_NEAR(project.photos.photos[unplaced].position.longitude, expected.longitude, 1e-9);
    EXPECT_NEAR(project.photos.photos[unplaced].position.latitude, expected.latitude, 1e-9);
    const PlacedPhotoList& onRegistered = project.maps.maps[0].photos;
    ASSERT_EQ(onRegistered.Count(), 2);
    EXPECT_NEAR(onRegistered.entries[0].x, 250, 1e-6);
    EXPECT_NEAR(onRegistered.entries[0].y, 150, 1e-6);
    EXPECT_NEAR(onRegistered.entries[1].x, 400, 1e-6);
    EXPECT_NEAR(onRegistered.entries[1].y, 300, 1e-6);

    // Already placed: counted, nothing changes.
    outcome = project.PlacePhotosOnMap(0, {positioned, unplaced}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed, 0);
    EXPECT_EQ(outcome.alreadyPlaced, 2);
    EXPECT_EQ(project.maps.maps[0].photos.Count(), 2);

    // Plain picture: the mark goes to the view centre and the photo is not touched.
    const int third = AddPhoto(false);
    outcome = project.PlacePhotosOnMap(1, {third}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed, 1);
    EXPECT_FALSE(project.photos.photos[third].HasPosition());
    EXPECT_EQ(project.maps.maps[1].photos.entries[0].x, 250);
    EXPECT_EQ(project.maps.maps[1].photos.entries[0].y, 150);

    // Web map: the photo without a position gets the view's map centre.
    outcome = project.PlacePhotosOnMap(2, {third}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed, 1);
    EXPECT_EQ(project.photos.photos[third].position.longitude, webCentre.longitude);
    EXPECT_EQ(project.photos.photos[third].position.latitude, webCentre.latitude);

    // Indices outside the list and maps outside the list are ignored.
    outcome = project.PlacePhotosOnMap(2, {-1, 99}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed + outcome.alreadyPlaced, 0);
    outcome = project.PlacePhotosOnMap(7, {third}, viewPoint, webCentre);
    EXPECT_EQ(outcome.placed + outcome.alreadyPlaced, 0);
}

TEST_F(MapPhotos, RemovingAndSelectingPlacedPhotos)
{
    Project& project = fixture.project;
    fixture.AddMap(QStringLiteral("registered"), 0.0, false);
    std::vector<int> all;
    for (int k = 0; k < 4; ++k) {
        all.push_back(AddPhoto(true));
    }
    const int other = AddPhoto(true);
    (void)project.PlacePhotosOnMap(0, all, {0, 0}, {});
    // An entry whose photo has gone from the project.
    PlacedPhoto stale;
    stale.photoId = 999;
    ASSERT_TRUE(project.maps.maps[0].photos.Add(stale));

    // Another photo's selection flag is cleared; the unknown id gives no row.
    project.photos.photos[other].flags |= PhotoRecord::kFlagSelected;
    EXPECT_EQ(project.SelectPlacedPhotos(0), all);
    EXPECT_FALSE(project.photos.photos[other].flags & PhotoRecord::kFlagSelected);
    for (int index : all) {
        EXPECT_TRUE(project.photos.photos[index].flags & PhotoRecord::kFlagSelected);
    }
    EXPECT_TRUE(project.SelectPlacedPhotos(5).empty());

    const std::vector<std::int32_t> removed = project.RemovePhotosFromMap(0, {3, 1, other});
    const std::vector<std::int32_t> expectedIds{project.photos.photos[3].id, project.photos.photos[1].id};
    EXPECT_EQ(removed, expectedIds);
    const PlacedPhotoList& placed = project.maps.maps[0].photos;
    ASSERT_EQ(placed.Count(), 3);
    EXPECT_EQ(placed.entries[0].photoId, project.photos.photos[0].id);
    EXPECT_EQ(placed.entries[1].photoId, project.photos.photos[2].id);
    EXPECT_EQ(project.photos.photos.size(), 5u);
}

TEST_F(MapPhotos, ResetAreaCoversThePicture)
{
    Project& project = fixture.project;
    fixture.AddMap(QStringLiteral("registered"), 0.0, false);
    const fe::geo::GeoPoint before = project.maps.maps[0].outline.at(2);
    ASSERT_TRUE(project.ResetMapArea(0));
    const LocationMap& map = project.maps.maps[0];
    EXPECT_EQ(map.frame.rectA, Rect2(0, 0, 1000, 800));
    ASSERT_EQ(map.outline.size(), 4u);
    EXPECT_NE(map.outline[2].longitude, before.longitude);
    const fe::geo::GeoPoint corner = fixture.PictureToGeo({1000, 800});
    EXPECT_TRUE(std::any_of(map.outline.begin(), map.outline.end(), [&](const fe::geo::GeoPoint& p) {
        return std::abs(p.longitude - corner.longitude) < 1e-9 && std::abs(p.latitude - corner.latitude) < 1e-9;
    }));
    ASSERT_TRUE(project.maps.AddWebMap(LocationMap::kWebStandard, Rect2(139, 35.9, 139.2, 36.1), 15, false));
    EXPECT_FALSE(project.ResetMapArea(1));
    EXPECT_FALSE(project.ResetMapArea(2));
}

}  // namespace
