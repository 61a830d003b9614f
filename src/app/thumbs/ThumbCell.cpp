#include "app/thumbs/ThumbCell.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "fe/gdi/Checkered.h"
#include "fe/img/Image.h"

namespace app {
namespace {

constexpr QSize kCellSizes[kThumbSizeCount] = {{320, 240}, {160, 120}, {65, 48}};

QPoint PictureOffset(QSize cell, const QImage& plain)
{
    return QPoint((cell.width() - plain.width()) / 2, (cell.height() - plain.height()) / 2);
}

void PaintPlain(QPainter& painter, QPoint topLeft, QSize cell, const QImage& plain)
{
    painter.fillRect(QRect(topLeft, cell), Qt::white);
    painter.drawImage(topLeft + PictureOffset(cell, plain), plain);
}

// The check box in the cell's top left corner, with the tick when it is to be shown.
void PaintCheckBox(QPainter& painter, QPoint topLeft, bool tick, const ThumbCellFonts& fonts)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(topLeft + QPoint(3, 3), QSize(13, 13)));
    if (tick) {
        painter.setFont(fonts.check);
        painter.drawText(QRect(topLeft + QPoint(2, -1), QSize(40, 40)), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("✓"));
    }
    painter.restore();
}

// The caption box in the picture's bottom right corner: a twice-lightened ground under right-aligned lines.
void PaintCaption(fe::img::Image& cell, QRect picture, const QString& caption, const ThumbCellFonts& fonts)
{
    const QFontMetrics metrics(fonts.caption);
    const int textHeight =
        metrics.boundingRect(QRect(0, 0, picture.width(), picture.height()), Qt::TextWordWrap, caption).height();
    const int m = cell.Width() / 60;
    const int right = picture.left() + std::min(picture.width(), cell.Width()) - 2 * m;
    const int bottom = picture.top() + std::min(picture.height(), cell.Height());
    const int top = bottom - textHeight - 2 * m;
    QString widest;
    for (const QString& line : caption.split(QLatin1Char('\n')))
        if (line.size() > widest.size())
            widest = line;
    const int left = right - metrics.horizontalAdvance(widest);
    for (int k = 0; k < 2; ++k)
        cell.LightenRect(left - m, top - m, right + m, bottom - m);
    QPainter* painter = cell.GetDC();
    painter->setFont(fonts.caption);
    painter->setPen(Qt::black);
    painter->drawText(QRect(QPoint(0, top), QPoint(right, bottom)), Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap,
                      caption);
    cell.ReleaseDC();
}

}  // namespace

QSize ThumbCellSize(int sizeIndex)
{
    return kCellSizes[std::clamp(sizeIndex, 0, kThumbSizeCount - 1)];
}

ThumbCellFonts::ThumbCellFonts()
{
    caption = QFont(QStringLiteral("Meiryo UI"));
    caption.setPixelSize(15);
    caption.setWeight(QFont::Normal);
    check = QFont(QStringLiteral("Yu Gothic UI"));
    check.setPixelSize(22);
    check.setWeight(QFont::DemiBold);
}

QImage MissingThumb(QSize cell)
{
    static QImage cached[kThumbSizeCount];
    for (int k = 0; k < kThumbSizeCount; ++k) {
        if (kCellSizes[k] != cell)
            continue;
        if (cached[k].isNull()) {
            QImage picture(cell, QImage::Format_RGB32);
            picture.fill(QColor(100, 100, 100));
            QPainter painter(&picture);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(120, 120, 120));
            constexpr int kSquare = 16;
            fe::gdi::FillCheckerCells(painter, (cell.width() + kSquare - 1) / kSquare,
                                      (cell.height() + kSquare - 1) / kSquare, kSquare);
            painter.end();
            cached[k] = picture;
        }
        return cached[k];
    }
    return QImage();
}

QImage LoadPlainThumb(const QString& path, QSize cell)
{
    QImageReader reader(path);
    const QSize stored = reader.size();
    // The largest size of the picture's proportions that fits the cell, sides truncated.
    const QSize fitted = stored.isEmpty() ? QSize() : stored.scaled(cell, Qt::KeepAspectRatio);
    if (fitted.isEmpty())
        return MissingThumb(cell);
    if (fitted != stored)
        reader.setScaledSize(fitted);
    QImage picture = reader.read();
    if (picture.isNull())
        return MissingThumb(cell);
    if (picture.size() != fitted)
        picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // One compact copy per photo: 24 bits a pixel, drawn as it is.
    return picture.convertToFormat(QImage::Format_RGB888);
}

void PaintThumbCell(QPainter& painter, QPoint topLeft, QSize cell, const QImage& plain, const ThumbCellLook& look,
                    const ThumbCellFonts& fonts, fe::img::Image& scratch)
{
    if (look.caption.isEmpty() && !look.marked) {
        PaintPlain(painter, topLeft, cell, plain);
        PaintCheckBox(painter, topLeft, look.tick, fonts);
        return;
    }
    if (scratch.Width() != cell.width() || scratch.Height() != cell.height())
        (void)scratch.Create(cell.width(), cell.height());
    if (scratch.IsNull())
        return;
    const QRect picture(PictureOffset(cell, plain), plain.size());
    PaintPlain(*scratch.GetDC(), QPoint(0, 0), cell, plain);
    scratch.ReleaseDC();
    if (!look.caption.isEmpty() && !look.marked)
        PaintCaption(scratch, picture, look.caption, fonts);
    PaintCheckBox(*scratch.GetDC(), QPoint(0, 0), look.tick && !look.marked, fonts);
    scratch.ReleaseDC();
    if (look.marked) {
        for (int k = 0; k < 2; ++k)
            scratch.LightenRect(picture.left(), picture.top(), picture.right(), picture.bottom());
        QPainter* marks = scratch.GetDC();
        marks->setFont(fonts.caption);
        marks->setPen(QColor(255, 0, 0));
        marks->setBackgroundMode(Qt::OpaqueMode);
        marks->setBackground(Qt::white);
        marks->drawText(QRect(QPoint(18, 2), QSize(cell.width(), cell.height())), Qt::AlignLeft | Qt::AlignTop,
                        QStringLiteral("削除"));
        scratch.ReleaseDC();
    }
    painter.drawImage(topLeft, scratch.Picture());
}

}  // namespace app
