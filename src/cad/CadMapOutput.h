#pragma once

#include <QString>

#include "fe/Point2.h"
#include "fe/Unset.h"
#include "model/MarkSetting.h"

class LocationMap;
struct PlacedPhoto;
struct Project;

namespace fe::cad {
class Document;
}

// One DXF output job: writes a location map drawn over a picture registered to a plane zone (kind 1)
// as a drawing in the coordinates of the CAD drawing the picture was made from. The picture's CAD
// registration "<picture>CAD.mhc" in the map folder carries plane coordinates into the drawing.
// Every photo placed on the map becomes a mark (circle, direction arrow, number text), the output
// frame a closed polyline, and its corners are labelled with their plane X/Y.
//
// The same job may write several maps in turn; callers read the texts right after each call.
class CadMapOutput
{
public:
    // The reason shown once above the failures of maps that lack their CAD registration.
    static const QString kVersion1Reason;
    // The error of a map that could not be written.
    static const QString kOutputFailed;

    // The project the maps belong to (not owned; null writes nothing).
    explicit CadMapOutput(const Project* project);

    // Writes the map, at position mapIndex of the project's map list, as
    // <cad folder><mapIndex + 1><map name>.dxf, creating the cad folder when it is missing; the
    // file is replaced whole or not at all. True when it was written. False with both texts empty
    // when the map is not ticked for CAD output or is not a registered picture; false with
    // errorText (and, for a missing or unreadable registration, reasonText) on every failure.
    bool WriteLocationMapDxf(int mapIndex, const LocationMap& map);

    // How a photo's arrow and number are turned in the drawing.
    struct MarkTurn
    {
        // The map's north angle in radians. In a drawing made in plane coordinates (north up) with the
        // picture upright in it, the arrow is turned from it in whole degrees.
        double mapAngle = 0.0;
        // In any other drawing the placed photo's direction as the CAD registration draws it, in radians
        // counter-clockwise from the drawing's +x; unset in a plane-coordinate drawing.
        double drawingAngle = kUnset;
    };

    // Adds one photo's figures to the layer: the circle, the arrow when hasDirection (along the
    // placed photo's direction, turned as `turn` says) and the number text on the side opposite it.
    void AddPhotoMark(fe::cad::Document& document, const PlacedPhoto& placed, const QString& layerName,
                      const Point2& centre, const Point2& labelPoint, const MarkTurn& turn,
                      const QString& numberText, bool hasDirection) const;

    QString errorText;
    QString reasonText;
    // Drawing size of 5 picture pixels along x and along y; unset until a map has been started.
    double markUnitX = kUnset;
    double markUnitY = kUnset;
    // 2 writes AC1012 (with POLYLINE and VERTEX for the frame), 6 AC1021, any other AC1014.
    int versionCode = 6;
    // The mark template; its first colour gives the marks layer its colour.
    MarkStyle markStyle;

private:
    const Project* m_project;
};
