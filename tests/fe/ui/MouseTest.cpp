#include <gtest/gtest.h>

#include "fe/ui/Mouse.h"

namespace {

TEST(Mouse, MovesOnlyHeldButtonsAndKeepsPointsOnRelease)
{
    fe::ui::Mouse mouse;
    mouse.Move(50, 50);  // nothing held: nothing changes
    EXPECT_EQ(mouse.At(0).current, QPoint());

    mouse.Press(0, 10, 20);
    mouse.Move(13, 24);
    mouse.Move(20, 30);
    EXPECT_EQ(mouse.At(0).downPoint, QPoint(10, 20));
    EXPECT_EQ(mouse.At(0).previous, QPoint(13, 24));
    EXPECT_EQ(mouse.Delta(0), QPoint(7, 6));
    EXPECT_EQ(mouse.At(2).current, QPoint());  // the right button was not held

    mouse.Release(0);
    EXPECT_FALSE(mouse.IsDown(0));
    EXPECT_EQ(mouse.At(0).current, QPoint(20, 30));
    mouse.Move(99, 99);
    EXPECT_EQ(mouse.At(0).current, QPoint(20, 30));

    mouse.Press(1, 1, 1);
    mouse.Press(2, 2, 2);
    mouse.ReleaseAll();
    EXPECT_FALSE(mouse.IsDown(1) || mouse.IsDown(2));
    mouse.Press(7, 1, 1);  // no such button
    mouse.Reset();
    EXPECT_EQ(mouse.At(0).current, QPoint());
}

}  // namespace
