#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <csignal>

#include "FileBytes.h"
#include "ProjectFileFixture.h"
#include "ProjectFileTestSupport.h"
#include "TempFolder.h"
#include "model/ProjectFile.h"
#include "model/ProjectResult.h"

namespace {

// A saved project in a folder of its own, to be saved over.
class SavedProject
{
public:
    SavedProject()
    {
        project.folder = m_temp.path() + QStringLiteral("/現場/");
        project.name = QStringLiteral("工事1");
        QDir().mkpath(project.folder);
        EXPECT_EQ(project.Save(), kProjectOk);
        savedBytes = ReadAll(project.ProjectFilePath());
    }

    // The file still holds what the first save wrote, and no temporary file was left behind.
    void ExpectUnchanged() const
    {
        EXPECT_EQ(ReadAll(project.ProjectFilePath()), savedBytes);
        EXPECT_EQ(QDir(project.folder).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("工事1.kvr2")});
    }

    QString root() const { return m_temp.path(); }

    Project project = MakeFullProject();
    QByteArray savedBytes;

private:
    TempFolder m_temp;
};

// Saves as a user without the right to write into read-only folders: as root, from a child process that
// gives up its privileges first.
int SaveWithoutPrivileges(const Project& project)
{
    if (geteuid() != 0)
        return project.Save();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(project.Save());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(ProjectSave, ProjectWithoutPathOrFolderIsNotSaved)
{
    TempFolder temp;
    Project project;
    EXPECT_EQ(project.Save(), kProjectUnsavedCannotOverwrite);
    project.folder = temp.path() + QStringLiteral("/missing/");
    EXPECT_EQ(project.Save(), kProjectUnsavedCannotOverwrite);
    project.name = QStringLiteral("p");
    EXPECT_EQ(project.Save(), kProjectPathMissing);
}

// A text longer than a record holds would make the file unreadable: the save fails and the old file stays.
TEST(ProjectSave, OverLongTextFailsTheSaveAndKeepsTheOldFile)
{
    const QString tooLong(8000, QChar(u'あ'));
    const struct
    {
        const char* what;
        void (*change)(Project&, const QString&);
        int expected;
    } cases[] = {
        {"placed photo comment",
         [](Project& p, const QString& t) { p.maps.maps[0].photos.entries[1].comment = t; },
         kProjectSaveFailed},
        {"item value", [](Project& p, const QString& t) { p.maps.maps[2].itemValues.texts[0] = t; },
         kProjectSaveFailed},
        {"reservoir row",
         [](Project& p, const QString& t) { p.maps.maps[3].reservoir.items[2].photoRows[0].description = t; },
         kProjectSaveFailed},
        {"map name", [](Project& p, const QString& t) { p.maps.maps[1].name = t; }, kProjectFileException},
        {"header value", [](Project& p, const QString& t) { p.headerValues.texts[4] = t; },
         kProjectFileException},
        {"site map comment", [](Project& p, const QString& t) { p.siteMaps.maps[0].commentLines = {t}; },
         kProjectFileException},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SavedProject saved;
        c.change(saved.project, tooLong);
        EXPECT_EQ(saved.project.Save(), c.expected);
        saved.ExpectUnchanged();
    }
    SavedProject saved;
    saved.project.maps.maps[0].name = QString(7999, QChar(u'x'));
    EXPECT_EQ(saved.project.Save(), kProjectOk);
}

TEST(ProjectSave, ReadOnlyFolderFailsTheSaveAndKeepsTheOldFile)
{
    SavedProject saved;
    saved.project.headerValues.texts[0] = QStringLiteral("変更後");
    QFile::setPermissions(saved.root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(saved.project.folder, readOnly));
    EXPECT_EQ(SaveWithoutPrivileges(saved.project), kProjectFileCannotOpen);
    QFile::setPermissions(saved.project.folder, readOnly | QFileDevice::WriteOwner);
    saved.ExpectUnchanged();
}

// A full disk, simulated by a file-size limit below the size of the new file.
TEST(ProjectSave, FailedWriteKeepsTheOldFile)
{
    SavedProject saved;
    saved.project.photos.photos.resize(400, saved.project.photos.photos[0]);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = saved.project.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, kProjectSaveFailed);
    saved.ExpectUnchanged();
}

TEST(ProjectLoad, PathsThatNameNoReadableFileGiveTheirCodes)
{
    TempFolder temp;
    QDir(temp.path()).mkdir(QStringLiteral("folder.kvr2"));
    const struct
    {
        QString path;
        int expected;
    } cases[] = {
        {QString(), kProjectFilePathError},
        {temp.path() + QStringLiteral("/"), kProjectFilePathError},
        {temp.path() + QStringLiteral("/noextension"), kProjectFilePathError},
        {temp.path() + QStringLiteral("/missing.kvr2"), kProjectFileNotFound},
        {temp.path() + QStringLiteral("/folder.kvr2"), kProjectFileCannotOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        Project project = MakeFullProject();
        EXPECT_EQ(LoadProject(project, c.path), c.expected);
        EXPECT_EQ(project.maps.Count(), 0);  // reset first
    }
}

TEST(ProjectLoad, OpensTheProjectFromItsFolderAndFindsThePlacedPhotos)
{
    SavedProject saved;
    Project loaded;
    ASSERT_EQ(LoadProject(loaded, saved.project.ProjectFilePath()), kProjectOk);
    EXPECT_EQ(loaded.name, QStringLiteral("工事1"));
    EXPECT_EQ(loaded.folder, saved.project.folder);
    const PlacedPhoto& entry = loaded.maps.maps[2].photos.entries[1];
    const PhotoRecord* photo = loaded.photos.Find(entry.photoId);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->id, entry.photoId);
    // Entries on web maps sat at their photos' positions, so loading changed nothing that is stored.
    Project copy = saved.project;
    copy.maps.maps.erase(copy.maps.maps.begin() + 1);  // the plane map's entries are recomputed on load
    loaded.maps.maps.erase(loaded.maps.maps.begin() + 1);
    EXPECT_EQ(WrittenBytes(loaded), WrittenBytes(copy));
}

TEST(ProjectLoad, FirstVersionFileOpensAndIsDeletedOnlyOnRequest)
{
    TempFolder temp;
    const QString oldFile = temp.file(QStringLiteral("旧現場.kvr"));
    {
        QFile file(oldFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ProjectFixtureFile(5));
    }
    Project project;
    ASSERT_EQ(LoadProject(project, oldFile), kProjectOk);
    EXPECT_EQ(project.fileVersion, 5);
    EXPECT_EQ(project.maps.maps[0].photos.entries[0].numberText, QStringLiteral("P5"));
    EXPECT_EQ(project.maps.maps[0].photos.entries.at(1).numberText, QString());
    ASSERT_EQ(project.Save(), kProjectOk);
    EXPECT_TRUE(QFile::exists(oldFile));
    DeleteV1ProjectFile(project);
    EXPECT_FALSE(QFile::exists(oldFile));
    EXPECT_TRUE(QFile::exists(project.ProjectFilePath()));

    Project reopened;
    ASSERT_EQ(LoadProject(reopened, project.ProjectFilePath()), kProjectOk);
    EXPECT_EQ(reopened.fileVersion, 8);
    EXPECT_EQ(reopened.maps.maps[0].photos.entries[0].numberText, QStringLiteral("P5"));
    EXPECT_EQ(reopened.maps.maps[0].photos.entries.at(1).numberText, QString());
}
