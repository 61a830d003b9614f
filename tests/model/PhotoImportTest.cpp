#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "BinaryBytes.h"
#include "CameraPhotos.h"
#include "DamagedJpeg.h"
#include "TempFolder.h"
#include "model/PhotoImport.h"
#include "model/Project.h"

namespace {

// A project folder with its sub-folders, made in the test's temporary folder.
struct ProjectFixture
{
    TempFolder temp;
    Project project;

    ProjectFixture()
    {
        project.name = QStringLiteral("現場");
        project.folder = temp.path() + QStringLiteral("/現場/");
        for (const QString& folder :
             {project.PhotoFolder(), project.ThumbFolderS(), project.ThumbFolderM(), project.ThumbFolderL()})
            EXPECT_TRUE(QDir().mkpath(folder));
    }

    QString Source(const QString& name) const { return temp.file(QStringLiteral("camera/") + name); }
    QStringList PhotoFiles() const { return QDir(project.PhotoFolder()).entryList(QDir::Files, QDir::Name); }
    QSize ThumbSize(const QString& folder, int id) const { return QImage(folder + PhotoFileName(id)).size(); }
};

CameraShot Shot(const QString& dateTime, int orientation = 1)
{
    CameraShot shot;
    shot.longitude = 139.5;
    shot.latitude = 35.25;
    shot.direction = 123.5;
    shot.dateTime = dateTime;
    shot.orientation = orientation;
    return shot;
}

}  // namespace

TEST(PhotoImport, AFolderOfCameraFilesImportsTheGoodPhotosAndLeavesNothingOfTheRefusedOnes)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 1;
    p.importSettings.alsoSameShotTime = 1;

    struct File
    {
        const char* name;
        int width, height;
        CameraShot shot;
        bool imported;
        QSize small, large;  // thumbnails, turned
        int rotation;
    };
    const File files[] = {
        {"IMG_0001.JPG", 640, 480, Shot("2020:04:01 09:05:07", 1), true, {64, 48}, {320, 240}, 0},
        {"IMG_0002.jpg", 640, 480, Shot("2020:04:01 09:06:00", 3), true, {64, 48}, {320, 240}, 180},
        {"IMG_0003.jpeg", 4000, 3000, Shot("2020:04:01 09:07:00", 6), true, {48, 64}, {240, 320}, 270},
        {"IMG_0004.JPEG", 480, 640, Shot("2020:04:02 10:00:00", 8), true, {48, 36}, {240, 180}, 90},
        {"no-exif.jpg", 300, 200, CameraShot(), true, {65, 43}, {320, 213}, 0},
        {"photo.Jpg", 640, 480, Shot("2020:04:01 11:00:00"), false, {}, {}, 0},
    };
    for (const File& file : files)
        ASSERT_TRUE(MakeCameraPhoto(f.Source(file.name), file.width, file.height, file.shot));
    // A truncated photo, a text file named like a photo, and the first photo again from another card.
    const QByteArray whole = ReadAll(f.Source("IMG_0002.jpg"));
    WriteAll(f.Source("truncated.jpg"), whole.left(whole.size() * 2 / 3));
    WriteAll(f.Source("notes.jpg"), "not a picture\r\n");
    ASSERT_TRUE(MakeCameraPhoto(f.Source("card2/IMG_0001.JPG"), 640, 480, Shot("2020:04:01 09:05:07")));

    int nextId = 1;
    for (const File& file : files) {
        SCOPED_TRACE(file.name);
        EXPECT_EQ(p.ImportPhoto(f.Source(file.name)), file.imported);
        if (!file.imported)
            continue;
        const PhotoRecord& photo = p.photos.photos.back();
        EXPECT_EQ(photo.id, nextId);
        EXPECT_EQ(photo.sourceName, QString(file.name));
        EXPECT_EQ(photo.rotation, file.rotation);
        EXPECT_EQ(ReadAll(p.PhotoFolder() + photo.FileName()), ReadAll(f.Source(file.name)));
        EXPECT_EQ(f.ThumbSize(p.ThumbFolderS(), photo.id), file.small);
        EXPECT_EQ(f.ThumbSize(p.ThumbFolderL(), photo.id), file.large);
        ++nextId;
    }
    for (const char* refused : {"truncated.jpg", "notes.jpg", "card2/IMG_0001.JPG", "missing.jpg"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(p.ImportPhoto(f.Source(refused)));
    }

    ASSERT_EQ(p.photos.photos.size(), 5u);
    EXPECT_EQ(p.photos.nextId, 6);
    EXPECT_EQ(f.PhotoFiles(),
              QStringList({"p000001.jpg", "p000002.jpg", "p000003.jpg", "p000004.jpg", "p000005.jpg"}));
    for (const QString& folder : {p.ThumbFolderS(), p.ThumbFolderM(), p.ThumbFolderL()})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 5);
    EXPECT_EQ(f.ThumbSize(p.ThumbFolderM(), 3), QSize(120, 160));
    EXPECT_EQ(f.ThumbSize(p.ThumbFolderL(), 3), QSize(240, 320));

    const PhotoRecord& first = p.photos.photos[0];
    EXPECT_EQ(first.date, QStringLiteral("2020/04/01"));
    EXPECT_EQ(first.time, QStringLiteral("09:05:07"));
    EXPECT_NEAR(first.position.longitude, 139.5, 1e-6);
    EXPECT_NEAR(first.position.latitude, 35.25, 1e-6);
    EXPECT_NEAR(first.direction, 123.5, 1e-6);
    const PhotoRecord& plain = p.photos.photos[4];
    EXPECT_TRUE(plain.date.isEmpty());
    EXPECT_FALSE(plain.HasPosition());
    EXPECT_EQ(plain.direction, kUnset);
}

TEST(PhotoImport, ThumbnailsAreTurnedByTheOrientationAfterFitting)
{
    ProjectFixture f;
    Project& p = f.project;
    // The stored picture's top rows are red. Orientation 6 turns it a quarter clockwise for viewing, so
    // the red edge is on the right; 8 puts it on the left; 3 at the bottom.
    struct Case
    {
        int orientation;
        QPoint redPixel;  // in the large thumbnail, as a fraction of its size times 100
    };
    const Case cases[] = {{1, {50, 2}}, {6, {98, 50}}, {8, {2, 50}}, {3, {50, 98}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        const QString source = f.Source(QStringLiteral("o%1.jpg").arg(c.orientation));
        ASSERT_TRUE(MakeCameraPhoto(source, 800, 600, Shot("2021:01:01 00:00:00", c.orientation)));
        ASSERT_TRUE(p.ImportPhoto(source));
        const QImage large(p.ThumbFolderL() + p.photos.photos.back().FileName());
        const QPoint at(c.redPixel.x() * (large.width() - 1) / 100,
                        c.redPixel.y() * (large.height() - 1) / 100);
        EXPECT_TRUE(IsRed(large.pixelColor(at)));
        EXPECT_FALSE(IsRed(large.pixelColor(large.width() / 2, large.height() / 2)));
    }
}

TEST(PhotoImport, ThumbnailSizeFitsTheBoxInSinglePrecision)
{
    struct Case
    {
        QSize picture;
        int boxWidth, boxHeight;
        QSize expected;
    };
    const Case cases[] = {
        {{4000, 3000}, 65, 48, {64, 48}},
        {{6000, 4000}, 65, 48, {65, 43}},
        {{3000, 4000}, 65, 48, {36, 48}},
        {{4000, 3000}, 320, 240, {320, 240}},
        {{6000, 4000}, 160, 120, {160, 106}},
        {{100, 50}, 320, 240, {320, 160}},
        {{0, 0}, 65, 48, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThumbnailSize(c.picture, c.boxWidth, c.boxHeight), c.expected) << c.picture.width();
}

TEST(PhotoImport, DuplicatesAreNamesComparedCaseSensitivelyAndOptionallyShotTimes)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 1;
    p.importSettings.alsoSameShotTime = 1;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("a/IMG_0001.JPG"), 64, 48, Shot("2020:04:01 09:05:07")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("b/IMG_0001.JPG"), 64, 48, Shot("2020:04:01 09:05:07")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("c/IMG_0001.JPG"), 64, 48, Shot("2020:04:01 12:00:00")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("d/img_0001.jpg"), 64, 48, Shot("2020:04:01 09:05:07")));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a/IMG_0001.JPG")));
    EXPECT_FALSE(p.ImportPhoto(f.Source("b/IMG_0001.JPG")));  // same name and shot time
    EXPECT_TRUE(p.ImportPhoto(f.Source("c/IMG_0001.JPG")));   // same name, another time
    EXPECT_TRUE(p.ImportPhoto(f.Source("d/img_0001.jpg")));   // names differ in case

    // Without the shot-time option a name match alone refuses; without the name option nothing does.
    p.importSettings.alsoSameShotTime = 0;
    EXPECT_FALSE(p.ImportPhoto(f.Source("c/IMG_0001.JPG")));
    p.importSettings.skipSameName = 0;
    EXPECT_TRUE(p.ImportPhoto(f.Source("b/IMG_0001.JPG")));
    EXPECT_EQ(p.photos.photos.size(), 4u);
}

TEST(PhotoImport, TheDateFilterKeepsDatesWithinInclusiveLimits)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 0;
    p.importSettings.dateFilter = 1;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("mar31.jpg"), 64, 48, Shot("2020:03:31 23:59:59")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("apr01.jpg"), 64, 48, Shot("2020:04:01 00:00:00")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("apr02.jpg"), 64, 48, Shot("2020:04:02 12:00:00")));
    ASSERT_TRUE(MakeCameraPhoto(f.Source("undated.jpg"), 64, 48));
    struct Case
    {
        const char* from;
        const char* to;
        const char* source;
        bool imported;
    };
    const Case cases[] = {
        {"", "", "apr02.jpg", true},
        {"", "", "undated.jpg", false},
        {"2020/04/01", "2020/04/01", "apr01.jpg", true},
        {"2020/04/01", "2020/04/01", "mar31.jpg", false},
        {"2020/04/01", "2020/04/01", "apr02.jpg", false},
        {"0000/01/01", "2020/04/01", "mar31.jpg", true},  // a limit of year 0 is no limit
        {"いつでも", "2020/04/02", "apr02.jpg", true},    // a limit that does not parse is no limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.to + " " + c.source);
        p.importSettings.fromDate = QString::fromUtf8(c.from);
        p.importSettings.toDate = QString::fromUtf8(c.to);
        EXPECT_EQ(p.ImportPhoto(f.Source(c.source)), c.imported);
    }
    // Refused photos took no id and left no file.
    EXPECT_EQ(p.photos.nextId, 5);
    EXPECT_EQ(f.PhotoFiles().size(), 4);
}

TEST(PhotoImport, DirectionIsDroppedUnlessTakenAndIdsAreNeverReused)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 0;
    p.importSettings.takeDirection = 0;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("a.jpg"), 64, 48, Shot("2020:04:01 09:05:07")));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    EXPECT_EQ(p.photos.photos[0].direction, kUnset);
    EXPECT_TRUE(p.photos.photos[0].HasPosition());

    ASSERT_TRUE(p.DeletePhoto(1));
    EXPECT_FALSE(p.DeletePhoto(1));
    for (const QString& folder : {p.PhotoFolder(), p.ThumbFolderS(), p.ThumbFolderM(), p.ThumbFolderL()}) {
        EXPECT_FALSE(QFile::exists(folder + "p000001.jpg"));
        EXPECT_TRUE(QFile::exists(folder + "p000002.jpg"));
    }
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    EXPECT_EQ(p.photos.photos.back().id, 3);
}

TEST(PhotoImport, ADateOffTheCalendarIsNoDate)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 0;
    const struct
    {
        const char* dateTime;
        const char* date;
    } cases[] = {
        {"0000:00:00 00:00:00", ""},
        {"2023:02:29 10:00:00", ""},
        {"2024:02:29 10:00:00", "2024/02/29"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dateTime);
        ASSERT_TRUE(MakeCameraPhoto(f.Source("d.jpg"), 64, 48, Shot(QString::fromLatin1(c.dateTime))));
        ASSERT_TRUE(p.ImportPhoto(f.Source("d.jpg")));
        EXPECT_EQ(p.photos.photos.back().date, QString::fromLatin1(c.date));
        EXPECT_TRUE(p.photos.photos.back().HasPosition());
    }
}

TEST(PhotoImport, DeletingAPhotoRemovesEveryReferenceToItFromTheMapsButNotTheSiteMaps)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 0;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("a.jpg"), 64, 48, Shot("2020:04:01 09:05:07")));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    LocationMap map;
    PlacedPhoto placed;
    for (std::int32_t id : {1, 2}) {
        placed.photoId = id;
        ASSERT_TRUE(map.photos.Add(placed));
    }
    // A survey item may show one photo in two rows; both rows go with the photo.
    map.reservoir.items[0].photoRows = {{1, "a"}, {2, "b"}, {1, "c"}};
    p.maps.maps.push_back(map);
    p.siteMaps.maps.push_back(map);

    ASSERT_TRUE(p.DeletePhoto(1));
    const LocationMap& after = p.maps.maps[0];
    EXPECT_EQ(after.photos.IndexOfPhoto(1), -1);
    EXPECT_EQ(after.photos.IndexOfPhoto(2), 0);
    ASSERT_EQ(after.reservoir.items[0].photoRows.size(), 1u);
    EXPECT_EQ(after.reservoir.items[0].photoRows[0].photoId, 2);
    EXPECT_EQ(p.siteMaps.maps[0].photos.Count(), 2);
}

TEST(PhotoImport, RemakeThumbnailsWritesAllThreeFromTheStoredCopy)
{
    ProjectFixture f;
    Project& p = f.project;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("a.jpg"), 1200, 900, Shot("2020:04:01 09:05:07", 6)));
    ASSERT_TRUE(p.ImportPhoto(f.Source("a.jpg")));
    for (const QString& folder : {p.ThumbFolderS(), p.ThumbFolderM(), p.ThumbFolderL()})
        ASSERT_TRUE(QFile::remove(folder + "p000001.jpg"));
    EXPECT_TRUE(p.RemakeThumbnails(0));
    EXPECT_EQ(f.ThumbSize(p.ThumbFolderS(), 1), QSize(48, 64));
    EXPECT_EQ(f.ThumbSize(p.ThumbFolderM(), 1), QSize(120, 160));
    EXPECT_EQ(f.ThumbSize(p.ThumbFolderL(), 1), QSize(240, 320));
    EXPECT_FALSE(p.RemakeThumbnails(1));
    EXPECT_FALSE(p.RemakeThumbnails(-1));
    // Without its thumbnail folder, not every thumbnail can be written.
    ASSERT_TRUE(QDir(p.ThumbFolderM()).removeRecursively());
    EXPECT_FALSE(p.RemakeThumbnails(0));
}

TEST(PhotoImport, APhotoWhoseDataEndsEarlyOrThatClaimsTooManyPixelsIsRefused)
{
    ProjectFixture f;
    Project& p = f.project;
    p.importSettings.skipSameName = 0;
    ASSERT_TRUE(MakeCameraPhoto(f.Source("good.jpg"), 640, 480, Shot("2020:04:01 09:05:07")));
    const QByteArray good = ReadAll(f.Source("good.jpg"));
    const QByteArray small = damagedjpeg::Plain(32, 32);
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"1 KB claiming 16000 x 16000", damagedjpeg::ClaimingSize(small, 16000, 16000)},
        {"1 KB claiming 12000 x 12000", damagedjpeg::ClaimingSize(small, 12000, 12000)},
        {"truncated, end marker appended", damagedjpeg::TruncatedWithEnd(good)},
        {"stray bytes", damagedjpeg::WithStrayBytes(good)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_LT(c.bytes.size(), 100 * 1024);
        WriteAll(f.Source("bad.jpg"), c.bytes);
        EXPECT_FALSE(p.ImportPhoto(f.Source("bad.jpg")));
    }
    EXPECT_TRUE(f.PhotoFiles().isEmpty());
    ASSERT_TRUE(p.ImportPhoto(f.Source("good.jpg")));
    EXPECT_EQ(p.photos.photos.back().id, 1);
}
