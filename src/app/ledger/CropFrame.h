#pragma once

#include "fe/Point2.h"
#include "fe/Rect2.h"

namespace app {

// What a point of the ledger's photo preview holds of the crop frame.
enum CropPart : int
{
    kCropOutside = 0,
    kCropInside = 1,
    // Near an edge, away from its midpoint: dragging moves the whole frame.
    kCropEdgeLeft = 2,
    kCropEdgeRight = 3,
    kCropEdgeTop = 4,
    kCropEdgeBottom = 5,
    // Corners: the two coordinates of the corner follow the pointer.
    kCropTopLeft = 6,
    kCropTopRight = 7,
    kCropBottomLeft = 8,
    kCropBottomRight = 9,
    // Edge midpoints: that edge's coordinate follows the pointer.
    kCropMidLeft = 10,
    kCropMidRight = 11,
    kCropMidTop = 12,
    kCropMidBottom = 13,
};

// How near (in preview pixels) the pointer must be to an edge or a midpoint.
inline constexpr double kCropHitTolerance = 10.0;

// The crop frame's edges in preview pixels, whatever the order of its coordinates.
struct CropBox
{
    double left = 0, right = 0, top = 0, bottom = 0;

    static CropBox Of(const Rect2& mappedFrame);
    // The midpoints as they are drawn: the smaller coordinate plus half the difference, whole pixels.
    int MidX() const;
    int MidY() const;
};

// The part of the frame at the preview point (p, q).
int CropHitTest(const CropBox& box, double p, double q);

// One step of a drag of `part` in picture pixels: edge parts (2 to 5) move the whole frame by `delta`,
// corners and midpoints set their coordinates from `pointer`. The frame is then normalised (x0 <= x1,
// y0 <= y1) and kept at least one pixel wide and high; a corner or midpoint dragged across the opposite
// edge becomes the part it now is. Returns the part that is held after the step.
int DragCropFrame(Rect2& frame, int part, const Point2& pointer, const Point2& delta);

// The frame keeps its width and centre and becomes 4:3: its height is the integer part of 0.75 × width
// (at least one pixel).
void MakeCropFrameFourByThree(Rect2& frame);

// The whole picture of that size as a crop frame.
Rect2 WholePictureFrame(int width, int height);

// The photo's quarter turns: "左" 0 → 90 → 180 → 270 → 0, "右" the other way. A value that is no quarter
// turn starts from 0.
int RotationTurnedLeft(int rotation);
int RotationTurnedRight(int rotation);

}  // namespace app
