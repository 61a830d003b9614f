#include "fe/img/Rotate.h"

#include <QTransform>
#include <cmath>

#include "fe/Failure.h"

void PlgImage(QImage& target, const QImage& source, int angle)
{
    if (angle != 90 && angle != 180 && angle != 270)
        throw fe::Failure(QStringLiteral("PlgImage:回転角度エラー"));
    // Qt's y axis points down, so a counter-clockwise turn on screen is a negative rotation; quarter
    // turns are exact pixel moves.
    target = source.transformed(QTransform().rotate(-angle)).convertToFormat(QImage::Format_RGB888);
}

void RotateImageInto(const fe::img::Image& source, double angle, fe::img::Image& target)
{
    const int sw = source.Width();
    const int sh = source.Height();
    const int tw = target.Width();
    const int th = target.Height();
    if (tw <= 0 || th <= 0)
        return;
    if (sw <= 0 || sh <= 0) {
        target.Fill(0x00FFFFFF);
        return;
    }
    // The loops walk rows as 32-bit words; pictures of another depth are converted first.
    const QImage src = source.Picture().depth() == 32
                           ? source.Picture()
                           : source.Picture().convertToFormat(QImage::Format_RGB32);
    QImage& dst = target.Picture();
    if (dst.depth() != 32)
        dst.convertTo(QImage::Format_RGB32);
    const double fy = double(sh) / th;
    const double fx = double(sw) / tw;
    const double c = std::cos(-angle);
    const double s = std::sin(-angle);
    for (int i = 0; i < th; ++i) {
        const double o = (i - th / 2) * fy;
        auto* row = reinterpret_cast<QRgb*>(dst.scanLine(i));
        for (int j = 0; j < tw; ++j) {
            const double r = fx * (j - tw / 2);
            const int sx = int(r * c - o * s + sw * 0.5);
            const int sy = int(r * s + o * c + sh / 2);
            if (sx >= 0 && sy >= 0 && sx < sw && sy < sh)
                row[j] = reinterpret_cast<const QRgb*>(src.constScanLine(sy))[sx];
            else
                row[j] = 0xFFFFFFFFu;
        }
    }
}
