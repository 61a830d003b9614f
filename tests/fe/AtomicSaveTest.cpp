#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

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

// The final commit can fail after every write went well: the folder is removed, or the target's name
// is taken by a folder, in the meantime. The save must then say so instead of reporting a saved file.
TEST(AtomicSave, ACommitThatCannotPutTheFileInPlaceFails)
{
    const struct
    {
        const char* what;
        void (*change)(const QString& folder, const QString& target);
    } cases[] = {
        {"folder removed", [](const QString& folder, const QString&) { QDir(folder).removeRecursively(); }},
        {"target replaced by a folder",
         [](const QString&, const QString& target) {
             QFile::remove(target);
             QDir().mkpath(target + "/inside");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        const QString folder = temp.file("現場");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString target = folder + "/現場.kvr2";
        ASSERT_TRUE(fe::SaveBytesAtomically(target, "old"));

        fe::AtomicSave save(target);
        ASSERT_TRUE(save.isOpen());
        ASSERT_TRUE(save.write(QByteArray(100000, 'n')));
        c.change(folder, target);
        EXPECT_FALSE(save.commit());
        EXPECT_FALSE(save.errorText().isEmpty());
        EXPECT_FALSE(QFileInfo(target).isFile());
        if (QFileInfo(folder).isDir()) {
            EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }
}

TEST(AtomicSave, KeepsThePermissionsOfTheFileItReplaces)
{
    TempFolder temp;
    const QString path = temp.file("settings.bin");
    ASSERT_TRUE(fe::SaveBytesAtomically(path, "old"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(fe::SaveBytesAtomically(path, "new"));
    EXPECT_EQ(ReadAll(path), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

// A save killed between putting its flushed temporary file into the folder and renaming it leaves the
// temporary file behind. The next save or open of the same target removes exactly those files.
TEST(AtomicSave, TheNextSaveRemovesLeftoversOfItsOwnNamingOnly)
{
    const QString target = QStringLiteral("[現場]*.kvr2");  // wildcard characters are plain text here
    const struct
    {
        const char* name;
        bool removed;
    } cases[] = {
        {"[現場]*.kvr2.saving-Ab12Cd", true},
        {"[現場]*.kvr2.saving-000000", true},
        {"[現場]*.kvr2.backup", false},
        {"[現場]*.kvr2.saving-Ab12C", false},
        {"[現場]*.kvr2.saving-Ab12Cd7", false},
        {"[現場]*.kvr2.saving-Ab1_Cd", false},
        {"[現場]*.kvr2.saving-Ab12Cd.txt", false},
        {"[現場]*.kvr2.Ab12Cd", false},
        {"現場.kvr2.saving-Ab12Cd", false},
        {"[現場]x.kvr2.saving-Ab12Cd", false},
        {"[現場]*.kvr.saving-Ab12Cd", false},
    };
    for (bool bySave : {true, false}) {
        SCOPED_TRACE(bySave ? "save" : "open");
        TempFolder temp;
        for (const auto& c : cases)
            WriteAll(temp.file(QString::fromUtf8(c.name)), "a whole project");
        // A folder of that form is no file of the saver's.
        ASSERT_TRUE(QDir().mkpath(temp.file(target + ".saving-Folder")));
        if (bySave)
            ASSERT_TRUE(fe::SaveBytesAtomically(temp.file(target), "new"));
        else
            fe::RemoveSaveLeftovers(temp.file(target));
        for (const auto& c : cases)
            EXPECT_EQ(QFileInfo::exists(temp.file(QString::fromUtf8(c.name))), !c.removed) << c.name;
        EXPECT_TRUE(QFileInfo(temp.file(target + ".saving-Folder")).isDir());
    }
}
