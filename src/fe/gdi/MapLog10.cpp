#include "fe/gdi/MapLog10.h"

#include <cmath>

#include "fe/Failure.h"

namespace fe::gdi {

double MapLog10::Map(double value) const
{
    return m_ratio * std::log10(value) + m_offset;
}

double MapLog10::Rmap(double pixel) const
{
    return std::pow(10.0, (pixel - m_offset) / m_ratio);
}

double MapLog10::MapLength(double) const
{
    throw Failure(QStringLiteral("gdi::MapLog10.MapLength"));
}

double MapLog10::RmapLength(double) const
{
    throw Failure(QStringLiteral("gdi::MapLog10.RmapLength"));
}

void MapLog10::Set(const Span& value, const Span& pixel)
{
    double start = value.lo;
    double end = value.hi;
    if (value.hi >= value.lo) {
        if (start <= 1e-14) {
            start = 1.0;
        }
        if (!(value.hi > start)) {
            end = start + 1.0;
        }
    }
    m_ratio = (pixel.hi - pixel.lo) / (std::log10(end) - std::log10(start));
    m_offset = pixel.lo - m_ratio * std::log10(start);
}

void MapLog10::Set(double, double, double)
{
    throw Failure(QStringLiteral("fe::gdi::MapLog10.Set"));
}

void MapLog10::ChangeRatio(double, double)
{
    throw Failure(QStringLiteral("fe::gdi::MapLog10.ChangeRatio"));
}

}  // namespace fe::gdi
