// The view's cursors: the system shapes, and its own pointing hand, turning hand and line-input arrow
// drawn here.
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/view/TavrelView.h"
#include "view/MouseEditing.h"

namespace {

QPixmap Blank()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A white hand pointing up with its fingertip at (12, 2); with `turning` a red curved double arrow.
QCursor HandCursor(bool turning)
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 1, 5, 14), 2.5, 2.5);   // the pointing finger
    hand.addRoundedRect(QRectF(7, 11, 16, 14), 4, 4);      // the palm with the folded fingers
    p.drawPath(hand.simplified());
    if (turning) {
        p.setPen(QPen(QColor(204, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(16, 2, 14, 14), 200 * 16, 180 * 16);
        p.setBrush(QColor(204, 0, 0));
        p.drawPolygon(QPolygonF({QPointF(15, 10), QPointF(19, 9), QPointF(16, 14)}));
        p.drawPolygon(QPolygonF({QPointF(30, 10), QPointF(26, 9), QPointF(29, 14)}));
    }
    p.end();
    return QCursor(pixmap, 12, 2);
}

}  // namespace

QCursor CTavrelView::CursorOfKind(int kind)
{
    if (kind >= locmap::kDragWhole && kind <= locmap::kDragEdgeLast)
        return QCursor(Qt::SizeAllCursor);
    if ((kind >= locmap::kDragCornerFirst && kind <= locmap::kDragHandleLast) || kind == locmap::kDragPosition)
        return HandCursor(false);
    if (kind == locmap::kDragDirection || kind == locmap::kDragRotation)
        return HandCursor(true);
    return QCursor(Qt::ArrowCursor);
}

QCursor CTavrelView::LineModeCursor()
{
    // An arrow above a framed "INPUT" box, hot spot at the arrow's tip.
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(0, 14), QPoint(4, 10), QPoint(10, 10)}));
    p.drawRect(2, 18, 28, 11);
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(2, 18, 28, 11), Qt::AlignCenter, QStringLiteral("INPUT"));
    p.end();
    return QCursor(pixmap, 0, 0);
}
