#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "fe/Rect2i.h"

class QPainter;

namespace fe::gdi {

// Brackets a drawing pass into one painter (the device context): Begin saves the painter's state,
// turns antialiasing off and the background mode to transparent; End drops every pushed clip and
// restores the saved state. Drawers derive from it.
class Draw
{
public:
    Draw() = default;
    Draw(const Draw&) = delete;
    Draw& operator=(const Draw&) = delete;
    virtual ~Draw() = default;

    // Forgets the painter and empties the clip stack (the painter's state is not restored).
    virtual void Reset();
    // False (and nothing saved) when the painter is null or not active.
    virtual bool Begin(QPainter* dc);
    virtual bool End();
    virtual bool IsDrawing() const { return m_dc != nullptr; }
    // Width and height of the whole text in the painter's current font.
    virtual void TextExtent(const QString& text, QSize& size) const;
    // Replaces the clip by the rectangle, both corners included (corners in either order). Nested
    // clips are not intersected.
    virtual void PushClip(const Rect2i& rect);

    QPainter* Dc() const { return m_dc; }
    int ClipDepth() const { return int(m_clips.size()); }

protected:
    QPainter* m_dc = nullptr;
    std::vector<QRect> m_clips;  // the last one is the current clip
};

// DPI of a drawing target and its scale against 96 DPI.
struct DpiInfo
{
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    double scaleX = 1.0;
    double scaleY = 1.0;

    // Takes the primary screen's logical DPI; without a screen nothing changes.
    void ReadScreen();
    void Set(int x, int y);
};

// A drawing context that also knows the target's DPI, so that sizes given for 96 DPI can be scaled.
class DrawDip : public Draw
{
public:
    enum DpiMode : std::int32_t
    {
        kDpiFixed96 = 0,
        kDpiTarget = 1,
        kDpiScreen = 2
    };

    void Reset() override;
    // As Draw::Begin, then sets the DPI by the mode: 96, the painter's device, or the screen; any other
    // mode leaves the DPI as it is.
    bool Begin(QPainter* dc) override;

    std::int32_t m_dpiMode = kDpiFixed96;  // owners set it before Begin
    DpiInfo m_dpi;
};

}  // namespace fe::gdi
