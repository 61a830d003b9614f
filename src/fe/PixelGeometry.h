#pragma once

#include <QPoint>

#include "fe/Point2.h"

// Helpers on integer pixel points (QPoint: two signed 32-bit integers).

// The point `distance` pixels beyond p1 along p0 → p1; each offset is truncated toward zero
// before it is added. A segment of length at most 1e-14 gives p1.
QPoint ExtendSegmentEnd(const QPoint& p0, const QPoint& p1, double distance);

// The point `distance` pixels before p0, away from p1, truncated the same way; a zero-length segment gives
// p0.
QPoint ExtendSegmentStart(const QPoint& p0, const QPoint& p1, double distance);

// The Euclidean distance, without integer overflow for any two points.
double PointDistance(const QPoint& p, const QPoint& q);

Point2 IntPointToPoint2(const QPoint& p);
