// The work-flow pane: the accordion's geometry, which steps a project allows, what a header or a step
// sends to the frame, and the pane inside the frame while it is busy.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QFile>
#include <QTest>

#include "app/controls/ExpButton.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/Profile.h"
#include "app/panes/FlowPane.h"
#include "app/panes/PaneVarious.h"

namespace {

const QString kNew = QStringLiteral("新規作成 （保存フォルダ作成）");

struct Pane
{
    app::CPaneFlowDlg pane;
    std::vector<int> sent;
    int imports = 0;

    Pane()
    {
        pane.sendToFrame = [this](int message, qintptr, qintptr) {
            sent.push_back(message);
            return qintptr(1);
        };
        pane.importPhotos = [this] { ++imports; };
        pane.resize(260, 600);
        pane.show();
    }
};

}  // namespace

TEST(FlowPane, TheCurrentStageSitsBetweenTheHeadersAboveAndBelowIt)
{
    Pane p;
    p.pane.SelectStage(2);
    EXPECT_EQ(p.pane.Header(0)->geometry().top(), 0);
    EXPECT_EQ(p.pane.Header(1)->geometry().top(), 30);
    EXPECT_EQ(p.pane.Header(2)->geometry().top(), 60);
    EXPECT_EQ(p.pane.Header(3)->geometry().top(), 570);
    EXPECT_EQ(p.pane.Host()->geometry().top(), 90);
    EXPECT_EQ(p.pane.Host()->geometry().bottom() + 1, 570);
    EXPECT_TRUE(p.pane.Header(2)->checked);
    EXPECT_FALSE(p.pane.Header(0)->checked);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(p.pane.Stage(k)->isVisible(), k == 2) << k;

    // The first stage: every later header at the bottom.
    p.pane.SelectStage(0);
    EXPECT_EQ(p.pane.Header(1)->geometry().top(), 600 - 3 * 30);
    EXPECT_EQ(p.pane.Host()->geometry().top(), 30);
    EXPECT_EQ(p.pane.Host()->geometry().bottom() + 1, 600 - 3 * 30);
}

TEST(FlowPane, StepsFollowTheProjectAndTheOpenDialogs)
{
    struct Case
    {
        const char* what;
        app::UiState state;
        std::vector<std::pair<QString, bool>> steps;
        bool paneEnabled;
    };
    app::UiState none;
    app::UiState photosOnly;
    photosOnly.project = true;
    photosOnly.photoCount = 3;
    app::UiState mapsOnly;
    mapsOnly.project = true;
    mapsOnly.mapCount = 1;
    app::UiState ledger = mapsOnly;
    ledger.ledgerDialogVisible = true;
    app::UiState siteMap = mapsOnly;
    siteMap.siteMapDialogVisible = true;
    const Case cases[] = {
        {"no project", none,
         {{kNew, true}, {"写真取込", false}, {"現場位置図", false}, {"写真位置図作成", false},
          {"ため池劣化状況評価調査表", false}, {"写真位置図 / 写真台帳 出力", false}},
         true},
        {"photos, no map", photosOnly,
         {{"写真取込", true}, {"写真位置図 / 写真台帳 出力", true}, {"現場位置図出力", true},
          {"写真位置 CAD / シェープ 出力", false}, {"写真台帳", false}, {"写真位置図名称・属性", false}},
         true},
        {"a map, no photo", mapsOnly,
         {{"写真台帳", true}, {"写真位置図名称・属性", true}, {"写真位置 CAD / シェープ 出力", true},
          {"現場位置図出力", false}},
         true},
        {"ledger shown", ledger, {}, false},
        {"site maps shown", siteMap, {}, false},
    };
    for (const Case& c : cases) {
        Pane p;
        p.pane.UpdateButtons(c.state);
        EXPECT_EQ(p.pane.isEnabled(), c.paneEnabled) << c.what;
        for (const auto& [text, enabled] : c.steps) {
            ASSERT_NE(p.pane.Step(text), nullptr) << text.toStdString();
            EXPECT_EQ(p.pane.Step(text)->isEnabled(), enabled) << c.what << ": " << text.toStdString();
        }
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(p.pane.Header(k)->isEnabled(), c.paneEnabled) << c.what;
    }
}

TEST(FlowPane, HeadersAndStepsSendTheirMessages)
{
    Pane p;
    QTest::mouseClick(p.pane.Header(0), Qt::LeftButton);  // the current stage: nothing
    EXPECT_TRUE(p.sent.empty());
    QTest::mouseClick(p.pane.Header(2), Qt::LeftButton);
    EXPECT_EQ(p.sent, std::vector<int>({app::kMsgFlowStageOutput}));
    EXPECT_EQ(p.pane.CurrentStage(), 2);
    QTest::mouseClick(p.pane.Header(3), Qt::LeftButton);
    EXPECT_EQ(p.sent.back(), app::kMsgFlowStageArrange);
    EXPECT_EQ(p.pane.CurrentStage(), 3);

    app::UiState open;
    open.project = true;
    open.mapCount = 1;
    open.photoCount = 1;
    p.pane.UpdateButtons(open);
    p.sent.clear();
    p.pane.SelectStage(2);
    QTest::mouseClick(p.pane.Step("写真位置図 / 写真台帳 出力"), Qt::LeftButton);
    QTest::mouseClick(p.pane.Step("現場位置図出力"), Qt::LeftButton);
    EXPECT_EQ(p.sent, std::vector<int>({app::kMsgOutputReport, app::kMsgOutputSiteMap}));
    // The last step clicked is the checked one of its stage.
    EXPECT_TRUE(p.pane.Step("現場位置図出力")->checked);
    EXPECT_FALSE(p.pane.Step("写真位置図 / 写真台帳 出力")->checked);

    p.pane.SelectStage(0);
    QTest::mouseClick(p.pane.Step("写真取込"), Qt::LeftButton);
    EXPECT_EQ(p.imports, 1);
    QTest::mouseClick(p.pane.Step(kNew), Qt::LeftButton);
    EXPECT_EQ(p.sent.back(), app::kMsgNewProject);
}

TEST(FlowPane, InTheFrameEveryStepIsOffWhileBusyAndTheStageFollowsTheFrame)
{
    QFile::remove(app::ProfilePath());
    CTavrelDoc document;
    CMainFrame frame(&document);
    auto* various = qobject_cast<app::CPaneVarious*>(frame.FlowPane()->widget());
    ASSERT_NE(various, nullptr);
    app::CPaneFlowDlg* flow = various->Flow();
    frame.UpdatePaneControls(false);
    EXPECT_TRUE(flow->Step(kNew)->isEnabled());
    EXPECT_FALSE(flow->Step("写真取込")->isEnabled());

    // A new project in the middle of a long command would take the project away from under it.
    frame.LockUI(true);
    EXPECT_FALSE(flow->Step(kNew)->isEnabled());
    frame.LockUI(false);
    EXPECT_TRUE(flow->Step(kNew)->isEnabled());

    frame.SendAppMessage(app::kMsgFlowStageLocmap);
    EXPECT_EQ(flow->CurrentStage(), 1);
    frame.SendAppMessage(app::kMsgResetFlowPane);
    EXPECT_EQ(flow->CurrentStage(), 0);
    EXPECT_EQ(app::CPaneVarious::FlowHeight(144), 495);
}
