#pragma once

#include <QColor>
#include <QString>

class QPainter;

namespace fe::gdi {

// The look of the pictures that stand in for a missing tile or photo: a dark grey ground with
// lighter squares of `cell` pixels on every other place, and white text with a dark outline.

// Fills the squares (row + column even) of a grid of columns x rows cells with the painter's brush;
// the painter's pen should be Qt::NoPen so that each square covers exactly cell x cell pixels.
void FillCheckerCells(QPainter& painter, int columns, int rows, int cell);

// Paints the ground of a picture preview or stand-in over width x height pixels: RGB(100,100,100) with
// squares of `cell` pixels in RGB(120,120,120), the top-left square light. Leaves the painter's pen
// and brush as they were.
void PaintCheckerGround(QPainter& painter, int width, int height, int cell);

// Draws the text at the reference point as DrawTextAt does, first in the outline colour at the
// eight neighbouring points, then in the text colour on top.
void DrawOutlinedText(QPainter& painter, int x, int y, const QString& text, unsigned align,
                      const QColor& outline = QColor(60, 60, 60), const QColor& fill = Qt::white);

}  // namespace fe::gdi
