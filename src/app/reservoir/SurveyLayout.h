#pragma once

#include <QRect>

namespace app {

// Positions of the survey dialogs, drawn in dialog units of an 8-point dialog font (a unit is a quarter
// of the font's average character width across and an eighth of its height down).
inline int DluX(int x)
{
    return x * 3 / 2;
}
inline int DluY(int y)
{
    return y * 13 / 8;
}
inline QRect DluRect(int x, int y, int width, int height)
{
    return QRect(DluX(x), DluY(y), DluX(width), DluY(height));
}

}  // namespace app
