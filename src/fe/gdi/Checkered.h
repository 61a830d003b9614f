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

// Draws the text at the reference point as DrawTextAt does, first in the outline colour at the
// eight neighbouring points, then in the text colour on top.
void DrawOutlinedText(QPainter& painter, int x, int y, const QString& text, unsigned align,
                      const QColor& outline = QColor(60, 60, 60), const QColor& fill = Qt::white);

}  // namespace fe::gdi
