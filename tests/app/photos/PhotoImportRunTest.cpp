#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "TempFolder.h"
#include "app/photos/PhotoImportRun.h"
#include "app/progress/SubProgressDlg.h"
#include "model/AppSettings.h"
#include "model/Project.h"

namespace {

struct Fixture
{
    TempFolder temp;
    Project project;
    AppSettings settings;
    QStringList files;

    explicit Fixture(int photos)
    {
        project.name = QStringLiteral("現場");
        project.folder = temp.path() + QStringLiteral("/現場/");
        for (const QString& folder :
             {project.PhotoFolder(), project.ThumbFolderS(), project.ThumbFolderM(), project.ThumbFolderL()})
            EXPECT_TRUE(QDir().mkpath(folder));
        project.importSettings.skipSameName = 0;
        QDir().mkpath(temp.file("camera"));
        for (int i = 1; i <= photos; ++i) {
            QImage picture(320, 240, QImage::Format_RGB32);
            picture.fill(QColor(10 * i, 100, 200));
            files.append(temp.file(QStringLiteral("camera/IMG_%1.JPG").arg(i)));
            EXPECT_TRUE(picture.save(files.back(), "JPEG"));
        }
    }
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
    const PhotoImportOutcome outcome = ImportPhotoFiles(f.project, f.files, f.settings);
    probe.stop();
    EXPECT_EQ(outcome.imported, 4);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.saveResult, f.project.Save());
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
    const PhotoImportOutcome outcome = ImportPhotoFiles(f.project, f.files, f.settings);
    probe.stop();
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(f.project.photos.photos.size(), 2u);
    // Nothing half-done: each imported photo has its copy and three thumbnails, and no other file exists.
    EXPECT_EQ(QDir(f.project.PhotoFolder()).entryList(QDir::Files).size(), 2);
    for (const QString& folder :
         {f.project.ThumbFolderS(), f.project.ThumbFolderM(), f.project.ThumbFolderL()})
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}
