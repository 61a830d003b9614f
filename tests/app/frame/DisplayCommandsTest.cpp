// The 表示 menu's switches and number kinds, the settings commands' rules, the attribution button and the
// browser address of the view's context command.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTimer>
#include <cfloat>
#include <climits>

#include "../view/MainViewFixture.h"
#include "FileBytes.h"
#include "app/FolderOpener.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/CommandIds.h"
#include "app/frame/CommandRules.h"
#include "app/frame/DisplayCommands.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/WebAddresses.h"
#include "app/panes/PhotoPane.h"
#include "app/settings/SetMarkTemplateDlg.h"
#include "fe/AppFolders.h"

using namespace app;

namespace {

TEST(DisplayRules, EnabledOverBusyModeProjectAndSiteMapDialog)
{
    // Columns: fit, overview switches (32934/32789), map switches (32935/32790), grey marks, tracks,
    // number kinds, mark and item settings, cache clearing, browser, attribution.
    const int commands[][2] = {{kCmdViewAll, kCmdViewAll},
                               {kCmdShowPhotoPositions, kCmdShowMapFramesOnWeb},
                               {kCmdShowMapPhotoPositions, kCmdShowMapFramesOnMap},
                               {kCmdShowGreyPhotoMarks, kCmdShowGreyPhotoMarks},
                               {kCmdShowTrack, kCmdShowTrack},
                               {kCmdPhotoNumbers, kCmdMapPhotoNumbers},
                               {kCmdMarkSettings, kCmdFixedItemNames},
                               {kCmdClearTileCache, kCmdClearTileCache},
                               {kCmdOpenWebMapInBrowser, kCmdOpenWebMapInBrowser},
                               {kCmdAttribution, kCmdAttribution}};
    const struct
    {
        const char* what;
        bool busy, project;
        int mode;
        bool siteMapDialog;
        bool enabled[10];
    } cases[] = {
        {"overview", false, true, 0, false, {0, 1, 0, 0, 1, 0, 1, 1, 1, 1}},
        {"picture map", false, true, 1, false, {1, 0, 1, 0, 1, 1, 1, 1, 1, 0}},
        {"plane picture map", false, true, 2, false, {1, 0, 1, 1, 1, 1, 1, 1, 1, 0}},
        {"web map", false, true, 3, false, {1, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"site-map dialog over a web map", false, true, 3, true, {1, 1, 0, 1, 1, 1, 0, 1, 1, 1}},
        {"no project", false, false, 3, false, {1, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
        {"busy overview", true, true, 0, false, {0, 0, 0, 0, 0, 0, 0, 1, 1, 1}},
        {"busy web map", true, true, 3, false, {0, 0, 0, 0, 0, 0, 0, 1, 1, 1}},
        {"busy picture map", true, true, 1, false, {0, 0, 0, 0, 0, 0, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UiState s;
        s.busy = c.busy;
        s.project = c.project;
        s.viewMode = c.mode;
        s.siteMapDialogVisible = c.siteMapDialog;
        for (size_t k = 0; k < std::size(commands); ++k)
            for (const int command : commands[k])
                EXPECT_EQ(CommandEnabled(command, s), c.enabled[k]) << command;
    }
    // The attribution needs a document; the comment and tile editors only "not busy".
    UiState none;
    none.hasDocument = false;
    EXPECT_FALSE(CommandEnabled(kCmdAttribution, none));
    UiState busy;
    busy.busy = true;
    EXPECT_FALSE(CommandEnabled(kCmdCommentTemplates, busy));
    EXPECT_FALSE(CommandEnabled(kCmdTileSettings, busy));
}

TEST(DisplayRules, CheckedStatesFollowTheirFlags)
{
    const struct
    {
        int command;
        bool UiState::*flag;
    } switches[] = {{kCmdShowPhotoPositions, &UiState::showShotPhotos},
                    {kCmdShowMapFramesOnWeb, &UiState::showOverviewFrames},
                    {kCmdShowMapPhotoPositions, &UiState::showMapPhotos},
                    {kCmdShowMapFramesOnMap, &UiState::showMapFrames},
                    {kCmdShowGreyPhotoMarks, &UiState::showGreyMarks},
                    {kCmdShowTrack, &UiState::showTracks}};
    for (const auto& s : switches) {
        UiState state;
        EXPECT_FALSE(CommandChecked(s.command, state)) << s.command;
        state.*s.flag = true;
        EXPECT_TRUE(CommandChecked(s.command, state)) << s.command;
        // Each check reads its own flag only.
        for (const auto& other : switches) {
            if (other.command != s.command) {
                EXPECT_FALSE(CommandChecked(other.command, state)) << other.command;
            }
        }
    }
    UiState kinds;
    for (const int kind : {0, 1}) {
        kinds.numberKind = kind;
        EXPECT_EQ(CommandChecked(kCmdPhotoNumbers, kinds), kind == 0);
        EXPECT_EQ(CommandChecked(kCmdMapPhotoNumbers, kinds), kind == 1);
    }
}

TEST(DisplayCommands, ToggleAndBrowserAddress)
{
    EXPECT_EQ(ToggledFlag(0), 1);
    EXPECT_EQ(ToggledFlag(1), 0);
    EXPECT_EQ(ToggledFlag(2), 0);
    EXPECT_EQ(ToggledFlag(255), 0);

    const QString base = QStringLiteral("https://maps.test");
    const struct
    {
        double lat, lon;
        int zoom;
        const char* expected;
    } cases[] = {
        {35.5, 139.25, 15, "https://maps.test/maps/@35.5000000,139.2500000,15z"},
        {DBL_MAX, 139.25, 15, "https://maps.test/maps/@,139.2500000,15z"},
        {35.5, -9e32, 15, "https://maps.test/maps/@35.5000000,,15z"},
        {35.5, 139.25, INT_MIN, "https://maps.test/maps/@35.5000000,139.2500000,z"},
        {-33.12345678, -70.000000049, 3, "https://maps.test/maps/@-33.1234568,-70.0000000,3z"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WebMapPointAddress(base, c.lat, c.lon, c.zoom), QString::fromUtf8(c.expected));
}

// The frame with its view: the switches redraw without writing a file, the checks follow the view.
class DisplayFrameTest : public MainViewTest
{
protected:
    void SetUp() override
    {
        MainViewTest::SetUp();
        frame = std::make_unique<CMainFrame>(&document);
        shown = ShowViewInFrame(document, *frame, QSize(900, 700));
        SetFileOpener([this](const QString& address) {
            opened.push_back(address);
            return true;
        });
    }
    void TearDown() override
    {
        SetFileOpener({});
        frame.reset();
    }

    QStringList WritableFiles() const
    {
        QStringList files;
        QDir dir(fe::GetWritableFolder());
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files))
            files << info.fileName() + QString::number(info.lastModified().toMSecsSinceEpoch());
        return files;
    }

    std::unique_ptr<CMainFrame> frame;
    CTavrelView* shown = nullptr;
    QStringList opened;
};

TEST_F(DisplayFrameTest, SwitchesRedrawAndShowTheirChecks)
{
    const QStringList before = WritableFiles();
    const struct
    {
        int command;
        std::uint8_t CTavrelView::*flag;
    } switches[] = {{kCmdShowPhotoPositions, &CTavrelView::showShotPhotos},
                    {kCmdShowMapFramesOnWeb, &CTavrelView::showOverviewFrames}};
    for (const auto& s : switches) {
        QAction* action = frame->Action(s.command);
        ASSERT_NE(action, nullptr);
        frame->UpdateCommandStates();
        EXPECT_TRUE(action->isEnabled());
        EXPECT_TRUE(action->isChecked());
        const int renders = shown->RenderCount();
        shown->*s.flag = 2;  // any value but 0 is "on" and becomes 0
        frame->RunCommand(s.command);
        EXPECT_EQ(shown->*s.flag, 0);
        EXPECT_GT(shown->RenderCount(), renders);
        EXPECT_FALSE(action->isChecked());
        frame->RunCommand(s.command);
        EXPECT_EQ(shown->*s.flag, 1);
        EXPECT_TRUE(action->isChecked());
    }
    // Out of the overview these two are refused; the map switches are not.
    Edit(
        [](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    frame->RunCommand(kCmdShowPhotoPositions);
    EXPECT_EQ(shown->showShotPhotos, 1);
    frame->RunCommand(kCmdShowMapFramesOnMap);
    EXPECT_EQ(shown->showMapFrames, 0);
    EXPECT_EQ(WritableFiles(), before);
}

TEST_F(DisplayFrameTest, TrackSwitchFlipsEachDrawerAndNumberKindsReachBoth)
{
    shown->WebDrawer().showTracks = 0;
    shown->PictureDrawer().showTracks = 1;
    frame->RunCommand(kCmdShowTrack);
    EXPECT_EQ(shown->WebDrawer().showTracks, 1);
    EXPECT_EQ(shown->PictureDrawer().showTracks, 0);
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->Action(kCmdShowTrack)->isChecked());  // follows the picture's drawer

    Edit(
        [](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    frame->RunCommand(kCmdPhotoNumbers);
    EXPECT_EQ(shown->WebDrawer().style.numberKind, 0);
    EXPECT_EQ(shown->PictureDrawer().style.numberKind, 0);
    EXPECT_TRUE(frame->Action(kCmdPhotoNumbers)->isChecked());
    EXPECT_FALSE(frame->Action(kCmdMapPhotoNumbers)->isChecked());
    // The kind stays through a visit of the overview.
    ASSERT_TRUE(shown->SelectLocationMap(-1) || shown->ViewMode() == 0);
    shown->RenderView();
    ASSERT_TRUE(shown->SelectLocationMap(0));
    EXPECT_EQ(shown->WebDrawer().style.numberKind, 0);
    frame->RunCommand(kCmdMapPhotoNumbers);
    EXPECT_EQ(shown->WebDrawer().style.numberKind, 1);
    EXPECT_TRUE(frame->Action(kCmdMapPhotoNumbers)->isChecked());
}

TEST_F(DisplayFrameTest, PhotoListNumberColumnFollowsTheViewsNumberKind)
{
    auto* pane = frame->findChild<CPanePhotoDlg*>();
    ASSERT_NE(pane, nullptr);
    CSpread7U& grid = *pane->Grid();
    const auto showsMapNumbers = [&] {
        const bool map = !grid.isColumnHidden(kColMapNumber - 1);
        EXPECT_NE(map, !grid.isColumnHidden(kColPhotoNumber - 1)) << "exactly one number column shows";
        return map;
    };
    Edit(
        [](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    // A map shown for the first time: the list numbers as the view's labels and the checked item do.
    ASSERT_TRUE(shown->SelectLocationMap(0));
    frame->UpdateCommandStates();
    ASSERT_TRUE(frame->Action(kCmdMapPhotoNumbers)->isChecked());
    EXPECT_TRUE(showsMapNumbers());
    frame->RunCommand(kCmdPhotoNumbers);
    EXPECT_FALSE(showsMapNumbers());
    // Through a visit of the overview the list keeps the chosen kind.
    ASSERT_TRUE(shown->SelectLocationMap(-1) || shown->ViewMode() == 0);
    ASSERT_TRUE(shown->SelectLocationMap(0));
    EXPECT_FALSE(showsMapNumbers());
    frame->RunCommand(kCmdMapPhotoNumbers);
    EXPECT_TRUE(showsMapNumbers());
}

TEST_F(DisplayFrameTest, BrowserOpensTheContextMenuPointAndAttributionTheTileList)
{
    const std::unique_ptr<QMenu> menu = shown->BuildContextMenu(QPoint(100, 120));
    ASSERT_NE(menu, nullptr);
    const fe::geo::GeoPoint point = shown->ClickedPoint();
    // Chosen in the context menu: the command has no menu item of the frame, the view hands it over.
    shown->RunMenuCommand(kCmdOpenWebMapInBrowser);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], WebMapPointAddress(QString::fromUtf8(kWebMapServiceAddress), point.latitude,
                                            point.longitude, shown->Zoom()));
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral(",%1z").arg(shown->Zoom())));
    frame->RunCommand(kCmdAttribution);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QString::fromUtf8(kTileListPageAddress));
}

TEST_F(DisplayFrameTest, MarkSettingsShowLiveAndCancelLeavesTheFileAlone)
{
    const QString file = QDir(fe::GetWritableFolder()).filePath(QStringLiteral("MarkSetting.bin"));
    ASSERT_TRUE(shown->SaveMarkSettings());
    const QByteArray before = ReadAll(file);
    ASSERT_EQ(shown->MarkSettings().currentIndex, 0);
    // The templates show on location maps.
    Edit(
        [](Project& p) { ASSERT_TRUE(p.maps.AddWebMap(3, Rect2(136.78, 37.61, 136.80, 37.63), 16, false)); });
    ASSERT_TRUE(shown->SelectLocationMap(0));
    int seenRadius = 0, rendersWhileOpen = 0;
    const int renders = shown->RenderCount();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CSetMarkTemplateDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SelectTemplate(1);  // shape 2, radius 10 on the screen
        seenRadius = shown->WebDrawer().style.markRadius;
        rendersWhileOpen = shown->RenderCount() - renders;
        dialog->reject();
    });
    frame->RunCommand(kCmdMarkSettings);
    EXPECT_EQ(seenRadius, shown->MarkSettings().styles[1].screen.coreRadius);
    EXPECT_GT(rendersWhileOpen, 0);
    EXPECT_EQ(shown->MarkSettings().currentIndex, 0);
    EXPECT_EQ(shown->WebDrawer().style.markRadius, shown->MarkSettings().styles[0].screen.coreRadius);
    EXPECT_EQ(ReadAll(file), before);

    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CSetMarkTemplateDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SelectTemplate(2);
        dialog->accept();
    });
    frame->RunCommand(kCmdMarkSettings);
    MarkSettingSet back;
    ASSERT_TRUE(back.Load(file));
    EXPECT_EQ(back.currentIndex, 2);
}

}  // namespace
