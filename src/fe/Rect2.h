#pragma once

#include <vector>

#include "fe/Point2.h"

// A one-dimensional range in either order: a descending span keeps hi < lo.
struct Span
{
    double lo = 0.0;
    double hi = 0.0;

    constexpr Span() = default;
    constexpr Span(double low, double high) : lo(low), hi(high) {}

    double Length() const;
    // Callers test for a zero-width span with a tolerance of 1e-14 before dividing by its length.
    bool IsNarrow(double tolerance) const { return Length() <= tolerance; }

    friend constexpr bool operator==(const Span& a, const Span& b) = default;
};

// A rectangle of doubles stored axis by axis as x0, x1, y0, y1; each axis may run either way.
// Longitude/latitude boxes are {west, east, south, north}. Note the argument order of the
// constructor and Set: (x0, y0, x1, y1).
struct Rect2
{
    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;

    constexpr Rect2() = default;
    constexpr Rect2(double px0, double py0, double px1, double py1) : x0(px0), x1(px1), y0(py0), y1(py1) {}

    void Set(double px0, double py0, double px1, double py1) { *this = Rect2(px0, py0, px1, py1); }
    // All four values become the unset value; the rectangle counts as unset only when all four are.
    void Unset();
    bool IsUnset() const;

    Span XSpan() const { return {x0, x1}; }
    Span YSpan() const { return {y0, y1}; }
    Point2 Centre() const { return {(x0 + x1) / 2, (y0 + y1) / 2}; }
    // A copy with y0 and y1 exchanged.
    Rect2 FlippedY() const { return Rect2(x0, y1, x1, y0); }

    // Grows each axis to cover both rectangles, keeping this rectangle's direction on that axis.
    void Extend(const Rect2& other);
    // The spans become (min x, max x) and (min y, max y); an empty list leaves the rectangle as it is.
    void SetFromPoints(const std::vector<Point2>& points);

    friend constexpr bool operator==(const Rect2& a, const Rect2& b) = default;
};

// {min x, max x, min y, max y} of the points; all four values unset for an empty list.
Rect2 BoundingBoxOfPoints(const std::vector<Point2>& points);

// Appends a copy of the first point when there are at least two points and the last differs from the first.
void ClosePolygon(std::vector<Point2>& points);
