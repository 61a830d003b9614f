#include "fe/gdi/Checkered.h"

#include <QPainter>

#include "fe/gdi/Shapes.h"
#include "fe/gdi/TextAt.h"

namespace fe::gdi {

void FillCheckerCells(QPainter& painter, int columns, int rows, int cell)
{
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if ((row + column) % 2 == 0) {
                const int left = column * cell;
                const int top = row * cell;
                // Without a pen the right and bottom edges stay out: +1 gives cell pixels.
                DrawRectangle(painter, left, top, left + cell + 1, top + cell + 1);
            }
}

void PaintCheckerGround(QPainter& painter, int width, int height, int cell)
{
    if (width <= 0 || height <= 0 || cell <= 0)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(100, 100, 100));
    DrawRectangle(painter, 0, 0, width + 1, height + 1);
    painter.setBrush(QColor(120, 120, 120));
    FillCheckerCells(painter, (width + cell - 1) / cell, (height + cell - 1) / cell, cell);
    painter.restore();
}

void DrawOutlinedText(QPainter& painter, int x, int y, const QString& text, unsigned align,
                      const QColor& outline, const QColor& fill)
{
    painter.setPen(outline);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0)
                DrawTextAt(painter, x + dx, y + dy, text, align);
    painter.setPen(fill);
    DrawTextAt(painter, x, y, text, align);
}

}  // namespace fe::gdi
