#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "view/FrameEditing.h"

using namespace locmap;

namespace {

constexpr double kPi = std::numbers::pi;

TEST(FrameEditing, RectangleHandlesByPlace)
{
    const Rect2 rect(0, 0, 100, 50);  // (x0, y0, x1, y1)
    const struct
    {
        Point2 p;
        int kind;
    } cases[] = {
        {{50, 2}, kHandleTopMiddle},     {{30, 2}, kHandleTop},
        {{2, 2}, kHandleTopLeft},        {{50, 25}, kHandleInside},
        {{106, 25}, kHandleOutside},     {{104, 25}, kHandleRightMiddle},
        {{104, 40}, kHandleRight},       {{98, 48}, kHandleBottomRight},
        {{-3, 48}, kHandleBottomLeft},   {{103, -4}, kHandleTopRight},
        {{50, 53}, kHandleBottomMiddle}, {{10, 49}, kHandleBottom},
        {{-2, 10}, kHandleLeft},         {{0, 25}, kHandleLeftMiddle},
        {{105, 55}, kHandleInside},  // on the grown rectangle's corner, but near no edge (strictly)
        {{106, 55}, kHandleOutside},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitTestRectHandles(rect, 5, c.p), c.kind) << c.p.x << "," << c.p.y;
    // A rectangle thinner than the tolerance has both edges of an axis near: that counts as inside.
    EXPECT_EQ(HitTestRectHandles(Rect2(0, 0, 100, 4), 5, {30, 2}), kHandleInside);
    // Corners given in either order.
    EXPECT_EQ(HitTestRectHandles(Rect2(100, 50, 0, 0), 5, {2, 2}), kHandleTopLeft);
}

TEST(FrameEditing, FrameHitTestFindsTheRotationHandle)
{
    OutputFrame upright;
    frame::Set(upright, 0, 100, 0, 50);
    EXPECT_EQ(frame::HitTest(upright, 5, 32, {50, -32}), kHandleRotate);
    EXPECT_EQ(frame::HitTest(upright, 5, 32, {50, 0}), kHandleTopMiddle);
    EXPECT_EQ(frame::HitTest(upright, 5, 32, {50, -20}), kHandleOutside);

    // Turned a quarter to the left, the top edge faces left: its handle lies left of the centre.
    OutputFrame turned = upright;
    turned.angle = kPi / 2;
    const Point2 handle(50 - 25 - 32, 25);
    EXPECT_EQ(frame::HitTest(turned, 5, 32, handle), kHandleRotate);
    const Point2 topLeftShown = turned.RotatePoint({0, 0});
    EXPECT_EQ(frame::HitTest(turned, 5, 32, topLeftShown), kHandleTopLeft);
}

TEST(FrameEditing, AimAtTurnsTheTopTowardsThePointer)
{
    const struct
    {
        const char* where;
        Point2 p;
        bool snap;
        double degrees;
    } cases[] = {
        {"above", {50, -100}, false, 0},
        {"left", {-100, 25}, false, 90},
        {"below", {50, 200}, false, 180},
        {"right", {200, 25}, false, 270},
        {"47 degrees, snapped",
         {50 - 100 * std::sin(47 * kPi / 180), 25 - 100 * std::cos(47 * kPi / 180)},
         true,
         45},
        {"47 degrees, free",
         {50 - 100 * std::sin(47 * kPi / 180), 25 - 100 * std::cos(47 * kPi / 180)},
         false,
         47},
    };
    for (const auto& c : cases) {
        OutputFrame f;
        frame::Set(f, 0, 100, 0, 50);
        frame::AimAt(f, c.snap, c.p);
        EXPECT_NEAR(std::fmod(f.angle, 2 * kPi) * 180 / kPi, c.degrees, 1e-9) << c.where;
    }
    OutputFrame f;
    frame::Set(f, 0, 100, 0, 50);
    f.angle = 1.0;
    frame::AimAt(f, true, {50, 25});  // on the centre: unchanged
    EXPECT_EQ(f.angle, 1.0);
}

TEST(FrameEditing, ResizeKeepingTheAspect)
{
    const Rect2 source(0, 0, 70, 100);  // x 0..70, y 0..100, ratio 0.7
    const struct
    {
        int kind;
        Point2 to;
        bool ok;
        Rect2 result;
    } cases[] = {
        {kHandleBottomRight, {999, 200}, true, Rect2(0, 0, 140, 200)},
        {kHandleTopLeft, {0, 120}, false, source},
        {kHandleTopLeft, {-999, -100}, true, Rect2(-70, -100, 70, 100)},
        {kHandleTopRight, {0, 50}, true, Rect2(0, 50, 35, 100)},
        {kHandleBottomLeft, {0, 50}, true, Rect2(35, 0, 70, 50)},
        {kHandleLeftMiddle, {-70, 0}, true, Rect2(-70, -50, 70, 150)},
        {kHandleRightMiddle, {35, 0}, true, Rect2(0, 25, 35, 75)},
        {kHandleTopMiddle, {0, 50}, true, Rect2(17.5, 50, 52.5, 100)},
        {kHandleBottomMiddle, {0, 0}, false, source},
        {kHandleInside, {10, 10}, false, source},
    };
    for (const auto& c : cases) {
        Rect2 out(1, 2, 3, 4);
        EXPECT_EQ(ResizeRectKeepAspect(out, c.kind, c.to.x, c.to.y, source, 0.7), c.ok) << c.kind;
        EXPECT_NEAR(out.x0, c.result.x0, 1e-9) << c.kind;
        EXPECT_NEAR(out.x1, c.result.x1, 1e-9) << c.kind;
        EXPECT_NEAR(out.y0, c.result.y0, 1e-9) << c.kind;
        EXPECT_NEAR(out.y1, c.result.y1, 1e-9) << c.kind;
    }
}

TEST(FrameEditing, SettleKeepsTheShownCornersAndClearsTheFlag)
{
    OutputFrame f;
    frame::Set(f, 10, 110, 20, 70);
    f.angle = 0.6;
    // A drag turning about rectangle B: the shown frame is A turned about B's centre.
    f.rectB = Rect2(40, 0, 200, 90);
    f.flag = 1;
    frame::MoveBottomRight(f, f.RotatePoint({130, 90}));
    const auto before = f.Corners();
    frame::Settle(f);
    EXPECT_EQ(f.flag, 0);
    const auto after = f.Corners();
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(after[k].x, before[k].x, 1e-9) << k;
        EXPECT_NEAR(after[k].y, before[k].y, 1e-9) << k;
    }
}

TEST(FrameEditing, ResizersFollowTheTurnedPointer)
{
    OutputFrame f;
    frame::Set(f, 0, 100, 0, 50);
    f.angle = kPi / 2;
    // A drag turns about rectangle B, which keeps A's centre from the drag's start.
    f.rectB = f.rectA;
    f.flag = 1;
    // Dragging the shown bottom-right corner to a new place: the shown corner lands there.
    const Point2 target = f.RotatePoint({120, 60});
    EXPECT_TRUE(frame::MoveHandle(f, kHandleBottomRight, target));
    const Point2 shown = f.RotatePoint({f.rectA.x1, f.rectA.y1});
    EXPECT_NEAR(shown.x, target.x, 1e-9);
    EXPECT_NEAR(shown.y, target.y, 1e-9);
    EXPECT_NEAR(f.rectA.x0, 0, 1e-9);  // the other values stay
    EXPECT_NEAR(f.rectA.y0, 0, 1e-9);

    OutputFrame g;
    frame::Set(g, 0, 100, 0, 50);
    const struct
    {
        int kind;
        Rect2 result;
    } edges[] = {
        {kHandleLeftMiddle, Rect2(7, 0, 100, 50)}, {kHandleRightMiddle, Rect2(0, 0, 7, 50)},
        {kHandleTopMiddle, Rect2(0, 9, 100, 50)},  {kHandleBottomMiddle, Rect2(0, 0, 100, 9)},
        {kHandleTopLeft, Rect2(7, 9, 100, 50)},    {kHandleTopRight, Rect2(0, 9, 7, 50)},
        {kHandleBottomLeft, Rect2(7, 0, 100, 9)},
    };
    for (const auto& e : edges) {
        OutputFrame h = g;
        EXPECT_TRUE(frame::MoveHandle(h, e.kind, {7, 9}));
        EXPECT_EQ(h.rectA, e.result) << e.kind;
    }
    EXPECT_FALSE(frame::MoveHandle(g, kHandleRotate, {7, 9}));
    EXPECT_FALSE(frame::MoveHandle(g, kHandleLeft, {7, 9}));
}

}  // namespace
