// The frame's track commands, offscreen: 軌跡(ichimill)... opens one dialog, its end destroys it and
// clears the current points, a project switch destroys it, and placing takes the photo pane's selection
// only while the dialog is shown and the site overview is in view.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "TrackDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/Profile.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/MapCommands.h"
#include "app/frame/TrackCommands.h"
#include "app/view/ViewHost.h"
#include "app/track/IchimillLocusDlg.h"
#include "app/track/TrackCommands.h"
#include "model/ProjectFile.h"

namespace ts = track_scenario;
using app::CTrackCommands;

namespace {

struct FrameFixture : TrackDocument
{
    app::ScriptedPrompts prompts;
    app::UiState pane;      // what the panes and the view would report
    std::vector<int> rows;  // the photo pane's selected rows (photo index + 1)
    int webMapShown = 0;
    std::unique_ptr<CMainFrame> frame;

    FrameFixture()
    {
        QFile::remove(app::ProfilePath());
        doc.appSettings = &settings;
        frame = std::make_unique<CMainFrame>(&doc);
        frame->SetStateSource([this](app::UiState& s) {
            s.viewMode = pane.viewMode;
            s.currentMap = pane.currentMap;
            s.currentMapKind = pane.currentMapKind;
            s.currentMapZone = pane.currentMapZone;
            s.selected = pane.selected;
        });
        frame->PaneLinks().selectedPhotoRows = [this] { return rows; };
        frame->SetMessageHandler(app::kMsgShowWebMap, [this](qintptr standard, qintptr) {
            EXPECT_EQ(standard, 0);
            ++webMapShown;
            return qintptr(1);
        });
        frame->show();
    }
    ~FrameFixture() { frame.reset(); }

    CTrackCommands& Commands() const { return *CTrackCommands::Of(*frame); }
    app::CIchimillLocusDlg* Dialog() const { return Commands().Dialog(); }
    void Open() const { frame->Action(app::kCmdTrack)->trigger(); }
    void ReadTracks()
    {
        ASSERT_TRUE(app::ReadTrackFileIntoProject(doc, settings, WriteFile(QStringLiteral("log.csv"), ts::CsvBytes()),
                                                  nullptr)
                        .added);
    }
    void Select(std::initializer_list<int> photos)
    {
        pane.selected.assign(photos.size(), app::SelectedPhotoState());
        rows.clear();
        for (int index : photos)
            rows.push_back(index + 1);
    }
    bool PlaceEnabled() const { return app::CommandEnabled(app::kCmdPlaceOnTrack, frame->CurrentState()); }
    const fe::geo::GeoPoint& Position(int photo) const
    {
        return doc.GetProject().photos.photos[static_cast<size_t>(photo)].position;
    }
};

}  // namespace

TEST(TrackFrameCommands, TheMenuOpensOneDialogAndItsEndDestroysIt)
{
    FrameFixture f;
    f.ReadTracks();
    f.Select({0});
    EXPECT_FALSE(f.PlaceEnabled());

    f.pane.currentMap = true;
    f.Open();
    QPointer<app::CIchimillLocusDlg> first = f.Dialog();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), f.frame.get());
    EXPECT_EQ(f.webMapShown, 1);
    EXPECT_TRUE(f.PlaceEnabled());
    // The view's context menu asks the frame's host the same question.
    EXPECT_TRUE(app::MakeMainFrameViewHost(*f.frame)->IsTrackDialogVisible());
    EXPECT_EQ(first->SelectedTrack(), 0);
    EXPECT_EQ(f.doc.GetProject().tracks[0].currentPoint, 0);

    // A second opening brings the same dialog forward and leaves the view alone.
    f.Open();
    EXPECT_EQ(f.Dialog(), first.data());
    EXPECT_EQ(f.webMapShown, 1);

    first->CloseButton()->click();
    EXPECT_EQ(f.Dialog(), nullptr);
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(app::IsTrackDialogVisible(*f.frame));
    EXPECT_FALSE(app::MakeMainFrameViewHost(*f.frame)->IsTrackDialogVisible());
    EXPECT_FALSE(f.PlaceEnabled());
    EXPECT_EQ(f.doc.GetProject().tracks[0].currentPoint, -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    // Reopened without a current map: a new dialog, the view not touched.
    f.pane.currentMap = false;
    f.Open();
    ASSERT_NE(f.Dialog(), nullptr);
    EXPECT_NE(f.Dialog(), first.data());
    EXPECT_EQ(f.webMapShown, 1);

    // Before a modal run the frame hides it; the next opening shows the same dialog again.
    QPointer<app::CIchimillLocusDlg> second = f.Dialog();
    app::MapHooks(*f.frame).hideModelessDialogs();
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(f.PlaceEnabled());
    f.Open();
    EXPECT_EQ(f.Dialog(), second.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(f.PlaceEnabled());
}

TEST(TrackFrameCommands, TheCloseMessageOrASwitchOfProjectDestroysTheDialog)
{
    FrameFixture f;
    f.ReadTracks();
    f.Open();
    QPointer<app::CIchimillLocusDlg> dialog = f.Dialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(f.doc.GetProject().tracks[0].currentPoint, 0);
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgCloseIchimillDlg), 1);
    EXPECT_EQ(f.Dialog(), nullptr);
    EXPECT_EQ(f.doc.GetProject().tracks[0].currentPoint, -1);

    f.Open();
    dialog = f.Dialog();
    ASSERT_TRUE(dialog);
    f.doc.ResetProject();
    EXPECT_EQ(f.Dialog(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST(TrackFrameCommands, TheOpenDialogFollowsTheMapTheViewShows)
{
    FrameFixture f;
    f.ReadTracks();
    f.Open();
    app::CIchimillLocusDlg* dialog = f.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->SelectedTrack(), 0);
    EXPECT_TRUE(dialog->PlaceButton()->isEnabled());
    EXPECT_FALSE(dialog->PlaneRadio()->isEnabled());
    const std::unique_ptr<app::ViewHost> host = app::MakeMainFrameViewHost(*f.frame);

    // The view shows a picture map registered in zone 9: no placing, the plane table may be chosen.
    f.pane.viewMode = 2;
    f.pane.currentMap = true;
    f.pane.currentMapKind = 1;
    f.pane.currentMapZone = 9;
    host->ViewModeChanged(2, true, 9);
    EXPECT_FALSE(dialog->PlaceButton()->isEnabled());
    ASSERT_TRUE(dialog->PlaneRadio()->isEnabled());
    dialog->PlaneRadio()->click();
    EXPECT_TRUE(dialog->PlaneMode());

    // Back on the site overview: placing again, and the table returns to latitude and longitude.
    f.pane = app::UiState();
    host->ViewModeChanged(0, false, 0);
    EXPECT_TRUE(dialog->PlaceButton()->isEnabled());
    EXPECT_FALSE(dialog->PlaneRadio()->isEnabled());
    EXPECT_TRUE(dialog->LatLonRadio()->isChecked());
    EXPECT_FALSE(dialog->PlaneMode());
}

TEST(TrackFrameCommands, PlacingTakesTheSelectedPhotosOnTheOverviewOnly)
{
    FrameFixture f;
    f.ReadTracks();
    const fe::geo::GeoPoint start(ts::kStartLon, ts::kStartLat);
    // Without the dialog the command does nothing at all.
    f.Select({0});
    f.Commands().PlaceSelectedPhotos();
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_EQ(f.Position(0).longitude, start.longitude);

    f.Open();
    // Shown on a location map, the photos keep their positions.
    f.pane.viewMode = 1;
    f.Dialog()->PlaceButton()->setEnabled(true);
    f.Dialog()->PlaceButton()->click();
    EXPECT_EQ(f.Position(0).longitude, start.longitude);
    EXPECT_TRUE(f.prompts.asked().empty());

    // No photo selected: said even there.
    f.Select({});
    f.Dialog()->PlaceButton()->click();
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, app::kNoPhotoSelectedText);
    EXPECT_EQ(f.prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));

    // On the overview the selected photos (and only they) take the track's positions, and the file too.
    f.pane.viewMode = 0;
    f.Select({0, 2});
    f.frame->UpdateCommandStates();
    f.Dialog()->PlaceButton()->click();
    const auto kept = ts::KeptTracks();
    const std::vector<ts::Photo> shots = ts::Photos();
    Project onDisk;
    ASSERT_EQ(LoadProject(onDisk, f.doc.GetProject().ProjectFilePath()), kProjectOk);
    for (int k : {0, 2}) {
        const auto expected = ts::Expected(kept[0], shots[static_cast<size_t>(k)]);
        ASSERT_TRUE(expected);
        EXPECT_NEAR(f.Position(k).longitude, expected->first, 1e-9);
        EXPECT_NEAR(onDisk.photos.photos[static_cast<size_t>(k)].position.latitude, expected->second, 1e-9);
    }
    EXPECT_EQ(f.Position(1).longitude, start.longitude);
    EXPECT_EQ(f.prompts.asked().size(), 1u);
}
