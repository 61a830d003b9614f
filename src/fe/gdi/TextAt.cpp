#include "fe/gdi/TextAt.h"

#include <QFontMetrics>
#include <QPainter>

namespace fe::gdi {
namespace {

// The offset of the text's baseline start from the reference point.
QPoint BaselineOffset(const QFontMetrics& metrics, const QString& text, unsigned align)
{
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
    return QPoint(dx, dy);
}

}  // namespace

void DrawTextAt(QPainter& painter, int x, int y, const QString& text, unsigned align, int escapement)
{
    if (text.isEmpty())
        return;
    const QPoint offset = BaselineOffset(painter.fontMetrics(), text, align);
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.translate(x, y);
    if (escapement % 3600 != 0)
        painter.rotate(-escapement / 10.0);
    painter.drawText(offset, text);
    painter.restore();
}

QRect TextCellAt(const QFontMetrics& metrics, int x, int y, const QString& text, unsigned align)
{
    const QPoint offset = BaselineOffset(metrics, text, align);
    return QRect(x + offset.x(), y + offset.y() - metrics.ascent(), metrics.horizontalAdvance(text),
                 metrics.height());
}

void DrawOpaqueTextAt(QPainter& painter, int x, int y, const QString& text, unsigned align,
                      const QColor& background)
{
    if (text.isEmpty())
        return;
    painter.fillRect(TextCellAt(painter.fontMetrics(), x, y, text, align), background);
    DrawTextAt(painter, x, y, text, align);
}

}  // namespace fe::gdi
