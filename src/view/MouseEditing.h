#pragma once

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/Rect2i.h"

namespace locmap {

// The drag kinds of the view's left button (0 none): 1 the whole frame or box (with SHIFT), 2 to 5 its
// left, right, top and bottom edges, 6 to 9 the corners top-left, top-right, bottom-left, bottom-right, 10
// to 13 the middles of the left, right, top and bottom edges, 14 a mark's position, 15 its direction, 16 its
// number label, 17 the frame's rotation handle.
enum DragKind : int
{
    kDragNone = 0,
    kDragWhole = 1,
    kDragEdgeLast = 5,
    kDragCornerFirst = 6,
    kDragHandleLast = 13,
    kDragPosition = 14,
    kDragDirection = 15,
    kDragLabel = 16,
    kDragRotation = 17,
};

// The direction, in degrees within [0, 360), that a mark at `mark` gets from a pointer at `pointer` (screen
// y down: up 0, right 90, down 180, left 270), plus `rotation` degrees.
double DirectionTowards(const Point2& mark, const Point2& pointer, double rotation = 0.0);

// Whether the pointer grabs the direction handle of a mark: a mark without a direction always; else the
// pointer lies closer than 7 pixels to the line from the mark through its handle (`reach` pixels along the
// direction, in degrees) and in front of the mark along it.
bool HitsDirectionHandle(const Point2& mark, double direction, double reach, const Point2& pointer);

// Whether the point lies in a mark's number label box (either corner order; a box of no width, a label
// not drawn yet, holds nothing).
bool InLabelBox(const Rect2i& box, int x, int y);

// An angle in radians within [0, 2π).
double WrapRadians(double angle);

// Whether a web map's box {west, east, south, north} has a size that can be drawn at its tile zoom: more
// than 128 pixels each way and fewer than 9,000,000 pixels in all (the product taken in double, so boxes far
// too large for an integer are refused too).
bool WebBoxWithinLimits(const Rect2& box, int tileZoom);

// The drag kind that keeps the pointer on the same handle after the rectangle's edges were exchanged
// across the x axis (left and right), the y axis (top and bottom), or both.
int MirrorDragKind(int kind, bool horizontal, bool vertical);

}  // namespace locmap
