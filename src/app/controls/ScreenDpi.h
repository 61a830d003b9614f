#pragma once

#include <QSize>

namespace app {

// The screen's logical DPI (horizontal, vertical) that grid twips and dialog sizes are scaled by.
// Widget coordinates are Qt's logical pixels, so this is 96 unless the platform reports otherwise.
QSize ScreenDpi();
// Fixes the DPI for tests; an empty size returns to the screen's own.
void SetScreenDpiOverride(QSize dpi);

// Twips (1/1440 inch) and pixels at the screen DPI.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(double pixels);
int PixelsToTwipsY(double pixels);

}  // namespace app
