#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>

#include "fe/gdi/MapFunc2.h"
#include "fe/geo/MapHelmart.h"

// Four texts of a location map: its item names or its item values.
struct MapItemTexts
{
    std::array<QString, 4> texts;

    // The item names a new map has.
    static MapItemTexts DefaultNames();

    friend bool operator==(const MapItemTexts&, const MapItemTexts&) = default;
};

// How a map's own coordinates relate to the world. The kind follows the map kind: 0 for pictures without
// coordinates, 1 for pictures in a plane zone, 2 for web maps.
struct LocationMapTransform
{
    static constexpr std::int32_t kNone = 0;
    static constexpr std::int32_t kPlane = 1;
    static constexpr std::int32_t kWeb = 2;

    std::int32_t kind = kNone;
    double value = 0.0;
    fe::gdi::MapFunc2 mapping;
    fe::geo::MapHelmart forward;  // picture pixels -> plane (x = X north, y = Y east)
    fe::geo::MapHelmart inverse;  // plane (x = X north, y = Y east) -> picture pixels

    // Kind as given, value 0, identity mapping and identity Helmert sets.
    void Reset(std::int32_t newKind);
    // The transform kind for a map kind.
    static std::int32_t KindOfMap(std::int32_t mapKind);
    // The screen point of a map point: both coordinates through the mapping, truncated toward zero (clamped
    // to the integer range, so an unset coordinate lands far outside any view).
    QPoint ToScreen(double x, double y) const;
};

// Placement of the north arrow and the scale bar on the map picture.
struct MapOverlayLayout
{
    double northArrowX = 0.0;
    double northArrowY = 0.0;
    double northArrowAngle = 0.0;  // radians
    std::uint8_t showNorthArrow = 1;
    double scaleBarX = 0.0;
    double scaleBarY = 0.0;
    std::uint8_t showScaleBar = 1;

    friend bool operator==(const MapOverlayLayout&, const MapOverlayLayout&) = default;
};
