// The figures of one photo on the marks layer of a map's DXF drawing.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "cad/CadMapOutput.h"
#include "cad/CadOutputValues.h"
#include "cad/Document.h"
#include "cad/Figures.h"
#include "fe/geo/GeoPoint.h"
#include "model/PlacedPhoto.h"

using fe::cad::IsDrawableUnit;
using fe::cad::IsSetValue;

namespace {

// The barbs of the arrow head stand 35° off the shaft.
constexpr double kBarbAngle = 0.6108652381980153;

std::unique_ptr<fe::cad::FigLseg2> Segment(const Point2& start, const Point2& end)
{
    auto line = std::make_unique<fe::cad::FigLseg2>();
    line->start = start;
    line->end = end;
    return line;
}

// Where the number stands and how it is aligned: on the side opposite the arrow, or below the
// mark when the direction or the map angle is not known.
struct TextPlace
{
    Point2 point;
    int horizontal = 1;
    int vertical = 3;
};

TextPlace PlaceText(const Point2& labelPoint, const CadMapOutput::MarkTurn& turn, double direction,
                    double unitY)
{
    if (!IsSetValue(turn.mapAngle) || !IsSetValue(direction)) {
        return {labelPoint + Point2(0.0, -1.1 * unitY), 1, 3};
    }
    // The arrow's angle less a quarter turn: the offset below the mark turned with the arrow.
    const double theta = IsSetValue(turn.drawingAngle) ? turn.drawingAngle - std::numbers::pi / 2.0
                                                       : turn.mapAngle - direction * std::numbers::pi / 180.0;
    const Point2 r = Point2(0.0, -2.4 * unitY).Rotate(theta);
    const Point2 p = labelPoint + r;
    switch (r.Quadrant()) {
        case 1:  // right
            return {p + Point2(0.0, -unitY), 0, 1};
        case 3:  // left
            return {p + Point2(0.0, -unitY), 2, 1};
        case 4:  // down
            return {p, 1, 3};
        default:  // up, or no offset at all
            return {p, 1, 1};
    }
}

}  // namespace

void CadMapOutput::AddPhotoMark(fe::cad::Document& document, const PlacedPhoto& placed,
                                const QString& layerName, const Point2& centre, const Point2& labelPoint,
                                const MarkTurn& turn, const QString& numberText, bool hasDirection) const
{
    if (!IsDrawableUnit(markUnitX) && !IsDrawableUnit(markUnitY)) {
        return;
    }
    const double length = 4.0 * std::max(markUnitX, markUnitY);
    std::vector<std::unique_ptr<fe::cad::Figure>> figures;

    auto circle = std::make_unique<fe::cad::FigCircle>();
    circle->cx = centre.x;
    circle->cy = centre.y;
    circle->radius = markUnitX;
    figures.push_back(std::move(circle));

    if (hasDirection && IsSetValue(placed.direction) && IsSetValue(turn.mapAngle)) {
        Point2 p1(markUnitX, 0.0);
        Point2 p2(markUnitX + length, 0.0);
        if (IsSetValue(turn.drawingAngle)) {
            p1 = p1.Rotate(turn.drawingAngle);
            p2 = p2.Rotate(turn.drawingAngle);
        } else {
            // Whole degrees counter-clockwise from +x; compass directions run clockwise from north.
            // The remainder is taken before truncating so that no direction can overflow the integer.
            const double degreesTurn =
                turn.mapAngle * 180.0 / std::numbers::pi + 90.0 - placed.direction + 360.0;
            const int degrees = fe::geo::TruncToInt(std::fmod(degreesTurn, 360.0));
            if (degrees != 0) {
                const double radians = degrees * std::numbers::pi / 180.0;
                p1 = p1.Rotate(radians);
                p2 = p2.Rotate(radians);
            }
        }
        const Point2 head = (p1 - p2).Unit().Scale(markUnitX * 1.5);
        figures.push_back(Segment(centre + p1, centre + p2));
        figures.push_back(Segment(centre + p2, centre + p2 + head.Rotate(kBarbAngle)));
        figures.push_back(Segment(centre + p2, centre + p2 + head.Rotate(-kBarbAngle)));
    }

    if (!numberText.isEmpty()) {
        const TextPlace place = PlaceText(labelPoint, turn, placed.direction, markUnitY);
        auto text = std::make_unique<fe::cad::FigText>();
        text->text = numberText;
        text->boxText = numberText;
        text->height = 2.0 * markUnitY;
        text->position = place.point;
        text->alignPoint1 = place.point;
        text->alignPoint2 = place.point;
        text->horizontalAlign = place.horizontal;
        text->verticalAlign = place.vertical;
        figures.push_back(std::move(text));
    }

    for (auto& figure : figures) {
        if (document.AddToLayer(std::move(figure), layerName)) {
            return;  // no such layer: the rest of this photo's figures would fail the same way
        }
    }
}
