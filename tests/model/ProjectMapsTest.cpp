// A project built in memory with maps of every kind: adding, copying, deleting, site maps, and the placed
// photos kept in step with the photo list.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "ModelFixtures.h"
#include "TempFolder.h"
#include "fe/PathUtil.h"
#include "model/Project.h"

namespace {

// Zone-9 origin and the box of the web maps used below.
constexpr double kOriginLon = 139.83333333333334;
constexpr double kOriginLat = 36.0;

class ProjectMaps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(project.CreateNew("現場", parent.path()), kProjectOk);
        ASSERT_TRUE(project.HasPath());
        ASSERT_TRUE(WritePicture(parent.file("picture.jpg"), 300, 200));
        ASSERT_TRUE(WritePicture(parent.file("plan.png"), 200, 100));
        ASSERT_TRUE(WriteBytes(PlanRegistration(), NorthUpRegistration(9)));
    }

    // The registration the background-map import leaves in the temp folder for plan.png.
    static QString PlanRegistration() { return fe::MakeTempFolder() + "plan.mhc"; }

    PhotoRecord& AddPhoto(double lon, double lat)
    {
        PhotoRecord photo(project.photos.nextId++);
        if (lon != kUnset) {
            photo.position = fe::geo::GeoPoint(lon, lat);
        }
        photo.direction = 45;
        WritePicture(project.PhotoFolder() + photo.FileName(), 40, 30);
        project.photos.photos.push_back(photo);
        return project.photos.photos.back();
    }

    // Maps 1 to 4: a picture, a registered picture around the zone-9 origin, a web map around it, and a
    // site map.
    void AddMapsOfEveryKind()
    {
        ASSERT_TRUE(project.AddImageMap(parent.file("picture.jpg")));
        ASSERT_TRUE(project.AddRegisteredImageMap(parent.file("plan.png"), PlanRegistration(), 9));
        ASSERT_TRUE(project.maps.AddWebMap(2, Rect2(139.8, 35.98, 139.9, 36.02), 16, false));
        project.SetSiteMapZone(9);
        ASSERT_TRUE(project.AddSiteMap(3, Rect2(139.7, 35.9, 140.0, 36.1), 13));
    }

    LocationMap& Map(int index) { return project.maps.maps[static_cast<size_t>(index)]; }

    TempFolder parent;
    Project project;
};

std::vector<int> PlacedIds(const LocationMap& map)
{
    std::vector<int> ids;
    for (const PlacedPhoto& entry : map.photos.entries) {
        ids.push_back(entry.photoId);
    }
    return ids;
}

}  // namespace

TEST_F(ProjectMaps, MapsOfEveryKindAreNumberedAndNamed)
{
    AddMapsOfEveryKind();
    ASSERT_EQ(project.maps.Count(), 3);
    EXPECT_EQ(project.maps.nextId, 4);
    EXPECT_EQ(project.maps.nextNumber, 4);
    const std::tuple<int, int, const char*, const char*> expected[] = {{1, 0, "名称未設定1", "m000001.jpg"},
                                                                       {2, 1, "名称未設定2", "m000002.png"},
                                                                       {3, 2, "名称未設定3", "---"}};
    for (size_t k = 0; k < 3; ++k) {
        const auto& [id, kind, name, file] = expected[k];
        EXPECT_EQ(Map(k).id, id);
        EXPECT_EQ(Map(k).kind, kind);
        EXPECT_EQ(Map(k).name, QString::fromUtf8(name));
        EXPECT_EQ(Map(k).ImageFileName(), QString::fromLatin1(file));
    }
    EXPECT_TRUE(QFileInfo::exists(project.MapFolder() + "m000001.jpg"));
    EXPECT_TRUE(QFileInfo::exists(project.MapFolder() + "m000002.png"));
    EXPECT_EQ(Map(1).sourcePictureName, QStringLiteral("plan.png"));

    // Callout anchors: the middle of the first outline edge; the picture map has none.
    EXPECT_FALSE(Map(0).calloutAnchor.HasPosition());
    EXPECT_NEAR(Map(1).calloutAnchor.longitude, kOriginLon, 1e-9);
    EXPECT_NEAR(Map(2).calloutAnchor.longitude, 139.85, 1e-9);
    EXPECT_NEAR(Map(2).calloutAnchor.latitude, 36.02, 1e-9);

    ASSERT_EQ(project.siteMaps.Count(), 1);
    const LocationMap& site = project.siteMaps.maps[0];
    EXPECT_EQ(site.name, QStringLiteral("現場位置図"));
    EXPECT_EQ(site.kind, 3);
    EXPECT_EQ(site.zone, 9);
    EXPECT_TRUE(site.calloutAnchor.HasPosition());

    // A second site map keeps its number; a second web map made as a site map is named after it.
    ASSERT_TRUE(project.siteMaps.AddWebMap(2, Rect2(139.7, 35.9, 140.0, 36.1), 13, true));
    EXPECT_EQ(project.siteMaps.maps.back().name, QStringLiteral("現場位置図2"));
    project.SetSiteMapZone(4);
    EXPECT_EQ(project.siteMapZone, 4);
    EXPECT_EQ(project.siteMaps.maps[0].zone, 4);
    EXPECT_EQ(project.siteMaps.maps[1].zone, 4);
    project.SetSiteMapZone(25);
    EXPECT_EQ(project.siteMapZone, 4);
}

TEST_F(ProjectMaps, AddSiteMapGivesEveryMapWithCoordinatesAnAnchor)
{
    AddMapsOfEveryKind();
    Map(1).calloutAnchor = fe::geo::GeoPoint(kUnset, kUnset);
    Map(2).calloutAnchor = fe::geo::GeoPoint(1, 2);
    ASSERT_TRUE(project.AddSiteMap(2, Rect2(139.7, 35.9, 140.0, 36.1), 13));
    EXPECT_TRUE(Map(1).calloutAnchor.HasPosition());
    EXPECT_EQ(Map(2).calloutAnchor.longitude, 1.0);
    EXPECT_FALSE(Map(0).calloutAnchor.HasPosition());
    EXPECT_FALSE(project.AddSiteMap(1, Rect2(139.7, 35.9, 140.0, 36.1), 13));
    EXPECT_EQ(project.siteMaps.Count(), 2);
}

TEST_F(ProjectMaps, FailedAddsChangeNothing)
{
    EXPECT_FALSE(project.AddImageMap(parent.file("missing.jpg")));
    EXPECT_FALSE(project.AddRegisteredImageMap(parent.file("picture.jpg"), parent.file("picture.mhc"), 9));
    EXPECT_FALSE(project.AddRegisteredImageMap(parent.file("plan.png"), PlanRegistration(), 0));
    EXPECT_FALSE(project.maps.AddWebMap(1, Rect2(0, 0, 1, 1), 3, false));
    EXPECT_EQ(project.maps.Count(), 0);
    EXPECT_EQ(project.maps.nextId, 1);
    EXPECT_EQ(project.maps.nextNumber, 1);
    Project noPath;
    EXPECT_FALSE(noPath.AddImageMap(parent.file("picture.jpg")));
}

// A map added before a crash left its copied picture, but the project saved before it names no map of that
// id: adding maps again takes the id and replaces the unheld copy instead of refusing every new picture.
TEST_F(ProjectMaps, AddingAPictureMapReplacesTheUnheldCopyACrashLeft)
{
    const QString mapFolder = project.MapFolder();
    ASSERT_TRUE(QDir().mkpath(mapFolder));
    ASSERT_TRUE(WriteBytes(mapFolder + "m000001.jpg", "half a picture"));
    ASSERT_TRUE(WriteBytes(mapFolder + "m000002.png", "half a picture"));
    ASSERT_TRUE(WriteBytes(mapFolder + "m000002CAD.mhc", "stale"));
    ASSERT_TRUE(WriteBytes(mapFolder + "m000003.png", "not a map of this project yet"));
    ASSERT_TRUE(project.AddImageMap(parent.file("picture.jpg")));
    ASSERT_TRUE(project.AddRegisteredImageMap(parent.file("plan.png"), PlanRegistration(), 9));
    EXPECT_EQ(Map(0).id, 1);
    EXPECT_EQ(Map(1).id, 2);
    EXPECT_EQ(QImage(mapFolder + "m000001.jpg").size(), QSize(300, 200));
    EXPECT_EQ(QImage(mapFolder + "m000002.png").size(), QSize(200, 100));
    EXPECT_FALSE(QFileInfo::exists(mapFolder + "m000002CAD.mhc"));
    // A file of an id no map has taken yet is left alone.
    EXPECT_TRUE(QFileInfo::exists(mapFolder + "m000003.png"));
}

TEST_F(ProjectMaps, CopiesTakePictureRegistrationBoxZoomZoneAndFrameOnly)
{
    AddMapsOfEveryKind();
    for (LocationMap& map : project.maps.maps) {
        map.name = "元の名前";
        map.itemValues.texts[0] = "値";
        map.reservoir.reservoirName = "池";
        PlacedPhoto entry;
        entry.photoId = 99;
        map.photos.Add(entry);
    }
    Map(0).frame.rectA = Rect2(10, 20, 110, 120);
    Map(0).frame.angle = 0.3;
    Map(1).frame.rectA = Rect2(0, 0, 100, 50);
    Map(2).zone = 7;
    ASSERT_TRUE(WriteBytes(project.MapFolder() + "m000002CAD.mhc", "cad registration"));
    // The temp folder holds files of others, which copying a map must leave alone.
    ASSERT_TRUE(WriteBytes(fe::MakeTempFolder() + "PhotoBounds.txt", "36\n35\n140\n139\n"));
    const QStringList othersFiles = QDir(fe::GetTempFolderPath()).entryList(QDir::Files);

    ASSERT_TRUE(project.CopyMap(0));
    ASSERT_TRUE(project.CopyMap(1));
    ASSERT_TRUE(project.CopyMap(2));
    ASSERT_EQ(project.maps.Count(), 6);

    const LocationMap& picture = Map(3);
    EXPECT_EQ(picture.kind, 0);
    EXPECT_EQ(picture.name, QStringLiteral("名称未設定4"));
    EXPECT_EQ(picture.frame.rectA, Rect2(10, 20, 110, 120));
    EXPECT_EQ(picture.frame.angle, 0.0);
    EXPECT_TRUE(picture.photos.entries.empty());
    EXPECT_TRUE(picture.itemValues.texts[0].isEmpty());
    EXPECT_TRUE(picture.reservoir.reservoirName.isEmpty());
    EXPECT_EQ(ReadBytes(project.MapFolder() + "m000004.jpg"), ReadBytes(project.MapFolder() + "m000001.jpg"));

    const LocationMap& registered = Map(4);
    EXPECT_EQ(registered.kind, 1);
    EXPECT_EQ(registered.zone, 9);
    EXPECT_EQ(registered.reference, Map(1).reference);
    EXPECT_EQ(registered.frame.rectA, Rect2(0, 0, 100, 50));
    ASSERT_EQ(registered.outline.size(), 4u);
    EXPECT_NEAR(registered.outline[2].longitude, 139.8344426,
                1e-6);  // 100 m east: the frame, not the picture
    EXPECT_EQ(ReadBytes(project.MapFolder() + "m000005CAD.mhc"), QByteArray("cad registration"));
    // The copy's own registration file is gone; nothing else in the temp folder was touched.
    EXPECT_EQ(QDir(fe::GetTempFolderPath()).entryList(QDir::Files), othersFiles);
    EXPECT_EQ(ReadBytes(fe::GetTempFolderPath() + "PhotoBounds.txt"), QByteArray("36\n35\n140\n139\n"));

    const LocationMap& web = Map(5);
    EXPECT_EQ(web.kind, 2);
    EXPECT_EQ(web.box, Map(2).box);
    EXPECT_EQ(web.tileZoom, 16);
    EXPECT_EQ(web.zone, 7);
    EXPECT_EQ(web.name, QStringLiteral("名称未設定6"));

    // A registered map without a CAD registration copies too.
    QFile::remove(project.MapFolder() + "m000002CAD.mhc");
    ASSERT_TRUE(project.CopyMap(1));
    EXPECT_FALSE(QFileInfo::exists(project.MapFolder() + "m000007CAD.mhc"));
    EXPECT_FALSE(project.CopyMap(7));
    EXPECT_FALSE(project.CopyMap(-1));
}

TEST_F(ProjectMaps, DeletingAMapRemovesItsFiles)
{
    AddMapsOfEveryKind();
    ASSERT_TRUE(project.AddImageMap(parent.file("picture.jpg")));  // id 4
    ASSERT_TRUE(WriteBytes(project.MapFolder() + "m000004CAD.mhc", "x"));
    const QStringList before = QDir(project.MapFolder()).entryList(QDir::Files);

    project.maps.DeleteMap(2, project.MapFolder());  // web map: no file
    EXPECT_EQ(QDir(project.MapFolder()).entryList(QDir::Files), before);
    ASSERT_EQ(project.maps.Count(), 3);
    EXPECT_EQ(Map(2).id, 4);

    project.maps.DeleteMap(2, project.MapFolder());
    EXPECT_FALSE(QFileInfo::exists(project.MapFolder() + "m000004.jpg"));
    EXPECT_FALSE(QFileInfo::exists(project.MapFolder() + "m000004CAD.mhc"));
    EXPECT_TRUE(QFileInfo::exists(project.MapFolder() + "m000001.jpg"));
    project.maps.DeleteMap(5, project.MapFolder());
    EXPECT_EQ(project.maps.Count(), 2);
    EXPECT_EQ(project.maps.nextId, 5);  // ids are not reused
}

TEST_F(ProjectMaps, PlacingPhotosByKind)
{
    AddMapsOfEveryKind();
    project.SyncPlacedPhotos();
    for (const LocationMap& map : project.maps.maps) {
        map.photos.entries.empty() ? void() : ADD_FAILURE() << "nothing is placed without photos";
    }
    AddPhoto(kUnset, kUnset);                            // 1: no position
    AddPhoto(139.85, 36.0);                              // 2: inside the web map
    AddPhoto(139.8, 36.0);                               // 3: exactly on the web map's west edge
    AddPhoto(kOriginLon + 0.0005, kOriginLat + 0.0002);  // 4: inside the registered picture
    AddPhoto(141.0, 38.0);                               // 5: far away
    for (LocationMap& map : project.maps.maps) {
        map.PlacePhotosInside(project.photos, project.PhotoFolder());
    }
    EXPECT_EQ(PlacedIds(Map(0)), (std::vector<int>{}));  // a picture without coordinates places nothing
    EXPECT_EQ(PlacedIds(Map(1)), (std::vector<int>{4}));
    EXPECT_EQ(PlacedIds(Map(2)), (std::vector<int>{2, 4}));

    const PlacedPhoto& onPlan = Map(1).photos.entries[0];
    EXPECT_NEAR(onPlan.x, 45.1, 0.2);  // metres east of the picture's left edge
    EXPECT_NEAR(onPlan.y, 77.8, 0.2);  // 100 m minus the metres north of the origin
    EXPECT_EQ(onPlan.frame, Rect2(0, 0, 40, 30));
    EXPECT_EQ(onPlan.direction, 45.0);
    const PlacedPhoto& onWeb = Map(2).photos.entries[0];
    EXPECT_EQ(onWeb.x, 139.85);
    EXPECT_EQ(onWeb.y, 36.0);
    EXPECT_EQ(onWeb.photoId, project.photos.photos[1].id);

    // Placing again adds nothing twice.
    Map(2).PlacePhotosInside(project.photos, project.PhotoFolder());
    EXPECT_EQ(PlacedIds(Map(2)), (std::vector<int>{2, 4}));

    // A turned web map tests against the turned box.
    Map(2).photos.Reset();
    Map(2).frame.angle = 0.5;
    Map(2).PlacePhotosInside(project.photos, project.PhotoFolder());
    EXPECT_EQ(PlacedIds(Map(2)), (std::vector<int>{2, 3, 4}));
}

TEST_F(ProjectMaps, PlacedPhotoOfAPhotoWithoutPositionGivesThePhotoTheMapCentre)
{
    AddMapsOfEveryKind();
    PhotoRecord& unplaced = AddPhoto(kUnset, kUnset);
    PlacedPhoto entry;
    Map(1).InitPlacedPhoto(entry, unplaced, project.PhotoFolder() + unplaced.FileName());
    EXPECT_EQ(entry.x, 100.0);
    EXPECT_EQ(entry.y, 50.0);
    ASSERT_TRUE(unplaced.HasPosition());
    // Pixel (100, 50) lies 100 m east and 50 m north of the zone-9 origin.
    EXPECT_NEAR(unplaced.position.longitude, 139.8344426, 1e-6);
    EXPECT_NEAR(unplaced.position.latitude, 36.0004507, 1e-6);

    PhotoRecord& other = AddPhoto(kUnset, kUnset);
    PlacedPhoto onWeb;
    Map(2).InitPlacedPhoto(onWeb, other, project.PhotoFolder() + other.FileName());
    EXPECT_NEAR(other.position.longitude, 139.85, 1e-12);
    EXPECT_NEAR(other.position.latitude, 36.0, 1e-12);

    PhotoRecord& third = AddPhoto(kUnset, kUnset);
    PlacedPhoto onPicture;
    Map(0).InitPlacedPhoto(onPicture, third, project.PhotoFolder() + third.FileName());
    EXPECT_EQ(onPicture.x, 150.0);
    EXPECT_EQ(onPicture.y, 100.0);
    EXPECT_TRUE(IsUnset(onPicture.direction));
    EXPECT_FALSE(third.HasPosition());
    EXPECT_EQ(onPicture.frame, Rect2(0, 0, 40, 30));

    // A turned photo's frame has its sides exchanged; an existing frame is kept.
    third.rotation = 90;
    PlacedPhoto turned;
    Map(0).InitPlacedPhoto(turned, third, project.PhotoFolder() + third.FileName());
    EXPECT_EQ(turned.frame, Rect2(0, 0, 30, 40));
    turned.frame = Rect2(1, 2, 3, 4);
    Map(0).InitPlacedPhoto(turned, third, project.PhotoFolder() + third.FileName());
    EXPECT_EQ(turned.frame, Rect2(1, 2, 3, 4));
}

TEST_F(ProjectMaps, SyncFollowsSortsLostPositionsAndDeletions)
{
    AddMapsOfEveryKind();
    for (int k = 0; k < 5; ++k) {
        AddPhoto(139.81 + 0.01 * k, 36.0);
    }
    for (LocationMap& map : project.maps.maps) {
        for (PhotoRecord& photo : project.photos.photos) {
            PlacedPhoto entry;
            map.InitPlacedPhoto(entry, photo, project.PhotoFolder() + photo.FileName());
            map.photos.Add(entry);
        }
    }
    // Sorting the photos moves the records; every entry still finds its own photo by id.
    project.photos.photos[4].date = "2020/01/01";
    project.photos.SortByShotTime(true);
    project.SyncPlacedPhotos();
    for (const LocationMap& map : project.maps.maps) {
        EXPECT_EQ(map.photos.Count(), 5);
        for (const PlacedPhoto& entry : map.photos.entries) {
            const PhotoRecord* photo = project.photos.Find(entry.photoId);
            ASSERT_NE(photo, nullptr);
            EXPECT_EQ(photo->id, entry.photoId);
        }
    }

    // Photo 2 loses its position; photos 3 and 4 (consecutive entries) are deleted.
    const int index2 = project.photos.IndexOfId(2);
    project.photos.photos[static_cast<size_t>(index2)].ClearShotInfo();
    std::erase_if(project.photos.photos, [](const PhotoRecord& p) { return p.id == 3 || p.id == 4; });
    project.SyncPlacedPhotos();
    EXPECT_EQ(PlacedIds(Map(0)), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(PlacedIds(Map(1)), (std::vector<int>{1, 5}));
    EXPECT_EQ(PlacedIds(Map(2)), (std::vector<int>{1, 5}));

    // A moved photo moves its mark on maps with coordinates.
    const int index5 = project.photos.IndexOfId(5);
    project.photos.photos[static_cast<size_t>(index5)].position.longitude = 139.86;
    project.SyncPlacedPhotos();
    EXPECT_EQ(Map(2).photos.entries[1].x, 139.86);
}

TEST_F(ProjectMaps, SyncDropsEntriesOfPhotosThatAreGoneAfterTheRecordsMoved)
{
    AddMapsOfEveryKind();
    AddPhoto(139.85, 36.0);
    AddPhoto(139.86, 36.0);
    Map(2).PlacePhotosInside(project.photos, project.PhotoFolder());
    ASSERT_EQ(PlacedIds(Map(2)), (std::vector<int>{1, 2}));
    ASSERT_NE(project.photos.Find(1), nullptr);  // the id index knows the old places
    project.photos.photos.erase(project.photos.photos.begin());
    project.photos.photos.shrink_to_fit();  // the records move
    project.SyncPlacedPhotos();
    ASSERT_EQ(PlacedIds(Map(2)), (std::vector<int>{2}));
    EXPECT_EQ(project.photos.Find(2), &project.photos.photos[0]);
    EXPECT_EQ(project.photos.Find(1), nullptr);
}

TEST_F(ProjectMaps, RemovingAPhotoFromTheMapsTakesEveryReservoirRow)
{
    AddMapsOfEveryKind();
    for (LocationMap& map : project.maps.maps) {
        PlacedPhoto entry;
        entry.photoId = 8;
        map.photos.Add(entry);
        for (ReservoirItem& item : map.reservoir.items) {
            item.photoRows = {{8, "a", 0}, {3, "b", 0}, {8, "c", 0}, {8, "d", 0}};
        }
    }
    project.maps.RemovePhotoFromMaps(8);
    for (const LocationMap& map : project.maps.maps) {
        EXPECT_TRUE(map.photos.entries.empty());
        for (const ReservoirItem& item : map.reservoir.items) {
            ASSERT_EQ(item.photoRows.size(), 1u);
            EXPECT_EQ(item.photoRows[0].photoId, 3);
        }
    }
    ReservoirItem item(0);
    item.photoRows = {{1, "a", 0}, {2, "b", 0}};
    item.RemovePhotoRef(5);
    item.RemovePhotoRef(0);
    ASSERT_EQ(item.photoRows.size(), 1u);
    EXPECT_EQ(item.photoRows[0].description, QStringLiteral("b"));
}

TEST_F(ProjectMaps, ARegistrationWithoutAFitInventsNoPositions)
{
    // A registered map whose reference points coincide (as a damaged project file could hold them).
    LocationMap map = project.maps.MakeNewMap();
    map.kind = 1;
    map.zone = 9;
    map.pictureWidth = 200;
    map.pictureHeight = 100;
    map.frame.rectA = Rect2(0, 0, 200, 100);
    map.reference.plane1 = {5, 5};
    map.reference.plane2 = {5, 5};
    project.maps.Append(map);
    LocationMap& broken = Map(0);

    broken.UpdateOutline();
    EXPECT_TRUE(broken.outline.empty());
    EXPECT_EQ(broken.NorthAngle(), 0.0);

    PhotoRecord& unplaced = AddPhoto(kUnset, kUnset);
    PlacedPhoto entry;
    broken.InitPlacedPhoto(entry, unplaced, project.PhotoFolder() + unplaced.FileName());
    EXPECT_EQ(entry.x, 100.0);
    EXPECT_EQ(entry.y, 50.0);
    EXPECT_FALSE(unplaced.HasPosition());

    AddPhoto(kOriginLon, kOriginLat);
    broken.PlacePhotosInside(project.photos, project.PhotoFolder());
    broken.frame.angle = 1.0;
    broken.PlacePhotosInside(project.photos, project.PhotoFolder());
    EXPECT_TRUE(broken.photos.entries.empty());
}
