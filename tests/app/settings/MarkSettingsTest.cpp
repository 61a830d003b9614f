// The mark settings dialogs over a live template set: choosing, resetting, importing, detail edits and
// Cancel putting everything back; the detail pages' fields and switches; the sample drawing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "FileBytes.h"
#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpEdit.h"
#include "app/frame/SettingsCommands.h"
#include "app/settings/MarkSample.h"
#include "app/settings/SetMarkChildDlg.h"
#include "app/settings/SetMarkDlg.h"
#include "app/settings/SetMarkTemplateDlg.h"
#include "model/MarkSettingSet.h"

using namespace app;

namespace {

const QColor kSampleGround(220, 220, 220);

QColor PixelOf(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).toRgb();
}

// A picture unlike any mark colour, standing for the red photo point.
QImage GreenPoint()
{
    QImage point(11, 11, QImage::Format_ARGB32_Premultiplied);
    point.fill(QColor(0, 200, 0));
    return point;
}

TEST(MarkSample, PhotoPointOnScreenAndDiscInExcel)
{
    MarkStyle red;  // the default template: RGB(204,0,0), screen radius 5
    const QSize size(120, 100);
    const int cx = 60, cy = 50;
    const QImage screen = MarkSampleImage(red, kScreenSetting, size, GreenPoint());
    EXPECT_EQ(PixelOf(screen, cx, cy), QColor(0, 200, 0));
    // No ring around the picture: left of it lies the ground.
    EXPECT_EQ(PixelOf(screen, cx - 7, cy), kSampleGround);
    EXPECT_EQ(PixelOf(screen, cx - 6, cy), kSampleGround);

    const QImage excel = MarkSampleImage(red, kExcelSetting, size, GreenPoint());
    EXPECT_EQ(PixelOf(excel, cx, cy), QColor(204, 0, 0));
    EXPECT_EQ(PixelOf(excel, cx - 1, cy + 1), QColor(204, 0, 0));

    // Another drawing colour on the screen: the disc and its outline ring, no picture.
    MarkStyle blue = red;
    blue.drawColor = 0xFF0000;  // RGB(0,0,255)
    const QImage ringed = MarkSampleImage(blue, kScreenSetting, size, GreenPoint());
    EXPECT_EQ(PixelOf(ringed, cx, cy), QColor(0, 0, 255));
    EXPECT_EQ(PixelOf(ringed, cx - 7, cy), ColorOfRef(blue.outlineColor));

    // The arrow runs up and to the right; without it that place is ground.
    const int ax = cx + 12, ay = cy - 12;
    EXPECT_NE(PixelOf(screen, ax, ay), kSampleGround);
    MarkStyle noArrow = red;
    noArrow.screen.arrow = 0;
    EXPECT_EQ(PixelOf(MarkSampleImage(noArrow, kScreenSetting, size, GreenPoint()), ax, ay), kSampleGround);
}

TEST(MarkSample, NumberShapeFillsItsDiscsUnlessClear)
{
    MarkStyle style;
    style.SetPreset1();  // shape 2
    ASSERT_EQ(style.kind, 1);
    const QSize size(120, 100);
    const int r = style.screen.coreRadius;
    // Just inside the circle, away from the number: the text background colour.
    const QImage filled = MarkSampleImage(style, kScreenSetting, size, GreenPoint());
    EXPECT_EQ(PixelOf(filled, 60 - r + 3, 50 + 3), ColorOfRef(style.textBackColor));
    style.screen.textBackClear = 1;
    const QImage clear = MarkSampleImage(style, kScreenSetting, size, GreenPoint());
    EXPECT_EQ(PixelOf(clear, 60 - r + 3, 50 + 3), kSampleGround);
}

QByteArray Bytes(const MarkSettingSet& set, const TempFolder& temp)
{
    const QString path = temp.file("probe.bin");
    EXPECT_TRUE(set.Save(path));
    return ReadAll(path);
}

class MarkDialogsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        live.count = MarkSettingSet::kTemplateCount;
        live.currentIndex = 0;
    }

    std::function<void()> Refresh()
    {
        return [this] { ++refreshes; };
    }

    TempFolder temp;
    ScriptedPrompts prompts;
    MarkSettingSet live;
    int refreshes = 0;
};

TEST_F(MarkDialogsTest, CancelPutsBackChoiceImportResetAndDetails)
{
    const QByteArray before = Bytes(live, temp);
    // A template file whose templates all differ from the live ones.
    MarkSettingSet other;
    for (MarkStyle& style : other.styles)
        style.SetPreset4();
    other.currentIndex = 4;
    ASSERT_TRUE(other.Save(temp.file("other.bin")));

    CSetMarkTemplateDlg dialog(live, Refresh());
    dialog.SelectTemplate(2);
    EXPECT_EQ(live.currentIndex, 2);
    prompts.QueueFiles({temp.file("other.bin")});
    dialog.Import();
    EXPECT_EQ(live.currentIndex, 4);
    EXPECT_EQ(dialog.SelectedIndex(), 4);
    dialog.ResetSelected();
    EXPECT_EQ(live.styles[4], MarkStyle([] {
                  MarkStyle s;
                  s.SetPreset4();
                  return s;
              }()));
    dialog.beforeDetails = [this](CSetMarkDlg& details) {
        prompts.QueueColor(QColor(1, 2, 3));
        details.ChooseColor(CSetMarkDlg::kDrawColor);
        details.Page(0)->Edit(CSetMarkChildDlg::kCoreRadius)->setText(QStringLiteral("17"));
        details.accept();
    };
    dialog.EditDetails();
    EXPECT_EQ(live.styles[4].drawColor, 0x030201u);
    EXPECT_EQ(live.styles[4].screen.coreRadius, 17);
    EXPECT_GT(refreshes, 4);

    dialog.reject();
    EXPECT_EQ(Bytes(live, temp), before);
}

TEST_F(MarkDialogsTest, ResetTouchesOnlyTheSelectedTemplate)
{
    for (MarkStyle& style : live.styles)
        style.drawColor = 0x123456;
    const MarkSettingSet edited = live;
    CSetMarkTemplateDlg dialog(live, Refresh());
    dialog.SelectTemplate(5);
    dialog.ResetSelected();
    MarkStyle preset5;
    preset5.SetPreset5();
    EXPECT_EQ(live.styles[5], preset5);
    for (size_t k = 0; k < 5; ++k)
        EXPECT_EQ(live.styles[k], edited.styles[k]) << k;
    dialog.SelectTemplate(0);
    dialog.ResetSelected();
    EXPECT_EQ(live.styles[0], MarkStyle());
    dialog.accept();
    EXPECT_EQ(live.currentIndex, 0);
}

TEST_F(MarkDialogsTest, FailedImportAndExportAreToldAndChangeNothing)
{
    live.styles[1].drawColor = 0x00AA00;
    live.currentIndex = 1;
    const QByteArray before = Bytes(live, temp);
    WriteAll(temp.file("bad.bin"), QByteArray("not a template file"));
    CSetMarkTemplateDlg dialog(live, Refresh());
    prompts.QueueFiles({temp.file("bad.bin")});
    dialog.Import();
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("写真位置マークの設定ファイル読込"));
    EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("ファイルの読み込みに失敗しました。"));
    EXPECT_EQ(Bytes(live, temp), before);
    EXPECT_EQ(dialog.SelectedIndex(), 1);

    prompts.clear();
    prompts.QueueFiles({temp.file("missing/folder/out.bin")});
    dialog.Export();
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("ファイルのエクスポートに失敗しました。"));

    // An export without extension gets ".bin" and reads back equal.
    prompts.QueueFiles({temp.file("exported")});
    dialog.Export();
    MarkSettingSet back;
    ASSERT_TRUE(back.Load(temp.file("exported.bin")));
    EXPECT_EQ(Bytes(back, temp), before);
}

TEST_F(MarkDialogsTest, PageAsksOnlyAboutSwitchesAndKeepsBadNumbers)
{
    MarkStyle& style = live.styles[0];
    CSetMarkDlg dialog(style, Refresh());
    CSetMarkChildDlg& screen = *dialog.Page(0);

    // A size asks nothing and reaches the live setting.
    screen.Edit(CSetMarkChildDlg::kCoreRadius)->setText(QStringLiteral("12"));
    EXPECT_EQ(style.screen.coreRadius, 12);
    EXPECT_TRUE(prompts.asked().empty());
    // While typing, an empty or out-of-range field keeps the value before.
    for (const char* text : {"", "0", "1000"}) {
        screen.Edit(CSetMarkChildDlg::kCoreRadius)->setText(QString::fromUtf8(text));
        EXPECT_EQ(style.screen.coreRadius, 12) << text;
    }
    screen.Edit(CSetMarkChildDlg::kArrowLength)->setText(QString());
    EXPECT_EQ(style.screen.arrowLength, 25.0f);

    // A switch asks about the other page; No changes this page only.
    prompts.QueueAnswer(PromptAnswer::No);
    screen.ArrowCheck()->click();
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("「Excel出力」も変更しますか？"));
    EXPECT_EQ(style.screen.arrow, 0);
    EXPECT_EQ(style.excel.arrow, 1);
    // Yes on the Excel page copies the changed switch to the screen and fills it again.
    prompts.clear();
    prompts.QueueAnswer(PromptAnswer::Yes);
    dialog.Page(1)->BackgroundCheck()->click();
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("「画面」も変更しますか？"));
    EXPECT_EQ(style.excel.textBackClear, 1);
    EXPECT_EQ(style.screen.textBackClear, 1);
    EXPECT_FALSE(screen.BackgroundCheck()->isChecked());
    EXPECT_EQ(style.screen.arrow, 0);  // not changed there, not copied
}

TEST_F(MarkDialogsTest, ArrowsStepAndStopAtTheirLimits)
{
    MarkStyle& style = live.styles[0];
    CSetMarkDlg dialog(style, Refresh());
    CSetMarkChildDlg& page = *dialog.Page(0);
    page.Edit(CSetMarkChildDlg::kArrowLength)->setText(QStringLiteral("12.0"));
    page.UpArrow(CSetMarkChildDlg::kArrowLength)->click();
    EXPECT_EQ(page.Edit(CSetMarkChildDlg::kArrowLength)->text(), QStringLiteral("13.0"));
    EXPECT_EQ(style.screen.arrowLength, 13.0f);
    page.Edit(CSetMarkChildDlg::kArrowLength)->setText(QStringLiteral("99.5"));
    page.StepField(CSetMarkChildDlg::kArrowLength, 1);
    EXPECT_EQ(page.Edit(CSetMarkChildDlg::kArrowLength)->text(), QStringLiteral("99.9"));
    page.Edit(CSetMarkChildDlg::kLineWidth)->setText(QStringLiteral("50"));
    page.StepField(CSetMarkChildDlg::kLineWidth, 1);
    EXPECT_EQ(style.screen.lineWidth, 50);
    page.Edit(CSetMarkChildDlg::kCoreRadius)->setText(QStringLiteral("1"));
    page.StepField(CSetMarkChildDlg::kCoreRadius, -1);
    EXPECT_EQ(style.screen.coreRadius, 1);
}

TEST_F(MarkDialogsTest, ShapeTwoDisablesLabelFieldsAndCancelRestoresTheTemplate)
{
    MarkStyle& style = live.styles[0];
    const MarkStyle before = style;
    CSetMarkDlg dialog(style, Refresh());
    EXPECT_TRUE(dialog.Page(0)->PointUnit()->isVisibleTo(dialog.Page(0)));
    EXPECT_FALSE(dialog.Page(1)->PointUnit()->isVisibleTo(dialog.Page(1)));
    dialog.Shapes()->button(1)->click();
    EXPECT_EQ(style.kind, 1);
    for (int p = 0; p < 2; ++p) {
        EXPECT_FALSE(dialog.Page(p)->Edit(CSetMarkChildDlg::kLabelDistance)->isEnabled()) << p;
        EXPECT_FALSE(dialog.Page(p)->LeaderCheck()->isEnabled()) << p;
        EXPECT_TRUE(dialog.Page(p)->Edit(CSetMarkChildDlg::kArrowLength)->isEnabled()) << p;
    }
    // The preview follows the page shown: the Excel page draws the disc, not the photo point.
    dialog.Shapes()->button(0)->click();
    dialog.Tabs()->setCurrentIndex(1);
    const QImage excel = dialog.Preview();
    EXPECT_EQ(PixelOf(excel, excel.width() / 2, excel.height() / 2), QColor(204, 0, 0));
    dialog.Page(1)->CopyFromOtherPage();
    EXPECT_EQ(style.excel, style.screen);
    dialog.reject();
    EXPECT_EQ(style, before);
}

TEST_F(MarkDialogsTest, OkSavesAFileThatReadsBackEqual)
{
    const QString path = temp.file("MarkSetting.bin");
    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CSetMarkTemplateDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SelectTemplate(3);
        dialog->accept();
    });
    EditMarkSettings(nullptr, live, Refresh(), [&] {
        saved = true;
        return live.Save(path);
    });
    EXPECT_TRUE(saved);
    MarkSettingSet back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.currentIndex, 3);
    EXPECT_EQ(Bytes(back, temp), Bytes(live, temp));

    // A save that fails is told.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    prompts.clear();
    EditMarkSettings(nullptr, live, Refresh(), [] { return false; });
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("写真位置マークの設定を保存できませんでした。"));
}

}  // namespace
