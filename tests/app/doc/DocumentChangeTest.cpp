// The document's one way to change the project (edit, sync, save, announce) and its refusal of a second
// command or change while one runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <vector>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "fe/PumpMessages.h"
#include "model/ProjectFile.h"

namespace {

// A document with a saved project "現場" that holds two photos, the first placed on a web map, and that
// records every announcement together with what the project file on disk held at that moment.
struct ChangingDocument
{
    struct Announcement
    {
        ProjectChanges kinds;
        int mapsOnDisk = -1;
        int photosOnDisk = -1;
        int placedOnDisk = -1;
    };

    TempFolder temp;
    CTavrelDoc doc;
    std::vector<Announcement> announced;

    ChangingDocument()
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Maps, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            for (int id : {1, 2}) {
                PhotoRecord photo(project.photos.nextId++);
                photo.position = fe::geo::GeoPoint(139.85 + 0.001 * id, 36.0);
                project.photos.photos.push_back(photo);
            }
            EXPECT_TRUE(project.maps.AddWebMap(2, Rect2(139.8, 35.98, 139.9, 36.02), 16, false));
            PlacedPhoto entry;
            entry.photoId = 1;
            project.maps.maps[0].photos.Add(entry);
            return true;
        });
        EXPECT_TRUE(made.Ok());
        QObject::connect(&doc, &CTavrelDoc::ProjectChanged, [this](ProjectChanges kinds) {
            Announcement seen{kinds};
            Project onDisk;
            if (LoadProject(onDisk, doc.GetProject().ProjectFilePath()) == kProjectOk) {
                seen.mapsOnDisk = onDisk.maps.Count();
                seen.photosOnDisk = static_cast<int>(onDisk.photos.photos.size());
                seen.placedOnDisk = onDisk.maps.Count() > 0 ? onDisk.maps.maps[0].photos.Count() : -1;
            }
            announced.push_back(seen);
        });
    }
};

}  // namespace

TEST(DocumentChange, SavesOnceBeforeAnnouncingOnceWithItsKinds)
{
    struct Case
    {
        const char* name;
        ProjectChanges kinds;
        bool (*edit)(Project&);
        bool announced;
        ProjectChanges announcedKinds;
        int mapsOnDisk;
        int photosOnDisk;
        int placedOnDisk;
    };
    const Case cases[] = {
        {"a map added", ProjectChange::Maps,
         [](Project& p) { return p.maps.AddWebMap(3, Rect2(139.8, 35.98, 139.9, 36.02), 15, false); }, true,
         ProjectChange::Maps, 2, 2, 1},
        // Removing a placed photo takes its entry off the map before the save: the file never names it.
        {"a placed photo removed", ProjectChange::Photos,
         [](Project& p) {
             std::erase_if(p.photos.photos, [](const PhotoRecord& photo) { return photo.id == 1; });
             return true;
         },
         true, ProjectChanges(ProjectChange::Photos) | ProjectChange::PlacedPhotos, 1, 1, 0},
        // The selection is never stored: announced, the file left as it was.
        {"selection only", ProjectChange::Selection,
         [](Project& p) {
             p.photos.photos[1].flags |= PhotoRecord::kFlagSelected;
             p.maps.maps[0].name = QStringLiteral("not saved by a selection");
             return true;
         },
         true, ProjectChange::Selection, 1, 2, 1},
        {"nothing changed", ProjectChange::Maps, [](Project&) { return false; }, false, {}, 1, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChangingDocument d;
        const ProjectChangeOutcome outcome = d.doc.Change(c.kinds, c.edit);
        EXPECT_TRUE(outcome.Ok());
        EXPECT_EQ(outcome.changed, c.announced);
        EXPECT_FALSE(d.doc.IsBusy());
        ASSERT_EQ(d.announced.size(), c.announced ? 1u : 0u);
        Project onDisk;
        ASSERT_EQ(LoadProject(onDisk, d.doc.GetProject().ProjectFilePath()), kProjectOk);
        EXPECT_EQ(onDisk.maps.Count(), c.mapsOnDisk);
        EXPECT_EQ(static_cast<int>(onDisk.photos.photos.size()), c.photosOnDisk);
        EXPECT_EQ(onDisk.maps.maps[0].photos.Count(), c.placedOnDisk);
        EXPECT_NE(onDisk.maps.maps[0].name, QStringLiteral("not saved by a selection"));
        if (c.announced) {
            EXPECT_EQ(d.announced[0].kinds, c.announcedKinds);
            // Saved before the announcement: whoever redraws already finds the change on disk.
            EXPECT_EQ(d.announced[0].mapsOnDisk, c.mapsOnDisk);
            EXPECT_EQ(d.announced[0].photosOnDisk, c.photosOnDisk);
            EXPECT_EQ(d.announced[0].placedOnDisk, c.placedOnDisk);
        }
    }
}

TEST(DocumentChange, AFailedSaveIsReportedAndTheChangeStillAnnounced)
{
    ChangingDocument d;
    app::ScriptedPrompts prompts;
    ASSERT_TRUE(QDir(d.doc.GetProject().DataFolder()).removeRecursively());
    const ProjectChangeOutcome outcome = d.doc.Change(ProjectChange::Maps, [](Project& p) {
        p.maps.maps[0].name = QStringLiteral("改名");
        return true;
    });
    EXPECT_FALSE(outcome.Ok());
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(outcome.saved, kProjectPathMissing);
    ASSERT_EQ(d.announced.size(), 1u);
    EXPECT_EQ(d.announced[0].kinds, ProjectChanges(ProjectChange::Maps));
    EXPECT_EQ(d.doc.GetProject().maps.maps[0].name, QStringLiteral("改名"));
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, ProjectErrorText(kProjectPathMissing));
    EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
    EXPECT_EQ(prompts.asked()[0].icon, app::PromptIcon::Warning);
}

// The document is the one teller of failed saves: once, then quiet until a save succeeds, whether the
// save came with a change or was asked for; selection changes save nothing and tell nothing.
TEST(DocumentChange, AFailedSaveIsToldOnceUntilASaveSucceeds)
{
    ChangingDocument d;
    app::ScriptedPrompts prompts;
    const QString folder = QDir(d.doc.GetProject().DataFolder()).absolutePath();
    const QString moved = folder + QStringLiteral("_moved");
    const auto rename = [&d](const QString& name) {
        return d.doc.Change(ProjectChange::Maps, [name](Project& p) {
            p.maps.maps[0].name = name;
            return true;
        });
    };
    const auto select = [&d] {
        return d.doc.Change(ProjectChange::Selection, [](Project& p) {
            p.photos.photos[0].flags ^= PhotoRecord::kFlagSelected;
            return true;
        });
    };
    struct Step
    {
        const char* name;
        bool writable;
        std::function<ProjectResult()> run;
        size_t toldSoFar;
    };
    const Step steps[] = {
        {"first failure", false, [&] { return rename(QStringLiteral("一")).saved; }, 1},
        {"second failure", false, [&] { return rename(QStringLiteral("二")).saved; }, 1},
        {"asked-for save fails", false, [&] { return d.doc.SaveProject(); }, 1},
        {"a selection saves nothing", true, [&] { return select().saved; }, 1},
        {"a save succeeds", true, [&] { return rename(QStringLiteral("三")).saved; }, 1},
        {"a failure after it", false, [&] { return d.doc.SaveProject(); }, 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const bool present = QFileInfo(folder).isDir();
        if (present != step.writable) {
            ASSERT_TRUE(step.writable ? QDir().rename(moved, folder) : QDir().rename(folder, moved));
        }
        EXPECT_EQ(step.run() == kProjectOk, step.writable);
        EXPECT_EQ(prompts.asked().size(), step.toldSoFar);
    }
    ASSERT_TRUE(QDir().rename(moved, folder));
}

// A long change lets events through; whatever they start on the same project is refused, and nothing of
// it runs, until the change is over.
TEST(DocumentChange, CommandsAndChangesFromPumpedEventsAreRefusedWhileOneRuns)
{
    ChangingDocument d;
    bool commandRan = false, innerChangeRan = false, fired = false;
    bool commandAccepted = true;
    ProjectChangeOutcome innerChange;
    const ProjectChangeOutcome outer = d.doc.Change(ProjectChange::Maps, [&](Project& p) {
        EXPECT_TRUE(d.doc.IsBusy());
        QTimer::singleShot(0, [&] {
            commandAccepted = d.doc.RunCommand([&] { commandRan = true; });
            innerChange = d.doc.Change(ProjectChange::Maps, [&](Project&) { return innerChangeRan = true; });
            fired = true;
        });
        for (int turn = 0; turn < 100 && !fired; ++turn)
            PumpMessages();
        p.maps.maps[0].name = QStringLiteral("外側");
        return true;
    });
    ASSERT_TRUE(fired);
    EXPECT_TRUE(outer.Ok());
    EXPECT_FALSE(commandAccepted);
    EXPECT_FALSE(commandRan);
    EXPECT_TRUE(innerChange.refused);
    EXPECT_FALSE(innerChangeRan);
    ASSERT_EQ(d.announced.size(), 1u);  // the outer change only

    // Over: both run again.
    EXPECT_FALSE(d.doc.IsBusy());
    EXPECT_TRUE(d.doc.RunCommand([&] { commandRan = true; }));
    EXPECT_TRUE(commandRan);
    EXPECT_TRUE(d.doc.Change(ProjectChange::Maps, [](Project&) { return true; }).Ok());
}

TEST(DocumentCommands, ASecondCommandIsRefusedWhileOneRunsAndTheFirstMayChangeTheProject)
{
    ChangingDocument d;
    std::vector<QString> ran;
    bool secondAccepted = true, fired = false;
    ProjectChangeOutcome ownChange;
    const bool accepted = d.doc.RunCommand([&] {
        ran.push_back(QStringLiteral("first"));
        EXPECT_TRUE(d.doc.IsBusy());
        // A menu item, a button or a pane message handled while the command lets events through.
        QTimer::singleShot(0, [&] {
            secondAccepted = d.doc.RunCommand([&] { ran.push_back(QStringLiteral("second")); });
            fired = true;
        });
        for (int turn = 0; turn < 100 && !fired; ++turn)
            PumpMessages();
        // The running command itself changes the project as usual.
        ownChange = d.doc.Change(ProjectChange::Maps, [](Project& p) {
            p.maps.maps[0].name = QStringLiteral("命令");
            return true;
        });
    });
    EXPECT_TRUE(accepted);
    ASSERT_TRUE(fired);
    EXPECT_FALSE(secondAccepted);
    EXPECT_EQ(ran, std::vector<QString>{QStringLiteral("first")});
    EXPECT_TRUE(ownChange.Ok());
    EXPECT_EQ(d.announced.size(), 1u);

    // A command that throws still ends: the next one runs.
    EXPECT_THROW((void)d.doc.RunCommand([] { throw std::runtime_error("stop"); }), std::runtime_error);
    EXPECT_FALSE(d.doc.IsBusy());
    EXPECT_TRUE(d.doc.RunCommand([&] { ran.push_back(QStringLiteral("third")); }));
    EXPECT_EQ(ran.back(), QStringLiteral("third"));
}
