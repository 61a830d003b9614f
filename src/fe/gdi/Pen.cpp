#include "fe/gdi/Pen.h"

namespace fe::gdi {

QPen MakePen(int style, int width, const QColor& color)
{
    if (style == kPenNull)
        return QPen(Qt::NoPen);
    QPen pen(color);
    if (width <= 1) {
        // Width 0 in Qt is the cosmetic one-pixel pen. A flat cap leaves out the end pixel of a line,
        // as line drawing has always done here (the next segment starts on it).
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        switch (style) {
            case kPenDash:
                pen.setStyle(Qt::DashLine);
                break;
            case kPenDot:
                pen.setStyle(Qt::DotLine);
                break;
            case kPenDashDot:
                pen.setStyle(Qt::DashDotLine);
                break;
            case kPenDashDotDot:
                pen.setStyle(Qt::DashDotDotLine);
                break;
            default:
                pen.setStyle(Qt::SolidLine);
                break;
        }
        return pen;
    }
    pen.setWidth(width);
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QBrush MakeSolidBrush(const QColor& color)
{
    return QBrush(color, Qt::SolidPattern);
}

}  // namespace fe::gdi
