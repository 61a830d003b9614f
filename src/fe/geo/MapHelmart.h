#pragma once

#include <vector>

#include "fe/Point2.h"

namespace fe::geo {

// A two-dimensional similarity (rotation, uniform scale and shift) fitted by least squares to
// pairs of points: (x, y) ↦ (a·x + b·y + c, a·y − b·x + d). A new transform is the identity.
class MapHelmart
{
public:
    double a = 1.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;

    Point2 Map(const Point2& p) const { return {a * p.x + b * p.y + c, a * p.y - b * p.x + d}; }
    void SetIdentity() { *this = MapHelmart(); }
    bool IsIdentity() const { return a == 1.0 && b == 0.0 && c == 0.0 && d == 0.0; }

    // Fits the transform so that Map(source[i]) ≈ target[i]. Lists of different lengths throw
    // fe::Failure("MapHelmart.Set") and change nothing. Otherwise the transform becomes the fit;
    // when there is no fit (no points, all source points the same, or values that are not finite
    // numbers) it is left as the identity and the result is false, so that no NaN or infinity
    // reaches positions computed with it.
    bool Set(const std::vector<Point2>& source, const std::vector<Point2>& target);
};

}  // namespace fe::geo
