#pragma once

#include <QPoint>
#include <QPolygon>
#include <Qt>

class QPainter;

namespace fe::gdi {

// Shapes drawn the way the drawers expect of a device context: the box (left, top, right, bottom) covers
// the pixels from left to right − 1 and from top to bottom − 1 (right and bottom edges excluded), the
// corners may be given in either order, the outline uses the painter's pen and the inside its brush.
// With no pen the filled area is one pixel narrower and lower, as it always was. Antialiasing is expected
// off (Draw::Begin turns it off).
void DrawRectangle(QPainter& painter, int left, int top, int right, int bottom);
void DrawEllipse(QPainter& painter, int left, int top, int right, int bottom);
// Rounded corners of an ellipse cornerWidth × cornerHeight.
void DrawRoundRect(QPainter& painter, int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight);

// Connected lines through the points; the last point itself is not drawn with a one-pixel pen.
void DrawPolyline(QPainter& painter, const QPolygon& points);

// A closed polygon, filled with the painter's brush by the alternate (odd-even) or winding rule.
void DrawPolygon(QPainter& painter, const QPolygon& points, Qt::FillRule rule = Qt::OddEvenFill);

}  // namespace fe::gdi
