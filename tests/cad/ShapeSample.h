#pragma once

#include <cmath>

#include "cad/PhotoPositionShapefiles.h"
#include "cad/ShapeData.h"

// A closed ring of n points around (x, y): a stand-in for a photo's direction mark.
inline std::unique_ptr<fe::ShapePolyLine> Ring(double x, double y, int n)
{
    auto line = std::make_unique<fe::ShapePolyLine>();
    line->parts = {0};
    for (int k = 0; k < n - 1; ++k) {
        const double a = k * 2 * M_PI / (n - 1);
        line->points.push_back({x + 9e-6 * std::cos(a), y + 9e-6 * std::sin(a)});
    }
    line->points.push_back(line->points.front());
    return line;
}

// Three photos: one with position and direction, one without position, one without direction.
// The point set holds points, the direction set rings of 56 and 51 points.
inline void MakePhotoSet(fe::ShapeData& set, bool directions)
{
    AddPhotoPositionFields(set);
    const struct
    {
        bool placed;
        double lon, lat;
        const char* angle;
        int ringPoints;
    } photos[] = {{true, 139.7, 35.6, "45.0", 56}, {false, 0, 0, "", 0}, {true, 139.8, 35.7, "", 51}};
    int id = 1;
    for (const auto& photo : photos) {
        std::unique_ptr<fe::ShapeBase> shape;
        if (!photo.placed)
            shape = std::make_unique<fe::ShapeBase>();
        else if (directions)
            shape = Ring(photo.lon, photo.lat, photo.ringPoints);
        else
            shape = std::make_unique<fe::ShapePoint>(photo.lon, photo.lat);
        shape->recordNumber = id;
        std::vector<std::string>& row = set.AddRecord(std::move(shape));
        row[0] = std::to_string(id);
        if (photo.placed) {
            row[1] = id == 1 ? "139.7000000" : "139.8000000";
            row[2] = id == 1 ? "35.6000000" : "35.7000000";
        }
        row[3] = photo.angle;
        row[4] = "2024/05/0" + std::to_string(id);
        row[5] = "10:2" + std::to_string(id) + ":00";
        ++id;
    }
}
