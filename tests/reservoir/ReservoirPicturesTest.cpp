#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "DamagedJpeg.h"
#include "TempFolder.h"
#include "model/Project.h"
#include "reservoir/ReservoirPictures.h"

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WritePng(const QString& path, int width = 40, int height = 30)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    return picture.save(path, "PNG");
}

// A project with a folder and a name, its folder made.
struct ProjectInFolder
{
    ProjectInFolder()
    {
        project.folder = temp.path() + QStringLiteral("/現場/");
        project.name = QStringLiteral("工事");
        QDir().mkpath(project.folder);
    }
    TempFolder temp;
    Project project;
};

std::uint32_t Grey(const QImage& picture, int x, int y)
{
    return qRed(picture.pixel(x, y));
}

}  // namespace

TEST(ReservoirPictures, CopiesNeverOverwriteAndCountFromZero)
{
    ProjectInFolder site;
    const QString source = site.temp.file(QStringLiteral("a.png"));
    ASSERT_TRUE(WritePng(source));
    ReservoirPictureFile file(ReservoirImageFolder(site.project));
    EXPECT_EQ(file.folder, site.project.folder + QStringLiteral("image/"));
    QStringList names;
    for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(CopyPictureIntoReservoirFolder(file, source));
        names.append(file.fileName);
    }
    EXPECT_EQ(names, (QStringList{"a.png", "a_0.png", "a_1.png"}));
    EXPECT_EQ(QDir(file.folder).entryList(QDir::Files).size(), 3);

    EXPECT_FALSE(CopyPictureIntoReservoirFolder(file, site.temp.file(QStringLiteral("gone.png"))));
    EXPECT_TRUE(file.fileName.isEmpty());
}

TEST(ReservoirPictures, ProjectWithoutPathHasNoFolderAndCopiesNothing)
{
    TempFolder temp;
    const QString source = temp.file(QStringLiteral("a.png"));
    ASSERT_TRUE(WritePng(source));
    Project project;
    EXPECT_TRUE(ReservoirImageFolder(project).isEmpty());
    ReservoirPictureFile file(ReservoirImageFolder(project));
    EXPECT_FALSE(CopyPictureIntoReservoirFolder(file, source));
    QImage picture;
    EXPECT_FALSE(file.Load(picture, QStringLiteral("a.png")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("image")));
    EXPECT_EQ(LoadReservoirPicture(project, QStringLiteral("a.png")).size(), QSize(800, 600));
}

TEST(ReservoirPictures, PlaceholderIsAnEightyPixelCheckerboard)
{
    const QImage placeholder = ReservoirPlaceholder();
    ASSERT_EQ(placeholder.size(), QSize(800, 600));
    EXPECT_EQ(placeholder.depth(), 24);
    EXPECT_EQ(Grey(placeholder, 0, 0), 120u);
    EXPECT_EQ(Grey(placeholder, 79, 79), 120u);
    EXPECT_EQ(Grey(placeholder, 80, 0), 100u);
    EXPECT_EQ(Grey(placeholder, 0, 80), 100u);
    EXPECT_EQ(Grey(placeholder, 80, 80), 120u);
    EXPECT_EQ(Grey(placeholder, 799, 599), 120u);  // column 9, row 7
    EXPECT_EQ(Grey(placeholder, 799, 519), 100u);  // column 9, row 6
}

// A chosen picture is read whole and within bounds, or refused with the reason.
TEST(ReservoirPictures, ChosenPicturesAreReadOrRefusedWithTheReason)
{
    TempFolder temp;
    const QByteArray jpeg = damagedjpeg::Plain(320, 240);
    const struct
    {
        const char* name;
        QByteArray bytes;  // empty: the file is not made
        SurveyPictureRead expected;
    } cases[] = {
        {"gone.png", {}, SurveyPictureRead::kMissing},
        {"photo.jpg", jpeg, SurveyPictureRead::kRead},
        {"cut.jpg", jpeg.left(jpeg.size() * 6 / 10), SurveyPictureRead::kUnreadable},
        {"cut_with_end.jpg", damagedjpeg::TruncatedWithEnd(jpeg), SurveyPictureRead::kUnreadable},
        {"text.png", QByteArray("this is not a picture\n"), SurveyPictureRead::kUnreadable},
        {"huge.jpg", damagedjpeg::ClaimingSize(jpeg, 20000, 20000), SurveyPictureRead::kTooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = temp.file(QString::fromUtf8(c.name));
        if (!c.bytes.isEmpty()) {
            ASSERT_TRUE(WriteFile(path, c.bytes));
        }
        QImage picture;
        EXPECT_EQ(ReadSurveyPicture(path, QSize(), picture), c.expected);
        EXPECT_EQ(picture.isNull(), c.expected != SurveyPictureRead::kRead);
    }
    const QString png = temp.file(QStringLiteral("good.png"));
    ASSERT_TRUE(WritePng(png, 400, 100));
    QImage picture;
    ASSERT_EQ(ReadSurveyPicture(png, QSize(200, 200), picture), SurveyPictureRead::kRead);
    EXPECT_EQ(picture.size(), QSize(200, 50));
}

// A table picture that cannot be read, or a stored name that leaves the image folder, shows the
// placeholder; a good one is read.
TEST(ReservoirPictures, StoredPicturesThatCannotBeShownGiveThePlaceholder)
{
    ProjectInFolder site;
    const QString folder = ReservoirImageFolder(site.project);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WritePng(folder + QStringLiteral("good.png")));
    ASSERT_TRUE(WriteFile(folder + QStringLiteral("bad.jpg"), damagedjpeg::Plain(64, 64).left(300)));
    ASSERT_TRUE(WritePng(site.project.folder + QStringLiteral("outside.png")));
    EXPECT_EQ(LoadReservoirPicture(site.project, QStringLiteral("good.png")).size(), QSize(40, 30));
    for (const QString& name : {QStringLiteral("bad.jpg"), QStringLiteral("missing.png"), QString(),
                                QStringLiteral("../outside.png"), QStringLiteral("..")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(LoadReservoirPicture(site.project, name).size(), QSize(800, 600));
    }
}

// A picture a table of another map still names (a copied map) stays on disk.
TEST(ReservoirPictures, NamedPicturesAreKept)
{
    ProjectInFolder site;
    const QString folder = ReservoirImageFolder(site.project);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WritePng(folder + QStringLiteral("shared.png")));
    LocationMap map;
    map.reservoir.items[4].pictureFile = QStringLiteral("shared.png");
    site.project.maps.maps.push_back(map);

    EXPECT_FALSE(RemoveUnnamedReservoirPicture(site.project, QStringLiteral("shared.png")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("shared.png")));
    site.project.maps.maps[0].reservoir.items[4].pictureFile.clear();
    EXPECT_TRUE(RemoveUnnamedReservoirPicture(site.project, QStringLiteral("shared.png")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("shared.png")));
    // Nothing outside the image folder is ever removed.
    ASSERT_TRUE(WritePng(site.project.folder + QStringLiteral("outside.png")));
    EXPECT_FALSE(RemoveUnnamedReservoirPicture(site.project, QStringLiteral("../outside.png")));
    EXPECT_TRUE(QFileInfo::exists(site.project.folder + QStringLiteral("outside.png")));
}
