#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;
class QFontMetrics;

namespace fe::gdi {

// Text alignment flags relative to the reference point, combined horizontally and vertically.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// Draws one line of text in the painter's font and pen colour with its reference point at (x, y):
// left, centre or right of the text horizontally; top, baseline or bottom of the font's cell vertically.
// The escapement (tenths of a degree, counter-clockwise on screen) turns the text about the reference
// point. The background stays untouched.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text, unsigned align, int escapement = 0);

// The cell that DrawTextAt fills with an unturned text: advance width × font height, placed by the alignment.
QRect TextCellAt(const QFontMetrics& metrics, int x, int y, const QString& text, unsigned align);

// DrawTextAt of an unturned text over its cell filled with the background colour (an opaque background).
void DrawOpaqueTextAt(QPainter& painter, int x, int y, const QString& text, unsigned align,
                      const QColor& background);

}  // namespace fe::gdi
