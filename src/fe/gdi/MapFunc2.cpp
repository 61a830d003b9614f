#include "fe/gdi/MapFunc2.h"

#include <cmath>

#include "fe/gdi/MapLenear.h"
#include "fe/gdi/MapLog10.h"

namespace fe::gdi {

namespace {

std::unique_ptr<MapFunc> NewMapping(int kind)
{
    if (kind == 1) {
        return std::make_unique<MapLog10>();
    }
    return std::make_unique<MapLenear>();
}

double Aspect(double width, double height)
{
    return height > 0 ? width / height : 0.0;
}

// A span of the given half length about `centre`, running the way `like` runs.
Span CentredSpan(double centre, double half, const Span& like)
{
    if (like.hi - like.lo >= 0) {
        return {centre - half, centre + half};
    }
    return {centre + half, centre - half};
}

}  // namespace

MapFunc2::MapFunc2() : x_(NewMapping(0)), y_(NewMapping(0)) {}

MapFunc2::MapFunc2(const MapFunc2& other) : x_(other.x_->Clone()), y_(other.y_->Clone()) {}

MapFunc2& MapFunc2::operator=(const MapFunc2& other)
{
    if (this != &other) {
        x_ = other.x_->Clone();
        y_ = other.y_->Clone();
    }
    return *this;
}

void MapFunc2::Reset()
{
    x_ = NewMapping(0);
    y_ = NewMapping(0);
}

void MapFunc2::SetKinds(int xKind, int yKind)
{
    if (xKind == 0 || xKind == 1) {
        x_ = NewMapping(xKind);
    }
    if (yKind == 0 || yKind == 1) {
        y_ = NewMapping(yKind);
    }
}

void MapFunc2::FitRect(const Rect2& world, const Rect2& screen)
{
    const Span worldX = world.XSpan();
    const Span worldY = world.YSpan();
    const double screenAspect = Aspect(screen.XSpan().Length(), screen.YSpan().Length());
    const double worldAspect = Aspect(worldX.Length(), worldY.Length());
    Span fitX = worldX;
    Span fitY = worldY;
    if (screenAspect < worldAspect) {
        const double half = worldY.Length() * worldAspect / screenAspect / 2;
        fitY = CentredSpan((world.y0 + world.y1) / 2, half, worldY);
    } else {
        const double half = worldX.Length() / worldAspect * screenAspect / 2;
        fitX = CentredSpan((world.x0 + world.x1) / 2, half, worldX);
    }
    x_->Set(fitX, screen.XSpan());
    y_->Set(fitY, screen.YSpan());
}

void MapFunc2::ZoomAbout(double factor, const Point2& screen)
{
    const Point2 world = Rmap(screen);
    x_->SetRatio(x_->Ratio() * factor);
    y_->SetRatio(y_->Ratio() * factor);
    x_->Anchor(world.x, screen.x);
    y_->Anchor(world.y, screen.y);
}

}  // namespace fe::gdi
