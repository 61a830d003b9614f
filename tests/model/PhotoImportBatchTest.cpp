#include <gtest/gtest.h>

#include <QDir>

#include "CameraPhotos.h"
#include "DamagedJpeg.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "model/PhotoImportBatch.h"
#include "model/Project.h"

namespace {

CameraShot Shot(const char* dateTime, int orientation)
{
    CameraShot shot;
    shot.longitude = 139.5;
    shot.latitude = 35.25;
    shot.direction = 10.0 * orientation;
    shot.dateTime = QString::fromLatin1(dateTime);
    shot.orientation = orientation;
    return shot;
}

// A camera card of good, turned, duplicate, damaged and foreign files, in the order a folder lists them.
QStringList MakeCard(const TempFolder& temp)
{
    const QString card = temp.file(QStringLiteral("card/"));
    QStringList files;
    const auto add = [&](const QString& name) {
        files.append(card + name);
        return card + name;
    };
    for (int i = 1; i <= 8; ++i) {
        const int orientation = (i % 4 == 1) ? 1 : (i % 4 == 2) ? 6 : (i % 4 == 3) ? 3 : 8;
        EXPECT_TRUE(MakeCameraPhoto(add(QStringLiteral("IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'))),
                                    200 + 16 * i, 150, Shot("2020:04:01 09:05:07", orientation)));
    }
    // The same name and shot time again from a second folder, and the same name at another time.
    EXPECT_TRUE(
        MakeCameraPhoto(add(QStringLiteral("again/IMG_0003.JPG")), 64, 48, Shot("2020:04:01 09:05:07", 1)));
    EXPECT_TRUE(
        MakeCameraPhoto(add(QStringLiteral("later/IMG_0004.JPG")), 64, 48, Shot("2020:04:02 10:00:00", 1)));
    const QByteArray good = damagedjpeg::Plain(320, 240);
    WriteAll(add(QStringLiteral("truncated.jpg")), damagedjpeg::TruncatedWithEnd(good));
    WriteAll(add(QStringLiteral("huge.jpg")), damagedjpeg::ClaimingSize(good, 16000, 16000));
    WriteAll(add(QStringLiteral("notes.jpg")), "not a picture\r\n");
    WriteAll(add(QStringLiteral("plain.png")), good);
    add(QStringLiteral("missing.jpg"));
    EXPECT_TRUE(
        MakeCameraPhoto(add(QStringLiteral("IMG_0013.JPG")), 300, 400, Shot("2020:04:03 08:00:00", 1)));
    // The first file once more: refused as a duplicate of a photo imported in the same batch.
    files.append(files.first());
    return files;
}

struct Imported
{
    TempFolder parent;
    Project project;
    std::vector<bool> results;

    // With `onlyDay`, the import takes only the photos shot on that day ("yyyy/MM/dd").
    Imported(const QStringList& files, int threads, const QString& onlyDay = QString())
    {
        EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), parent.path()), 0);
        project.importSettings.skipSameName = 1;
        project.importSettings.alsoSameShotTime = 1;
        if (!onlyDay.isEmpty()) {
            project.importSettings.dateFilter = 1;
            project.importSettings.fromDate = onlyDay;
            project.importSettings.toDate = onlyDay;
        }
        if (threads == 0) {
            for (const QString& file : files)
                results.push_back(project.ImportPhoto(file));
        } else {
            PhotoImportBatch batch(project, files, threads);
            while (!batch.AtEnd())
                results.push_back(batch.ImportNext());
        }
        EXPECT_EQ(project.Save(), 0);
    }

    // Every file of the project folder, by its path inside the folder: the project file holds every
    // record, the other folders the copies and thumbnails under their ids.
    std::map<QString, QByteArray> Files() const
    {
        std::map<QString, QByteArray> all;
        QDir folder(project.folder);
        for (const QString& sub : {QString(), QStringLiteral("photo"), QStringLiteral("photomini"),
                                   QStringLiteral("photominiM"), QStringLiteral("photominiL")}) {
            for (const QString& name :
                 QDir(folder.filePath(sub)).entryList(QDir::Files | QDir::Hidden, QDir::Name))
                all[sub + u'/' + name] = ReadAll(folder.filePath(sub + u'/' + name));
        }
        return all;
    }
};

}  // namespace

TEST(PhotoImportBatch, ImportsTheSameIdsRecordsAndFilesAsOneByOneWhateverTheThreads)
{
    TempFolder temp;
    const QStringList files = MakeCard(temp);
    const Imported oneByOne(files, 0);
    const auto expectedFiles = oneByOne.Files();
    ASSERT_EQ(oneByOne.project.photos.photos.size(), 10u);
    EXPECT_EQ(expectedFiles.size(), 1u + 4u * 10u);  // the project file and four files a photo

    for (int threads : {1, 8}) {
        SCOPED_TRACE(threads);
        const Imported batch(files, threads);
        EXPECT_EQ(batch.results, oneByOne.results);
        EXPECT_EQ(batch.project.photos.nextId, oneByOne.project.photos.nextId);
        const auto got = batch.Files();
        EXPECT_EQ(got.size(), expectedFiles.size());
        for (const auto& [name, bytes] : expectedFiles) {
            SCOPED_TRACE(name.toStdString());
            ASSERT_TRUE(got.count(name));
            EXPECT_TRUE(got.at(name) == bytes);
        }
    }
}

TEST(PhotoImportBatch, TakesOnlyThePhotosShotWithinTheDateFilter)
{
    TempFolder temp;
    const QStringList card = MakeCard(temp);
    const QStringList files = {card.first(), card.filter(QStringLiteral("IMG_0013")).first()};  // 4/1 and 4/3
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        const Imported batch(files, threads, QStringLiteral("2020/04/01"));
        EXPECT_EQ(batch.results, (std::vector<bool>{true, false}));
        EXPECT_EQ(batch.project.photos.photos.size(), 1u);
    }
}

TEST(PhotoImportBatch, StoppingEarlyLeavesOnlyTheFilesImportedSoFar)
{
    TempFolder temp;
    const QStringList files = MakeCard(temp);
    TempFolder parent;
    Project project;
    ASSERT_EQ(project.CreateNew(QStringLiteral("p"), parent.path()), 0);
    {
        PhotoImportBatch batch(project, files, 4);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(batch.ImportNext());
        EXPECT_EQ(batch.NextFile(), files[3]);
    }  // the workers had prepared and staged files ahead: none of them may leave a trace
    EXPECT_EQ(project.photos.photos.size(), 3u);
    EXPECT_EQ(project.photos.nextId, 4);
    for (const QString& folder : {project.PhotoFolder(), project.ThumbFolderS(), project.ThumbFolderL()})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"p000001.jpg", "p000002.jpg", "p000003.jpg"}));
}

TEST(PhotoImportBatch, StartingRemovesStagedFilesAKilledImportLeftAndNothingElse)
{
    TempFolder temp;
    const QStringList files = MakeCard(temp);
    TempFolder parent;
    Project project;
    ASSERT_EQ(project.CreateNew(QStringLiteral("p"), parent.path()), 0);
    const QStringList folders = {project.PhotoFolder(), project.ThumbFolderS(), project.ThumbFolderM(),
                                 project.ThumbFolderL()};
    for (const QString& folder : folders) {
        WriteAll(folder + QStringLiteral(".import-00000000deadbeef.tmp"), "half a photo");
        WriteAll(folder + QStringLiteral("import-kept.tmp"), "not staged by an import");
    }
    {
        PhotoImportBatch batch(project, files.mid(0, 1), 1);
        EXPECT_TRUE(batch.ImportNext());
    }
    for (const QString& folder : folders)
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  QStringList({"import-kept.tmp", "p000001.jpg"}));
}
