// The help windows size themselves to their pictures and cannot be resized.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "app/controls/BitmapResources.h"
#include "app/controls/RefPictureDialogs.h"
#include "app/controls/ScreenDpi.h"
#include "fe/AppFolders.h"

using namespace app;

namespace {

QList<QPushButton*> VisibleButtons(const QWidget& dialog)
{
    QList<QPushButton*> visible;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->isVisible())
            visible << button;
    return visible;
}

TEST(RefPictureDialogs, SizedToThePictureAtTheScreenDpi)
{
    const struct
    {
        QSize dpi;
        QSize size;
    } cases[] = {{{96, 96}, {461 + 21, 533 + 50}}, {{144, 120}, {461 + 31, 533 + 62}}};
    for (const auto& c : cases) {
        SetScreenDpiOverride(c.dpi);
        CRefCommonDlg dialog;
        dialog.SetTitle(QStringLiteral("メインビュー操作"));
        dialog.SetBitmap(kBitmapRefMainView);
        dialog.show();
        EXPECT_EQ(dialog.size(), c.size);
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the window can be resized";
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("メインビュー操作"));
        const QList<QPushButton*> buttons = VisibleButtons(dialog);
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), QStringLiteral("閉じる"));
        // The button keeps its place at the bottom-right corner.
        EXPECT_EQ(dialog.width() - buttons[0]->geometry().right(), 12);
        EXPECT_EQ(dialog.height() - buttons[0]->geometry().bottom(), 9);
        EXPECT_FALSE(buttons[0]->geometry().intersects(QRect(10, 8, 461, 533)));
    }
    SetScreenDpiOverride({});
}

TEST(RefPictureDialogs, EscapeAndCloseButtonClose)
{
    CRefCommonDlg dialog;
    dialog.SetBitmap(kBitmapRefCoordSystem);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    VisibleButtons(dialog).front()->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(RefPictureDialogs, TabWindowFitsTheLargestPageAndSwitchesOnlyThePicture)
{
    QPixmap small(300, 200), large(500, 400);
    small.fill(Qt::red);
    large.fill(Qt::blue);
    CRefCommonTabDlg dialog;
    dialog.SetTitle(QStringLiteral("ヘルプ"));
    dialog.AddPage(small, QStringLiteral("並べ替え"));
    dialog.AddPage(large, QStringLiteral("位置がない時"));
    dialog.show();
    const QPoint offset = dialog.PictureLabel()->pos();
    EXPECT_EQ(dialog.size(), QSize(500 + 21 + offset.x(), 400 + 50 + offset.y()));
    EXPECT_EQ(dialog.PictureLabel()->pixmap().toImage(), small.toImage());

    const QSize before = dialog.size();
    dialog.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(dialog.PictureLabel()->pixmap().toImage(), large.toImage());
    EXPECT_EQ(dialog.size(), before);
}

TEST(RefPictureDialogs, TheShippedPagesAreTheirStatedSizes)
{
    const struct
    {
        int id;
        QSize size;
    } cases[] = {{380, {690, 530}}, {393, {700, 580}}, {394, {700, 580}}, {395, {700, 581}},
                 {397, {700, 740}}, {398, {800, 866}}, {404, {700, 740}}, {479, {800, 866}},
                 {480, {650, 698}}, {481, {461, 533}}};
    for (const auto& c : cases)
        EXPECT_EQ(LoadBitmapResource(c.id).size(), c.size) << c.id;
}

TEST(RefPictureDialogs, TheMarkPictureShipsBesideTheProgram)
{
    CRefCommonPngDlg dialog;
    ASSERT_TRUE(dialog.LoadPictureFile(fe::GetExeFolder() + QStringLiteral("Ref/refPhotoMark.png")));
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(520 + 21, 360 + 50));
}

TEST(RefPictureDialogs, AMissingPictureFileStillOpensWithANote)
{
    CRefCommonPngDlg dialog;
    EXPECT_FALSE(dialog.LoadPictureFile(QStringLiteral("/nonexistent/refPhotoMark.png")));
    dialog.show();
    EXPECT_GT(dialog.width(), 21);
    EXPECT_EQ(VisibleButtons(dialog).size(), 1);
}

}  // namespace
