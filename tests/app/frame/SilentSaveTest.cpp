// Edits that save the project without a word of their own (the photo pane's sort, the map pane's reorder,
// the survey's sort): when the project file cannot be replaced the user is told, exactly once per action.
#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QFile>

#include "PhotoFrameFixture.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/panes/MapPane.h"
#include "app/panes/PaneVarious.h"
#include "app/panes/PhotoPane.h"
#include "app/panes/PhotoRows.h"
#include "app/reservoir/ReservoirPhotoDlg.h"

namespace {

// Three photos, two web maps, the photos placed on the first map as P1 to P3.
struct SiteFrame : PhotoFrame
{
    SiteFrame() : PhotoFrame(3, false)
    {
        EXPECT_TRUE(
            document
                .Change(ProjectChange::Maps,
                        [](Project& project) {
                            if (!project.maps.AddWebMap(2, Rect2(139.0, 35.0, 139.1, 35.1), 16, false) ||
                                !project.maps.AddWebMap(3, Rect2(139.2, 35.0, 139.3, 35.1), 16, false))
                                return false;
                            for (const PhotoRecord& photo : project.photos.photos) {
                                PlacedPhoto entry;
                                entry.photoId = photo.id;
                                entry.numberText = QStringLiteral("P%1").arg(photo.id);
                                project.maps.maps[0].photos.entries.push_back(entry);
                            }
                            return true;
                        })
                .Ok());
        prompts.clear();
    }

    app::CPanePhotoDlg& PhotoPane() const
    {
        return *qobject_cast<app::CPanePhotoDlg*>(frame->PhotoPane()->widget());
    }
    app::CPaneVariousDlg& MapPane() const
    {
        return *qobject_cast<app::CPaneVarious*>(frame->FlowPane()->widget())->Maps();
    }
    // A folder stands where the project file goes: the atomic replace of every save fails.
    void BlockProjectFile() const
    {
        const QString file = document.GetProject().ProjectFilePath();
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(QDir().mkpath(file + QStringLiteral("/held")));
    }
    std::vector<int> PlacedOrder() const
    {
        std::vector<int> ids;
        for (const PlacedPhoto& entry : document.GetProject().maps.maps[0].photos.entries)
            ids.push_back(entry.photoId);
        return ids;
    }
};

}  // namespace

TEST(SilentSaves, AFailedSaveOfASortOrReorderIsToldExactlyOnce)
{
    struct Case
    {
        const char* name;
        std::function<void(SiteFrame&)> act;
        std::function<bool(const SiteFrame&)> changedInMemory;
    };
    const Case cases[] = {
        {"photo pane sorts by file name",
         [](SiteFrame& f) { emit f.PhotoPane().Grid()->Click(app::kColFileName, -1000); },
         [](const SiteFrame& f) {
             return f.Ids() == std::vector<int>({3, 2, 1});
         }},
        {"map pane moves the first map down",
         [](SiteFrame& f) {
             app::CPaneVariousDlg& pane = f.MapPane();
             emit pane.Grid()->LeaveCell(1, 0, 1, 1, nullptr);
             emit pane.Grid()->Click(1, 1);
             pane.DownButton()->click();
         },
         [](const SiteFrame& f) { return f.document.GetProject().maps.maps[0].photos.Count() == 0; }},
        {"survey sorts the map's photos by number",
         [](SiteFrame& f) {
             app::CReservoirPhotoDlg survey(f.document, 0);
             survey.OnHeaderClicked(1);
         },
         [](const SiteFrame& f) {
             return f.PlacedOrder() == std::vector<int>({3, 2, 1});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SiteFrame f;
        f.BlockProjectFile();
        c.act(f);
        EXPECT_TRUE(c.changedInMemory(f));
        ASSERT_EQ(f.prompts.asked().size(), 1u);
        EXPECT_EQ(f.prompts.asked()[0].kind, QStringLiteral("message"));
        EXPECT_FALSE(f.prompts.asked()[0].text.isEmpty());
        EXPECT_EQ(f.prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
        EXPECT_EQ(f.prompts.asked()[0].icon, app::PromptIcon::Warning);
    }
}
