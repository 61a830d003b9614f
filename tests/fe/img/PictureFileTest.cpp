#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <string>

#include "TempFolder.h"
#include "fe/AppFolders.h"
#include "fe/img/Image.h"
#include "fe/img/ImageCache.h"
#include "fe/img/PictureFile.h"

TEST(PictureFile, ExtensionKinds)
{
    const struct
    {
        const char* extension;
        int kind;
    } cases[] = {{"jpg", 0}, {"JPG", 0}, {"jpeg", 0}, {"JPEG", 0}, {"Jpg", 5},  {"png", 1},
                 {"PNG", 1}, {"gif", 2}, {"GIF", 2},  {"tif", 3},  {"TIFF", 3}, {"bmp", 4},
                 {"BMP", 4}, {"", 5},    {"jpe", 5},  {"Png", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ImageKindOfExtension(QString::fromLatin1(c.extension)), c.kind) << c.extension;
}

TEST(PictureFile, SaveImageWritesTheFormatTheExtensionNames)
{
    // The replacing save and the save of new scratch files choose formats and fail alike.
    TempFolder temp;
    fe::img::Image image;
    ASSERT_TRUE(image.Create(30, 20));
    image.Fill(0x00FF8000);
    image.SetPixel(0, 0, 0x000000FF);
    const fe::img::FileIO io;
    const struct
    {
        const char* name;
        bool (fe::img::FileIO::*save)(const QString&, const fe::img::Image&) const;
    } savers[] = {{"replacing", &fe::img::FileIO::SaveImage}, {"new", &fe::img::FileIO::SaveNewImage}};
    const struct
    {
        const char* name;
        const char* format;  // as Qt detects it from the content; null: the save must fail
    } cases[] = {{"a.jpg", "jpeg"}, {"a.JPEG", "jpeg"}, {"a.png", "png"}, {"a.Jpg", "png"},
                 {"a.bmp", "bmp"},  {"a.tif", "tiff"},  {"a.dat", "png"}, {"a.gif", nullptr}};
    for (const auto& saver : savers) {
        ASSERT_TRUE(QDir().mkpath(temp.file(QString::fromLatin1(saver.name))));
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(saver.name) + " " + c.name);
            const QString file =
                temp.file(QString::fromLatin1(saver.name) + u'/' + QString::fromLatin1(c.name));
            EXPECT_EQ((io.*saver.save)(file, image), c.format != nullptr);
            if (c.format == nullptr) {
                EXPECT_FALSE(QFile::exists(file));
                continue;
            }
            QImageReader reader(file);
            reader.setDecideFormatFromContent(true);
            EXPECT_EQ(reader.format(), QByteArray(c.format));
            const QImage back = reader.read();
            EXPECT_EQ(back.size(), QSize(30, 20));
            if (QByteArray(c.format) != "jpeg") {
                EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 255));
            }
            int width = 0;
            int height = 0;
            EXPECT_TRUE(io.GetImageSize(width, height, file));
            EXPECT_EQ(QSize(width, height), QSize(30, 20));
        }
    }
}

TEST(PictureFile, SaveNewImageNeverTouchesAFileThatIsThere)
{
    TempFolder temp;
    fe::img::Image image;
    ASSERT_TRUE(image.Create(4, 4));
    const QString file = temp.file(QStringLiteral("x.png"));
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("someone's file");
    existing.close();

    const fe::img::FileIO io;
    EXPECT_FALSE(io.SaveNewImage(file, image));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("someone's file"));
    existing.close();
    EXPECT_FALSE(io.SaveNewImage(temp.file(QStringLiteral("no/such/folder/x.png")), image));
    EXPECT_FALSE(fe::img::FileIO(fe::img::FileIO::NotStarted{})
                     .SaveNewImage(temp.file(QStringLiteral("y.png")), image));
    EXPECT_FALSE(QFile::exists(temp.file(QStringLiteral("y.png"))));
}

TEST(PictureFile, FailuresAreReported)
{
    TempFolder temp;
    fe::img::Image image;
    ASSERT_TRUE(image.Create(4, 4));
    const QString file = temp.file(QStringLiteral("x.png"));

    fe::img::FileIO stopped{fe::img::FileIO::NotStarted{}};
    EXPECT_EQ(stopped.Status(), fe::img::FileIO::kNotStarted);
    EXPECT_FALSE(stopped.SaveImage(file, image));
    ASSERT_TRUE(fe::img::FileIO().SaveImage(file, image));
    int width = -1;
    int height = -1;
    EXPECT_FALSE(stopped.GetImageSize(width, height, file));

    QFile text(temp.file(QStringLiteral("note.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    fe::img::FileIO io;
    EXPECT_FALSE(io.GetImageSize(width, height, text.fileName()));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_FALSE(io.GetImageSize(width, height, temp.file(QStringLiteral("missing.png"))));
    EXPECT_FALSE(io.SaveImage(temp.file(QStringLiteral("no/such/folder/x.png")), image));
}

TEST(ImageCache, EachCacheHasAPrivateFolderThatGoesWithIt)
{
    fe::img::ImageCache first;
    fe::img::ImageCache second;
    EXPECT_TRUE(first.Path().isEmpty());
    EXPECT_EQ(first.Files().Status(), fe::img::FileIO::kNotStarted);
    ASSERT_TRUE(first.Create());
    ASSERT_TRUE(second.Create());
    EXPECT_TRUE(first.Path().startsWith(fe::GetWritableFolder() + QStringLiteral("imgcache-")));
    EXPECT_TRUE(first.Path().endsWith(u'/'));
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_EQ(first.Files().Status(), fe::img::FileIO::kRunning);

    QString saved;
    const QImage picture(20, 10, QImage::Format_RGB32);
    ASSERT_TRUE(second.SaveImage(picture, 0, saved));
    EXPECT_EQ(saved, second.Path() + QStringLiteral("img0.jpg"));
    EXPECT_FALSE(second.SaveImage(picture, 5, saved));  // unknown type: nothing saved, number kept
    ASSERT_TRUE(second.SaveImage(picture, 1, saved));
    EXPECT_EQ(saved, second.Path() + QStringLiteral("img1.png"));
    // Each scratch picture reads back whole, in the format of its type; a type without a writer (GIF)
    // fails and leaves nothing, while its number is used up.
    const struct
    {
        int type;
        const char* file;
        const char* format;
    } scratch[] = {{0, "img2.jpg", "jpeg"},
                   {1, "img3.png", "png"},
                   {2, "img4.gif", nullptr},
                   {3, "img5.tif", "tiff"},
                   {4, "img6.bmp", "bmp"}};
    for (const auto& c : scratch) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(second.SaveImage(picture, c.type, saved), c.format != nullptr);
        EXPECT_EQ(saved, second.Path() + QString::fromLatin1(c.file));
        EXPECT_EQ(QFile::exists(saved), c.format != nullptr);
        if (c.format == nullptr)
            continue;
        QImageReader reader(saved);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray(c.format));
        EXPECT_EQ(reader.read().size(), QSize(20, 10));
    }
    EXPECT_EQ(QDir(second.Path()).entryList(QDir::Files).size(), 6);  // img0..img6 without the GIF

    // Making the first cache again or removing it never touches the second run's pictures.
    const QString firstPath = first.Path();
    ASSERT_TRUE(first.Create());
    EXPECT_FALSE(QDir(firstPath).exists());
    EXPECT_EQ(first.NextNumber(), 0);
    first.Remove();
    EXPECT_TRUE(first.Path().isEmpty());
    EXPECT_FALSE(first.SaveImage(picture, 0, saved));
    EXPECT_TRUE(QFile::exists(second.Path() + QStringLiteral("img1.png")));

    const QString secondPath = second.Path();
    second.Remove();
    EXPECT_FALSE(QDir(secondPath).exists());
}

TEST(ImageCache, RemovingNeverDeletesThroughALink)
{
    TempFolder temp;
    ASSERT_TRUE(QDir().mkpath(temp.file(QStringLiteral("outside"))));
    QFile keep(temp.file(QStringLiteral("outside/keep.png")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    QString path;
    {
        fe::img::ImageCache cache;
        ASSERT_TRUE(cache.Create());
        path = cache.Path();
        ASSERT_TRUE(QFile::link(temp.file(QStringLiteral("outside")), path + QStringLiteral("inner")));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QFile::exists(temp.file(QStringLiteral("outside/keep.png"))));
}
