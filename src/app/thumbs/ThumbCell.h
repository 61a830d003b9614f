#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace fe::img {
class Image;
}

namespace app {

// The three cell sizes of the thumbnail wall: 0 large, 1 medium, 2 small.
inline constexpr int kThumbSizeCount = 3;
QSize ThumbCellSize(int sizeIndex);

// The fonts the cells are decorated with.
struct ThumbCellFonts
{
    QFont caption;  // captions and "削除"
    QFont check;    // the tick
    ThumbCellFonts();
};

// How one cell is decorated.
struct ThumbCellLook
{
    QString caption;     // caption lines joined by "\n"; empty for none
    bool tick = false;   // ticked and not marked
    bool marked = false; // marked 削除
};

// The picture the wall keeps for a thumbnail file: the file fitted into the cell (scaled only when its
// size differs), or, when it cannot be read, the grey checkerboard of the whole cell, which missing
// thumbnails of one size share.
QImage LoadPlainThumb(const QString& path, QSize cell);
QImage MissingThumb(QSize cell);

// Paints a cell at `topLeft`: white, the plain thumbnail centred, then the caption box, the check box
// with its tick and the 削除 mark as `look` says. A cell without caption or mark is painted straight
// onto the painter; one with them is composed in `scratch` (kept by the caller between cells), where
// the lightened boxes are made.
void PaintThumbCell(QPainter& painter, QPoint topLeft, QSize cell, const QImage& plain, const ThumbCellLook& look,
                    const ThumbCellFonts& fonts, fe::img::Image& scratch);

}  // namespace app
