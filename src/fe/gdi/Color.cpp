#include "fe/gdi/Color.h"

namespace fe::gdi {

QColor ColorRefToQColor(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

std::uint32_t QColorToColorRef(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return MakeColorRef(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace fe::gdi
