#include "fe/gdi/TextAt.h"

#include <QFontMetrics>
#include <QPainter>

namespace fe::gdi {

void DrawTextAt(QPainter& painter, int x, int y, const QString& text, unsigned align, int escapement)
{
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    int dx = 0;
    const unsigned horizontal = align & TA_CENTER;
    if (horizontal == TA_CENTER)
        dx = -metrics.horizontalAdvance(text) / 2;
    else if (horizontal == TA_RIGHT)
        dx = -metrics.horizontalAdvance(text);
    int dy = metrics.ascent();  // top: the cell's top edge at y
    const unsigned vertical = align & TA_BASELINE;
    if (vertical == TA_BASELINE)
        dy = 0;
    else if (vertical == TA_BOTTOM)
        dy = -metrics.descent();

    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.translate(x, y);
    if (escapement % 3600 != 0)
        painter.rotate(-escapement / 10.0);
    painter.drawText(dx, dy, text);
    painter.restore();
}

}  // namespace fe::gdi
