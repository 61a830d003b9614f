#pragma once

#include <memory>

#include "fe/Rect2.h"

namespace fe::gdi {

// A one-dimensional mapping from world values to pixels, linear or logarithmic. Each holds an
// offset b and a ratio a; a new mapping is the identity (b = 0, a = 1). The operations a kind
// cannot support throw fe::Failure with a constant text.
class MapFunc
{
public:
    virtual ~MapFunc() = default;

    virtual std::unique_ptr<MapFunc> Clone() const = 0;
    // 0 linear, 1 logarithmic.
    virtual int Kind() const = 0;
    virtual double Map(double value) const = 0;
    virtual double Rmap(double pixel) const = 0;
    virtual double MapLength(double length) const = 0;
    virtual double RmapLength(double pixels) const = 0;
    void SetIdentity();
    // Maps value.lo to pixel.lo and value.hi to pixel.hi; either span may be descending.
    virtual void Set(const Span& value, const Span& pixel) = 0;
    // Puts the ratio and the offset so that `value` maps to `pixel`.
    virtual void Set(double value, double pixel, double ratio) = 0;
    void Move(double pixels) { m_offset += pixels; }
    // Shifts the mapping so that `value` maps to `pixel`.
    void Anchor(double value, double pixel) { m_offset += pixel - Map(value); }
    // Changes the ratio keeping the value under `pixel` where it is.
    virtual void ChangeRatio(double pixel, double ratio) = 0;

    double Offset() const { return m_offset; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double ratio) { m_ratio = ratio; }

protected:
    MapFunc() = default;
    MapFunc(const MapFunc&) = default;
    MapFunc& operator=(const MapFunc&) = default;

    double m_offset = 0.0;  // b
    double m_ratio = 1.0;   // a
};

}  // namespace fe::gdi
