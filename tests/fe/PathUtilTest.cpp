#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TempFolder.h"
#include "fe/AppFolders.h"
#include "fe/PathUtil.h"

TEST(PathUtil, SplitTable)
{
    struct Case
    {
        QString path, folder, name, extension, fileName;
    };
    const Case cases[] = {
        {"/home/u/site/p000001.jpg", "/home/u/site/", "p000001", "jpg", "p000001.jpg"},
        {"/home/u/現場.tar.kvr2", "/home/u/", "現場.tar", "kvr2", "現場.tar.kvr2"},
        {"noext", "", "noext", "", "noext"},
        {"/folder/", "/folder/", "", "", ""},
        {"C:\\data\\map.png", "C:\\data\\", "map", "png", "map.png"},
        {"/a.b/c", "/a.b/", "c", "", "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString drive = "x", folder, name, extension;
        EXPECT_TRUE(fe::SplitPath(c.path, drive, folder, name, extension));
        EXPECT_TRUE(drive.isEmpty());
        EXPECT_EQ(extension, c.extension.isEmpty() ? QString() : u'.' + c.extension);
        const fe::PathParts parts(c.path);
        EXPECT_EQ(parts.folder, c.folder);
        EXPECT_EQ(parts.name, c.name);
        EXPECT_EQ(parts.extension, c.extension);
        EXPECT_EQ(parts.FileName(), c.fileName);
    }
    EXPECT_EQ(fe::GetPathFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(fe::GetPathFileName("c.txt"), "c.txt");
    EXPECT_EQ(fe::GetPathFolder("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(fe::GetPathFolder("name"), "name");
}

TEST(PathUtil, StoredFileNamesResolveOnlyInsideTheirFolder)
{
    struct Case
    {
        QString folder, name, path;
    };
    const Case cases[] = {
        {"/p/image/", "fig.png", "/p/image/fig.png"},
        {"/p/image", "図面 1.png", "/p/image/図面 1.png"},
        {"/p/image/", "..fig.png", "/p/image/..fig.png"},  // dots inside a name are a name
        {"/p/image/", "../../outside/private.png", ""},
        {"/p/image/", "..", ""},
        {"/p/image/", ".", ""},
        {"/p/image/", "", ""},
        {"/p/image/", "/etc/passwd", ""},
        {"/p/image/", "sub/fig.png", ""},
        {"/p/image/", "..\\fig.png", ""},
        {"/p/image/", QStringLiteral("fig.png") + QChar(0) + QStringLiteral("x"), ""},
        {"", "fig.png", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(fe::StoredFilePath(c.folder, c.name), c.path);
    }
}

TEST(PathUtil, TempFolderLiesInTheWritableFolder)
{
    const QString temp = fe::GetTempFolderPath();
    EXPECT_EQ(temp, fe::GetWritableFolder() + "temp/");
    EXPECT_EQ(fe::MakeTempFolder(), temp);
    EXPECT_TRUE(QFileInfo(temp).isDir());
    EXPECT_EQ(fe::MakeTempFolder(), temp);  // an existing folder is fine
}

TEST(PathUtil, DeleteFolderTreeNeverFollowsLinks)
{
    TempFolder temp;
    QDir root(temp.path());
    ASSERT_TRUE(root.mkpath("outside/keep"));
    QFile::copy(KELVOR_SOURCE_DIR "/.clang-format", temp.file("outside/keep/file.txt"));
    ASSERT_TRUE(root.mkpath("tree/sub/deeper"));
    QFile(temp.file("tree/sub/a.txt")).open(QIODevice::WriteOnly);
    QFile(temp.file("tree/sub/deeper/写真.jpg")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(temp.file("outside"), temp.file("tree/link-to-folder")));
    ASSERT_TRUE(QFile::link(temp.file("outside/keep/file.txt"), temp.file("tree/sub/link-to-file")));
    ASSERT_TRUE(QFile::link(temp.file("nowhere"), temp.file("tree/dangling")));
    ASSERT_TRUE(QFile::link(temp.file("outside"), temp.file("folder-link")));

    // A link given as the folder itself is left alone, also when written with a trailing '/'.
    EXPECT_EQ(fe::DeleteFolderTree(temp.file("folder-link")), 0);
    EXPECT_EQ(fe::DeleteFolderTree(temp.file("folder-link/")), 0);
    EXPECT_TRUE(QFileInfo::exists(temp.file("outside/keep/file.txt")));

    EXPECT_NE(fe::DeleteFolderTree(temp.file("tree/")), 0);
    EXPECT_FALSE(QFileInfo::exists(temp.file("tree")));
    EXPECT_TRUE(QFileInfo::exists(temp.file("outside/keep/file.txt")));

    EXPECT_EQ(fe::DeleteFolderTree(temp.file("tree")), 0);  // missing
    EXPECT_EQ(fe::DeleteFolderTree(QString()), 0);
    EXPECT_EQ(fe::DeleteFolderTree(temp.file("outside/keep/file.txt")), 0);  // not a folder
}
