// The frame's messages that choose what the view shows, through the whole frame (view, location-map pane,
// photo pane, ledger, site-map dialog): the view's map and mode, the pane's buttons and selection, the
// display switches, the ledger, and the project file of the save command.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>

#include "../view/MainViewFixture.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpButton.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/CommandIds.h"
#include "app/frame/LedgerCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/panes/MapPane.h"
#include "app/panes/PaneVarious.h"
#include "app/sitemap/CmdSiteMapDlg.h"
#include "fe/AppFolders.h"
#include "model/LocationMap.h"
#include "model/ProjectFile.h"

namespace {

using app::CPaneVariousDlg;

class MapMessagesTest : public MainViewTest
{
protected:
    void SetUp() override
    {
        MainViewTest::SetUp();
        fe::SetWritableFolder(temp.path());
        frame = std::make_unique<CMainFrame>(&document);
        shown = ShowViewInFrame(document, *frame, QSize(1100, 750));
        pane = frame->findChild<CPaneVariousDlg*>();
        ASSERT_NE(pane, nullptr);
    }
    void TearDown() override { frame.reset(); }

    // Two web maps around the start point, zooms 15 and 16.
    void AddWebMaps()
    {
        Edit([](Project& p) {
            ASSERT_TRUE(p.maps.AddWebMap(2, Rect2(136.78, 37.61, 136.80, 37.63), 15, false));
            ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.77, 37.60, 136.79, 37.62), 16, false));
        });
        ASSERT_EQ(pane->Grid()->Rows(), 2);
    }

    // The pane's click on a row, as its grid sends it: the row is selected, then the messages.
    void ClickMap(int index, int previous)
    {
        pane->SelectMap(index);
        (void)frame->SendAppMessage(app::kMsgCurrentMapChanged);
        EXPECT_EQ(frame->SendAppMessage(app::kMsgSelectLocationMap, index, previous), 1);
    }

    std::vector<int> SwitchValues() const
    {
        return {shown->showShotPhotos, shown->showMapPhotos, shown->showOverviewFrames, shown->showMapFrames,
                shown->showGreyMarks};
    }
    void SwitchAllOff()
    {
        shown->showShotPhotos = shown->showMapPhotos = shown->showOverviewFrames = shown->showMapFrames =
            shown->showGreyMarks = 0;
    }
    std::vector<bool> KindChecks() const
    {
        return {pane->KindButton(0)->checked, pane->KindButton(1)->checked, pane->KindButton(2)->checked};
    }
    bool PhotoSelected() const
    {
        return (document.GetProject().photos.photos.front().flags & PhotoRecord::kFlagSelected) != 0;
    }
    app::CLedgerCommands* Ledger() const { return app::CLedgerCommands::Of(*frame); }

    app::ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
    CTavrelView* shown = nullptr;
    CPaneVariousDlg* pane = nullptr;
};

TEST_F(MapMessagesTest, ChoosingAMapShowsItAndSwitchesTheDisplayOnOnlyForAnotherMap)
{
    AddWebMaps();
    const int photoId = document.GetProject().photos.photos.front().id;
    ASSERT_EQ(frame->SendAppMessage(app::kMsgSelectPhoto, photoId), 1);
    ASSERT_TRUE(PhotoSelected());

    // A click on the row already shown leaves the switches as the user set them.
    SwitchAllOff();
    ClickMap(1, 1);
    EXPECT_EQ(SwitchValues(), std::vector<int>({0, 0, 0, 0, 0}));
    EXPECT_EQ(shown->CurrentMapIndex(), 1);
    EXPECT_EQ(shown->ViewMode(), 3);
    EXPECT_EQ(frame->CurrentState().viewMode, 3);
    EXPECT_EQ(KindChecks(), std::vector<bool>({false, false, false}));
    // Without the ledger the photos chosen before are let go, in the pane and in the flags.
    EXPECT_FALSE(PhotoSelected());
    EXPECT_EQ(frame->PaneLinks().selectedPhotoRows(), std::vector<int>());

    // Moving to another map shows everything again.
    ClickMap(0, 1);
    EXPECT_EQ(SwitchValues(), std::vector<int>({1, 1, 1, 1, 1}));
    EXPECT_EQ(shown->CurrentMapIndex(), 0);
    // The up/down buttons' message (new index, -1) counts as another map too.
    SwitchAllOff();
    ClickMap(0, -1);
    EXPECT_EQ(SwitchValues(), std::vector<int>({1, 1, 1, 1, 1}));

    // No row selected (a Ctrl+click on the shown map): the overview over the pane's base map, whose
    // button is checked again.
    pane->SetMapKind(1);
    ClickMap(-1, 0);
    EXPECT_EQ(shown->ViewMode(), 0);
    EXPECT_EQ(shown->CurrentMap(), nullptr);
    EXPECT_EQ(document.overviewKind, 3);
    EXPECT_EQ(KindChecks(), std::vector<bool>({false, true, false}));
}

TEST_F(MapMessagesTest, AWebBaseMapLeavesTheMapAtItsZoomAndClosesTheLedger)
{
    AddWebMaps();
    ClickMap(1, -1);
    ASSERT_EQ(frame->SendAppMessage(app::kMsgOpenLedgerDlg), 1);
    ASSERT_NE(Ledger()->Dialog(), nullptr);

    // The pane's "淡色地図" button: its message, then the button's own check.
    ASSERT_EQ(frame->SendAppMessage(app::kMsgShowWebMap, 1), 1);
    EXPECT_EQ(Ledger()->Dialog(), nullptr);
    EXPECT_EQ(shown->ViewMode(), 0);
    EXPECT_EQ(shown->CurrentMap(), nullptr);
    EXPECT_EQ(shown->Zoom(), 16);  // the zoom of the web map left
    EXPECT_EQ(document.overviewKind, 3);
    EXPECT_EQ(pane->SelectedMap(), -1);
    EXPECT_EQ(pane->MapKind(), 1);
    EXPECT_EQ(KindChecks(), std::vector<bool>({false, true, false}));

    // From the overview the zoom stays where the user had it.
    shown->MapServer().SetZoom(9);
    ASSERT_EQ(frame->SendAppMessage(app::kMsgShowWebMap, 2), 1);
    EXPECT_EQ(shown->Zoom(), 9);
    EXPECT_EQ(document.overviewKind, 4);
    EXPECT_EQ(KindChecks(), std::vector<bool>({false, false, true}));
}

TEST_F(MapMessagesTest, WhileTheSiteMapDialogShowsTheViewKeepsToTheSiteMap)
{
    AddWebMaps();
    ClickMap(0, -1);
    ASSERT_EQ(frame->SendAppMessage(app::kMsgOpenSiteMapDlg), 1);
    // Opening it left the map for the overview; without site maps the base maps still change the view.
    EXPECT_EQ(pane->SelectedMap(), -1);
    EXPECT_EQ(shown->CurrentMap(), nullptr);
    EXPECT_EQ(frame->SendAppMessage(app::kMsgShowWebMap, 2), 1);
    EXPECT_EQ(document.overviewKind, 4);

    Edit([](Project& p) { ASSERT_TRUE(p.AddSiteMap(3, Rect2(136.74, 37.58, 136.84, 37.66), 12)); });
    // Whatever row the dialog reports, its first site map shows; the pane checks its stored kind again.
    pane->SetMapKind(-1);
    EXPECT_EQ(frame->SendAppMessage(app::kMsgSiteMapsChanged, 5), 1);
    EXPECT_EQ(shown->CurrentSiteMap(), &document.GetProject().siteMaps.maps[0]);
    EXPECT_EQ(shown->ViewMode(), 3);
    EXPECT_EQ(KindChecks(), std::vector<bool>({false, false, true}));
    // A base map now does nothing: the site map stays on its own tiles.
    const int siteKind = document.overviewKind;
    EXPECT_EQ(frame->SendAppMessage(app::kMsgShowWebMap, 0), 0);
    EXPECT_EQ(shown->CurrentSiteMap(), &document.GetProject().siteMaps.maps[0]);
    EXPECT_EQ(document.overviewKind, siteKind);

    // Its end (saving) puts the view back on the pane's base map and the menus back on.
    const QString file = document.GetProject().ProjectFilePath();
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(frame->SendAppMessage(app::kMsgCloseSiteMapDlg, 1), 1);
    EXPECT_EQ(frame->PaneLinks().siteMapDialog(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(shown->CurrentSiteMap(), nullptr);
    EXPECT_EQ(shown->ViewMode(), 0);
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    // Without the dialog the message tells nothing.
    EXPECT_EQ(frame->SendAppMessage(app::kMsgSiteMapsChanged), 0);
}

TEST_F(MapMessagesTest, TheLedgersRowBecomesThePhotoSelection)
{
    AddWebMaps();
    Edit([](Project& p) {
        PlacedPhoto placed;
        placed.photoId = p.photos.photos.front().id;
        placed.x = 136.79;
        placed.y = 37.62;
        ASSERT_TRUE(p.maps.maps[0].photos.Add(placed));
    });
    ClickMap(0, -1);
    ASSERT_EQ(frame->SendAppMessage(app::kMsgOpenLedgerDlg), 1);
    ASSERT_NE(Ledger()->Dialog(), nullptr);
    ASSERT_EQ(Ledger()->Dialog()->GetCurrentPhotoIndex(), 0);

    const int renders = shown->RenderCount();
    EXPECT_EQ(frame->SendAppMessage(app::kMsgLedgerSelectionChanged), 1);
    EXPECT_TRUE(PhotoSelected());
    EXPECT_EQ(frame->PaneLinks().selectedPhotoRows(), std::vector<int>({1}));
    EXPECT_GT(shown->RenderCount(), renders);

    // The ledger open, another map keeps the photo selection and rebinds the ledger to that map.
    ClickMap(1, 0);
    EXPECT_TRUE(PhotoSelected());
    EXPECT_EQ(Ledger()->Dialog()->MapIndex(), 1);
}

TEST_F(MapMessagesTest, TheSaveCommandWritesTheProjectFileOrSaysWhyNot)
{
    const QString path = document.GetProject().ProjectFilePath();
    ASSERT_TRUE(QFile::remove(path));
    frame->RunCommand(app::kCmdFileSave);
    Project reread;
    ASSERT_EQ(LoadProject(reread, path), kProjectOk);
    EXPECT_EQ(reread.photos.photos.size(), 1u);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("ケルヴォル Version 2 - 現場"));

    // A project folder that is gone: the user is told, nothing is written.
    ASSERT_TRUE(QDir(document.GetProject().DataFolder()).removeRecursively());
    frame->RunCommand(app::kCmdFileSave);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, ProjectErrorText(kProjectPathMissing));
    EXPECT_FALSE(QFileInfo::exists(path));

    // While busy the command does not run.
    prompts.clear();
    frame->LockUI(true);
    frame->RunCommand(app::kCmdFileSave);
    frame->LockUI(false);
    EXPECT_TRUE(prompts.asked().empty());
}

}  // namespace
