#include "app/controls/ResizeManage.h"

#include <QWidget>

namespace app {

void CResizeManage::Add(QWidget* parent, QWidget* control, bool moveX, bool moveY, bool growWidth,
                        bool growHeight, bool invalidateParent)
{
    if (!control)
        return;
    m_entries.push_back(
        {parent, control, moveX, moveY, growWidth, growHeight, invalidateParent, control->geometry()});
}

void CResizeManage::Resize(const QRect& windowRect)
{
    const int dx = windowRect.width() - m_initial.width();
    const int dy = windowRect.height() - m_initial.height();
    for (const CResizeCtrl& entry : m_entries) {
        if (!entry.control)
            continue;
        const QRect old = entry.control->geometry();
        const QRect placed(entry.rect.left() + (entry.moveX ? dx : 0),
                           entry.rect.top() + (entry.moveY ? dy : 0),
                           entry.rect.width() + (entry.growWidth ? dx : 0),
                           entry.rect.height() + (entry.growHeight ? dy : 0));
        entry.control->setGeometry(placed);
        if (entry.invalidateParent && entry.parent &&
            (placed.width() < old.width() || placed.height() < old.height()))
            entry.parent->update(old);
        else
            entry.control->update();
    }
}

}  // namespace app
