#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace app {

// The owner-drawn button of the panes and dialogs: flow-step buttons, stage headers, tab-like and
// arrow-shaped buttons, and picture buttons. Owners set the public members and call update().
//
// Styles: 0 raised 3-D face; 1 tab with cut top corners; 2 gradient with one-line edges; 3 flat with
// an accent frame; 4 arrow-shaped (trapezoid); 5 the arrow shape with a marker bar; 6 gradient with a
// highlight frame while checked; 7 picture centred; 8 picture stretched.
class CExpButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CExpButton(QWidget* parent = nullptr);
    CExpButton(const QString& text, QWidget* parent);

    // Loads the two pictures of the resources, style 7, no disabled picture.
    void SetBitmaps(int normalId, int pressedId, bool clickTracking);
    // Loads three pictures, style 7, click tracking off.
    void SetBitmapsWithDisabled(int normalId, int pressedId, int disabledId);

    int style = 0;
    // Styles 0, 7 and 8: a double click counts as a second press, and toggleOnClick may flip `checked`.
    bool clickTracking = false;
    bool checked = false;
    bool hot = false;
    bool hasDisabledBitmap = false;
    bool multiLine = false;
    int horizontalFlags = 1;  // 0 left, 1 centred, 2 right
    int verticalFlags = 4;    // 4 centred, 8 bottom
    QColor textColor;
    QColor faceColor;
    QColor accentColor = Qt::white;
    QColor checkedFaceColor;
    QColor hotFaceColor = Qt::white;
    QColor highlightColor, lightColor, shadowColor, darkShadowColor;
    QPixmap normalBitmap, pressedBitmap, disabledBitmap;
    bool toggleOnClick = false;
    bool pressedInside = false;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool Tracks() const;
    const QPixmap& CurrentBitmap() const;
    void PaintFace(QPainter& painter, QRect* textRect);
    void PaintText(QPainter& painter, const QRect& textRect);
};

}  // namespace app
