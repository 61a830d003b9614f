#include "app/ledger/LedgerPreview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "app/ledger/CropFrame.h"
#include "fe/gdi/Checkered.h"

namespace app {
namespace {

constexpr int kCheckerCell = 16;
constexpr double kFitZoom = 0.95;
constexpr double kWheelStep = 1.1;
const QColor kFrameColour(204, 0, 0);

Qt::CursorShape CursorOf(int part)
{
    switch (part) {
        case kCropEdgeLeft:
        case kCropEdgeRight:
        case kCropEdgeTop:
        case kCropEdgeBottom:
            return Qt::SizeAllCursor;
        case kCropTopLeft:
        case kCropBottomRight:
            return Qt::SizeFDiagCursor;
        case kCropTopRight:
        case kCropBottomLeft:
            return Qt::SizeBDiagCursor;
        case kCropMidLeft:
        case kCropMidRight:
            return Qt::SizeHorCursor;
        case kCropMidTop:
        case kCropMidBottom:
            return Qt::SizeVerCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace

CLedgerPreview::CLedgerPreview(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
}

void CLedgerPreview::SetPhoto(const QImage& shown, QSize fullSize, const Rect2& frame)
{
    m_photo = shown;
    m_fullSize = shown.isNull() ? QSize() : fullSize;
    m_frame = frame;
    m_part = kCropOutside;
    m_leftDown = m_middleDown = false;
    m_target = QImage();  // fitted again at the next drawing
    Render();
}

void CLedgerPreview::SetFrame(const Rect2& frame)
{
    m_frame = frame;
    Render();
}

void CLedgerPreview::ResetZoom()
{
    m_mapping.Reset();
    m_part = kCropOutside;
    m_target = QImage();
    Render();
}

QPointF CLedgerPreview::ToPreview(const QPointF& widgetPoint) const
{
    return widgetPoint - QPointF(contentsRect().topLeft() + QPoint(1, 1));
}

QPoint CLedgerPreview::ToWidget(double pictureX, double pictureY) const
{
    const Point2 p = m_mapping.Map(Point2(pictureX, pictureY));
    return (QPointF(p.x, p.y) + QPointF(contentsRect().topLeft() + QPoint(1, 1))).toPoint();
}

void CLedgerPreview::Render()
{
    const QRect inside = contentsRect();
    const QSize size(inside.width() - 2, inside.height() - 2);
    if (size.width() < 1 || size.height() < 1)
        return;
    if (m_target.size() != size) {
        m_target = QImage(size, QImage::Format_RGB32);
        if (m_target.isNull())
            return;
        Fit(size);
    }
    QPainter painter(&m_target);
    fe::gdi::PaintCheckerGround(painter, size.width(), size.height(), kCheckerCell);
    if (!m_photo.isNull()) {
        const Point2 a = m_mapping.Map(Point2(0, 0));
        const Point2 b = m_mapping.Map(Point2(m_fullSize.width(), m_fullSize.height()));
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRectF(QPointF(std::min(a.x, b.x), std::min(a.y, b.y)),
                                 QPointF(std::max(a.x, b.x), std::max(a.y, b.y))),
                          m_photo);
        DrawCropFrame(painter);
    }
    painter.end();
    update();
}

void CLedgerPreview::Fit(QSize target)
{
    if (m_photo.isNull() || m_fullSize.isEmpty() || target.isEmpty())
        return;
    m_mapping.FitRect(Rect2(0.0, 0.0, m_fullSize.width(), m_fullSize.height()),
                      Rect2(0.0, 0.0, target.width(), target.height()));
    m_mapping.ZoomAbout(kFitZoom, Point2(target.width() / 2.0, target.height() / 2.0));
}

void CLedgerPreview::DrawCropFrame(QPainter& painter) const
{
    const Point2 a = m_mapping.Map(Point2(m_frame.x0, m_frame.y0));
    const Point2 b = m_mapping.Map(Point2(m_frame.x1, m_frame.y1));
    const CropBox box = CropBox::Of(Rect2(a.x, a.y, b.x, b.y));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFrameColour, 2));
    painter.drawRect(QRectF(QPointF(box.left, box.top), QPointF(box.right + 1, box.bottom + 1)));
    painter.setPen(QPen(kFrameColour, 1));
    painter.setBrush(Qt::white);
    const int left = int(box.left), right = int(box.right), top = int(box.top), bottom = int(box.bottom);
    const int midX = box.MidX(), midY = box.MidY();
    const QPoint handles[] = {{left, top},    {right, top},    {left, bottom}, {right, bottom},
                              {left, midY},   {right, midY},   {midX, top},    {midX, bottom}};
    for (const QPoint& h : handles)
        painter.drawRect(QRect(QPoint(h.x() - 3, h.y() - 3), QPoint(h.x() + 3, h.y() + 3)));
}

int CLedgerPreview::HitTest(const QPointF& preview) const
{
    if (m_photo.isNull())
        return kCropOutside;
    const Point2 a = m_mapping.Map(Point2(m_frame.x0, m_frame.y0));
    const Point2 b = m_mapping.Map(Point2(m_frame.x1, m_frame.y1));
    return CropHitTest(CropBox::Of(Rect2(a.x, a.y, b.x, b.y)), preview.x(), preview.y());
}

void CLedgerPreview::UpdateCursor()
{
    setCursor(CursorOf(m_part));
}

void CLedgerPreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_target.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft() + QPoint(1, 1), m_target);
}

void CLedgerPreview::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Render();
}

void CLedgerPreview::mousePressEvent(QMouseEvent* event)
{
    const QPointF point = ToPreview(event->position());
    if (event->button() == Qt::LeftButton) {
        m_leftDown = true;
        m_part = HitTest(point);
        m_frameAtPress = m_frame;
        m_previous = point;
        UpdateCursor();
        Render();
    } else if (event->button() == Qt::MiddleButton) {
        m_middleDown = true;
        m_previous = point;
    }
    event->accept();
}

void CLedgerPreview::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF point = ToPreview(event->position());
    if (m_leftDown) {
        if (m_part >= kCropEdgeLeft && m_part <= kCropMidBottom) {
            const Point2 picture = m_mapping.RmapXY(point.x(), point.y());
            const Point2 before = m_mapping.RmapXY(m_previous.x(), m_previous.y());
            m_part = DragCropFrame(m_frame, m_part, picture, Point2(picture.x - before.x, picture.y - before.y));
            UpdateCursor();
            Render();
        }
    } else if (m_middleDown) {
        m_mapping.X().Move(point.x() - m_previous.x());
        m_mapping.Y().Move(point.y() - m_previous.y());
        Render();
    } else {
        m_part = HitTest(point);
        UpdateCursor();
    }
    m_previous = point;
    event->accept();
}

void CLedgerPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        m_part = kCropOutside;
        Render();
        if (!rect().contains(event->position().toPoint()))
            setCursor(Qt::ArrowCursor);
        const Rect2& f = m_frame;
        const Rect2& g = m_frameAtPress;
        if (f.x0 != g.x0 || f.x1 != g.x1 || f.y0 != g.y0 || f.y1 != g.y1)
            emit FrameEdited(m_frame);
    } else if (event->button() == Qt::MiddleButton && m_middleDown) {
        m_middleDown = false;
        Render();
    }
    event->accept();
}

void CLedgerPreview::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || m_photo.isNull()) {
        event->ignore();
        return;
    }
    const QPointF point = ToPreview(event->position());
    m_mapping.ZoomAbout(delta > 0 ? kWheelStep : 1.0 / kWheelStep, Point2(point.x(), point.y()));
    Render();
    event->accept();
}

void CLedgerPreview::leaveEvent(QEvent* event)
{
    if (!m_leftDown) {
        m_part = kCropOutside;
        UpdateCursor();
    }
    QFrame::leaveEvent(event);
}

}  // namespace app
