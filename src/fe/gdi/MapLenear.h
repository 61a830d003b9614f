#pragma once

#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

// pixel = a · value + b.
class MapLenear : public MapFunc
{
public:
    std::unique_ptr<MapFunc> Clone() const override { return std::make_unique<MapLenear>(*this); }
    int Kind() const override { return 0; }
    double Map(double value) const override { return ratio_ * value + offset_; }
    double Rmap(double pixel) const override { return (pixel - offset_) / ratio_; }
    double MapLength(double length) const override { return ratio_ * length; }
    double RmapLength(double pixels) const override { return pixels / ratio_; }
    void Set(const Span& value, const Span& pixel) override;
    void Set(double value, double pixel, double ratio) override;
    void ChangeRatio(double pixel, double ratio) override;
};

}  // namespace fe::gdi
