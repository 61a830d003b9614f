// Edits that save the project without a word of their own (the photo pane's sort, the map pane's reorder,
// the survey's sort, the photo commands on the pane's selection): when the project file cannot be
// replaced the user is told, exactly once per action.
#include <gtest/gtest.h>

#include <QDockWidget>

#include "PhotoFrameFixture.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/panes/MapPane.h"
#include "app/panes/PaneVarious.h"
#include "app/panes/PhotoPane.h"
#include "app/panes/PhotoRows.h"
#include "app/reservoir/ReservoirPhotoDlg.h"

namespace {

// Three photos, the first two with a position and a direction, two web maps, the photos placed on the
// first map as P1 to P3.
struct SiteFrame : PhotoFrame
{
    SiteFrame() : PhotoFrame(3, false)
    {
        SetPositions({35.1, 35.2, kUnset});
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
    // A click on the row in the photo pane: that photo alone is selected.
    void SelectPhotoRow(int row) const
    {
        app::CSpread7U* grid = PhotoPane().Grid();
        emit grid->LeaveCell(1, 0, 1, row, nullptr);
        emit grid->Click(1, row);
    }
    app::CPaneVariousDlg& MapPane() const
    {
        return *qobject_cast<app::CPaneVarious*>(frame->FlowPane()->widget())->Maps();
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

TEST(SilentSaves, AFailedSaveIsToldExactlyOncePerAction)
{
    struct Case
    {
        const char* name;
        std::function<void(SiteFrame&)> act;
        std::function<bool(const SiteFrame&)> changedInMemory;
        size_t questions = 0;  // confirmations asked before the change
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
        {"削除 deletes the selected photo",
         [](SiteFrame& f) {
             f.SelectPhotoRow(2);
             f.prompts.QueueAnswer(app::PromptAnswer::Ok);
             app::DeletePhotos(*f.frame);
         },
         [](const SiteFrame& f) {
             return f.Ids() == std::vector<int>({1, 3});
         },
         1},
        {"the selected photo's position is cleared",
         [](SiteFrame& f) {
             f.SelectPhotoRow(1);
             app::ClearPhotoLatLong(*f.frame);
         },
         [](const SiteFrame& f) { return !f.Photos()[0].HasPosition() && f.Photos()[1].HasPosition(); }},
        {"the selected photo's direction is cleared",
         [](SiteFrame& f) {
             f.SelectPhotoRow(1);
             app::ClearPhotoDirection(*f.frame);
         },
         [](const SiteFrame& f) {
             return IsUnset(f.Photos()[0].direction) && !IsUnset(f.Photos()[1].direction);
         }},
        {"the selected photo is placed at the map's centre",
         [](SiteFrame& f) {
             f.frame->PaneLinks().mapCentre = [] { return fe::geo::GeoPoint(139.05, 35.05); };
             f.SelectPhotoRow(3);
             app::PlacePhotosOnWebMap(*f.frame);
         },
         [](const SiteFrame& f) { return f.Photos()[2].position.latitude == 35.05; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SiteFrame f;
        f.BlockProjectFile();
        c.act(f);
        EXPECT_TRUE(c.changedInMemory(f));
        EXPECT_EQ(f.prompts.asked().size(), c.questions + 1);
        if (f.prompts.asked().size() <= c.questions)
            continue;
        const app::ScriptedPrompts::Asked& told = f.prompts.asked().back();
        EXPECT_EQ(told.kind, QStringLiteral("message"));
        EXPECT_FALSE(told.text.isEmpty());
        EXPECT_EQ(told.caption, QStringLiteral("ケルヴォル"));
        EXPECT_EQ(told.icon, app::PromptIcon::Warning);
    }
}
