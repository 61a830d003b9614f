#include "fe/gdi/Shapes.h"

#include <QPainter>
#include <algorithm>

namespace fe::gdi {
namespace {

// Qt's aliased rectangle of width w covers w + 1 pixels when stroked and w pixels when only filled,
// so the box shrinks by one to end on right − 1 (stroked) or right − 2 (no pen).
QRect InclusiveBox(int left, int top, int right, int bottom)
{
    const int x0 = std::min(left, right);
    const int x1 = std::max(left, right);
    const int y0 = std::min(top, bottom);
    const int y1 = std::max(top, bottom);
    return QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1);
}

}  // namespace

void DrawRectangle(QPainter& painter, int left, int top, int right, int bottom)
{
    const QRect box = InclusiveBox(left, top, right, bottom);
    if (box.width() < 0 || box.height() < 0)
        return;
    painter.drawRect(box);
}

void DrawEllipse(QPainter& painter, int left, int top, int right, int bottom)
{
    const QRect box = InclusiveBox(left, top, right, bottom);
    if (box.width() < 0 || box.height() < 0)
        return;
    painter.drawEllipse(box);
}

void DrawRoundRect(QPainter& painter, int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight)
{
    const QRect box = InclusiveBox(left, top, right, bottom);
    if (box.width() < 0 || box.height() < 0)
        return;
    const double rx = std::min(std::abs(cornerWidth), box.width()) / 2.0;
    const double ry = std::min(std::abs(cornerHeight), box.height()) / 2.0;
    painter.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize);
}

void DrawPolyline(QPainter& painter, const QPolygon& points)
{
    if (points.size() < 2)
        return;
    painter.drawPolyline(points);
}

void DrawPolygon(QPainter& painter, const QPolygon& points, Qt::FillRule rule)
{
    if (points.size() < 2)
        return;
    painter.drawPolygon(points, rule);
}

}  // namespace fe::gdi
