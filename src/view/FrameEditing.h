#pragma once

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "model/OutputFrame.h"

namespace locmap {

// What a point is near on a rectangle (the drag kinds of the view). Left is the smaller x, top the smaller y.
enum HandleKind : int
{
    kHandleOutside = 0,
    kHandleInside = 1,
    kHandleLeft = 2,
    kHandleRight = 3,
    kHandleTop = 4,
    kHandleBottom = 5,
    kHandleTopLeft = 6,
    kHandleTopRight = 7,
    kHandleBottomLeft = 8,
    kHandleBottomRight = 9,
    kHandleLeftMiddle = 10,
    kHandleRightMiddle = 11,
    kHandleTopMiddle = 12,
    kHandleBottomMiddle = 13,
    kHandleRotate = 14,  // frames only
};

// The handle of the rectangle under the point, for a tolerance t: 0 outside the rectangle grown by t
// (edges included); near an edge means a distance strictly below t; a corner needs exactly its two edges;
// an edge's middle part is within t of its middle; any other combination (none, or both edges of one axis
// of a thin rectangle) is 1.
int HitTestRectHandles(const Rect2& rect, double tolerance, const Point2& point);

// Resizes a copy of `source` by dragging handle 6 to 13 to (x, y) with width = height × ratio: corners keep
// the opposite corner, edge middles keep the opposite edge and centre the other axis on the source's middle.
// Corners and the top and bottom middles follow y only, the left and right middles x only. When the
// dragged edge would cross or meet the fixed one, or for any other kind, `out` is the copy and the result
// false.
bool ResizeRectKeepAspect(Rect2& out, int kind, double x, double y, const Rect2& source, double ratio);

// Editing of a location map's output frame. The frame is rectangle A turned by the angle about the centre
// of the active rectangle (B while the flag is set, else A); a point P on the screen is the point P turned
// by +angle about that centre in the frame's own coordinates.
namespace frame {

// Rectangle A set, rectangle B all 0, flag 0, angle 0.
void Set(OutputFrame& frame, double x0, double x1, double y0, double y1);

// The handle under the point: 14 within the tolerance (both axes, strictly) of the rotation handle, which
// lies `handleDistance` beyond the middle of the top edge on the line from the centre; else the handle of
// rectangle A. The point is turned about A's centre, which matches the drawing once Settle has cleared the
// flag.
int HitTest(const OutputFrame& frame, double tolerance, double handleDistance, const Point2& point);

// Makes rectangle A stand about the displayed centre without changing how the frame looks, and clears the
// flag.
void Settle(OutputFrame& frame);

// The resizers set the named values of A to those of the point turned by +angle about the active centre.
void MoveTopLeft(OutputFrame& frame, const Point2& point);
void MoveTopRight(OutputFrame& frame, const Point2& point);
void MoveBottomLeft(OutputFrame& frame, const Point2& point);
void MoveBottomRight(OutputFrame& frame, const Point2& point);
void MoveLeft(OutputFrame& frame, const Point2& point);
void MoveRight(OutputFrame& frame, const Point2& point);
void MoveTop(OutputFrame& frame, const Point2& point);
void MoveBottom(OutputFrame& frame, const Point2& point);
// The resizer of handle kind 6 to 13; false for any other kind.
bool MoveHandle(OutputFrame& frame, int kind, const Point2& point);

// Turns the frame so that its top faces the point: up 0, left π/2, down π (given as 3π), right 3π/2; with
// snap the angle is cut down to whole multiples of 5 degrees. A point on A's centre changes nothing. Callers
// take the angle modulo 2π.
void AimAt(OutputFrame& frame, bool snap, const Point2& point);

}  // namespace frame
}  // namespace locmap
