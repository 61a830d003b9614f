#include "fe/gdi/MapLenear.h"

namespace fe::gdi {

void MapLenear::Set(const Span& value, const Span& pixel)
{
    ratio_ = (pixel.hi - pixel.lo) / (value.hi - value.lo);
    offset_ = pixel.lo - value.lo * ratio_;
}

void MapLenear::Set(double value, double pixel, double ratio)
{
    ratio_ = ratio;
    offset_ = pixel - value * ratio;
}

void MapLenear::ChangeRatio(double pixel, double ratio)
{
    Set(Rmap(pixel), pixel, ratio);
}

}  // namespace fe::gdi
