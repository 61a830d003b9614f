#include "app/controls/BitmapPreview.h"

#include <QLabel>
#include <QPainter>

#include "app/controls/BitmapResources.h"

namespace app {

QImage DarkenedCopy(const QImage& picture)
{
    QImage copy = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qRgb(qRed(c) * 2 / 3, qGreen(c) * 2 / 3, qBlue(c) * 2 / 3);
        }
    }
    return copy;
}

QImage BitmapPreviewImage(const QImage& first, const QImage& second, QSize size, int key, int selectedKey)
{
    QImage preview(size, QImage::Format_RGB32);
    preview.fill(Qt::white);
    QPainter painter(&preview);
    if (key == selectedKey) {
        painter.drawImage(0, 0, second);
        painter.drawImage(0, 0, first);
    } else {
        painter.drawImage(0, 0, DarkenedCopy(first));
    }
    return preview;
}

void DrawBitmapInDlgItem(QLabel* target, int bitmapId, int secondBitmapId, int key, int selectedKey)
{
    if (!target)
        return;
    const QImage first = LoadBitmapResource(bitmapId).toImage();
    const QImage second = LoadBitmapResource(secondBitmapId).toImage();
    target->setPixmap(
        QPixmap::fromImage(BitmapPreviewImage(first, second, target->size(), key, selectedKey)));
}

}  // namespace app
