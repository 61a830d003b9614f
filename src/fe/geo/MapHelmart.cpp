#include "fe/geo/MapHelmart.h"

#include <cmath>

#include "fe/Failure.h"

namespace fe::geo {

namespace {

Point2 Mean(const std::vector<Point2>& points)
{
    Point2 sum;
    for (const Point2& p : points) {
        sum = sum + p;
    }
    return sum.Divide(static_cast<double>(points.size()));
}

}  // namespace

bool MapHelmart::Set(const std::vector<Point2>& source, const std::vector<Point2>& target)
{
    if (source.size() != target.size()) {
        throw Failure(QStringLiteral("MapHelmart.Set"));
    }
    SetIdentity();
    if (source.empty()) {
        return false;
    }

    // The normal equations of the fit, taken about the means of both lists: the same solution as
    // with raw sums, without losing digits to large coordinates (plane metres, big pictures).
    const Point2 sourceMean = Mean(source);
    const Point2 targetMean = Mean(target);
    double sxx = 0.0;  // Σ(x² + y²)
    double p = 0.0;    // Σ(x·X + y·Y)
    double q = 0.0;    // Σ(y·X − x·Y)
    for (size_t i = 0; i < source.size(); ++i) {
        const Point2 s = source[i] - sourceMean;
        const Point2 t = target[i] - targetMean;
        sxx += s.x * s.x + s.y * s.y;
        p += s.x * t.x + s.y * t.y;
        q += s.y * t.x - s.x * t.y;
    }
    // All source points the same: no rotation or scale to fit. An infinite sum means values such
    // as the unset value, which are not coordinates.
    if (!(sxx > 0.0) || !std::isfinite(sxx)) {
        return false;
    }
    MapHelmart fit;
    fit.a = p / sxx;
    fit.b = q / sxx;
    fit.c = targetMean.x - fit.a * sourceMean.x - fit.b * sourceMean.y;
    fit.d = targetMean.y - fit.a * sourceMean.y + fit.b * sourceMean.x;
    if (!std::isfinite(fit.a) || !std::isfinite(fit.b) || !std::isfinite(fit.c) || !std::isfinite(fit.d)) {
        return false;
    }
    *this = fit;
    return true;
}

}  // namespace fe::geo
