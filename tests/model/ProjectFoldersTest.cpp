// The project folder: creating it, its path functions, PhotoBounds.txt and the picture loaders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "ModelFixtures.h"
#include "TempFolder.h"
#include "fe/PathUtil.h"
#include "fe/SimpleDate.h"
#include "fe/img/Image.h"
#include "model/Project.h"
#include "model/ProjectResult.h"

namespace {

const char* const kSubFolders[] = {"map",        "photo", "photomini", "photominiM",
                                   "photominiL", "excel", "cad",       "shapefile"};

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

TEST(ProjectCreateNew, LaysOutTheProjectFolder)
{
    TempFolder parent;
    Project project;
    // The parent is given without a trailing separator: the project still goes inside it.
    EXPECT_EQ(project.CreateNew("橋梁点検", parent.path()), kProjectOk);
    EXPECT_EQ(Entries(parent.path()), QStringList{"橋梁点検"});

    const QString folder = parent.path() + "/橋梁点検/";
    EXPECT_EQ(project.folder, folder);
    EXPECT_EQ(project.name, QStringLiteral("橋梁点検"));
    for (const char* sub : kSubFolders) {
        EXPECT_TRUE(QFileInfo(folder + sub).isDir()) << sub;
    }
    EXPECT_EQ(project.MapFolder(), folder + "map/");
    EXPECT_EQ(project.PhotoFolder(), folder + "photo/");
    EXPECT_EQ(project.ThumbFolderS(), folder + "photomini/");
    EXPECT_EQ(project.ThumbFolderM(), folder + "photominiM/");
    EXPECT_EQ(project.ThumbFolderL(), folder + "photominiL/");
    EXPECT_EQ(project.ExcelFolder(), folder + "excel/");
    EXPECT_EQ(project.CadFolder(), folder + "cad/");
    EXPECT_EQ(project.ShapefileFolder(), folder + "shapefile/");
    EXPECT_EQ(project.ProjectFilePath(), folder + "橋梁点検.kvr2");
    EXPECT_TRUE(QFileInfo(project.ProjectFilePath()).isFile());  // saved at once

    // A project that has a path cannot be created again, and nothing new appears.
    EXPECT_EQ(project.CreateNew("別名", parent.path()), kProjectAlreadySaved);
    EXPECT_EQ(Entries(parent.path()), QStringList{"橋梁点検"});
    EXPECT_EQ(project.name, QStringLiteral("橋梁点検"));
}

TEST(ProjectCreateNew, RefusalsLeaveNothingBehind)
{
    TempFolder parent;
    ASSERT_TRUE(QDir(parent.path()).mkdir("既存"));
    struct Case
    {
        const char* name;
        int result;
    };
    const Case cases[] = {
        {"my project", kProjectNameHasBlank},      {"既存", kProjectFolderExists},
        {"../escape", kProjectFolderCreateFailed}, {"a/b", kProjectFolderCreateFailed},
        {"a\\b", kProjectFolderCreateFailed},      {"..", kProjectFolderCreateFailed},
        {".", kProjectFolderCreateFailed},
    };
    for (const Case& c : cases) {
        Project project;
        project.photos.nextId = 5;
        EXPECT_EQ(project.CreateNew(QString::fromUtf8(c.name), parent.path() + "/"), c.result) << c.name;
        EXPECT_FALSE(project.HasPath()) << c.name;
        EXPECT_EQ(project.photos.nextId, 1) << c.name;  // reset
        EXPECT_EQ(Entries(parent.path()), QStringList{"既存"}) << c.name;
    }
    EXPECT_EQ(Entries(QFileInfo(parent.path()).absolutePath()).filter("escape").size(), 0);

    Project project;
    project.photos.nextId = 5;
    EXPECT_EQ(project.CreateNew("p", parent.file("missing")), kProjectPathMissing);
    EXPECT_EQ(project.photos.nextId, 5);  // untouched
}

TEST(ProjectFolders, EmptyWithoutAPathAndTheDatedExcelFolder)
{
    Project project;
    EXPECT_EQ(project.DataFolder(), QString());
    EXPECT_EQ(project.MapFolder(), QString());
    EXPECT_EQ(project.ProjectFilePath(), QString());
    EXPECT_EQ(project.DatedExcelFolder(), QString());
    EXPECT_EQ(project.Save(), kProjectUnsavedCannotOverwrite);

    project.folder = "/data/工事/";
    project.name = "工事";
    fe::SimpleDate day;
    day.year = 2024;
    day.month = 3;
    day.day = 5;
    EXPECT_EQ(project.DatedExcelFolder(day), QStringLiteral("/data/工事/excel/20240305/"));
    EXPECT_TRUE(project.DatedExcelFolder().startsWith("/data/工事/excel/"));
    EXPECT_EQ(project.DatedExcelFolder().size(), QStringLiteral("/data/工事/excel/20240305/").size());
    EXPECT_EQ(project.Save(), kProjectPathMissing);
}

TEST(ProjectPhotoBounds, FourLinesNorthSouthEastWest)
{
    const QString path = fe::GetTempFolderPath() + "PhotoBounds.txt";
    QFile::remove(path);
    Project project;
    project.photos.photos.emplace_back(1);
    EXPECT_FALSE(project.WritePhotoBounds());
    EXPECT_FALSE(QFileInfo::exists(path));

    PhotoRecord half(2);
    half.position.latitude = 35.5;  // longitude unset: not positioned
    project.photos.photos.push_back(half);
    EXPECT_FALSE(project.WritePhotoBounds());
    EXPECT_FALSE(QFileInfo::exists(path));

    PhotoRecord photo(3);
    photo.position = fe::geo::GeoPoint(135.0, 35.0);
    project.photos.photos.push_back(photo);
    ASSERT_TRUE(project.WritePhotoBounds());
    EXPECT_EQ(ReadBytes(path), QByteArray("35.000000\r\n35.000000\r\n135.000000\r\n135.000000\r\n"));

    photo.id = 4;
    photo.position = fe::geo::GeoPoint(136.6, 35.1);
    project.photos.photos.push_back(photo);
    photo.id = 5;
    photo.position = fe::geo::GeoPoint(136.5, 35.2);
    project.photos.photos.push_back(photo);
    project.photos.photos.erase(project.photos.photos.begin() + 2);
    {
        DecimalCommaLocale locale;
        ASSERT_TRUE(locale.Active());
        ASSERT_TRUE(project.WritePhotoBounds());
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("35.200000\r\n35.100000\r\n136.600000\r\n136.500000\r\n"));
}

TEST(ProjectPictures, MissingFilesGiveThePlaceholderNamingThem)
{
    TempFolder parent;
    Project project;
    ASSERT_EQ(project.CreateNew("p", parent.path()), kProjectOk);
    ASSERT_TRUE(project.HasPath());
    project.photos.photos.emplace_back(12);
    ASSERT_TRUE(WritePicture(project.PhotoFolder() + "p000012.jpg", 64, 48));
    project.photos.photos.emplace_back(13);  // its file is missing

    fe::img::Image picture;
    ASSERT_TRUE(project.LoadPhotoImage(picture, 0));
    EXPECT_EQ(std::make_pair(picture.Width(), picture.Height()), std::make_pair(64, 48));
    EXPECT_FALSE(project.LoadPhotoImage(picture, 2));
    EXPECT_FALSE(project.LoadPhotoImage(picture, -1));

    ASSERT_TRUE(project.LoadPhotoImage(picture, 1));
    EXPECT_EQ(std::make_pair(picture.Width(), picture.Height()), std::make_pair(6000, 4000));

    // A registered picture map whose stored picture was deleted.
    LocationMap map = project.maps.MakeNewMap();
    map.kind = 1;
    map.pictureFormat = 1;
    project.maps.Append(map);
    ASSERT_TRUE(project.maps.AddWebMap(2, Rect2(135, 34, 136, 35), 12, false));
    ASSERT_TRUE(project.LoadMapImage(picture, 0));
    EXPECT_EQ(std::make_pair(picture.Width(), picture.Height()), std::make_pair(6000, 4000));
    EXPECT_EQ(picture.Pixel(0, 0), 0x000000u);        // outline
    EXPECT_EQ(picture.Pixel(5999, 3999), 0x000000u);  // outline, right and bottom edges
    EXPECT_EQ(picture.Pixel(100, 100), 0x787878u);    // checker cell (0, 0)
    EXPECT_EQ(picture.Pixel(300, 100), 0x646464u);    // cell (0, 1)
    EXPECT_EQ(picture.Pixel(300, 300), 0x787878u);    // cell (1, 1)
    EXPECT_EQ(picture.Pixel(199, 100), 0x787878u);    // a cell is 200 pixels wide
    EXPECT_EQ(picture.Pixel(200, 100), 0x646464u);
    int white = 0;
    for (int x = 1000; x < 5000; ++x) {
        for (int y = 2000; y < 2240; y += 4) {
            white += picture.Pixel(x, y) == 0xFFFFFFu;
        }
    }
    EXPECT_GT(white, 1000);                          // the white text below the centre
    EXPECT_FALSE(project.LoadMapImage(picture, 1));  // web map
    EXPECT_FALSE(project.LoadMapImage(picture, 2));
}

TEST(ProjectPictures, NothingIsLoadedWithoutAProjectFolder)
{
    Project project;
    project.photos.photos.emplace_back(1);
    fe::img::Image picture;
    EXPECT_FALSE(project.LoadPhotoImage(picture, 0));
    EXPECT_TRUE(picture.IsNull());
}
