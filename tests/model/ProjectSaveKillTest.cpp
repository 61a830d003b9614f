// A program killed while it saves: a child process saves the project over and over and is killed at a
// random moment, many times. Every time the file holds one whole project, the last one saved or the one
// being saved, and what an interrupted save left beside it is gone after the next save.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <random>

#include "FileBytes.h"
#include "ProjectFileTestSupport.h"
#include "TempFolder.h"
#include "model/ProjectFile.h"
#include "model/ProjectResult.h"

namespace {

// Each save is told apart by a header text of its own, of a length that changes from save to save.
void MarkSave(Project& project, int number)
{
    project.headerValues.texts[0] = QString(number % 97, QChar(u'版')) + QString::number(number);
}

int SaveNumberOf(const Project& project)
{
    const QString& text = project.headerValues.texts[0];
    return text.mid(text.lastIndexOf(QChar(u'版')) + 1).toInt();
}

// Saves the project with the numbers first, first + 1, ... until killed, writing each number to the
// pipe once its save has returned (and -1 before the first one).
[[noreturn]] void SaveUntilKilled(Project project, int first, int pipe)
{
    const int started = -1;
    if (::write(pipe, &started, sizeof started) != sizeof started)
        _exit(2);
    for (int number = first;; ++number) {
        MarkSave(project, number);
        if (project.Save() != kProjectOk)
            _exit(1);
        if (::write(pipe, &number, sizeof number) != sizeof number)
            _exit(2);
    }
}

// The last number the child reported before it died.
int LastReported(int pipe, int before)
{
    int number = 0;
    while (::read(pipe, &number, sizeof number) == sizeof number) {
        if (number >= 0)
            before = number;
    }
    return before;
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

TEST(ProjectSaveKill, EveryKillLeavesTheOldOrTheNewProjectAndTheNextSaveClearsWhatItLeft)
{
    TempFolder temp;
    Project project = MakeFullProject();
    project.folder = temp.path() + QStringLiteral("/現場/");
    project.name = QStringLiteral("工事1");
    ASSERT_TRUE(QDir().mkpath(project.folder));
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < 3; ++k) {
        MarkSave(project, 0);
        ASSERT_EQ(project.Save(), kProjectOk);
    }
    const qint64 saveMicroseconds = clock.nsecsElapsed() / 3000;
    const QString path = project.ProjectFilePath();
    const QString fileName = QStringLiteral("工事1.kvr2");

    std::mt19937 random(20261210);
    // Kills land anywhere in the first three saves of the child.
    std::uniform_int_distribution<qint64> delayMicroseconds(0, 3 * saveMicroseconds);
    ProjectBytesReader reader;
    int saved = 0;
    int killsWithLeftover = 0;
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            SaveUntilKilled(project, saved + 1, fds[1]);
        }
        ::close(fds[1]);
        int started = 0;
        ASSERT_EQ(::read(fds[0], &started, sizeof started), sizeof started);
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << WEXITSTATUS(status);
        const int reported = LastReported(fds[0], saved);
        ::close(fds[0]);

        Project loaded;
        ASSERT_EQ(reader.Read(ReadAll(path), loaded), kProjectOk);
        const int found = SaveNumberOf(loaded);
        EXPECT_TRUE(found == reported || found == reported + 1)
            << "found save " << found << " after save " << reported << " had returned";
        saved = found;

        // At most the one interrupted save has left a file: the child's first save removed the older ones.
        const QStringList files = FilesIn(project.folder);
        ASSERT_LE(files.size(), 2) << files.join(u' ').toStdString();
        killsWithLeftover += files.size() == 2;
    }
    // The kills hit the saves at work, not only between them.
    EXPECT_GT(killsWithLeftover, 0);

    MarkSave(project, saved + 1);
    ASSERT_EQ(project.Save(), kProjectOk);
    EXPECT_EQ(FilesIn(project.folder), QStringList{fileName});
    Project reopened;
    ASSERT_EQ(LoadProject(reopened, path), kProjectOk);
    EXPECT_EQ(SaveNumberOf(reopened), saved + 1);
}

// Opening a project removes what an interrupted save of it left, as the next save would.
TEST(ProjectSaveKill, OpeningTheProjectRemovesWhatAnInterruptedSaveLeft)
{
    TempFolder temp;
    Project project = MakeFullProject();
    project.folder = temp.path() + QStringLiteral("/");
    project.name = QStringLiteral("工事1");
    ASSERT_EQ(project.Save(), kProjectOk);
    const QString leftover = project.ProjectFilePath() + QStringLiteral(".saving-x7Q2aB");
    WriteAll(leftover, ReadAll(project.ProjectFilePath()));
    const QString otherFile = project.ProjectFilePath() + QStringLiteral(".backup");
    WriteAll(otherFile, "kept");

    Project opened;
    ASSERT_EQ(LoadProject(opened, project.ProjectFilePath()), kProjectOk);
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_TRUE(QFileInfo::exists(otherFile));
}
