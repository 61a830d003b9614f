#include "app/ledger/CropFrame.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace app {

CropBox CropBox::Of(const Rect2& f)
{
    return {std::min(f.x0, f.x1), std::max(f.x0, f.x1), std::min(f.y0, f.y1), std::max(f.y0, f.y1)};
}

int CropBox::MidX() const
{
    return static_cast<int>(left + (right - left) / 2);
}

int CropBox::MidY() const
{
    return static_cast<int>(top + (bottom - top) / 2);
}

int CropHitTest(const CropBox& box, double p, double q)
{
    const double t = kCropHitTolerance;
    if (p < box.left - t || p > box.right + t || q < box.top - t || q > box.bottom + t)
        return kCropOutside;
    const bool left = std::abs(box.left - p) < t;
    const bool right = std::abs(box.right - p) < t;
    const bool top = std::abs(box.top - q) < t;
    const bool bottom = std::abs(box.bottom - q) < t;
    const bool nearMidX = std::abs(box.MidX() - p) < t;
    const bool nearMidY = std::abs(box.MidY() - q) < t;
    const int near = (left ? 1 : 0) | (right ? 2 : 0) | (top ? 4 : 0) | (bottom ? 8 : 0);
    switch (near) {
        case 1:
            return nearMidY ? kCropMidLeft : kCropEdgeLeft;
        case 2:
            return nearMidY ? kCropMidRight : kCropEdgeRight;
        case 4:
            return nearMidX ? kCropMidTop : kCropEdgeTop;
        case 8:
            return nearMidX ? kCropMidBottom : kCropEdgeBottom;
        case 1 | 4:
            return kCropTopLeft;
        case 2 | 4:
            return kCropTopRight;
        case 1 | 8:
            return kCropBottomLeft;
        case 2 | 8:
            return kCropBottomRight;
        default:
            return kCropInside;
    }
}

namespace {

// The part after the frame's x and/or y coordinates were swapped.
int PartAfterSwap(int part, bool xSwapped, bool ySwapped)
{
    if (!xSwapped && !ySwapped)
        return part;
    switch (part) {
        case kCropTopLeft:
            return xSwapped ? (ySwapped ? kCropBottomRight : kCropTopRight) : kCropBottomLeft;
        case kCropTopRight:
            return xSwapped ? (ySwapped ? kCropBottomLeft : kCropTopLeft) : kCropBottomRight;
        case kCropBottomLeft:
            return xSwapped ? (ySwapped ? kCropTopRight : kCropBottomRight) : kCropTopLeft;
        case kCropBottomRight:
            return xSwapped ? (ySwapped ? kCropTopLeft : kCropBottomLeft) : kCropTopRight;
        case kCropMidLeft:
            return xSwapped ? kCropMidRight : part;
        case kCropMidRight:
            return xSwapped ? kCropMidLeft : part;
        case kCropMidTop:
            return ySwapped ? kCropMidBottom : part;
        case kCropMidBottom:
            return ySwapped ? kCropMidTop : part;
        default:
            return part;
    }
}

// The coordinates a corner or midpoint sets: x0, x1, y0, y1.
struct Moves
{
    bool x0 = false, x1 = false, y0 = false, y1 = false;
};

Moves MovesOf(int part)
{
    switch (part) {
        case kCropTopLeft:
            return {true, false, true, false};
        case kCropTopRight:
            return {false, true, true, false};
        case kCropBottomLeft:
            return {true, false, false, true};
        case kCropBottomRight:
            return {false, true, false, true};
        case kCropMidLeft:
            return {true, false, false, false};
        case kCropMidRight:
            return {false, true, false, false};
        case kCropMidTop:
            return {false, false, true, false};
        case kCropMidBottom:
            return {false, false, false, true};
        default:
            return {};
    }
}

}  // namespace

int DragCropFrame(Rect2& frame, int part, const Point2& pointer, const Point2& delta)
{
    if (part >= kCropEdgeLeft && part <= kCropEdgeBottom) {
        frame.x0 += delta.x;
        frame.x1 += delta.x;
        frame.y0 += delta.y;
        frame.y1 += delta.y;
        return part;
    }
    const Moves moves = MovesOf(part);
    if (!moves.x0 && !moves.x1 && !moves.y0 && !moves.y1)
        return part;
    if (moves.x0)
        frame.x0 = pointer.x;
    if (moves.x1)
        frame.x1 = pointer.x;
    if (moves.y0)
        frame.y0 = pointer.y;
    if (moves.y1)
        frame.y1 = pointer.y;
    const bool xSwapped = frame.x0 > frame.x1;
    const bool ySwapped = frame.y0 > frame.y1;
    if (xSwapped)
        std::swap(frame.x0, frame.x1);
    if (ySwapped)
        std::swap(frame.y0, frame.y1);
    part = PartAfterSwap(part, xSwapped, ySwapped);
    // A handle dropped onto the opposite edge leaves a frame of one pixel, never an empty one.
    if (frame.x1 - frame.x0 < 1) {
        if (MovesOf(part).x0)
            frame.x0 = frame.x1 - 1;
        else
            frame.x1 = frame.x0 + 1;
    }
    if (frame.y1 - frame.y0 < 1) {
        if (MovesOf(part).y0)
            frame.y0 = frame.y1 - 1;
        else
            frame.y1 = frame.y0 + 1;
    }
    return part;
}

void MakeCropFrameFourByThree(Rect2& frame)
{
    const double x0 = std::min(frame.x0, frame.x1);
    const double x1 = std::max(frame.x0, frame.x1);
    const double centre = (frame.y0 + frame.y1) / 2;
    const double height = std::max(1.0, std::floor(0.75 * (x1 - x0)));
    frame.x0 = x0;
    frame.x1 = x1;
    frame.y0 = centre - height / 2;
    frame.y1 = centre + height / 2;
}

Rect2 WholePictureFrame(int width, int height)
{
    return Rect2(0, 0, width, height);
}

int RotationTurnedLeft(int rotation)
{
    switch (rotation) {
        case 90:
            return 180;
        case 180:
            return 270;
        case 270:
            return 0;
        default:
            return 90;
    }
}

int RotationTurnedRight(int rotation)
{
    switch (rotation) {
        case 90:
            return 0;
        case 180:
            return 90;
        case 270:
            return 180;
        default:
            return 270;
    }
}

}  // namespace app
