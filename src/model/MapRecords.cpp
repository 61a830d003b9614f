#include "model/MapRecords.h"

#include "fe/geo/GeoPoint.h"

MapItemTexts MapItemTexts::DefaultNames()
{
    MapItemTexts names;
    names.texts = {QStringLiteral("種類"), QStringLiteral("路線名"), QStringLiteral("発生場所"),
                   QStringLiteral("被害の概要")};
    return names;
}

void LocationMapTransform::Reset(std::int32_t newKind)
{
    kind = newKind;
    value = 0.0;
    mapping.Reset();
    forward = fe::geo::MapHelmart();
    inverse = fe::geo::MapHelmart();
}

std::int32_t LocationMapTransform::KindOfMap(std::int32_t mapKind)
{
    if (mapKind == 0) {
        return kNone;
    }
    return mapKind == 1 ? kPlane : kWeb;
}

QPoint LocationMapTransform::ToScreen(double x, double y) const
{
    const Point2 screen = mapping.Map({x, y});
    return QPoint(fe::geo::TruncToInt(screen.x), fe::geo::TruncToInt(screen.y));
}
