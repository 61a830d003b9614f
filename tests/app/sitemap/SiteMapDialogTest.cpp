// The site location map dialog over the real main view in the frame, and the frame's "現場位置図出力" with
// the real workbook writer: every change of the dialog is in the project file on disk.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "../view/MainViewFixture.h"
#include "app/FolderOpener.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/MapCommands.h"
#include "app/frame/SiteMapCommands.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "app/panes/FlowPane.h"
#include "app/panes/PhotoPane.h"
#include "app/progress/SubProgressDlg.h"
#include "app/sitemap/CmdSiteMapDlg.h"
#include "fe/AppFolders.h"
#include "model/LocationMap.h"
#include "model/ProjectFile.h"

namespace {

using app::CCmdSiteMapDlg;

class SiteMapDialogTest : public MainViewTest
{
protected:
    void SetUp() override
    {
        MainViewTest::SetUp();
        // The workbook writer reads its tile sites from the program's writable folder: local ones that
        // answer nothing, so that rendering never leaves the machine.
        fe::SetWritableFolder(temp.path());
        ASSERT_TRUE(localserver::WriteFile(
            temp.file(QStringLiteral("TileSiteList.txt")),
            "{ \"標準T\", \"http://127.0.0.1:9\", \"/std\", \".png\", 2, 18, false }\r\n"
            "{ \"淡色T\", \"http://127.0.0.1:9\", \"/pale\", \".png\", 2, 18, false }\r\n"
            "{ \"写真T\", \"http://127.0.0.1:9\", \"/photo\", \".jpg\", 2, 15, false }\r\n"));
        app::SetFolderOpener([this](const QString& folder) {
            opened.append(folder);
            return true;
        });
    }
    void TearDown() override { app::SetFolderOpener({}); }

    void ShowFrame()
    {
        frame = std::make_unique<CMainFrame>(&document);
        shown = ShowViewInFrame(document, *frame, QSize(1100, 750));
    }

    void OpenDialog()
    {
        if (!frame)
            ShowFrame();
        ASSERT_EQ(frame->SendAppMessage(app::kMsgOpenSiteMapDlg), 1);
        dialog = frame->PaneLinks().siteMapDialog ? frame->PaneLinks().siteMapDialog() : nullptr;
        ASSERT_TRUE(dialog && dialog->isVisible());
    }

    // The project as its file on disk holds it.
    Project Saved() const
    {
        Project project;
        EXPECT_EQ(LoadProject(project, document.GetProject().ProjectFilePath()), kProjectOk);
        return project;
    }

    // A picture map without coordinates, a web map around the start point and a site map over both.
    void AddMaps(bool siteMap)
    {
        Edit([&](Project& p) {
            LocationMap picture(p.maps.nextId, p.maps.nextNumber);
            picture.name = QStringLiteral("図面");
            picture.showCallout = 0;
            p.maps.Append(picture);
            ASSERT_TRUE(p.maps.AddWebMap(2, kWebBox, 14, false));
            p.maps.maps.back().name = QStringLiteral("工区A");
            if (siteMap) {
                ASSERT_TRUE(p.AddSiteMap(3, kSiteBox, 12));
            }
        });
    }

    void ToggleCheck(int row)
    {
        dialog->Grid()->SetActiveCell(3, row);
        QTest::keyClick(dialog->Grid(), Qt::Key_Space);
    }

    bool NoRadioChecked() const
    {
        for (int kind : {2, 3, 4})
            if (dialog->BaseMapRadio(kind)->isChecked())
                return false;
        return true;
    }

    // The path of the workbook the output writes today.
    QString BookPath() const { return document.GetProject().DatedExcelFolder() + QStringLiteral("現場位置図.xlsx"); }

    const Rect2 kWebBox{136.78, 37.61, 136.80, 37.63};
    const Rect2 kSiteBox{136.74, 37.58, 136.84, 37.66};
    app::ScriptedPrompts prompts;
    QStringList opened;
    std::unique_ptr<CMainFrame> frame;
    CTavrelView* shown = nullptr;
    CCmdSiteMapDlg* dialog = nullptr;
};

TEST(SiteMapDialog, ZoneLabels)
{
    const std::pair<int, const char*> cases[] = {{0, "－"}, {1, "Ⅰ"}, {10, "Ⅹ"}, {11, "ⅩⅠ"}, {19, "ⅩⅨ"}, {20, "－"}};
    for (const auto& [zone, text] : cases)
        EXPECT_EQ(CCmdSiteMapDlg::ZoneLabelText(zone), QString::fromUtf8(text)) << zone;
}

TEST_F(SiteMapDialogTest, TakesTheViewsRangeAndBaseMapAndCloses)
{
    OpenDialog();
    EXPECT_TRUE(frame->CurrentState().siteMapDialogVisible);
    EXPECT_FALSE(frame->menuBar()->isEnabled());
    auto* flow = frame->findChild<app::CPaneFlowDlg*>();
    ASSERT_NE(flow, nullptr);
    EXPECT_FALSE(flow->isEnabled()) << "the flow pane waits while the dialog shows";
    // Without a site map: photo positions shown, nothing to clear, no base map, no zoom.
    EXPECT_TRUE(dialog->PhotoCheck()->isChecked());
    EXPECT_FALSE(dialog->ClearButton()->isEnabled());
    EXPECT_TRUE(NoRadioChecked());
    EXPECT_EQ(dialog->ZoomLabel()->text(), QStringLiteral("-"));
    EXPECT_EQ(dialog->ZoneLabel()->text(), QStringLiteral("－"));

    Rect2 box;
    int kind = 0, zoom = 0;
    ASSERT_TRUE(shown->GetVisibleLatLongBox(box, kind, zoom, 0.7));
    QTest::mouseClick(dialog->SetFromViewButton(), Qt::LeftButton);
    const Project& project = document.GetProject();
    ASSERT_EQ(project.siteMaps.Count(), 1);
    const LocationMap& siteMap = project.siteMaps.maps[0];
    EXPECT_EQ(siteMap.kind, kind);
    EXPECT_EQ(siteMap.tileZoom, zoom);
    EXPECT_DOUBLE_EQ(siteMap.box.x0, box.x0);
    EXPECT_DOUBLE_EQ(siteMap.box.x1, box.x1);
    EXPECT_DOUBLE_EQ(siteMap.box.y0, box.y0);
    EXPECT_DOUBLE_EQ(siteMap.box.y1, box.y1);
    EXPECT_EQ(dialog->ZoomLabel()->text(), QString::number(zoom));
    EXPECT_TRUE(dialog->BaseMapRadio(kind)->isChecked());
    EXPECT_TRUE(dialog->ClearButton()->isEnabled());
    // The view shows the new site map; the photo list keeps the overview's columns.
    EXPECT_EQ(shown->ViewMode(), 3);
    EXPECT_EQ(shown->CurrentSiteMap(), &siteMap);
    auto* photoList = qobject_cast<app::CPanePhotoDlg*>(frame->PhotoPane()->widget());
    ASSERT_NE(photoList, nullptr);
    EXPECT_EQ(photoList->ViewMode(), 0);
    EXPECT_TRUE(photoList->Grid()->isColumnHidden(app::kColPlaced - 1));
    EXPECT_TRUE(photoList->Grid()->isColumnHidden(app::kColMapNumber - 1));
    ASSERT_EQ(Saved().siteMaps.Count(), 1);

    // The radios change its kind.
    for (int k : {LocationMap::kWebPhoto, LocationMap::kWebPale, LocationMap::kWebStandard}) {
        QTest::mouseClick(dialog->BaseMapRadio(k), Qt::LeftButton);
        EXPECT_EQ(project.siteMaps.maps[0].kind, k);
        EXPECT_EQ(Saved().siteMaps.maps[0].kind, k);
    }

    // Esc leaves the dialog open; "閉じる" closes it and the view returns to the overview.
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    QPointer<CCmdSiteMapDlg> watched(dialog);
    QTest::mouseClick(dialog->CloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(frame->PaneLinks().siteMapDialog(), nullptr);
    EXPECT_FALSE(frame->CurrentState().siteMapDialogVisible);
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(flow->isEnabled());
    EXPECT_EQ(shown->ViewMode(), 0);
    EXPECT_EQ(project.siteMaps.Count(), 1);

    // Before a modal run the frame closes it the same way.
    OpenDialog();
    EXPECT_EQ(shown->ViewMode(), 3);
    app::MapHooks(*frame).hideModelessDialogs();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->PaneLinks().siteMapDialog(), nullptr);
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(flow->isEnabled());
    EXPECT_EQ(shown->ViewMode(), 0);
}

TEST_F(SiteMapDialogTest, ZoneButtonStoresThePickedZone)
{
    AddMaps(true);
    OpenDialog();
    const auto pick = [this](int zone) {
        QTimer::singleShot(0, [zone] {
            auto* picker = qobject_cast<app::CSetCoordSystemNoDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            if (zone > 0) {
                picker->OnGridClick(1, zone);
                picker->OkButton()->click();
            } else {
                picker->NoZoneButton()->click();
            }
        });
        QTest::mouseClick(dialog->ZoneButton(), Qt::LeftButton);
    };
    const int programZone = settings.planeZone;
    pick(11);
    EXPECT_EQ(dialog->ZoneLabel()->text(), QStringLiteral("ⅩⅠ"));
    EXPECT_EQ(document.GetProject().siteMapZone, 11);
    const Project saved = Saved();
    EXPECT_EQ(saved.siteMapZone, 11);
    EXPECT_EQ(saved.siteMaps.maps[0].zone, 11);
    EXPECT_EQ(settings.planeZone, programZone) << "the program's own zone stays";

    pick(0);
    EXPECT_EQ(dialog->ZoneLabel()->text(), QStringLiteral("－"));
    EXPECT_EQ(Saved().siteMapZone, 0);
}

TEST_F(SiteMapDialogTest, GridShowsMapsAndAClickInTheViewPlacesTheCallout)
{
    AddMaps(true);
    OpenDialog();
    app::CSpread7U& grid = *dialog->Grid();
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(app::GetSpreadCellText(grid, 2, 1), QStringLiteral("図面"));
    EXPECT_EQ(app::GetSpreadCellText(grid, 2, 2), QStringLiteral("工区A"));
    EXPECT_FALSE(dialog->PhotoCheck()->isChecked()) << "a site map exists";
    EXPECT_EQ(shown->CurrentSiteMap(), &document.GetProject().siteMaps.maps[0]);

    // A picture map without coordinates is locked and unchecked, even after a toggle is tried.
    ToggleCheck(1);
    EXPECT_EQ(app::GetSpreadCellCheck(grid, 3, 1), 0);
    grid.SetCol(3);
    grid.SetRow(1);
    EXPECT_TRUE(grid.Lock());
    EXPECT_FALSE(dialog->CalloutHint()->isEnabled());

    // The web map's check is its show flag, saved at once.
    ToggleCheck(2);
    EXPECT_EQ(document.GetProject().maps.maps[1].showCallout, 0);
    EXPECT_EQ(Saved().maps.maps[1].showCallout, 0);
    EXPECT_FALSE(dialog->CalloutHint()->isEnabled());
    ToggleCheck(2);
    EXPECT_EQ(Saved().maps.maps[1].showCallout, 1);
    EXPECT_TRUE(dialog->CalloutHint()->isEnabled());
    EXPECT_EQ(dialog->ActiveRow(), 2);

    // A click in the view puts the current row's callout there.
    const QPoint at(shown->width() / 2 + 37, shown->height() / 2 - 23);
    const fe::geo::GeoPoint expected = shown->PixelToLatLong(shown->Zoom(), at.x(), at.y());
    QTest::mouseClick(shown, Qt::LeftButton, {}, at);
    const fe::geo::GeoPoint anchor = Saved().maps.maps[1].calloutAnchor;
    EXPECT_NEAR(anchor.longitude, expected.longitude, 1e-9);
    EXPECT_NEAR(anchor.latitude, expected.latitude, 1e-9);
    EXPECT_EQ(dialog->ActiveRow(), 2) << "the grid keeps its row";
}

TEST_F(SiteMapDialogTest, ClearAsksAndThenResetsCalloutsAndShowFlags)
{
    AddMaps(true);
    Edit([](Project& p) { p.maps.maps[1].showCallout = 0; });
    OpenDialog();

    prompts.QueueAnswer(app::PromptAnswer::No);
    QTest::mouseClick(dialog->ClearButton(), Qt::LeftButton);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("現場位置図をクリアします。\nよろしいですか?"));
    EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
    EXPECT_EQ(prompts.asked()[0].buttons, app::PromptButtons::YesNo);
    EXPECT_EQ(Saved().siteMaps.Count(), 1);
    EXPECT_TRUE(Saved().maps.maps[1].calloutAnchor.HasPosition());

    prompts.QueueAnswer(app::PromptAnswer::Yes);
    QTest::mouseClick(dialog->ClearButton(), Qt::LeftButton);
    const Project saved = Saved();
    EXPECT_EQ(saved.siteMaps.Count(), 0);
    EXPECT_FALSE(saved.maps.maps[1].calloutAnchor.HasPosition());
    EXPECT_EQ(saved.maps.maps[1].showCallout, 1) << "a map with coordinates is shown again";
    EXPECT_EQ(saved.maps.maps[0].showCallout, 0) << "a picture map keeps its flag";
    EXPECT_TRUE(NoRadioChecked());
    EXPECT_EQ(dialog->ZoomLabel()->text(), QStringLiteral("-"));
    EXPECT_FALSE(dialog->ClearButton()->isEnabled());
    EXPECT_EQ(app::GetSpreadCellCheck(*dialog->Grid(), 3, 2), 1);
    EXPECT_EQ(shown->ViewMode(), 0);
    // Without a site map the radios change nothing.
    QTest::mouseClick(dialog->BaseMapRadio(LocationMap::kWebPhoto), Qt::LeftButton);
    EXPECT_EQ(document.GetProject().siteMaps.Count(), 0);
}

TEST_F(SiteMapDialogTest, AFailedSaveIsToldOnceUntilASaveSucceeds)
{
    AddMaps(true);
    OpenDialog();
    const QString folder = QDir(document.GetProject().folder).absolutePath();
    const QString moved = temp.file(QStringLiteral("moved"));
    const auto warnings = [this] {
        int count = 0;
        for (const auto& asked : prompts.asked())
            count += asked.caption == QStringLiteral("ケルヴォル") && asked.icon == app::PromptIcon::Warning;
        return count;
    };
    ASSERT_TRUE(QDir().rename(folder, moved));
    ToggleCheck(2);
    ToggleCheck(2);
    EXPECT_EQ(warnings(), 1);
    ASSERT_TRUE(QDir().rename(moved, folder));
    ToggleCheck(2);
    EXPECT_EQ(warnings(), 1);
    ASSERT_TRUE(QDir().rename(folder, moved));
    ToggleCheck(2);
    EXPECT_EQ(warnings(), 2);
    ASSERT_TRUE(QDir().rename(moved, folder));
}

TEST_F(SiteMapDialogTest, OutputTellsWhenNoSiteMapIsFlaggedOrTheUserDeclines)
{
    ShowFrame();
    const QString noSiteMap = QStringLiteral("出力可能な現場位置図が設定されていません。");
    EXPECT_EQ(frame->SendAppMessage(app::kMsgOutputSiteMap), 0);
    AddMaps(true);
    Edit([](Project& p) { p.siteMaps.maps[0].outputFlag = 0; });
    EXPECT_EQ(frame->SendAppMessage(app::kMsgOutputSiteMap), 0);
    ASSERT_EQ(prompts.asked().size(), 2u);
    for (const auto& asked : prompts.asked()) {
        EXPECT_EQ(asked.text, noSiteMap);
        EXPECT_EQ(asked.icon, app::PromptIcon::Warning);
    }
    EXPECT_FALSE(QFile::exists(BookPath()));

    // Flagged, but the user answers No to the question.
    prompts.clear();
    Edit([](Project& p) { p.siteMaps.maps[0].outputFlag = 1; });
    prompts.QueueAnswer(app::PromptAnswer::No);
    EXPECT_EQ(frame->SendAppMessage(app::kMsgOutputSiteMap), 0);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("現場位置図の出力を行いますか?"));
    EXPECT_FALSE(QFile::exists(BookPath()));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(SiteMapDialogTest, OutputWritesTheWorkbookOrLeavesTheOldOneWholeWhenCancelled)
{
    AddMaps(true);
    Edit([&](Project& p) { ASSERT_TRUE(p.AddSiteMap(4, kSiteBox, 12)); });
    ShowFrame();
    fe::geo::TileServer& server = shown->MapServer().Server();
    ASSERT_TRUE(server.HasWorker());

    prompts.QueueAnswer(app::PromptAnswer::Yes);
    EXPECT_EQ(frame->SendAppMessage(app::kMsgOutputSiteMap), 1);
    EXPECT_TRUE(QFile::exists(BookPath()));
    EXPECT_EQ(opened, QStringList{document.GetProject().DatedExcelFolder()});
    EXPECT_TRUE(server.HasWorker()) << "the view's worker runs again after the renders";
    EXPECT_FALSE(frame->IsBusy());

    // Cancel in the progress window after the first sheet: the earlier workbook stays as it was.
    QFile old(BookPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
    old.write("old book");
    old.close();
    QTimer canceller;
    bool cancelled = false;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<CSubProgressDlg*>(widget); progress && progress->isVisible()) {
                progress->cancelButton()->click();
                cancelled = true;
            }
    });
    canceller.start(1);
    prompts.clear();
    opened.clear();
    prompts.QueueAnswer(app::PromptAnswer::Yes);
    EXPECT_EQ(frame->SendAppMessage(app::kMsgOutputSiteMap), 0);
    canceller.stop();
    EXPECT_TRUE(cancelled);
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("Excel出力がキャンセルされました。"));
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old book"));
    EXPECT_TRUE(server.HasWorker());
}

}  // namespace
