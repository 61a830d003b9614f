#pragma once

#include <QPoint>
#include <array>

namespace fe::ui {

// The state of the three mouse buttons (0 left, 1 middle, 2 right) during a drag: for each, whether it
// is held, where it went down, and its previous and current points. The movement since the last Move of
// a held button is current − previous.
class Mouse
{
public:
    struct Button
    {
        bool down = false;
        QPoint downPoint;
        QPoint previous;
        QPoint current;
    };

    static constexpr int kButtonCount = 3;

    Mouse() = default;

    // Clears all three buttons, flags and points.
    void Reset() { m_buttons = {}; }
    // The button is held; its down, previous and current points all become (x, y). Other indices are ignored.
    void Press(int button, int x, int y);
    // The button is no longer held; its points stay.
    void Release(int button);
    // For every held button the current point becomes the previous one and (x, y) the current one.
    void Move(int x, int y);
    void ReleaseAll();

    // The button's record; an index outside 0 to 2 gives a cleared record.
    const Button& At(int button) const;
    bool IsDown(int button) const { return At(button).down; }
    QPoint Delta(int button) const { return At(button).current - At(button).previous; }

private:
    std::array<Button, kButtonCount> m_buttons{};
};

}  // namespace fe::ui
