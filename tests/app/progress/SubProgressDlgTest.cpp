#include <gtest/gtest.h>

#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/progress/SplashWnd.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/PumpMessages.h"

TEST(SubProgressDlg, IsShownCentredOverItsOwnerAndCancelRaisesTheFlagOnce)
{
    QMainWindow frame;
    frame.setGeometry(100, 100, 800, 600);
    frame.show();
    CSubProgressDlg dialog(&frame);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("処理中"));
    EXPECT_LE((dialog.frameGeometry().center() - frame.frameGeometry().center()).manhattanLength(), 4);

    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
    EXPECT_TRUE(dialog.isVisible());  // the owner closes it
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.Cancelled());
}

TEST(SubProgressDlg, EscAndTheCloseBoxDoNotCloseIt)
{
    CSubProgressDlg dialog;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(dialog.cancelButton(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled());

    // While Cancel is disabled, the close box can neither close nor cancel.
    dialog.EnableCancel(false);
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled());

    // With Cancel enabled, the close box is a Cancel: the flag rises, the window stays.
    dialog.EnableCancel(true);
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Cancelled());
}

TEST(SubProgressDlg, AnOwnerLoopAdvancesOncePerStepAndStopsAfterTheStepDuringWhichCancelWasClicked)
{
    CSubProgressDlg dialog;
    dialog.setWindowTitle(QStringLiteral("撮影写真取込み中"));
    dialog.SetSteps(5);
    EXPECT_EQ(dialog.progressBar()->minimum(), 0);
    EXPECT_EQ(dialog.progressBar()->maximum(), 5);
    EXPECT_EQ(dialog.progressBar()->value(), 0);

    int finished = 0;
    for (int step = 0; step < 5; ++step) {
        if (dialog.Cancelled())
            break;
        if (step == 2)  // the user clicks Cancel while step 3 runs; the click waits in the event queue
            QMetaObject::invokeMethod(dialog.cancelButton(), "click", Qt::QueuedConnection);
        ++finished;
        dialog.Advance();
        PumpMessages();
    }
    EXPECT_EQ(finished, 3);
    EXPECT_EQ(dialog.progressBar()->value(), 3);
    EXPECT_TRUE(dialog.Cancelled());
}

TEST(SubProgressDlg, OnceShownItsBarIsPaintedAtEveryStepOfAnOperationThatLetsNoEventsThrough)
{
    struct PaintCount : QObject
    {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } count;
    QMainWindow frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CSubProgressDlg dialog(&frame);
    dialog.WaitUntilShown();
    EXPECT_TRUE(dialog.testAttribute(Qt::WA_Mapped));
    dialog.progressBar()->installEventFilter(&count);
    dialog.SetSteps(3);
    for (int step = 1; step <= 3; ++step) {
        const int before = count.paints;
        dialog.Advance();
        EXPECT_GT(count.paints, before) << "step " << step;
    }
}

TEST(SplashWnd, AtMostOneIsShownAndOnlyHideRemovesIt)
{
    CSplashWnd::Hide();  // none shown: nothing happens
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    QMainWindow frame;
    frame.setGeometry(50, 50, 900, 700);
    frame.show();
    CSplashWnd::Show(&frame, false);  // start-up asked for no splash
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CSplashWnd::Show(&frame);
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_LE((splash->frameGeometry().center() - frame.frameGeometry().center()).manhattanLength(), 4);
    CSplashWnd::Show(&frame);
    EXPECT_EQ(CSplashWnd::Current(), splash);

    QTest::mouseClick(splash, Qt::LeftButton);
    QTest::keyClick(splash, Qt::Key_Escape);
    EXPECT_TRUE(splash->isVisible());

    CSplashWnd::Hide();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    CSplashWnd::Hide();
}
