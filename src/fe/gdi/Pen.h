#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>

namespace fe::gdi {

// Pen styles as the drawers store them.
enum PenStyle : int
{
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
    kPenInsideFrame = 6,
};

// A pen that draws like the drawing layer's pens always did: width 0 or 1 is a cosmetic one-pixel pen
// (the only kind that can be dashed; a wider dashed pen draws solid), wider pens have round caps and
// joins, and the null style draws nothing.
QPen MakePen(int style, int width, const QColor& color);

// A solid brush of the colour.
QBrush MakeSolidBrush(const QColor& color);

}  // namespace fe::gdi
