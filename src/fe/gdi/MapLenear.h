#pragma once

#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

// pixel = a · value + b.
class MapLenear : public MapFunc
{
public:
    std::unique_ptr<MapFunc> Clone() const override { return std::make_unique<MapLenear>(*this); }
    int Kind() const override { return 0; }
    double Map(double value) const override { return m_ratio * value + m_offset; }
    double Rmap(double pixel) const override { return (pixel - m_offset) / m_ratio; }
    double MapLength(double length) const override { return m_ratio * length; }
    double RmapLength(double pixels) const override { return pixels / m_ratio; }
    void Set(const Span& value, const Span& pixel) override;
    void Set(double value, double pixel, double ratio) override;
    void ChangeRatio(double pixel, double ratio) override;
};

}  // namespace fe::gdi
