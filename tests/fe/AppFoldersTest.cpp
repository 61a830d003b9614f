#include <gtest/gtest.h>

#include <QFileInfo>

#include "TempFolder.h"
#include "fe/AppFolders.h"

TEST(AppFolders, WritableFolderCanBeRedirectedAndRestored)
{
    const QString before = fe::GetWritableFolder();
    ASSERT_TRUE(before.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo(before).isWritable());

    TempFolder temp;
    fe::SetWritableFolder(temp.path());
    EXPECT_EQ(fe::GetWritableFolder(), temp.path() + u'/');
    fe::SetWritableFolder(before);
    EXPECT_EQ(fe::GetWritableFolder(), before);
}

TEST(AppFolders, ExeFolderIsTheFolderOfThisProgram)
{
    const QString exe = fe::GetExeFolder();
    ASSERT_TRUE(exe.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo(exe + QStringLiteral("fe_tests")).exists());
}
