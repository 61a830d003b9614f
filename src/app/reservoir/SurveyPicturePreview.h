#pragma once

#include <QFrame>
#include <QImage>

#include "view/ViewPhotoLink.h"

namespace app {

// A framed picture preview of the survey dialogs and the photo properties: the picture fitted whole at one
// scale and centred over the grey checkerboard of 16-pixel squares; without a picture only the
// checkerboard. The target is the frame's inside less one pixel each way, made again (and the picture
// fitted again) when the frame's size changes. Clicks are reported. A zoomable preview also zooms about
// the pointer by the wheel (×1.1 a notch) and moves with the middle button held (drawn fast meanwhile).
class SurveyPicturePreview : public QFrame
{
    Q_OBJECT

public:
    explicit SurveyPicturePreview(QWidget* parent = nullptr);

    // Shows the picture (null for none) and renders.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    // What is shown now (checkerboard and picture), for the tests and the screenshots.
    const QImage& Target() const { return m_target; }
    // Draws the target again; nothing when the frame is smaller than 10 pixels either way.
    void Render();
    void SetZoomable(bool on);
    // The picture fitted whole again (全体表示).
    void FitAll();
    const fe::gdi::MapFunc2& Mapping() const { return m_link.mapping; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage m_picture;
    QImage m_target;
    locmap::ViewPhotoLink m_link;
    bool m_zoomable = false;
    bool m_panning = false;
    QPoint m_lastPan;
};

}  // namespace app
