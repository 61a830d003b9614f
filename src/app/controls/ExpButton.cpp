#include "app/controls/ExpButton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionFocusRect>

#include "app/controls/BitmapResources.h"

namespace app {
namespace {

// One-pixel lines along the top and left, then the bottom and right edges of `r`.
void EdgeLines(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.bottom(), r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.setPen(bottomRight);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
}

void Gradient(QPainter& p, const QRect& r, const QColor& from, const QColor& to)
{
    QLinearGradient gradient(r.topLeft(), r.topRight());
    gradient.setColorAt(0.0, from);
    gradient.setColorAt(1.0, to);
    p.fillRect(r, gradient);
}

// The arrow shape of styles 4 and 5.
QPolygon Trapezoid(const QRect& r)
{
    const int h = r.height();
    return QPolygon({QPoint(r.left(), r.top()), QPoint(r.left() + r.width() - 1, r.top()),
                     QPoint(r.left() + r.width() - h / 2, r.top() + h - 1),
                     QPoint(r.left(), r.top() + h - 1)});
}

}  // namespace

CExpButton::CExpButton(QWidget* parent) : CExpButton(QString(), parent) {}

CExpButton::CExpButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    const QPalette& pal = palette();
    textColor = pal.color(QPalette::WindowText);
    faceColor = pal.color(QPalette::Button);
    checkedFaceColor = faceColor;
    highlightColor = pal.color(QPalette::Light);
    lightColor = pal.color(QPalette::Midlight);
    shadowColor = pal.color(QPalette::Dark);
    darkShadowColor = pal.color(QPalette::Shadow);
}

void CExpButton::SetBitmaps(int normalId, int pressedId, bool tracking)
{
    normalBitmap = LoadBitmapResource(normalId);
    pressedBitmap = LoadBitmapResource(pressedId);
    clickTracking = tracking;
    style = 7;
    hasDisabledBitmap = false;
    updateGeometry();
}

void CExpButton::SetBitmapsWithDisabled(int normalId, int pressedId, int disabledId)
{
    normalBitmap = LoadBitmapResource(normalId);
    pressedBitmap = LoadBitmapResource(pressedId);
    disabledBitmap = LoadBitmapResource(disabledId);
    hasDisabledBitmap = true;
    style = 7;
    clickTracking = false;
    updateGeometry();
}

QSize CExpButton::sizeHint() const
{
    if ((style == 7 || style == 8) && !normalBitmap.isNull())
        return normalBitmap.size();
    const QSize textSize = fontMetrics().size(multiLine ? 0 : Qt::TextSingleLine, text());
    return textSize + QSize(24, 12);
}

bool CExpButton::Tracks() const
{
    return clickTracking && (style == 0 || style == 7 || style == 8);
}

void CExpButton::mousePressEvent(QMouseEvent* event)
{
    if (Tracks() && event->button() == Qt::LeftButton) {
        pressedInside = false;
        pressedInside = true;
    }
    QAbstractButton::mousePressEvent(event);
}

void CExpButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (Tracks() && event->button() == Qt::LeftButton) {
        if (toggleOnClick && pressedInside && rect().contains(event->position().toPoint())) {
            checked = !checked;
            update();
        }
        pressedInside = false;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

// With click tracking a double click is a second press (two clicks); otherwise it is ignored.
void CExpButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (Tracks())
        mousePressEvent(event);
    else
        event->accept();
}

const QPixmap& CExpButton::CurrentBitmap() const
{
    if (!isEnabled() && hasDisabledBitmap && !disabledBitmap.isNull())
        return disabledBitmap;
    if ((isDown() || checked) && !pressedBitmap.isNull())
        return pressedBitmap;
    return normalBitmap;
}

void CExpButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    if (style == 7 || style == 8) {
        const QPixmap& picture = CurrentBitmap();
        if (style == 8) {
            painter.drawPixmap(r, picture);
        } else {
            QRect target(QPoint(0, 0), picture.size());
            target.moveCenter(r.center());
            painter.setClipRect(r);
            painter.drawPixmap(target.topLeft(), picture);
        }
        return;
    }
    QRect textRect = r;
    PaintFace(painter, &textRect);
    PaintText(painter, textRect);
    if (hasFocus() && (style == 0 || style == 1)) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(4, 4, -4, -4);
        QWidget::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CExpButton::PaintFace(QPainter& p, QRect* textRect)
{
    const QRect r = rect();
    const bool down = isDown();
    const bool pressed = down || checked;
    switch (style) {
        case 0:
            p.fillRect(r, faceColor);
            if (pressed) {
                EdgeLines(p, r, shadowColor, highlightColor);
                EdgeLines(p, r.adjusted(1, 1, -1, -1), darkShadowColor, lightColor);
                textRect->translate(1, 1);
            } else {
                EdgeLines(p, r, lightColor, darkShadowColor);
                EdgeLines(p, r.adjusted(1, 1, -1, -1), highlightColor, shadowColor);
            }
            break;
        case 1: {
            const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
            const QPolygon tab({QPoint(l, b), QPoint(l, t + 3), QPoint(l + 3, t), QPoint(rr - 3, t),
                                QPoint(rr, t + 3), QPoint(rr, b)});
            p.setBrush(pressed ? checkedFaceColor : faceColor);
            p.setPen(darkShadowColor);
            p.drawPolygon(tab);
            const QPolygon inner({QPoint(l + 1, b), QPoint(l + 1, t + 3), QPoint(l + 3, t + 1),
                                  QPoint(rr - 3, t + 1), QPoint(rr - 1, t + 3), QPoint(rr - 1, b)});
            p.setBrush(Qt::NoBrush);
            p.setPen(shadowColor);
            p.drawPolyline(inner);
            break;
        }
        case 2:
        case 6:
            if (style == 2 && checked)
                Gradient(p, r, hotFaceColor, checkedFaceColor);
            else
                Gradient(p, r, accentColor, faceColor);
            if (down)
                EdgeLines(p, r, shadowColor, lightColor);
            else
                EdgeLines(p, r, lightColor, shadowColor);
            if (style == 6 && checked) {
                p.setPen(QPen(highlightColor, 3));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(1, 1, -2, -2));
            }
            *textRect = r.adjusted(4, 4, -4, -4);
            break;
        case 3: {
            if (down)
                hot = false;
            const QColor face = !isEnabled() ? highlightColor : hot ? hotFaceColor : faceColor;
            p.fillRect(r, face);
            const QColor frame = isEnabled() ? accentColor : darkShadowColor;
            const int width = checked ? 3 : 1;
            for (int i = 0; i < width; ++i) {
                p.setPen(frame);
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(i, i, -1 - i, -1 - i));
            }
            const int inset = down ? 6 : 4;
            *textRect = r.adjusted(inset, inset, -5, -5);
            break;
        }
        case 4:
        case 5: {
            const QPolygon shape = Trapezoid(r);
            p.setBrush(pressed ? checkedFaceColor : faceColor);
            p.setPen(down ? lightColor : shadowColor);
            p.drawPolygon(shape);
            if (style == 4) {
                p.setPen(down ? shadowColor : lightColor);
                p.drawLine(r.left(), r.bottom(), r.left(), r.top());
                p.drawLine(r.left(), r.top(), r.right(), r.top());
                *textRect = r.adjusted(4, 4, -(r.height() / 2 + 4), -4);
            } else {
                const QRect outer(r.left() + 3, r.top() + 3, 8, r.height() - 6);
                p.setBrush(Qt::NoBrush);
                p.setPen(darkShadowColor);
                p.drawRect(outer.adjusted(0, 0, -1, -1));
                const QRect bar = outer.adjusted(1, 1, -1, -1);
                p.setBrush(hot ? hotFaceColor : accentColor);
                p.setPen(highlightColor);
                p.drawRect(bar.adjusted(0, 0, -1, -1));
                *textRect = QRect(r.left() + 15, r.top(), r.width() - 15 - r.height() / 2, r.height());
            }
            p.setBrush(Qt::NoBrush);
            break;
        }
        default:
            p.fillRect(r, faceColor);
            break;
    }
}

void CExpButton::PaintText(QPainter& p, const QRect& textRect)
{
    if (text().isEmpty())
        return;
    const Qt::Alignment horizontal = horizontalFlags == 0   ? Qt::AlignLeft
                                     : horizontalFlags == 2 ? Qt::AlignRight
                                                            : Qt::AlignHCenter;
    QRect area = textRect;
    int flags = horizontal;
    if (multiLine) {
        // Word-wrapped text starts at the top; "centred" lowers it by a quarter of the text
        // height, and by half more for a text of exactly two lines.
        flags |= Qt::TextWordWrap;
        if (verticalFlags == 8) {
            flags |= Qt::AlignBottom;
        } else {
            const int height = p.fontMetrics().height();
            int shift = height / 4;
            if (text().count(QLatin1Char('\n')) == 1)
                shift += height / 2;
            area.setTop(area.top() + shift);
            flags |= Qt::AlignTop;
        }
    } else {
        flags |= Qt::TextSingleLine | (verticalFlags == 8 ? Qt::AlignBottom : Qt::AlignVCenter);
    }
    if (isEnabled()) {
        p.setPen(textColor);
        p.drawText(area, flags, text());
    } else {
        // Embossed: light one pixel right and down, then the shadow on top.
        p.setPen(lightColor);
        p.drawText(area.translated(1, 1), flags, text());
        p.setPen(shadowColor);
        p.drawText(area, flags, text());
    }
}

}  // namespace app
