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

    MapFunc& X() { return *x_; }
    MapFunc& Y() { return *y_; }
    const MapFunc& X() const { return *x_; }
    const MapFunc& Y() const { return *y_; }

    Point2 Map(const Point2& world) const { return {x_->Map(world.x), y_->Map(world.y)}; }
    Point2 Rmap(const Point2& screen) const { return RmapXY(screen.x, screen.y); }
    Point2 RmapXY(double x, double y) const { return {x_->Rmap(x), y_->Rmap(y)}; }

    // Shows the whole world rectangle in the screen rectangle at one scale on both axes, widening
    // the world span of one axis about its centre and keeping the direction of each world span.
    // Rectangles with a zero-width span are outside its contract (callers check Span::IsNarrow).
    void FitRect(const Rect2& world, const Rect2& screen);
    // Zooms by `factor` keeping the world point under `screen` where it is.
    void ZoomAbout(double factor, const Point2& screen);

private:
    std::unique_ptr<MapFunc> x_;
    std::unique_ptr<MapFunc> y_;
};

}  // namespace fe::gdi
