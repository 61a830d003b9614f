#pragma once

// A main frame over a new project in a temporary folder with imported photos, prompts answered by script.
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/MainFrame.h"
#include "app/frame/PhotoCommands.h"
#include "app/frame/Profile.h"
#include "model/AppSettings.h"

struct PhotoFrame
{
    TempFolder temp;
    app::ScriptedPrompts prompts;
    AppSettings settings;
    CTavrelDoc document;
    std::unique_ptr<CMainFrame> frame;
    std::vector<int> rows;  // the photo pane's selection, when the test stands in for the pane

    // `count` photos IMG_1.JPG ... imported; with `standInPane` the test's `rows` are the pane's selection.
    explicit PhotoFrame(int count, bool standInPane = true)
    {
        QFile::remove(app::ProfilePath());
        document.appSettings = &settings;
        frame = std::make_unique<CMainFrame>(&document);
        if (standInPane) {
            frame->PaneLinks().selectedPhotoRows = [this] { return rows; };
            frame->PaneLinks().selectPhotoRows = [this](const std::vector<int>& r) { rows = r; };
        }
        prompts.QueueFiles({temp.file("P.kvr2")});
        frame->Action(app::kCmdFileNew)->trigger();
        QStringList files;
        QDir().mkpath(temp.file("card"));
        for (int k = 1; k <= count; ++k) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(QColor(30 * k, 90, 40));
            files.append(temp.file(QStringLiteral("card/IMG_%1.JPG").arg(k)));
            EXPECT_TRUE(picture.save(files.back(), "JPEG"));
        }
        if (count > 0) {
            prompts.QueueFiles(files);
            app::ImportPhotos(*frame);
        }
        EXPECT_EQ(int(Photos().size()), count);
        prompts.clear();
    }

    const std::vector<PhotoRecord>& Photos() const { return document.GetProject().photos.photos; }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const PhotoRecord& photo : Photos())
            ids.push_back(photo.id);
        return ids;
    }
    QString CopyOf(const PhotoRecord& photo) const
    {
        return document.GetProject().PhotoFolder() + photo.FileName();
    }
    // Gives photo k the latitude (kUnset: none) at longitude 139.5, and every photo the direction 45°.
    void SetPositions(const std::vector<double>& latitudes)
    {
        (void)document.Change(ProjectChange::Photos, [&latitudes](Project& project) {
            for (size_t k = 0; k < latitudes.size(); ++k) {
                PhotoRecord& photo = project.photos.photos[k];
                if (latitudes[k] != kUnset)
                    photo.position = fe::geo::GeoPoint(139.5, latitudes[k]);
                photo.direction = 45.0;
            }
            return true;
        });
    }
    // A folder stands where the project file goes: the atomic replace of every save fails (also for a
    // user who may write anywhere, so the test does not depend on file permissions).
    void BlockProjectFile() const
    {
        const QString file = document.GetProject().ProjectFilePath();
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/held")));
    }
    std::vector<PhotoRecord> Reread() const
    {
        CTavrelDoc reread;
        EXPECT_EQ(reread.OpenProjectFile(document.ProjectFilePath()), kDocOpened);
        return reread.GetProject().photos.photos;
    }
};
