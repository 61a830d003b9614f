#pragma once

#include <QString>
#include <array>

namespace app {

// "2.01" in the long form, "2" (the floor) in the short form.
QString FormatVersionNumber(bool longForm);
// "ケルヴォル Version 2", followed by " - " and the project name when there is one.
QString MainWindowTitle(const QString& projectName);

// The four coordinate texts of the status bar: coordinate system, unit, first and second value.
using StatusCoordTexts = std::array<QString, 4>;

// The texts for a view mode (0 and 3 web tiles, 1 picture without coordinates, 2 picture in a plane
// zone) with the current map's zone (0 none).
StatusCoordTexts StatusForViewMode(int viewMode, bool hasCurrentMap, int zone);
// Texts of a pointer position. Unset values (DBL_MAX, INT_MAX for pixels) show "-", and -9e32 shows
// nothing after its label.
StatusCoordTexts StatusLatLong(double latitude, double longitude, int zone);
StatusCoordTexts StatusPlaneXY(int zone, double first, double second);
StatusCoordTexts StatusPixel(int x, int y);

// "撮影写真", or "撮影写真　枚数：全て(n)" with " / 位置図内(m)" while a location map is current.
QString PhotoPaneTitle(bool hasDocument, int photoCount, bool hasCurrentMap, int placedOnCurrent);

}  // namespace app
