#pragma once

class QStyle;

namespace app {

// A style for group boxes whose title must show whole. The program's style sizes a group box's title by
// the ink of its text, so a title ending in a full-width closing bracket, whose ink lies in the left half
// of its cell, loses that bracket. This style, made once over the application's style and kept for the
// program's life, gives the title the advance of its text. Set it on the group box only (children keep
// their own style).
QStyle* GroupTitleStyle();

}  // namespace app
