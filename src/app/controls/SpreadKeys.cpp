#include "app/controls/SpreadKeys.h"

#include <QKeyEvent>

#include "app/controls/SpreadGrid.h"

namespace app {

// The key code of a key press in the numbering the dialogs test (letters and digits are their
// upper-case character codes).
int SpreadKeyCode(const QKeyEvent* event)
{
    const int key = event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return kKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return kKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyReturn;
        case Qt::Key_Shift:
            return kKeyShift;
        case Qt::Key_Control:
            return kKeyControl;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return kKeyDelete;
        default:
            return 0;
    }
}

int SpreadShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? kShiftBit : 0) |
           (modifiers & Qt::ControlModifier ? kCtrlBit : 0) | (modifiers & Qt::AltModifier ? kAltBit : 0);
}

}  // namespace app
