#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "app/photos/PhotoImportRun.h"
#include "app/progress/SubProgressDlg.h"
#include "model/AppSettings.h"
#include "model/Project.h"
#include "model/ProjectFile.h"

namespace {

struct Fixture
{
    TempFolder temp;
    CTavrelDoc doc;
    AppSettings settings;
    QStringList files;
    std::vector<ProjectChanges> announced;
    std::vector<int> photosOnDisk;  // what the project file held at each announcement

    explicit Fixture(int photos)
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Settings, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            project.importSettings.skipSameName = 0;
            return true;
        });
        EXPECT_TRUE(made.Ok());
        QObject::connect(&doc, &CTavrelDoc::ProjectChanged, [this](ProjectChanges kinds) {
            announced.push_back(kinds);
            Project onDisk;
            photosOnDisk.push_back(LoadProject(onDisk, project().ProjectFilePath()) == kProjectOk
                                       ? static_cast<int>(onDisk.photos.photos.size())
                                       : -1);
        });
        QDir().mkpath(temp.file("camera"));
        for (int i = 1; i <= photos; ++i) {
            QImage picture(320, 240, QImage::Format_RGB32);
            picture.fill(QColor(10 * i, 100, 200));
            files.append(temp.file(QStringLiteral("camera/IMG_%1.JPG").arg(i)));
            EXPECT_TRUE(picture.save(files.back(), "JPEG"));
        }
    }

    const Project& project() const { return doc.GetProject(); }
};

// The progress window the run is showing, or nullptr.
CSubProgressDlg* OpenProgress()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<CSubProgressDlg*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

}  // namespace

TEST(PhotoImportRun, ImportsEveryFileUnderTheProgressWindowAndSavesOnce)
{
    Fixture f(4);
    f.files.insert(2, f.temp.file("camera/notes.txt"));  // refused, but still one step
    int maximum = -1, lastValue = -1;
    QString caption;
    // Look at the window after the last step, while the run lets events through.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (CSubProgressDlg* dialog = OpenProgress()) {
            maximum = dialog->progressBar()->maximum();
            lastValue = dialog->progressBar()->value();
            caption = dialog->windowTitle();
        }
    });
    probe.start();
    const PhotoImportOutcome outcome = ImportPhotoFiles(f.doc, f.files, f.settings);
    probe.stop();
    EXPECT_EQ(outcome.imported, 4);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.saveResult, kProjectOk);
    // One change: saved once with every photo, then announced once.
    EXPECT_EQ(f.announced, (std::vector<ProjectChanges>{ProjectChanges(ProjectChange::Photos) |
                                                        ProjectChange::PlacedPhotos}));
    EXPECT_EQ(f.photosOnDisk, std::vector<int>{4});
    EXPECT_EQ(maximum, 5);
    EXPECT_EQ(lastValue, 5);
    EXPECT_EQ(caption, QStringLiteral("撮影写真取込み中"));
    EXPECT_EQ(f.settings.lastPhotoFolder, f.temp.file("camera"));
    EXPECT_EQ(OpenProgress(), nullptr);  // the window ends with the run
}

TEST(PhotoImportRun, CancelStopsAfterThePhotoInHand)
{
    Fixture f(5);
    bool clicked = false;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        CSubProgressDlg* dialog = OpenProgress();
        if (!clicked && dialog && dialog->progressBar()->value() == 2) {
            dialog->cancelButton()->click();
            clicked = true;
        }
    });
    probe.start();
    const PhotoImportOutcome outcome = ImportPhotoFiles(f.doc, f.files, f.settings);
    probe.stop();
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(f.project().photos.photos.size(), 2u);
    // Nothing half-done: each imported photo has its copy and three thumbnails, and no other file exists.
    EXPECT_EQ(QDir(f.project().PhotoFolder()).entryList(QDir::Files).size(), 2);
    for (const QString& folder :
         {f.project().ThumbFolderS(), f.project().ThumbFolderM(), f.project().ThumbFolderL()})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

// The run lets events through between photos: a command or another change started there is refused and
// runs nothing, and the import goes on to the end.
TEST(PhotoImportRun, CommandsFromEventsLetThroughDuringTheRunAreRefused)
{
    Fixture f(3);
    int tried = 0, accepted = 0, ran = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (OpenProgress() == nullptr)
            return;
        ++tried;
        accepted += f.doc.RunCommand([&] { ++ran; }) ? 1 : 0;
        const ProjectChangeOutcome change = f.doc.Change(ProjectChange::Photos, [&](Project& project) {
            ++ran;
            project.photos.photos.clear();
            return true;
        });
        accepted += change.refused ? 0 : 1;
    });
    probe.start();
    const PhotoImportOutcome outcome = ImportPhotoFiles(f.doc, f.files, f.settings);
    probe.stop();
    EXPECT_GT(tried, 0);
    EXPECT_EQ(accepted, 0);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(outcome.imported, 3);
    EXPECT_EQ(f.project().photos.photos.size(), 3u);
    EXPECT_EQ(f.announced.size(), 1u);

    // An import started while another change runs is refused as a whole.
    PhotoImportOutcome nested;
    const ProjectChangeOutcome outer = f.doc.Change(ProjectChange::Photos, [&](Project&) {
        nested = ImportPhotoFiles(f.doc, f.files, f.settings);
        return false;
    });
    EXPECT_FALSE(outer.refused);
    EXPECT_TRUE(nested.refused);
    EXPECT_EQ(nested.imported, 0);
    EXPECT_EQ(f.project().photos.photos.size(), 3u);
}

TEST(PhotoImportRun, TheMessageListsAtMostTwentyFilesNotTaken)
{
    PhotoImportOutcome outcome;
    outcome.imported = 2;
    for (int k = 1; k <= kMaxListedRefusals + 3; ++k)
        outcome.notTaken.emplace_back(QStringLiteral("/card/F%1.JPG").arg(k), PhotoRefusal::AlreadyInProject);
    const QStringList lines = PhotoImportMessage(outcome).split(u'\n');
    ASSERT_EQ(lines.size(), 3 + kMaxListedRefusals + 1);
    EXPECT_EQ(lines[0], QStringLiteral("2枚の写真を取り込みました。"));
    EXPECT_EQ(lines[2], QStringLiteral("取り込まなかったファイル（23件）:"));
    EXPECT_EQ(lines[3], QStringLiteral("・F1.JPG（すでにプロジェクトに取り込まれています）"));
    EXPECT_EQ(lines.back(), QStringLiteral("ほか3件"));
}
