#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace app {

// One control kept in place by CResizeManage: where it was when added and how it follows the
// dialog's size (move right/down with it, grow wider/higher with it).
struct CResizeCtrl
{
    QPointer<QWidget> parent;
    QPointer<QWidget> control;
    bool moveX = false, moveY = false, growWidth = false, growHeight = false;
    bool invalidateParent = false;
    QRect rect;  // in the parent's client coordinates, when added
};

// Keeps chosen controls anchored to the right and bottom edges of a dialog whose size changes.
class CResizeManage
{
public:
    // The dialog's window rectangle that later sizes are measured against.
    void SetInitialRect(const QRect& rect) { m_initial = rect; }
    const QRect& InitialRect() const { return m_initial; }
    void SetMinTrackSize(QSize size) { m_minTrack = size; }
    void SetMaxTrackSize(QSize size) { m_maxTrack = size; }
    QSize MinTrackSize() const { return m_minTrack; }
    QSize MaxTrackSize() const { return m_maxTrack; }

    // Records the control's present rectangle and how it follows the dialog.
    void Add(QWidget* parent, QWidget* control, bool moveX, bool moveY, bool growWidth, bool growHeight,
             bool invalidateParent = false);
    void RemoveAll() { m_entries.clear(); }
    // Places every control for the dialog's new window rectangle.
    void Resize(const QRect& windowRect);

private:
    std::vector<CResizeCtrl> m_entries;
    QRect m_initial;
    QSize m_minTrack{0, 0};
    QSize m_maxTrack{2000, 1000};
};

}  // namespace app
