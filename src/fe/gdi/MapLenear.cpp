#include "fe/gdi/MapLenear.h"

namespace fe::gdi {

void MapLenear::Set(const Span& value, const Span& pixel)
{
    m_ratio = (pixel.hi - pixel.lo) / (value.hi - value.lo);
    m_offset = pixel.lo - value.lo * m_ratio;
}

void MapLenear::Set(double value, double pixel, double ratio)
{
    m_ratio = ratio;
    m_offset = pixel - value * ratio;
}

void MapLenear::ChangeRatio(double pixel, double ratio)
{
    Set(Rmap(pixel), pixel, ratio);
}

}  // namespace fe::gdi
