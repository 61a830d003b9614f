#pragma once

#include <QFrame>
#include <QImage>

#include "fe/Rect2.h"
#include "fe/gdi/MapFunc2.h"

namespace app {

// The photo preview of the ledger: the current entry's photo, already turned by its rotation, fitted at
// 0.95 over the grey checkerboard, with the entry's crop frame in red and its eight handles. The left
// button drags the frame's edges (moving it), corners and edge midpoints; the middle button pans; the
// wheel zooms about the pointer by 1.1. A finished drag reports the new frame (picture pixels of the
// turned photo, y downwards); the frame may leave the picture.
class CLedgerPreview : public QFrame
{
    Q_OBJECT

public:
    explicit CLedgerPreview(QWidget* parent = nullptr);

    // Shows the turned photo with its frame (a null photo shows the checkerboard alone), fitted again.
    // `fullSize` is the turned photo's size in the pixels the frame is given in; `shown` may be a
    // reduced copy of it.
    void SetPhoto(const QImage& shown, QSize fullSize, const Rect2& frame);
    void Clear() { SetPhoto(QImage(), QSize(), Rect2()); }
    // The frame changes without refitting (the 4:3 and whole-picture buttons).
    void SetFrame(const Rect2& frame);
    const Rect2& Frame() const { return m_frame; }
    const QImage& Photo() const { return m_photo; }
    QSize FullSize() const { return m_fullSize; }
    bool HasPhoto() const { return !m_photo.isNull(); }
    // The photo fitted again at the start zoom; nothing held.
    void ResetZoom();

    // What the pointer holds or hovers (CropPart), what is shown now, and the mapping of picture pixels
    // to preview pixels (the preview's inside starts one pixel in).
    int GrabPart() const { return m_part; }
    const QImage& Target() const { return m_target; }
    const fe::gdi::MapFunc2& Mapping() const { return m_mapping; }
    // A point of the widget in preview pixels.
    QPointF ToPreview(const QPointF& widgetPoint) const;
    // A picture point in widget coordinates (for tests that drag handles).
    QPoint ToWidget(double pictureX, double pictureY) const;
    // Draws the preview again.
    void Render();

signals:
    // A drag of the frame ended with the frame changed.
    void FrameEdited(const Rect2& frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Fit(QSize target);
    void DrawCropFrame(QPainter& painter) const;
    int HitTest(const QPointF& preview) const;
    void UpdateCursor();

    QImage m_photo;
    QSize m_fullSize;
    QImage m_target;
    Rect2 m_frame;
    Rect2 m_frameAtPress;
    fe::gdi::MapFunc2 m_mapping;  // picture pixels to preview pixels
    int m_part = 0;
    bool m_leftDown = false;
    bool m_middleDown = false;
    QPointF m_previous;  // preview pixels of the last mouse event of a drag
};

}  // namespace app
