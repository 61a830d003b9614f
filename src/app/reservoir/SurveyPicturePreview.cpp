#include "app/reservoir/SurveyPicturePreview.h"

#include <QMouseEvent>
#include <QPainter>

#include "fe/gdi/Checkered.h"

namespace app {
namespace {

constexpr int kCheckerCell = 16;
constexpr int kSmallest = 10;

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

void SurveyPicturePreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QFrame::mousePressEvent(event);
}

}  // namespace app
