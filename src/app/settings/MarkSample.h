#pragma once

#include <QImage>
#include <QSize>

class MarkStyle;
class QPainter;

namespace app {

inline constexpr int kScreenSetting = 0;
inline constexpr int kExcelSetting = 1;

// Draws one mark template as the mark settings dialogs preview it, centred at (x, y): the mark with its
// direction arrow up and to the right at 45°, and for shape 1 the label " P-1 " down and to the left, for
// shape 2 the number "1" inside the circle. `setting` is kScreenSetting or kExcelSetting. With the screen
// setting, a template drawn in RGB(204,0,0) with radius 5 shows `photoPoint` (the view's red photo point)
// scaled into 11 × 11 pixels instead of its disc and ring.
void DrawMarkSample(QPainter& painter, const MarkStyle& style, int setting, int x, int y,
                    const QImage& photoPoint);

// The sample picture of a dialog: `size` filled with RGB(220,220,220), the template drawn at its centre.
QImage MarkSampleImage(const MarkStyle& style, int setting, QSize size, const QImage& photoPoint);

// Icon/photoPointRed.png of the executable's folder; null when it cannot be read.
QImage LoadPhotoPointPicture();

}  // namespace app
