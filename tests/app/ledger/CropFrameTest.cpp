// The crop frame's rules: what a preview point holds, how a drag changes the frame, 4:3 and the turns.
#include <gtest/gtest.h>

#include "app/ledger/CropFrame.h"

using namespace app;

namespace {

// A frame from (100, 50) to (300, 250) in preview pixels; midpoints at x 200 and y 150.
const CropBox kBox{100, 300, 50, 250};

}  // namespace

TEST(CropFrame, HitTestNamesEveryPart)
{
    struct Case
    {
        double p, q;
        int part;
    } cases[] = {
        {200, 150, kCropInside},      {95, 60, kCropEdgeLeft},       {305, 240, kCropEdgeRight},
        {120, 45, kCropEdgeTop},      {280, 255, kCropEdgeBottom},   {100, 50, kCropTopLeft},
        {309, 41, kCropTopRight},     {91, 259, kCropBottomLeft},    {300, 250, kCropBottomRight},
        {100, 150, kCropMidLeft},     {300, 159, kCropMidRight},     {191, 50, kCropMidTop},
        {200, 250, kCropMidBottom},   {89, 150, kCropOutside},       {311, 150, kCropOutside},
        {200, 39, kCropOutside},      {200, 261, kCropOutside},      {110, 150, kCropInside},  // 10 px: not near
        {90, 150, kCropInside},  // on the reach's edge, near no line (distance 10 is not below 10)
    };
    for (const Case& c : cases)
        EXPECT_EQ(CropHitTest(kBox, c.p, c.q), c.part) << c.p << ", " << c.q;
    // A frame narrower than the reach: both side lines are near, so the point counts as inside.
    EXPECT_EQ(CropHitTest(CropBox{100, 105, 50, 250}, 102, 100), kCropInside);
    // The box is the same for a frame given in either order.
    const CropBox reversed = CropBox::Of(Rect2(300, 250, 100, 50));
    EXPECT_EQ(reversed.left, 100);
    EXPECT_EQ(reversed.bottom, 250);
}

TEST(CropFrame, DragsFollowThePartAndStayNormalised)
{
    struct Case
    {
        const char* what;
        int part;
        Point2 pointer, delta;
        Rect2 expected;  // (x0, y0, x1, y1)
        int partAfter;
    } cases[] = {
        {"edge moves the frame", kCropEdgeLeft, {0, 0}, {5, -7}, Rect2(15, 13, 205, 143), kCropEdgeLeft},
        {"top-left corner", kCropTopLeft, {30, 40}, {}, Rect2(30, 40, 200, 150), kCropTopLeft},
        {"top-right corner", kCropTopRight, {250, 5}, {}, Rect2(10, 5, 250, 150), kCropTopRight},
        {"bottom-left corner", kCropBottomLeft, {0, 160}, {}, Rect2(0, 20, 200, 160), kCropBottomLeft},
        {"bottom-right corner", kCropBottomRight, {220, 170}, {}, Rect2(10, 20, 220, 170), kCropBottomRight},
        {"left midpoint", kCropMidLeft, {50, 999}, {}, Rect2(50, 20, 200, 150), kCropMidLeft},
        {"right midpoint", kCropMidRight, {180, -5}, {}, Rect2(10, 20, 180, 150), kCropMidRight},
        {"top midpoint", kCropMidTop, {-5, 30}, {}, Rect2(10, 30, 200, 150), kCropMidTop},
        {"bottom midpoint", kCropMidBottom, {0, 100}, {}, Rect2(10, 20, 200, 100), kCropMidBottom},
        // Across the opposite edge: the held handle becomes the one it now is.
        {"top-left past the right edge", kCropTopLeft, {260, 40}, {}, Rect2(200, 40, 260, 150), kCropTopRight},
        {"top-left past both edges", kCropTopLeft, {260, 190}, {}, Rect2(200, 150, 260, 190), kCropBottomRight},
        {"top-left past the bottom edge", kCropTopLeft, {30, 190}, {}, Rect2(30, 150, 200, 190), kCropBottomLeft},
        {"top-right past the left edge", kCropTopRight, {0, 40}, {}, Rect2(0, 40, 10, 150), kCropTopLeft},
        {"bottom-left past both", kCropBottomLeft, {250, 0}, {}, Rect2(200, 0, 250, 20), kCropTopRight},
        {"bottom-right past the top", kCropBottomRight, {150, 0}, {}, Rect2(10, 0, 150, 20), kCropTopRight},
        {"left midpoint past the right", kCropMidLeft, {230, 0}, {}, Rect2(200, 20, 230, 150), kCropMidRight},
        {"bottom midpoint past the top", kCropMidBottom, {0, 5}, {}, Rect2(10, 5, 200, 20), kCropMidTop},
        // Onto the opposite edge: one pixel is kept on the side the handle came from.
        {"left midpoint onto the right edge", kCropMidLeft, {200, 0}, {}, Rect2(199, 20, 200, 150), kCropMidLeft},
        {"bottom-right onto the top-left", kCropBottomRight, {10, 20}, {}, Rect2(10, 20, 11, 21), kCropBottomRight},
    };
    for (const Case& c : cases) {
        Rect2 frame(10, 20, 200, 150);
        const int part = DragCropFrame(frame, c.part, c.pointer, c.delta);
        EXPECT_EQ(part, c.partAfter) << c.what;
        EXPECT_DOUBLE_EQ(frame.x0, c.expected.x0) << c.what;
        EXPECT_DOUBLE_EQ(frame.x1, c.expected.x1) << c.what;
        EXPECT_DOUBLE_EQ(frame.y0, c.expected.y0) << c.what;
        EXPECT_DOUBLE_EQ(frame.y1, c.expected.y1) << c.what;
    }
    // Inside and outside hold nothing.
    Rect2 frame(10, 20, 200, 150);
    EXPECT_EQ(DragCropFrame(frame, kCropInside, {0, 0}, {5, 5}), kCropInside);
    EXPECT_DOUBLE_EQ(frame.x0, 10);
}

TEST(CropFrame, FourByThreeKeepsWidthAndCentre)
{
    Rect2 frame(1001, 100, 0, 300);  // reversed x
    MakeCropFrameFourByThree(frame);
    EXPECT_DOUBLE_EQ(frame.x0, 0);
    EXPECT_DOUBLE_EQ(frame.x1, 1001);
    EXPECT_DOUBLE_EQ(frame.y1 - frame.y0, 750);  // the integer part of 750.75
    EXPECT_DOUBLE_EQ((frame.y0 + frame.y1) / 2, 200);
    Rect2 thin(5, 5, 5.5, 9);
    MakeCropFrameFourByThree(thin);
    EXPECT_DOUBLE_EQ(thin.y1 - thin.y0, 1);
}

TEST(CropFrame, QuarterTurnsCycle)
{
    int left = 0, right = 0;
    const int lefts[] = {90, 180, 270, 0};
    const int rights[] = {270, 180, 90, 0};
    for (int k = 0; k < 4; ++k) {
        left = RotationTurnedLeft(left);
        right = RotationTurnedRight(right);
        EXPECT_EQ(left, lefts[k]);
        EXPECT_EQ(right, rights[k]);
    }
    EXPECT_EQ(RotationTurnedLeft(45), 90);
    EXPECT_EQ(RotationTurnedRight(45), 270);
}
