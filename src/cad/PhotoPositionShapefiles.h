#pragma once

#include <QString>

struct PhotoList;

namespace fe {
class ShapeData;
}

// Writes the positions and shooting directions of every photo of the list as two shapefile sets in
// WGS 84 longitude/latitude: <folder><baseName>_point (a point per photo) and <folder><baseName>_dir
// (a small circle per photo with an arrow along its direction), each as .shp, .shx, .dbf and .prj.
// Both carry the columns ID, LONGITUDE, LATITUDE, ANGLE, DATE and TIME; a photo without a position
// gets a Null shape. A coordinate or direction that is not a finite number counts as unset.
//
// The three data files of a set are replaced together; a set that fails leaves the other to be
// written all the same. True when both sets were written, and when the list holds no photo (then
// nothing is written); false otherwise. The folder may end with '/' or not.
bool WritePhotoPositionShapefiles(const PhotoList& photos, const QString& folder, const QString& baseName);

// Appends the six attribute columns both sets carry.
void AddPhotoPositionFields(fe::ShapeData& set);
