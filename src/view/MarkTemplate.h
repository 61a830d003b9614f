#pragma once

class MarkStyle;

namespace locmap {

class DrawLoc;
class MarkSetting;

// Puts a mark template into a drawer: its mark kind and its four colours (into the palette's map mark,
// base, number text and label fill), and the sizes of `sizes` (the template's screen or Excel setting)
// times f = a × b. Integer sizes are truncated; a line width w becomes round(w × f), except that a width
// of 1 becomes round(b); the size factor becomes `sizeFactor`; the three flags are copied.
void ApplyMarkTemplate(DrawLoc& drawer, const MarkStyle& style, const MarkSetting& sizes, double a, double b,
                       double sizeFactor);

// The view's form: the template's screen sizes at the drawing scale 1.
void ApplyScreenMarkTemplate(DrawLoc& drawer, const MarkStyle& style);

}  // namespace locmap
