#pragma once

#include <utility>

#include "fe/Point2.h"
#include "fe/Rect2.h"

// Small geometry on segments and boxes shared by the view's hit tests and the drawers.

// The segment p0 → p1 moved sideways by |distance|: along its unit vector u ((1, 0) for a segment of length
// at most 1e-14) turned by −π/2 for a positive distance, by +π/2 for a negative one, not at all for 0. On a
// screen (y downwards) a positive distance moves a left-to-right segment upwards.
std::pair<Point2, Point2> OffsetSegment(const Point2& p0, const Point2& p1, double distance);

// The point `distance` beyond p1 on the line from p0 through p1; p1 itself for a segment of length at most
// 1e-14.
Point2 PointBeyond(const Point2& p0, const Point2& p1, double distance);

// 1 when x > 0 and y ≥ 0, 2 when x ≤ 0 and y > 0, 3 when x < 0 and y ≤ 0, 4 when x ≥ 0 and y < 0, 0 for the
// origin. Unlike Point2::Quadrant it goes by the signs, not by the larger component.
int SignQuadrant(const Point2& p);

// True when a horizontal edge of either box strictly crosses a vertical edge of the other, or when one box
// lies inside the other (edges included). Boxes that only touch do not overlap. The containment test
// compares x0 with x0 and x1 with x1, so it expects boxes whose axes run the same way (ascending).
bool BoxesOverlap(const Rect2& a, const Rect2& b);

// A box whose axes both run ascending.
Rect2 OrderedBox(const Rect2& box);
