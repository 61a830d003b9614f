#include "fe/ui/Mouse.h"

namespace fe::ui {

void Mouse::Press(int button, int x, int y)
{
    if (button < 0 || button >= kButtonCount)
        return;
    Button& b = m_buttons[static_cast<size_t>(button)];
    b.down = true;
    b.downPoint = b.previous = b.current = QPoint(x, y);
}

void Mouse::Release(int button)
{
    if (button >= 0 && button < kButtonCount)
        m_buttons[static_cast<size_t>(button)].down = false;
}

void Mouse::Move(int x, int y)
{
    for (Button& b : m_buttons) {
        if (!b.down)
            continue;
        b.previous = b.current;
        b.current = QPoint(x, y);
    }
}

void Mouse::ReleaseAll()
{
    for (Button& b : m_buttons)
        b.down = false;
}

const Mouse::Button& Mouse::At(int button) const
{
    static const Button kNone;
    if (button < 0 || button >= kButtonCount)
        return kNone;
    return m_buttons[static_cast<size_t>(button)];
}

}  // namespace fe::ui
