#pragma once

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

// A grey picture to draw on with one painter, and pixel counting for the drawing tests.
struct PixelCanvas
{
    QImage image;

    explicit PixelCanvas(int width = 300, int height = 200, QColor ground = QColor(0x88, 0x88, 0x88))
        : image(width, height, QImage::Format_RGB32)
    {
        image.fill(ground);
    }

    // Runs the drawing on a painter that is ended before the pixels are read.
    void Paint(const std::function<void(QPainter&)>& draw)
    {
        QPainter painter(&image);
        draw(painter);
    }

    QColor At(int x, int y) const { return image.pixelColor(x, y); }

    // Pixels of the colour (each channel within the tolerance) inside the rectangle.
    int Count(const QRect& area, const QColor& color, int tolerance = 0) const
    {
        return CountIn(image, area, color, tolerance);
    }

    static int CountIn(const QImage& image, const QRect& area, const QColor& color, int tolerance = 0)
    {
        int count = 0;
        const QRect r = area.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - color.red()) <= tolerance &&
                    std::abs(c.green() - color.green()) <= tolerance &&
                    std::abs(c.blue() - color.blue()) <= tolerance)
                    ++count;
            }
        }
        return count;
    }

    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    QRect BoundsOf(const QColor& color, int tolerance = 0) const
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - color.red()) <= tolerance &&
                    std::abs(c.green() - color.green()) <= tolerance &&
                    std::abs(c.blue() - color.blue()) <= tolerance)
                    bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }
};

// The horizontal extents of the pieces of dark writing (grey below 128) in the area: columns holding
// some dark pixel, joined when fewer than `joinGap` blank columns lie between them. Touching or
// crowded labels come out as one piece.
inline std::vector<std::pair<int, int>> DarkPieces(const QImage& image, const QRect& area, int joinGap = 3)
{
    std::vector<std::pair<int, int>> pieces;
    const QRect r = area.intersected(image.rect());
    for (int x = r.left(); x <= r.right(); ++x) {
        bool dark = false;
        for (int y = r.top(); y <= r.bottom() && !dark; ++y)
            dark = qGray(image.pixel(x, y)) < 128;
        if (!dark)
            continue;
        if (!pieces.empty() && x - pieces.back().second - 1 < joinGap)
            pieces.back().second = x;
        else
            pieces.emplace_back(x, x);
    }
    return pieces;
}

// The shipped data folder of the source tree (mark icons).
inline QString SourceDataFolder()
{
    return QStringLiteral(KELVOR_SOURCE_DIR "/data/");
}

// Pictures rendered for a person to look at go beside the test program's working folder.
inline QString LookFolder()
{
    QDir().mkpath(QStringLiteral("pictures"));
    return QDir::current().absoluteFilePath(QStringLiteral("pictures")) + QLatin1Char('/');
}
