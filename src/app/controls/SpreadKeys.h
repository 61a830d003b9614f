#pragma once

#include <Qt>

class QKeyEvent;

namespace app {

// The key code the grid's KeyDown reports for a key press (0 for keys it does not report):
// letters and digits are their upper-case character codes, Delete is 46, Ctrl 17, and so on.
int SpreadKeyCode(const QKeyEvent* event);
// The shift-state bits of KeyDown: 1 Shift, 2 Ctrl, 4 Alt.
int SpreadShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace app
