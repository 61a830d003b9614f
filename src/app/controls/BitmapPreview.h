#pragma once

#include <QImage>

class QLabel;

namespace app {

// A copy of the picture with every colour byte divided by 1.5 (truncated); the original stays as it
// was, so a cached picture never darkens twice.
QImage DarkenedCopy(const QImage& picture);

// The preview of one layout choice at `size`: when key equals selectedKey the second picture and
// then the first over it, unscaled; otherwise the first picture darkened to two thirds.
QImage BitmapPreviewImage(const QImage& first, const QImage& second, QSize size, int key, int selectedKey);

// Shows the preview of resource pictures `bitmapId` and `secondBitmapId` in the label, at its size.
void DrawBitmapInDlgItem(QLabel* target, int bitmapId, int secondBitmapId, int key, int selectedKey);

}  // namespace app
