#pragma once

#include <QImage>
#include <QSize>

class AppSettings;
class LocationMap;
struct Project;

namespace app {

// The off-screen size a picture map of frame size W × H is drawn at before it is reduced to its
// thumbnail: W·f × H·f (truncated) for the first f of 0.10, 0.15, ..., 0.95 whose area exceeds 200,000
// pixels, 0.95 when none does.
QSize ThumbnailDrawSize(QSize frame);

// The colour a thumbnail pixel takes: black, grey RGB(192,192,192) and white stay; every other pixel gets
// red = blue × 15/16, green = green × 7/8, blue = red × 7/8 (truncated).
QRgb ThumbnailPixel(QRgb pixel);

// Turns `source` by `angle` (radians) into the whole of `target`, fitted by height or width as the
// proportions ask; target pixels outside the turned source are white.
void RotateThumbnailInto(const QImage& source, double angle, QImage& target);

// The thumbnail of a picture map (kinds 0 and 1): the map's picture reduced into `size`, centred on grey,
// its colours changed by ThumbnailPixel. A null picture when the map's picture cannot be read.
QImage PictureMapThumbnail(const Project& project, int mapIndex, QSize size);

// The thumbnail of a web map (kinds 2 to 4): the tiles of its box at its zoom (a few levels out when that
// picture would exceed 2048 × 2048 pixels), from the tile cache of `settings` (the program's defaults when
// null) for the tile site of its kind, reduced into `size` on grey, or turned by the frame angle into the
// whole thumbnail (white where the turned tiles do not reach). Tiles missing from the cache stay grey:
// nothing is downloaded. The caller keeps the view's tile worker stopped meanwhile. A null picture for
// another kind or when the tiles cannot be drawn.
QImage WebMapThumbnail(const Project& project, int mapIndex, QSize size, const AppSettings* settings);

}  // namespace app
