#include "cad/Figure.h"

#include <climits>

#include "fe/Unset.h"

namespace fe::cad {

void Figure::CopyBaseTo(Figure& copy) const
{
    copy.colour = (colour > kColourByLayer || colour == INT_MAX) ? kColourByLayer : colour;
    copy.note = note;
    copy.layerName = layerName;
}

Rect2 UnsetBox()
{
    Rect2 box;
    box.Unset();
    return box;
}

void ExtendBoxByPoint(Rect2& box, const Point2& point)
{
    box.Extend(Rect2(point.x, point.y, point.x, point.y));
}

void ExtendBoxByPoints(Rect2& box, const std::vector<Point2>& points)
{
    if (!points.empty())
        box.Extend(BoundingBoxOfPoints(points));
}

void FigGroup::ExtendBox(Rect2& box) const
{
    for (const auto& child : children)
        child->ExtendBox(box);
}

void FigGroup::Reset()
{
    children.clear();
}

void FigGroup::CloneChildrenInto(FigGroup& copy) const
{
    copy.children.reserve(children.size());
    for (const auto& child : children)
        copy.children.push_back(child->Clone());
}

std::unique_ptr<Figure> FigGroup::Clone() const
{
    auto copy = std::make_unique<FigGroup>();
    CopyBaseTo(*copy);
    CloneChildrenInto(*copy);
    return copy;
}

std::optional<Point2> FigGroup::FirstPoint() const
{
    for (const auto& child : children) {
        std::optional<Point2> point = child->FirstPoint();
        if (point && !IsUnset(point->x))
            return point;
    }
    return std::nullopt;
}

FigLayer::FigLayer(const QString& layerName, int layerColour) : name(layerName)
{
    colour = layerColour;
}

void FigLayer::Reset()
{
    FigGroup::Reset();
    name.clear();
    colour = 7;
    frozen = false;
}

std::unique_ptr<Figure> FigLayer::Clone() const
{
    auto copy = std::make_unique<FigLayer>();
    CopyBaseTo(*copy);
    CloneChildrenInto(*copy);
    copy->name = name;
    copy->frozen = frozen;
    return copy;
}

}  // namespace fe::cad
