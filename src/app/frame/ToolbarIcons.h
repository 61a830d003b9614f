#pragma once

#include <QIcon>

namespace app {

// The pictures of the main toolbar's buttons, drawn by the program (16 × 15 design, sharp at any scale):
// a null icon for a command without a button.
QIcon ToolbarIcon(int command);
// The program's own picture (window icon, version dialog).
QIcon ProgramIcon();

}  // namespace app
