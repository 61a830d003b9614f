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

MapFunc2::MapFunc2() : m_x(NewMapping(0)), m_y(NewMapping(0)) {}

MapFunc2::MapFunc2(const MapFunc2& other) : m_x(other.m_x->Clone()), m_y(other.m_y->Clone()) {}

MapFunc2& MapFunc2::operator=(const MapFunc2& other)
{
    if (this != &other) {
        m_x = other.m_x->Clone();
        m_y = other.m_y->Clone();
    }
    return *this;
}

void MapFunc2::Reset()
{
    m_x = NewMapping(0);
    m_y = NewMapping(0);
}

void MapFunc2::SetKinds(int xKind, int yKind)
{
    if (xKind == 0 || xKind == 1) {
        m_x = NewMapping(xKind);
    }
    if (yKind == 0 || yKind == 1) {
        m_y = NewMapping(yKind);
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
    m_x->Set(fitX, screen.XSpan());
    m_y->Set(fitY, screen.YSpan());
}

void MapFunc2::ZoomAbout(double factor, const Point2& screen)
{
    const Point2 world = Rmap(screen);
    m_x->SetRatio(m_x->Ratio() * factor);
    m_y->SetRatio(m_y->Ratio() * factor);
    m_x->Anchor(world.x, screen.x);
    m_y->Anchor(world.y, screen.y);
}

}  // namespace fe::gdi
