#pragma once

#include <memory>

#include "fe/Point2.h"
#include "fe/Rect2.h"
#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

// The world-to-screen mapping of views, drawers and output pictures: one axis mapping for x and
// one for y. It owns both; neither is ever null. Copies are deep (each axis is cloned).
class MapFunc2
{
public:
    MapFunc2();
    MapFunc2(const MapFunc2& other);
    MapFunc2& operator=(const MapFunc2& other);
    virtual ~MapFunc2() = default;

    // Both axes become new identity linear mappings.
    void Reset();
    // Each axis whose kind is 0 (linear) or 1 (logarithmic) becomes a new identity mapping of that
    // kind; any other kind leaves that axis as it is.
    virtual void SetKinds(int xKind, int yKind);

    MapFunc& X() { return *m_x; }
    MapFunc& Y() { return *m_y; }
    const MapFunc& X() const { return *m_x; }
    const MapFunc& Y() const { return *m_y; }

    Point2 Map(const Point2& world) const { return {m_x->Map(world.x), m_y->Map(world.y)}; }
    Point2 Rmap(const Point2& screen) const { return RmapXY(screen.x, screen.y); }
    Point2 RmapXY(double x, double y) const { return {m_x->Rmap(x), m_y->Rmap(y)}; }

    // Shows the whole world rectangle in the screen rectangle at one scale on both axes, widening
    // the world span of one axis about its centre and keeping the direction of each world span.
    // Rectangles with a zero-width span are outside its contract (callers check Span::IsNarrow).
    void FitRect(const Rect2& world, const Rect2& screen);
    // Zooms by `factor` keeping the world point under `screen` where it is.
    void ZoomAbout(double factor, const Point2& screen);

private:
    std::unique_ptr<MapFunc> m_x;
    std::unique_ptr<MapFunc> m_y;
};

}  // namespace fe::gdi
