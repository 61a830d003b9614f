#pragma once

#include "fe/Point2.h"

namespace fe::cad {

// Turns (x, y) about (cx, cy) by an angle in radians, counter-clockwise for a positive angle.
// An angle of exactly 0 returns the point as it is.
Point2 RotatePoint(double cx, double cy, double x, double y, double angle);

// Converts a point from the object coordinate system of the normal (nx, ny, nz) to world
// coordinates by the arbitrary-axis rule; the default normal (0, 0, 1) returns the point unchanged.
Point3 OcsToWcs(double x, double y, double z, double nx, double ny, double nz);
Point3 OcsToWcs(const Point3& point, const Point3& normal);

// True when the normal is (0, 0, 1) within 1e-14 on each component.
bool IsDefaultExtrusion(const Point3& normal);

// The plane point after OcsToWcs, or the point itself for the default normal.
Point2 OcsToWcs2(const Point2& point, const Point3& normal);

}  // namespace fe::cad
