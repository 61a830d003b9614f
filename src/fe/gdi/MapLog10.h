#pragma once

#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

// pixel = a · log10(value) + b. Values must be positive; lengths have no meaning on this axis,
// so the length operations, the three-value Set and ChangeRatio throw.
class MapLog10 : public MapFunc
{
public:
    std::unique_ptr<MapFunc> Clone() const override { return std::make_unique<MapLog10>(*this); }
    int Kind() const override { return 1; }
    double Map(double value) const override;
    double Rmap(double pixel) const override;
    double MapLength(double length) const override;
    double RmapLength(double pixels) const override;
    // A start value at or below 1e-14 on an ascending span is taken as 1, and an end not above the
    // start becomes start + 1, so that a span of zeros still gives a usable decade.
    void Set(const Span& value, const Span& pixel) override;
    void Set(double value, double pixel, double ratio) override;
    void ChangeRatio(double pixel, double ratio) override;
};

}  // namespace fe::gdi
