#include "app/reservoir/SurveyPicturePreview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "fe/gdi/Checkered.h"

namespace app {
namespace {

constexpr int kCheckerCell = 16;
constexpr int kSmallest = 10;
constexpr double kWheelFactor = 1.1;

}  // namespace

SurveyPicturePreview::SurveyPicturePreview(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    m_link.smooth = 1;
}

void SurveyPicturePreview::SetPicture(const QImage& picture)
{
    m_picture = picture;
    if (!m_picture.isNull() && !m_target.isNull())
        m_link.FitImage(m_picture, m_target.size());
    Render();
}

void SurveyPicturePreview::Render()
{
    const QRect inside = contentsRect();
    if (inside.width() < kSmallest || inside.height() < kSmallest)
        return;
    const QSize size(inside.width() - 2, inside.height() - 2);
    if (m_target.size() != size) {
        m_target = QImage(size, QImage::Format_RGB32);
        if (!m_picture.isNull())
            m_link.FitImage(m_picture, size);
    }
    QPainter painter(&m_target);
    fe::gdi::PaintCheckerGround(painter, size.width(), size.height(), kCheckerCell);
    if (!m_picture.isNull() && m_link.Begin(&painter)) {
        m_link.DrawImage(m_picture);
        m_link.End();
    }
    painter.end();
    update();
}

void SurveyPicturePreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_target.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft() + QPoint(1, 1), m_target);
}

void SurveyPicturePreview::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Render();
}

void SurveyPicturePreview::SetZoomable(bool on)
{
    m_zoomable = on;
    setMouseTracking(on);
    setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
}

void SurveyPicturePreview::FitAll()
{
    m_link.mapping.Reset();
    m_target = QImage();  // the next rendering fits the picture anew
    Render();
}

void SurveyPicturePreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    if (m_zoomable && event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_lastPan = event->position().toPoint();
        m_link.smooth = 0;
    }
    QFrame::mousePressEvent(event);
}

void SurveyPicturePreview::mouseMoveEvent(QMouseEvent* event)
{
    if (m_zoomable && !m_picture.isNull())
        setFocus();
    if (m_panning && (event->buttons() & Qt::MiddleButton)) {
        const QPoint now = event->position().toPoint();
        m_link.mapping.X().Move(now.x() - m_lastPan.x());
        m_link.mapping.Y().Move(now.y() - m_lastPan.y());
        m_lastPan = now;
        Render();
    }
    QFrame::mouseMoveEvent(event);
}

void SurveyPicturePreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_panning && event->button() == Qt::MiddleButton) {
        m_panning = false;
        m_link.smooth = 1;
        Render();
    }
    QFrame::mouseReleaseEvent(event);
}

void SurveyPicturePreview::wheelEvent(QWheelEvent* event)
{
    if (!m_zoomable || m_picture.isNull()) {
        QFrame::wheelEvent(event);
        return;
    }
    event->accept();
    const int turn = event->angleDelta().y();
    if (turn == 0)
        return;
    const QPoint at = event->position().toPoint() - contentsRect().topLeft() - QPoint(1, 1);
    m_link.mapping.ZoomAbout(turn > 0 ? kWheelFactor : 1.0 / kWheelFactor, Point2{double(at.x()), double(at.y())});
    Render();
}

}  // namespace app
