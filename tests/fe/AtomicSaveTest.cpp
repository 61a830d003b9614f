#include <gtest/gtest.h>

#include <QDir>

#include "FileBytes.h"
#include "TempFolder.h"
#include "fe/AtomicSave.h"

TEST(AtomicSave, ReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    TempFolder temp;
    const QString path = temp.file("写真台帳.bin");
    ASSERT_TRUE(fe::SaveBytesAtomically(path, QByteArray(10000, 'a')));
    ASSERT_TRUE(fe::SaveBytesAtomically(path, QByteArray("short")));
    EXPECT_EQ(ReadAll(path), QByteArray("short"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"写真台帳.bin"});
}

TEST(AtomicSave, FailuresAreReportedAndKeepTheOldFile)
{
    TempFolder temp;
    QString error;
    EXPECT_FALSE(fe::SaveBytesAtomically(temp.file("missing/x.bin"), "x", &error));
    EXPECT_FALSE(error.isEmpty());

    const QString path = temp.file("keep.bin");
    ASSERT_TRUE(fe::SaveBytesAtomically(path, "old"));
    fe::AtomicSave save(path);
    ASSERT_TRUE(save.isOpen());
    EXPECT_TRUE(save.write(QByteArray("new")));
    save.markFailed(QStringLiteral("value refused"));
    EXPECT_FALSE(save.write(QByteArray("more")));
    EXPECT_FALSE(save.commit());
    EXPECT_EQ(save.errorText(), QStringLiteral("value refused"));
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.bin"});
}
